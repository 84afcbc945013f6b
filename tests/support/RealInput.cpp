#include "tests/support/RealInput.h"

namespace testsupport {
namespace {

// How long a window of another thread may take to answer before it counts
// as not ready.
constexpr UINT kAnswerMs = 1000;

std::wstring describe(HWND hwnd) {
  if (hwnd == nullptr) return L"no window";
  wchar_t className[64] = {};
  GetClassNameW(hwnd, className, 64);
  wchar_t text[128] = {};
  GetWindowTextW(hwnd, text, 128);
  return L"window " + std::to_wstring(HandleToLong(hwnd)) + L" (" + className + L" \"" + text +
         L"\")";
}

std::wstring pointText(POINT p) {
  return L"(" + std::to_wstring(p.x) + L", " + std::to_wstring(p.y) + L")";
}

// One mouse event at `at`, in the absolute coordinates of the virtual
// screen: 0..65535 across it, rounded up so that the system's scaling back
// (which cuts) lands on the pixel meant.
void sendMouse(POINT at, DWORD flags) {
  const LONG left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const LONG top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const LONG width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const LONG height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const auto scale = [](LONG offset, LONG extent) {
    return static_cast<LONG>((static_cast<long long>(offset) * 65536 + extent - 1) / extent);
  };
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = scale(at.x - left, width);
  input.mi.dy = scale(at.y - top, height);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
  SendInput(1, &input, sizeof input);
}

}  // namespace

HWND windowAt(POINT at) {
  const HWND top = WindowFromPoint(at);
  if (top == nullptr) return nullptr;
  HWND window = GetAncestor(top, GA_ROOT);
  for (;;) {
    POINT client = at;
    ScreenToClient(window, &client);
    const HWND child =
        ChildWindowFromPointEx(window, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (child == nullptr || child == window) return window;
    window = child;
  }
}

std::wstring notReady(POINT at, HWND meant) {
  POINT now{};
  GetCursorPos(&now);
  if (now.x != at.x || now.y != at.y) {
    return L"the pointer is at " + pointText(now) + L", not at " + pointText(at);
  }
  if (meant == nullptr) return {};
  if (const HWND there = windowAt(at); there != meant) {
    return L"under " + pointText(at) + L" is " + describe(there) + L", not " + describe(meant);
  }
  const HWND form = GetAncestor(meant, GA_ROOT);
  if (!IsWindowVisible(form)) return describe(form) + L" is not shown";
  if (IsIconic(form)) return describe(form) + L" is minimised";
  if (!IsWindowEnabled(form)) return describe(form) + L" is disabled";
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(form, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &result)) {
    return describe(form) + L" does not answer";
  }
  return {};
}

std::wstring pointAt(POINT at, HWND meant, Pump pump, std::chrono::milliseconds deadline) {
  sendMouse(at, 0);
  std::wstring why;
  if (waitUntil(
          [&] {
            why = notReady(at, meant);
            return why.empty();
          },
          deadline, pump)) {
    return {};
  }
  return why;
}

void press(POINT at, MouseButton button) {
  sendMouse(at, button == MouseButton::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN);
}

void release(POINT at, MouseButton button) {
  sendMouse(at, button == MouseButton::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP);
}

std::wstring click(POINT at, HWND meant, Pump pump, MouseButton button) {
  std::wstring why = pointAt(at, meant, pump);
  if (!why.empty()) return why;
  press(at, button);
  release(at, button);
  return {};
}

}  // namespace testsupport
