#include "forms/HeadlessHost.h"

#include <algorithm>

namespace forms {

void HeadlessHost::click(Control& control) {
  if (!control.form().loaded() || !control.visible() || !control.enabled()) return;
  if (control.kind() == ControlKind::CheckBox) {
    static_cast<CheckBox&>(control).userClick();
  } else {
    control.click();
  }
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
