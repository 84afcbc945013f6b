#include "win32/NativeWindow.h"

#include <cassert>

namespace win32 {

NativeWindow::~NativeWindow() {
  assert(hwnd() == nullptr && "the derived class destroys its window");
  // Should it not have: without its object the window must not live on.
  if (const HWND left = window_.release()) {
    SetWindowLongPtrW(left, GWLP_USERDATA, 0);
    DestroyWindow(left);
  }
}

void NativeWindow::registerClass(HINSTANCE instance, const wchar_t* className, UINT style) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = nullptr;  // every window paints its whole client area
  wc.lpszClassName = className;
  RegisterClassExW(&wc);
}

bool NativeWindow::create(DWORD exStyle, const wchar_t* className, const std::wstring& text,
                          DWORD style, const RECT& place, HWND parent, HINSTANCE instance) {
  CreateWindowExW(exStyle, className, text.c_str(), style, place.left, place.top,
                  place.right - place.left, place.bottom - place.top, parent, nullptr, instance,
                  this);
  return hwnd() != nullptr;
}

LRESULT CALLBACK NativeWindow::procedure(HWND hwnd, UINT message, WPARAM wParam,
                                         LPARAM lParam) noexcept {
  NativeWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<NativeWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_.reset(hwnd);
  } else {
    self = reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->window_.release();
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  try {
    return self->handle(message, wParam, lParam);
  } catch (...) {
    assert(false && "a window's handler failed");
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace win32
