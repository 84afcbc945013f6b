#pragma once
// One move-only owner for the handles we create: windows, fonts, bitmaps,
// menus, icons, DCs. The close function comes in through the traits.

#include <windows.h>

#include <utility>

namespace win32 {

template <class T, class Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(T handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  [[nodiscard]] T get() const { return handle_; }
  explicit operator bool() const { return handle_ != T{}; }
  T release() { return std::exchange(handle_, T{}); }
  void reset(T handle = T{}) {
    if (handle_ != T{}) Traits::close(handle_);
    handle_ = handle;
  }

 private:
  T handle_{};
};

struct WindowTraits {
  static void close(HWND h) { DestroyWindow(h); }
};
struct MenuTraits {
  static void close(HMENU h) { DestroyMenu(h); }
};
struct IconTraits {
  static void close(HICON h) { DestroyIcon(h); }
};
struct KernelTraits {
  static void close(HANDLE h) { CloseHandle(h); }
};
struct DcTraits {
  static void close(HDC h) { DeleteDC(h); }
};

struct FontTraits {
  static void close(HFONT h) { DeleteObject(h); }
};
struct BitmapTraits {
  static void close(HBITMAP h) { DeleteObject(h); }
};
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueFont = UniqueHandle<HFONT, FontTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, BitmapTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelTraits>;
using UniqueDc = UniqueHandle<HDC, DcTraits>;

}  // namespace win32
