#pragma once
// The base of the windows we create ourselves. The window procedure finds
// the window's object from WM_NCCREATE on (the first message that carries
// the creation data) and lets it go at WM_NCDESTROY. The object's handler
// may fail; no failure crosses into the system.

#include <windows.h>

#include <string>

#include "win32/UniqueHandle.h"

namespace win32 {

class NativeWindow {
 public:
  NativeWindow(const NativeWindow&) = delete;
  NativeWindow& operator=(const NativeWindow&) = delete;

  [[nodiscard]] HWND hwnd() const { return window_.get(); }
  // Destroys the window now; nothing when it is gone already.
  void destroy() { window_.reset(); }

 protected:
  NativeWindow() = default;
  // A derived class destroys its window in its own destructor, while its
  // handler can still take the messages of the destruction.
  virtual ~NativeWindow();

  // Registers a window class whose windows are served by this base.
  static void registerClass(HINSTANCE instance, const wchar_t* className, UINT style);
  // Creates the window; false when the system refused.
  bool create(DWORD exStyle, const wchar_t* className, const std::wstring& text, DWORD style,
              const RECT& place, HWND parent, HINSTANCE instance);

  // Handles one message of the window; what it leaves goes to byDefault.
  virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT byDefault(UINT message, WPARAM wParam, LPARAM lParam) const {
    return DefWindowProcW(hwnd(), message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept;

  UniqueWindow window_;
};

}  // namespace win32
