#include "forms/Pointer.h"

#include "forms/Form.h"

namespace forms {

void SurfacePointer::deliver(Action action, Point p, int button, int held, int shift) {
  const SurfaceHit hit = hitSurface(form_, surface_, p);
  if (captured_ == nullptr) hovered_ = hit.hears ? hit.control : nullptr;
  Control* target = captured_ != nullptr ? captured_ : hovered_;

  if (target == nullptr) {
    // Only the bare surface itself hears a move; a control that hears
    // nothing swallows it.
    if (action != Action::Move || hit.control != nullptr) return;
    if (surface_ == nullptr) {
      MouseEvent e;
      e.button = button;
      e.shift = shift;
      e.x = p.x;
      e.y = p.y;
      form_.mouseMove(e);
    } else {
      surface_->mouseMove(eventFor(*surface_, Point{p.x + surface_->left(), p.y + surface_->top()},
                                   button, shift));
    }
    return;
  }

  const MouseEvent e = eventFor(*target, p, button, shift);
  switch (action) {
    case Action::Press:
      if (captured_ == nullptr) captured_ = target;
      target->mouseDown(e);
      break;
    case Action::Release:
      if (held == 0) captured_ = nullptr;
      target->mouseUp(e);
      // A left press and release on the same windowless control is its
      // click, after its mouse-up, as a button's would be; not when the
      // mouse-up handler has unloaded the form.
      if (button == kLeftButton && hit.control == target && hit.hears && form_.loaded()) {
        target->click();
      }
      break;
    case Action::Move:
      target->mouseMove(e);
      break;
  }
}

}  // namespace forms
