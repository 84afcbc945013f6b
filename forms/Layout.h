#pragma once
// Where controls are and what the pointer is over, the same for every host.
// A control sits in the client area of its surface: the frame or picture
// box that holds it, or the form. A container passes its visibility and its
// enabled state on to everything it holds. Native controls (buttons, check
// boxes, text boxes, containers) lie above the windowless ones (labels and
// images) of the same surface, which the surface draws itself.

#include "forms/Control.h"

namespace forms {

class Form;

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Visible, or enabled, itself and in every container up to the form.
[[nodiscard]] bool effectivelyVisible(const Control& control);
[[nodiscard]] bool effectivelyEnabled(const Control& control);

// The control's top-left corner in the form's client area.
[[nodiscard]] Point placeInForm(const Control& control);

// Whether p, in the client area of the control's surface, lies on it.
[[nodiscard]] bool covers(const Control& control, Point p);

// The topmost shown native control of `surface` (null: the form) under p,
// in that surface's client area; null if none.
[[nodiscard]] Control* nativeAt(const Form& form, const Control* surface, Point p);

// What the pointer at p is over when it is over the surface itself, that
// is not over one of its enabled native controls, which take the pointer
// themselves: the topmost shown windowless control there, which hears the
// pointer when enabled; else a disabled native control, which hears
// nothing; else nothing, the bare surface.
struct SurfaceHit {
  Control* control = nullptr;  // null: the bare surface
  bool hears = false;
};
[[nodiscard]] SurfaceHit hitSurface(const Form& form, const Control* surface, Point p);

// A pointer event for a control: x and y in twips from its left and top
// edges, for p in its surface's client area.
[[nodiscard]] MouseEvent eventFor(const Control& control, Point p, int button, int shift);

}  // namespace forms
