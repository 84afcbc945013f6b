#include "tests/fakes/FakeDesktop.h"

#include <algorithm>

namespace fakes {
namespace {

constexpr int kSwHide = 0;

bool contains(const platform::Rect& r, platform::Point p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

void erase(std::vector<platform::Hwnd>& list, platform::Hwnd hwnd) {
  list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
}

}  // namespace

platform::Hwnd FakeDesktop::createWindow(const WindowSpec& shape) {
  const platform::Hwnd hwnd = nextHwnd_;
  nextHwnd_ += 0x10;
  FakeWindow w;
  w.hwnd = hwnd;
  w.process = shape.process;
  w.parent = shape.parent;
  w.title = shape.title;
  w.className = shape.className;
  w.rect = shape.rect;
  w.exStyle = shape.parent == 0 ? shape.exStyle : shape.exStyle & ~platform::kWsExTopmost;
  w.visible = shape.visible;
  windows_[hwnd] = w;
  if (shape.parent == 0) {
    placeInBand(hwnd);
  } else {
    auto& siblings = children_[shape.parent];
    siblings.insert(siblings.begin(), hwnd);
  }
  return hwnd;
}

void FakeDesktop::destroyWindow(platform::Hwnd hwnd) {
  const FakeWindow* w = window(hwnd);
  if (w == nullptr) return;
  const auto kids = children_[hwnd];
  for (platform::Hwnd child : kids) destroyWindow(child);
  children_.erase(hwnd);
  if (w->parent != 0) erase(children_[w->parent], hwnd);
  erase(topLevel_, hwnd);
  if (foreground_ == hwnd) foreground_ = 0;
  windows_.erase(hwnd);
}

const FakeWindow* FakeDesktop::window(platform::Hwnd hwnd) const {
  const auto it = windows_.find(hwnd);
  return it == windows_.end() ? nullptr : &it->second;
}

FakeWindow* FakeDesktop::find(platform::Hwnd hwnd) {
  const auto it = windows_.find(hwnd);
  return it == windows_.end() ? nullptr : &it->second;
}

FakeWindow* FakeDesktop::findForSentCall(platform::Hwnd hwnd) {
  FakeWindow* w = find(hwnd);
  if (w != nullptr && w->hung) {
    // The real call would wait here until the program wakes up.
    ++blockingCalls_;
    return nullptr;
  }
  return w;
}

void FakeDesktop::setHung(platform::Hwnd hwnd, bool hung) {
  if (FakeWindow* w = find(hwnd)) w->hung = hung;
}

bool FakeDesktop::answers(platform::Hwnd hwnd) {
  const FakeWindow* w = window(hwnd);
  return w != nullptr && !w->hung;
}

void FakeDesktop::placeInBand(platform::Hwnd hwnd) {
  erase(topLevel_, hwnd);
  const bool topmost = (windows_.at(hwnd).exStyle & platform::kWsExTopmost) != 0;
  auto pos = topLevel_.begin();
  if (!topmost) {
    pos = std::find_if(topLevel_.begin(), topLevel_.end(), [this](platform::Hwnd h) {
      return (windows_.at(h).exStyle & platform::kWsExTopmost) == 0;
    });
  }
  topLevel_.insert(pos, hwnd);
}

void FakeDesktop::pressKey(std::int32_t virtualKey) {
  KeyState& key = keys_[virtualKey];
  key.down = true;
  key.pressedSinceQuery = true;
}

void FakeDesktop::releaseKey(std::int32_t virtualKey) { keys_[virtualKey].down = false; }

bool FakeDesktop::setWindowPos(platform::Hwnd hwnd, platform::Hwnd insertAfter,
                               int x, int y, int cx, int cy, unsigned flags) {
  FakeWindow* w = findForSentCall(hwnd);
  if (w == nullptr) return false;
  if (!(flags & platform::kSwpNoMove)) {
    w->rect = {x, y, x + (w->rect.right - w->rect.left), y + (w->rect.bottom - w->rect.top)};
  }
  if (!(flags & platform::kSwpNoSize)) {
    w->rect.right = w->rect.left + cx;
    w->rect.bottom = w->rect.top + cy;
  }
  if (w->parent == 0) {
    if (insertAfter == platform::kHwndTopmost) w->exStyle |= platform::kWsExTopmost;
    if (insertAfter == platform::kHwndNoTopmost) w->exStyle &= ~platform::kWsExTopmost;
    placeInBand(hwnd);
    if (!(flags & platform::kSwpNoActivate)) foreground_ = hwnd;
  }
  return true;
}

std::int32_t FakeDesktop::getExStyle(platform::Hwnd hwnd) {
  const FakeWindow* w = window(hwnd);
  return w == nullptr ? 0 : w->exStyle;
}

std::int32_t FakeDesktop::setExStyle(platform::Hwnd hwnd, std::int32_t style) {
  FakeWindow* w = findForSentCall(hwnd);
  if (w == nullptr) return 0;
  const std::int32_t previous = w->exStyle;
  // As on the system, the band cannot be changed through the style alone.
  w->exStyle = (style & ~platform::kWsExTopmost) | (previous & platform::kWsExTopmost);
  if (!(w->exStyle & platform::kWsExLayered)) w->alpha.reset();
  return previous;
}

bool FakeDesktop::setLayeredAttributes(platform::Hwnd hwnd, std::uint32_t colorKey,
                                       std::uint8_t alpha, unsigned flags) {
  FakeWindow* w = find(hwnd);
  if (w == nullptr || !(w->exStyle & platform::kWsExLayered)) return false;
  w->colorKey = colorKey;
  w->layeredFlags = flags;
  w->alpha = alpha;
  return true;
}

std::int16_t FakeDesktop::asyncKeyState(std::int32_t virtualKey) {
  KeyState& key = keys_[virtualKey];
  const int state = (key.down ? 0x8000 : 0) | (key.pressedSinceQuery ? 1 : 0);
  key.pressedSinceQuery = false;
  return static_cast<std::int16_t>(state);
}

platform::Hwnd FakeDesktop::findWindowByTitle(std::string_view title) {
  for (platform::Hwnd h : topLevel_) {
    if (windows_.at(h).title == title) return h;
  }
  return 0;
}

void FakeDesktop::enumTopLevelWindows(const std::function<bool(platform::Hwnd)>& visit) {
  const auto snapshot = topLevel_;
  for (platform::Hwnd h : snapshot) {
    if (!visit(h)) return;
  }
}

std::string FakeDesktop::className(platform::Hwnd hwnd) {
  const FakeWindow* w = window(hwnd);
  return w == nullptr ? std::string() : w->className;
}

platform::Hwnd FakeDesktop::deepestChildAt(platform::Hwnd parent, platform::Point p) const {
  const auto it = children_.find(parent);
  if (it == children_.end()) return parent;
  for (platform::Hwnd child : it->second) {
    const FakeWindow& w = windows_.at(child);
    if (w.visible && contains(w.rect, p)) return deepestChildAt(child, p);
  }
  return parent;
}

platform::Hwnd FakeDesktop::windowFromPoint(platform::Point p) {
  for (platform::Hwnd h : topLevel_) {
    const FakeWindow& w = windows_.at(h);
    if (w.visible && contains(w.rect, p)) return deepestChildAt(h, p);
  }
  return 0;
}

std::string FakeDesktop::windowText(platform::Hwnd hwnd) {
  const FakeWindow* w = window(hwnd);
  return w == nullptr ? std::string() : w->title;
}

platform::Rect FakeDesktop::windowRect(platform::Hwnd hwnd) {
  const FakeWindow* w = window(hwnd);
  return w == nullptr ? platform::Rect{} : w->rect;
}

bool FakeDesktop::showWindow(platform::Hwnd hwnd, int command) {
  FakeWindow* w = find(hwnd);
  if (w == nullptr) return false;
  const bool wasVisible = w->visible;
  w->visible = command != kSwHide;
  w->lastShowCommand = command;
  return wasVisible;
}

bool FakeDesktop::setForegroundWindow(platform::Hwnd hwnd) {
  FakeWindow* w = findForSentCall(hwnd);
  if (w == nullptr || w->parent != 0) return false;
  foreground_ = hwnd;
  return true;
}

bool FakeDesktop::setCursorPos(platform::Point p) {
  cursor_ = p;
  return true;
}

}  // namespace fakes
