#pragma once
#include "platform/Desktop.h"

namespace win32 {

// The window primitives on the real user32.
class Win32Desktop final : public platform::Desktop {
 public:
  bool answers(platform::Hwnd hwnd) override;
  bool setWindowPos(platform::Hwnd hwnd, platform::Hwnd insertAfter, int x,
                    int y, int cx, int cy, unsigned flags) override;
  std::int32_t getExStyle(platform::Hwnd hwnd) override;
  std::int32_t setExStyle(platform::Hwnd hwnd, std::int32_t style) override;
  bool setLayeredAttributes(platform::Hwnd hwnd, std::uint32_t colorKey,
                            std::uint8_t alpha, unsigned flags) override;
  std::int16_t asyncKeyState(std::int32_t virtualKey) override;
  platform::Hwnd findWindowByTitle(std::string_view title) override;
  void enumTopLevelWindows(
      const std::function<bool(platform::Hwnd)>& visit) override;
  std::string className(platform::Hwnd hwnd) override;
  platform::Point cursorPos() override;
  platform::Hwnd windowFromPoint(platform::Point p) override;
  std::string windowText(platform::Hwnd hwnd) override;
  platform::Rect windowRect(platform::Hwnd hwnd) override;
  bool showWindow(platform::Hwnd hwnd, int command) override;
  bool setForegroundWindow(platform::Hwnd hwnd) override;
  bool setCursorPos(platform::Point p) override;
};

}  // namespace win32
