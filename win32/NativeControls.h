#pragma once
// The native controls of one form: buttons, check boxes, text boxes and the
// containers, each a child window of the form's window or of its
// container's. They are kept in tab order, each changed property is applied
// as it changes, and what they report (commands, pointer messages) becomes
// the model's events.

#include <windows.h>

#include <map>
#include <memory>

#include "forms/Control.h"
#include "win32/ContainerWindow.h"

namespace win32 {

class Win32Host;

class NativeControls {
 public:
  NativeControls(Win32Host& host, forms::Form& form, HWND formWindow, HWND tooltip);
  ~NativeControls();
  NativeControls(const NativeControls&) = delete;
  NativeControls& operator=(const NativeControls&) = delete;

  // Creates every native control of the form in its designed state.
  void create();
  // Applies one changed property of a native control.
  void apply(forms::Control& control, forms::Property property);
  // A command a child window sent its parent.
  void command(HWND child, UINT code);
  void focus(forms::Control& control);

  [[nodiscard]] forms::Control* controlOf(HWND window) const;
  // The window of a container, or null.
  [[nodiscard]] ContainerWindow* containerWindow(const forms::Control* container) const;

 private:
  HWND createOne(forms::Control& control);
  [[nodiscard]] HWND windowOf(const forms::Control& control) const;
  [[nodiscard]] HWND parentOf(const forms::Control& control) const;
  void placeInTabOrder(const forms::Control* surface);
  void applyAll(forms::Control& control);
  void applyEnabled(forms::Control& control);
  void applyText(HWND window, const std::string& text);
  void reportEdit(forms::Control& control, HWND window);
  static LRESULT CALLBACK pointerRelay(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data) noexcept;

  Win32Host& host_;
  forms::Form& form_;
  HWND formWindow_;
  HWND tooltip_;
  std::map<const forms::Control*, HWND> windows_;
  std::map<HWND, forms::Control*> controls_;
  std::map<const forms::Control*, std::unique_ptr<ContainerWindow>> containers_;
};

}  // namespace win32
