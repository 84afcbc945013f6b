#include "forms/Timer.h"

#include "forms/Form.h"

namespace forms {

Timer::Timer(Form& form, const char* name) : form_(form), name_(name) { form.add(this); }

void Timer::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (form_.loaded()) form_.host().timerChanged(*this);
}

void Timer::setInterval(int milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  if (form_.loaded()) form_.host().timerChanged(*this);
}

}  // namespace forms
