#pragma once
// The native window of one form: a top-level window with the form's native
// controls as children; labels and images are drawn and hit-tested here, in
// stacking order, with the pointer captured from press to release.

#include <windows.h>

#include <map>
#include <string>

#include "forms/Form.h"
#include "win32/UniqueHandle.h"

namespace win32 {

class Win32Host;

class FormWindow {
 public:
  FormWindow(Win32Host& host, forms::Form& form);
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  [[nodiscard]] HWND hwnd() const { return hwnd_; }
  [[nodiscard]] HICON bigIcon() const { return bigIcon_.get(); }
  [[nodiscard]] forms::Form& form() const { return form_; }

  void show();
  void hide();
  void applyWindowState();
  void applyGeometry();
  void applyCaption();
  void controlChanged(forms::Control& control, forms::Property property);
  void timerChanged(forms::Timer& timer);
  void focus(forms::Control& control);
  void destroy();

  static void registerClass(HINSTANCE instance);
  static constexpr const wchar_t* kClassName = L"SkyvaneForm";

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

  void createControls();
  void createNative(forms::Control& control);
  void applyControl(forms::Control& control);
  void reportGeometry();
  void paint(HDC dc);
  void onMouse(UINT message, WPARAM wParam, LPARAM lParam);
  forms::Control* hitTest(POINT client) const;
  void onCommand(HWND child, UINT code);
  HFONT font(const forms::Font& font);
  [[nodiscard]] bool effectiveVisible(const forms::Control& control) const;
  [[nodiscard]] bool effectiveEnabled(const forms::Control& control) const;
  [[nodiscard]] POINT origin(const forms::Control& control) const;
  void invalidate() const;

  Win32Host& host_;
  forms::Form& form_;
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  std::map<forms::Control*, HWND> natives_;
  std::map<HWND, forms::Control*> byNative_;
  std::map<UINT_PTR, forms::Timer*> timers_;
  std::map<std::wstring, UniqueFont> fonts_;
  forms::Control* captured_ = nullptr;
  forms::Control* hovered_ = nullptr;
  std::wstring tipText_;
  bool applyingState_ = false;
};

}  // namespace win32
