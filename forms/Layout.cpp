#include "forms/Layout.h"

#include "forms/Form.h"

namespace forms {

bool effectivelyVisible(const Control& control) {
  for (const Control* c = &control; c != nullptr; c = c->container()) {
    if (!c->visible()) return false;
  }
  return true;
}

bool effectivelyEnabled(const Control& control) {
  for (const Control* c = &control; c != nullptr; c = c->container()) {
    if (!c->enabled()) return false;
  }
  return true;
}

Point placeInForm(const Control& control) {
  Point p;
  for (const Control* c = &control; c != nullptr; c = c->container()) {
    p.x += c->left();
    p.y += c->top();
  }
  return p;
}

bool covers(const Control& control, Point p) {
  return p.x >= control.left() && p.x < control.left() + control.width() &&
         p.y >= control.top() && p.y < control.top() + control.height();
}

Control* nativeAt(const Form& form, const Control* surface, Point p) {
  for (Control* control : form.controls()) {
    if (control->windowless() || control->container() != surface) continue;
    if (effectivelyVisible(*control) && covers(*control, p)) return control;
  }
  return nullptr;
}

SurfaceHit hitSurface(const Form& form, const Control* surface, Point p) {
  for (Control* control : form.controls()) {
    if (!control->windowless() || control->container() != surface) continue;
    if (effectivelyVisible(*control) && covers(*control, p)) {
      return {control, effectivelyEnabled(*control)};
    }
  }
  if (Control* native = nativeAt(form, surface, p)) return {native, false};
  return {};
}

MouseEvent eventFor(const Control& control, Point p, int button, int shift) {
  MouseEvent e;
  e.button = button;
  e.shift = shift;
  e.x = static_cast<double>(p.x - control.left()) * kTwipsPerPixel;
  e.y = static_cast<double>(p.y - control.top()) * kTwipsPerPixel;
  return e;
}

}  // namespace forms
