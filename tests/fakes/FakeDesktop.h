#pragma once
// A simulated desktop: top-level and child windows of several processes, a
// z-order with the always-on-top band, titles, classes, rectangles, extended
// styles, layered opacity, the cursor and key states.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace fakes {

struct FakeWindow {
  platform::Hwnd hwnd = 0;
  int process = 1;
  platform::Hwnd parent = 0;
  std::string title;
  std::string className = "FakeWindow";
  platform::Rect rect{0, 0, 100, 100};
  std::int32_t exStyle = 0;
  bool visible = true;
  // Set by the layered-attributes call; meaningful only with the layered style.
  std::optional<std::uint8_t> alpha;
  std::uint32_t colorKey = 0;
  unsigned layeredFlags = 0;
  int lastShowCommand = -1;
  // Its program has stopped taking messages.
  bool hung = false;
};

struct WindowSpec {
  std::string title;
  platform::Rect rect{0, 0, 100, 100};
  int process = 2;
  platform::Hwnd parent = 0;
  std::string className = "FakeWindow";
  std::int32_t exStyle = 0;
  bool visible = true;
};

class FakeDesktop final : public platform::Desktop {
 public:
  // The new window goes on top of its band (top-level) or of its siblings.
  platform::Hwnd createWindow(const WindowSpec& shape);
  // Destroys the window and its children; later calls on them are no-ops.
  void destroyWindow(platform::Hwnd hwnd);
  [[nodiscard]] const FakeWindow* window(platform::Hwnd hwnd) const;
  // Top-level windows, top of the z-order first.
  [[nodiscard]] const std::vector<platform::Hwnd>& zOrder() const { return topLevel_; }
  [[nodiscard]] platform::Hwnd foreground() const { return foreground_; }

  void pressKey(std::int32_t virtualKey);
  void releaseKey(std::int32_t virtualKey);
  void moveCursor(platform::Point p) { cursor_ = p; }
  void setHung(platform::Hwnd hwnd, bool hung);
  // Calls that would have waited on a hung window's program.
  [[nodiscard]] int blockingCalls() const { return blockingCalls_; }

  // platform::Desktop
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
  platform::Point cursorPos() override { return cursor_; }
  platform::Hwnd windowFromPoint(platform::Point p) override;
  std::string windowText(platform::Hwnd hwnd) override;
  platform::Rect windowRect(platform::Hwnd hwnd) override;
  bool showWindow(platform::Hwnd hwnd, int command) override;
  bool setForegroundWindow(platform::Hwnd hwnd) override;
  bool setCursorPos(platform::Point p) override;

 private:
  struct KeyState {
    bool down = false;
    bool pressedSinceQuery = false;
  };

  FakeWindow* find(platform::Hwnd hwnd);
  // A place or style change: waits on the window's program when it is hung.
  FakeWindow* findForSentCall(platform::Hwnd hwnd);
  void placeInBand(platform::Hwnd hwnd);
  platform::Hwnd deepestChildAt(platform::Hwnd parent, platform::Point p) const;

  std::map<platform::Hwnd, FakeWindow> windows_;
  std::vector<platform::Hwnd> topLevel_;
  // Children of each parent, top sibling first.
  std::map<platform::Hwnd, std::vector<platform::Hwnd>> children_;
  std::map<std::int32_t, KeyState> keys_;
  platform::Point cursor_;
  platform::Hwnd foreground_ = 0;
  platform::Hwnd nextHwnd_ = 0x10010;
  int blockingCalls_ = 0;
};

}  // namespace fakes
