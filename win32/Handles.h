#pragma once
// Window handles cross the seams as 32-bit values; the system sign-extends
// them, so these conversions are lossless for every window.

#include <windows.h>

#include "platform/Desktop.h"

namespace win32 {

inline HWND toHwnd(platform::Hwnd hwnd) {
  return static_cast<HWND>(LongToHandle(static_cast<LONG>(hwnd)));
}

inline platform::Hwnd fromHwnd(HWND hwnd) {
  return static_cast<platform::Hwnd>(HandleToLong(hwnd));
}

}  // namespace win32
