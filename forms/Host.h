#pragma once
// What a host does for the forms: mirror them on a screen (or in memory for
// tests), deliver events back, and answer the application and screen facts.

#include <cstdint>
#include <string>

#include "forms/Control.h"
#include "platform/Desktop.h"

namespace forms {

class Form;
class Menu;
class Timer;

enum class FormProperty { Caption, Geometry, WindowState, Icon, Picture };

// Message box styles and answers, the system's values.
inline constexpr unsigned kMbOk = 0;
inline constexpr int kIdOk = 1;

class Host {
 public:
  virtual ~Host() = default;

  // Form life: the host creates the native window and every control of the
  // form on create, and destroys them on destroy.
  virtual void createForm(Form& form) = 0;
  virtual void destroyForm(Form& form) = 0;
  // Shows the form in its window state; raises its resize event.
  virtual void showForm(Form& form) = 0;
  virtual void hideForm(Form& form) = 0;
  virtual void formChanged(Form& form, FormProperty property) = 0;
  virtual void controlChanged(Control& control, Property property) = 0;
  virtual void timerChanged(Timer& timer) = 0;
  virtual void focus(Control& control) = 0;
  // Modal: returns when the menu closes, after the chosen item's click ran.
  virtual void popupMenu(Form& form, Menu& menu) = 0;
  virtual int messageBox(const std::string& text, const std::string& title,
                         unsigned style) = 0;
  // Lets pending paint work run.
  virtual void doEvents() = 0;
  // Puts text on the clipboard as plain text, in place of what was there.
  virtual void copyText(const std::string& text) = 0;
  [[nodiscard]] virtual platform::Hwnd windowHandle(const Form& form) const = 0;
  // The numeric value of the form's icon handle; 0 when it has none.
  [[nodiscard]] virtual std::uintptr_t iconHandle(const Form& form) const = 0;

  // The application object.
  [[nodiscard]] virtual bool previousInstance() const = 0;
  [[nodiscard]] virtual std::string exeFolder() const = 0;
  [[nodiscard]] virtual std::string exeName() const = 0;

  // The screen object: size in twips and twips per pixel of each axis.
  [[nodiscard]] virtual int screenWidthTwips() const = 0;
  [[nodiscard]] virtual int screenHeightTwips() const = 0;
  [[nodiscard]] virtual int twipsPerPixelX() const = 0;
  [[nodiscard]] virtual int twipsPerPixelY() const = 0;
};

}  // namespace forms
