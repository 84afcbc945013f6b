#pragma once
// The window of a frame or a picture box: a child of its form's window (or
// of the container holding it) and the parent of the native controls it
// holds. It draws its frame and caption, or its picture, and under its
// native controls the labels and images it holds. What its controls tell
// their parent goes on to the form's window.

#include "forms/Control.h"
#include "win32/NativeWindow.h"
#include "win32/WindowlessLayer.h"

namespace win32 {

class Win32Host;

class ContainerWindow final : public NativeWindow {
 public:
  ContainerWindow(Win32Host& host, forms::Control& container, HWND parent, HWND formWindow,
                  HWND tooltip);
  ~ContainerWindow() override { destroy(); }

  [[nodiscard]] WindowlessLayer& layer() { return layer_; }
  [[nodiscard]] forms::Control& control() const { return container_; }

  static void registerClass(HINSTANCE instance);
  static constexpr const wchar_t* kClassName = L"SkyvaneContainer";

 private:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void drawBackground(HDC dc) const;

  Win32Host& host_;
  forms::Control& container_;
  HWND formWindow_;
  WindowlessLayer layer_;
};

}  // namespace win32
