#include "win32/Win32Desktop.h"

#include <windows.h>

#include "win32/Handles.h"
#include "win32/Text.h"

namespace win32 {

namespace {

// Long enough for any thread that pumps its messages, short enough that a
// user does not notice the wait when the window's program has stopped.
constexpr UINT kAnswerDeadlineMs = 100;

}  // namespace

bool Win32Desktop::answers(platform::Hwnd hwnd) {
  const HWND window = toHwnd(hwnd);
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (thread == 0) return false;  // no such window
  if (thread == GetCurrentThreadId()) return true;
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             kAnswerDeadlineMs, &result) != 0;
}

// SetWindowPos and SetWindowLong on another thread's window send it messages
// and wait for its answer; callers ask answers() first. GetWindowLong, the
// window text of another process, the rectangle, find, enumerate, window
// from point and the layered attributes are answered by the system itself
// and never wait on the window's program.
bool Win32Desktop::setWindowPos(platform::Hwnd hwnd, platform::Hwnd insertAfter,
                                int x, int y, int cx, int cy, unsigned flags) {
  return SetWindowPos(toHwnd(hwnd), toHwnd(insertAfter), x, y, cx, cy, flags) != 0;
}

std::int32_t Win32Desktop::getExStyle(platform::Hwnd hwnd) {
  return static_cast<std::int32_t>(GetWindowLongW(toHwnd(hwnd), GWL_EXSTYLE));
}

std::int32_t Win32Desktop::setExStyle(platform::Hwnd hwnd, std::int32_t style) {
  return static_cast<std::int32_t>(
      SetWindowLongW(toHwnd(hwnd), GWL_EXSTYLE, static_cast<LONG>(style)));
}

bool Win32Desktop::setLayeredAttributes(platform::Hwnd hwnd,
                                        std::uint32_t colorKey,
                                        std::uint8_t alpha, unsigned flags) {
  return SetLayeredWindowAttributes(toHwnd(hwnd), colorKey, alpha, flags) != 0;
}

std::int16_t Win32Desktop::asyncKeyState(std::int32_t virtualKey) {
  return GetAsyncKeyState(virtualKey);
}

platform::Hwnd Win32Desktop::findWindowByTitle(std::string_view title) {
  const std::wstring wide = toWide(title);
  return fromHwnd(FindWindowW(nullptr, wide.c_str()));
}

void Win32Desktop::enumTopLevelWindows(
    const std::function<bool(platform::Hwnd)>& visit) {
  // No exception may cross the system's callback: the visitor is noexcept in
  // practice (it compares handles), and a throw would end the program here.
  EnumWindows(
      [](HWND hwnd, LPARAM param) noexcept -> BOOL {
        const auto& fn = *reinterpret_cast<const std::function<bool(platform::Hwnd)>*>(param);
        return fn(fromHwnd(hwnd)) ? TRUE : FALSE;
      },
      reinterpret_cast<LPARAM>(&visit));
}

std::string Win32Desktop::className(platform::Hwnd hwnd) {
  wchar_t buffer[256] = {};
  const int length = GetClassNameW(toHwnd(hwnd), buffer, 255);
  return toUtf8(std::wstring_view(buffer, length > 0 ? static_cast<size_t>(length) : 0));
}

platform::Point Win32Desktop::cursorPos() {
  POINT p{};
  if (!GetCursorPos(&p)) return {};
  return {p.x, p.y};
}

platform::Hwnd Win32Desktop::windowFromPoint(platform::Point p) {
  return fromHwnd(WindowFromPoint(POINT{p.x, p.y}));
}

std::string Win32Desktop::windowText(platform::Hwnd hwnd) {
  const HWND window = toHwnd(hwnd);
  // Another process's window answers from the system's copy of its text, so
  // this does not wait on that process.
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return toUtf8(text);
}

platform::Rect Win32Desktop::windowRect(platform::Hwnd hwnd) {
  RECT r{};
  if (!GetWindowRect(toHwnd(hwnd), &r)) return {};
  return {r.left, r.top, r.right, r.bottom};
}

bool Win32Desktop::showWindow(platform::Hwnd hwnd, int command) {
  return ShowWindow(toHwnd(hwnd), command) != 0;
}

bool Win32Desktop::setForegroundWindow(platform::Hwnd hwnd) {
  return SetForegroundWindow(toHwnd(hwnd)) != 0;
}

bool Win32Desktop::setCursorPos(platform::Point p) {
  return SetCursorPos(p.x, p.y) != 0;
}

}  // namespace win32
