#include "forms/HeadlessHost.h"

#include <algorithm>

namespace forms {

void HeadlessHost::click(Control& control) {
  if (!control.form().loaded() || !effectivelyVisible(control) || !effectivelyEnabled(control)) {
    return;
  }
  if (control.kind() == ControlKind::CheckBox) {
    static_cast<CheckBox&>(control).userClick();
  } else {
    control.click();
  }
}

void HeadlessHost::type(TextBox& box, const std::string& text) {
  if (!box.form().loaded() || !effectivelyVisible(box) || !effectivelyEnabled(box)) return;
  box.userEdited(text);
}

SurfacePointer& HeadlessHost::pointerOf(Form& form, Control* surface) {
  return pointers_.try_emplace(PointerKey{&form, surface}, form, surface).first->second;
}

void HeadlessHost::pointer(Form& form, SurfacePointer::Action action, Point p, int button) {
  if (!form.loaded()) return;
  if (action == SurfacePointer::Action::Press) buttonsHeld_ |= button;
  if (action == SurfacePointer::Action::Release) buttonsHeld_ &= ~button;
  const int detail = action == SurfacePointer::Action::Move ? buttonsHeld_ : button;
  // A surface whose control holds the pointer gets everything.
  for (auto& [key, surfacePointer] : pointers_) {
    if (key.form != &form || surfacePointer.captured() == nullptr) continue;
    Point local = p;
    if (key.surface != nullptr) {
      const Point corner = placeInForm(*key.surface);
      local = {p.x - corner.x, p.y - corner.y};
    }
    surfacePointer.deliver(action, local, detail, buttonsHeld_, 0);
    return;
  }
  Control* surface = nullptr;
  while (Control* native = nativeAt(form, surface, p)) {
    if (!effectivelyEnabled(*native)) break;
    if (!native->isContainer()) {
      const MouseEvent e = eventFor(*native, p, detail, 0);
      if (action == SurfacePointer::Action::Press) native->mouseDown(e);
      if (action == SurfacePointer::Action::Release) native->mouseUp(e);
      if (action == SurfacePointer::Action::Move) native->mouseMove(e);
      return;
    }
    surface = native;
    p = {p.x - native->left(), p.y - native->top()};
  }
  pointerOf(form, surface).deliver(action, p, detail, buttonsHeld_, 0);
}

void HeadlessHost::pointerMove(Form& form, int x, int y, int held) {
  buttonsHeld_ = held;
  pointer(form, SurfacePointer::Action::Move, {x, y}, 0);
}

void HeadlessHost::pointerPress(Form& form, int x, int y, int button) {
  pointer(form, SurfacePointer::Action::Press, {x, y}, button);
}

void HeadlessHost::pointerRelease(Form& form, int x, int y, int button) {
  pointer(form, SurfacePointer::Action::Release, {x, y}, button);
}

void HeadlessHost::advance(int milliseconds) {
  const std::int64_t end = now_ + milliseconds;
  for (;;) {
    // The timer due first runs next; a tick may start or stop others.
    auto next = std::min_element(timers_.begin(), timers_.end(), [](const auto& a, const auto& b) {
      return a.second.due < b.second.due;
    });
    if (next == timers_.end() || next->second.due > end) break;
    Timer* timer = next->first;
    now_ = next->second.due;
    next->second.due = now_ + std::max(1, timer->interval());
    timer->tick();
  }
  now_ = end;
}

void HeadlessHost::createForm(Form& form) {
  log_.push_back("create " + form.name());
  if (handles_.count(&form) == 0) handles_[&form] = 0x1000 + static_cast<int>(handles_.size()) * 0x10;
  for (Timer* timer : form.timers()) timerChanged(*timer);
}

void HeadlessHost::destroyForm(Form& form) {
  log_.push_back("destroy " + form.name());
  for (Timer* timer : form.timers()) timers_.erase(timer);
  std::erase_if(pointers_, [&](const auto& entry) { return entry.first.form == &form; });
  if (focused_ != nullptr && &focused_->form() == &form) focused_ = nullptr;
}

void HeadlessHost::showForm(Form& form) {
  log_.push_back("show " + form.name());
  form.hostStateChanged(form.windowState());
}

void HeadlessHost::hideForm(Form& form) { log_.push_back("hide " + form.name()); }

void HeadlessHost::formChanged(Form& form, FormProperty property) {
  if (property == FormProperty::WindowState) form.hostStateChanged(form.windowState());
}

void HeadlessHost::controlChanged(Control&, Property) {}

void HeadlessHost::timerChanged(Timer& timer) {
  if (timer.enabled() && timer.interval() > 0 && timer.form().loaded()) {
    timers_[&timer] = Running{now_ + timer.interval()};
  } else {
    timers_.erase(&timer);
  }
}

void HeadlessHost::focus(Control& control) { focused_ = &control; }

void HeadlessHost::popupMenu(Form& form, Menu& menu) {
  PopupCall call{form.name(), menu.name(), {}};
  for (const MenuItem* item : menu.items) {
    if (item->visible) call.items.push_back(item->caption);
  }
  popups_.push_back(call);
  if (onPopup) onPopup(menu);
}

int HeadlessHost::messageBox(const std::string& text, const std::string& title, unsigned style) {
  messageBoxes_.push_back({text, title, style});
  if (onMessageBox) onMessageBox(messageBoxes_.back());
  return kIdOk;
}

platform::Hwnd HeadlessHost::windowHandle(const Form& form) const {
  const auto it = handles_.find(&form);
  return it == handles_.end() || !form.loaded() ? 0 : it->second;
}

std::uintptr_t HeadlessHost::iconHandle(const Form& form) const {
  return form.loaded() && form.icon() != 0 ? 0x30000u + static_cast<unsigned>(form.icon()) : 0;
}

}  // namespace forms
