#pragma once
// The window primitives Skyvane uses on windows of any process. Text is UTF-8;
// the real implementation converts at the boundary and calls the wide entry
// points. A handle that names no window makes every call a no-op or a zero.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

// A window handle: 32 significant bits on every Windows, 0 is none.
using Hwnd = std::int32_t;

// Insert-after values of a position change (the system's HWND_TOPMOST and
// HWND_NOTOPMOST).
inline constexpr Hwnd kHwndTopmost = -1;
inline constexpr Hwnd kHwndNoTopmost = -2;

// Flags and style bits, with the system's values.
inline constexpr unsigned kSwpNoSize = 0x1;
inline constexpr unsigned kSwpNoMove = 0x2;
inline constexpr unsigned kSwpNoActivate = 0x10;
inline constexpr std::int32_t kWsExTopmost = 0x8;
inline constexpr std::int32_t kWsExLayered = 0x80000;
inline constexpr unsigned kLwaAlpha = 0x2;

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // True when the window's thread takes a message within a short deadline.
  // A change of place or style is delivered to the window's own thread and
  // waits for it; a window that does not answer would freeze the caller.
  // Windows of the calling thread always answer.
  virtual bool answers(Hwnd hwnd) = 0;

  virtual bool setWindowPos(Hwnd hwnd, Hwnd insertAfter, int x, int y, int cx,
                            int cy, unsigned flags) = 0;
  virtual std::int32_t getExStyle(Hwnd hwnd) = 0;
  // Returns the previous extended style, 0 when the call failed.
  virtual std::int32_t setExStyle(Hwnd hwnd, std::int32_t style) = 0;
  virtual bool setLayeredAttributes(Hwnd hwnd, std::uint32_t colorKey,
                                    std::uint8_t alpha, unsigned flags) = 0;
  // The 16-bit answer of the system: 0x8000 down now, 0x0001 pressed since
  // the previous query.
  virtual std::int16_t asyncKeyState(std::int32_t virtualKey) = 0;
  // The first top-level window whose text equals title exactly; 0 if none.
  virtual Hwnd findWindowByTitle(std::string_view title) = 0;
  // Calls visit for each top-level window, top of the z-order first, until it
  // returns false.
  virtual void enumTopLevelWindows(const std::function<bool(Hwnd)>& visit) = 0;
  virtual std::string className(Hwnd hwnd) = 0;
  virtual Point cursorPos() = 0;
  virtual Hwnd windowFromPoint(Point p) = 0;
  virtual std::string windowText(Hwnd hwnd) = 0;
  // The window's rectangle in screen pixels; all zeros for no window.
  virtual Rect windowRect(Hwnd hwnd) = 0;
  virtual bool showWindow(Hwnd hwnd, int command) = 0;
  virtual bool setForegroundWindow(Hwnd hwnd) = 0;
  virtual bool setCursorPos(Point p) = 0;
};

}  // namespace platform
