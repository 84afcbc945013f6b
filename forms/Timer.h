#pragma once
#include <string>

#include "forms/Event.h"

namespace forms {

class Form;

// Ticks every interval milliseconds while enabled and its form is loaded.
class Timer {
 public:
  Timer(Form& form, const char* name);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  [[nodiscard]] Form& form() const { return form_; }
  [[nodiscard]] const std::string& name() const { return name_; }
  [[nodiscard]] bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  [[nodiscard]] int interval() const { return interval_; }
  void setInterval(int milliseconds);

  Event<> tick;

 private:
  Form& form_;
  std::string name_;
  bool enabled_ = false;
  int interval_ = 0;
};

}  // namespace forms
