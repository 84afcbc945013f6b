#pragma once
// The pointer over one surface (a form's client area, or a frame's or
// picture box's), as its host reports it: what the pointer is over gets the
// event, and a windowless control pressed holds the pointer until the last
// button is released, wherever the pointer goes meanwhile. A left press
// and release on the same control also clicks it.

#include "forms/Layout.h"

namespace forms {

class SurfacePointer {
 public:
  enum class Action { Move, Press, Release };
  static constexpr int kLeftButton = 1;

  // surface: the container, or null for the form's own client area.
  SurfacePointer(Form& form, Control* surface) : form_(form), surface_(surface) {}

  // One pointer message at p, in the surface's client area. button: the
  // button pressed or released (1 left, 2 right, 4 middle), or for a move
  // the buttons held; held: the buttons still down after the message.
  void deliver(Action action, Point p, int button, int held, int shift);
  // The host lost the pointer to someone else: nothing holds it any more.
  void lostCapture() { captured_ = nullptr; }

  // The control holding the pointer, if any.
  [[nodiscard]] Control* captured() const { return captured_; }
  // The control under the pointer that hears it (for its tooltip), if any.
  [[nodiscard]] Control* hovered() const { return hovered_; }
  [[nodiscard]] Control* surface() const { return surface_; }

 private:
  Form& form_;
  Control* surface_;
  Control* captured_ = nullptr;
  Control* hovered_ = nullptr;
};

}  // namespace forms
