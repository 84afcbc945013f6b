#pragma once
// The window of one form: a top-level window with the form's icon, caption,
// border, place and state, its timers, its native controls (NativeControls)
// and the labels and images it draws itself (WindowlessLayer), over the
// form's background picture.

#include <windows.h>

#include <map>

#include "forms/Form.h"
#include "win32/NativeControls.h"
#include "win32/NativeWindow.h"
#include "win32/UniqueHandle.h"
#include "win32/WindowlessLayer.h"

namespace win32 {

class Win32Host;

class FormWindow final : public NativeWindow {
 public:
  FormWindow(Win32Host& host, forms::Form& form);
  ~FormWindow() override;

  [[nodiscard]] HICON bigIcon() const { return bigIcon_.get(); }
  [[nodiscard]] forms::Form& form() const { return form_; }

  void show();
  void hide();
  void applyWindowState();
  void applyGeometry();
  void applyCaption();
  void applyPicture();
  void controlChanged(forms::Control& control, forms::Property property);
  void timerChanged(forms::Timer& timer);
  void focus(forms::Control& control);
  // Destroys the window and everything in it.
  void close();

  static void registerClass(HINSTANCE instance);
  static constexpr const wchar_t* kClassName = L"SkyvaneForm";

 private:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void createTooltip();
  // Creates the tooltip and the native controls once, before the window is
  // first shown.
  void makeControls();
  void loadIcons();
  void reportGeometry();
  void drawBackground(HDC dc) const;
  // The tooltip text of the tool that is asking: a native control, a
  // container, or a surface's windowless control under the pointer.
  [[nodiscard]] const forms::Control* tooltipOwner(HWND tool) const;

  Win32Host& host_;
  forms::Form& form_;
  UniqueWindow tooltip_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  WindowlessLayer layer_;
  std::unique_ptr<NativeControls> natives_;
  std::map<UINT_PTR, forms::Timer*> timers_;
  std::wstring tipText_;
  bool applyingState_ = false;
};

}  // namespace win32
