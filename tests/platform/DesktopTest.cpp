// The window operations on the real user32 under Wine, on windows of another
// process, read back through the system's own calls.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/platform/HelperProcess.h"
#include "tests/support/RealInput.h"
#include "tests/support/Wait.h"
#include "win32/Handles.h"
#include "win32/Text.h"
#include "win32/Win32Desktop.h"
#include "winops/SearchWindow.h"
#include "winops/Top.h"
#include "winops/Transparent.h"
#include "winops/keySate.h"

using platformtest::HelperProcess;
using testsupport::waitUntil;
using win32::fromHwnd;

namespace {

class DesktopPlatformTest : public ::testing::Test {
 protected:
  win32::Win32Desktop desktop;
};

void sendKey(WORD vk, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}

// The always-on-top and layered state of every top-level window, one line
// each, to show that an operation changed none of them.
std::vector<std::wstring> bandAndOpacityOfEveryWindow() {
  std::vector<std::wstring> lines;
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        const LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
        BYTE alpha = 0;
        DWORD flags = 0;
        const bool layered = GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) != 0;
        reinterpret_cast<std::vector<std::wstring>*>(param)->push_back(
            std::to_wstring(HandleToLong(hwnd)) + L" topmost=" +
            std::to_wstring((exStyle & WS_EX_TOPMOST) != 0) + L" layered=" +
            std::to_wstring((exStyle & WS_EX_LAYERED) != 0) + L" alpha=" +
            (layered ? std::to_wstring(alpha) : L"-"));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&lines));
  return lines;
}

TEST_F(DesktopPlatformTest, SetTopmostReadsBackBothWays) {
  HelperProcess helper({L"Skyvane test: topmost"});
  ASSERT_TRUE(helper.started());
  const HWND w = helper.window(0);

  Top::setTopmost(desktop, fromHwnd(w), true);
  EXPECT_TRUE(Transparent::isTopmost(desktop, fromHwnd(w)));
  EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);

  Top::setTopmost(desktop, fromHwnd(w), false);
  EXPECT_FALSE(Transparent::isTopmost(desktop, fromHwnd(w)));
  EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(DesktopPlatformTest, SetAlphaReadsBackAndTheWindowStaysLayered) {
  HelperProcess helper({L"Skyvane test: alpha"});
  ASSERT_TRUE(helper.started());
  const HWND w = helper.window(0);

  for (int alpha : {0, 128, 255}) {
    Transparent::setAlpha(desktop, fromHwnd(w), static_cast<std::int16_t>(alpha));
    EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
    COLORREF key = 1;
    BYTE read = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(w, &key, &read, &flags));
    EXPECT_EQ(read, alpha);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(key, 0u);
  }
}

TEST_F(DesktopPlatformTest, OperationsOnStaleHandlesTouchNoWindow) {
  HelperProcess helper({L"Skyvane test: stale", L"Skyvane test: bystander"});
  ASSERT_TRUE(helper.started());
  const HWND gone = helper.window(0);
  ASSERT_TRUE(helper.close(0));
  const auto before = bandAndOpacityOfEveryWindow();
  for (platform::Hwnd h : {platform::Hwnd{0}, fromHwnd(gone)}) {
    Top::setTopmost(desktop, h, true);
    Transparent::setAlpha(desktop, h, 10);
    EXPECT_FALSE(Transparent::isTopmost(desktop, h));
  }
  // Neither the window still open nor any other moved into the top band or
  // took the opacity meant for the one that is gone.
  EXPECT_EQ(bandAndOpacityOfEveryWindow(), before);
}

TEST_F(DesktopPlatformTest, AHungWindowNeverHoldsTheCaller) {
  HelperProcess helper({L"Skyvane test: hung"});
  ASSERT_TRUE(helper.started());
  const HWND w = helper.window(0);
  const platform::Hwnd h = fromHwnd(w);
  ASSERT_TRUE(helper.hang(std::chrono::seconds(3)));

  const auto timed = [](const std::function<void()>& call) {
    const auto start = std::chrono::steady_clock::now();
    call();
    return std::chrono::steady_clock::now() - start;
  };
  EXPECT_LT(timed([&] { Top::setTopmost(desktop, h, true); }), std::chrono::milliseconds(300));
  EXPECT_LT(timed([&] { Transparent::setAlpha(desktop, h, 60); }), std::chrono::milliseconds(300));
  EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_LAYERED);

  // Awake again, the same calls work.
  ASSERT_TRUE(waitUntil([&] { return desktop.answers(h); }));
  Top::setTopmost(desktop, h, true);
  Transparent::setAlpha(desktop, h, 60);
  EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
  BYTE alpha = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(w, nullptr, &alpha, nullptr));
  EXPECT_EQ(alpha, 60);
}

TEST_F(DesktopPlatformTest, TargetAliveUntilItCloses) {
  HelperProcess helper({L"Skyvane test: alive"});
  ASSERT_TRUE(helper.started());
  const platform::Hwnd w = fromHwnd(helper.window(0));
  EXPECT_TRUE(SearchWindow::isTargetAlive(desktop, w, "Skyvane test: alive"));
  ASSERT_TRUE(helper.close(0));
  EXPECT_FALSE(SearchWindow::isTargetAlive(desktop, w, "Skyvane test: alive"));
}

TEST_F(DesktopPlatformTest, ChildWindowIsNotAlive) {
  HelperProcess helper({L"Skyvane test: parent"});
  ASSERT_TRUE(helper.started());
  const HWND button = helper.child(0);
  ASSERT_NE(button, nullptr);
  EXPECT_FALSE(SearchWindow::isTargetAlive(desktop, fromHwnd(button),
                                           "child of Skyvane test: parent"));
}

TEST_F(DesktopPlatformTest, EitherOfTwoWindowsWithOneTitleIsAlive) {
  HelperProcess helper({L"Skyvane test: twin", L"Skyvane test: twin"});
  ASSERT_TRUE(helper.started());
  const HWND found = FindWindowW(nullptr, L"Skyvane test: twin");
  const HWND other = found == helper.window(0) ? helper.window(1) : helper.window(0);
  ASSERT_NE(found, other);
  EXPECT_TRUE(SearchWindow::isTargetAlive(desktop, fromHwnd(other), "Skyvane test: twin"));
  EXPECT_TRUE(SearchWindow::isTargetAlive(desktop, fromHwnd(found), "Skyvane test: twin"));
}

TEST_F(DesktopPlatformTest, TitlesOutsideTheAnsiCodePageWork) {
  // An emoji has no form in code page 936; the window is still found.
  HelperProcess helper({L"Inbox \U0001F4EC \u2014 \uD55C\uAD6D\uC5B4 - Browser"});
  ASSERT_TRUE(helper.started());
  const platform::Hwnd w = fromHwnd(helper.window(0));
  const std::string title = "Inbox 📬 — 한국어 - Browser";
  EXPECT_EQ(desktop.windowText(w), title);
  EXPECT_EQ(desktop.findWindowByTitle(title), w);
  EXPECT_TRUE(SearchWindow::isTargetAlive(desktop, w, title));
}

TEST_F(DesktopPlatformTest, PrimitivesSeeAnotherProcessWindows) {
  HelperProcess helper({L"Skyvane test: primitives"});
  ASSERT_TRUE(helper.started());
  const HWND w = helper.window(0);
  const HWND button = helper.child(0);

  RECT expected{};
  GetWindowRect(w, &expected);
  const platform::Rect rect = desktop.windowRect(fromHwnd(w));
  EXPECT_EQ(rect, (platform::Rect{expected.left, expected.top, expected.right, expected.bottom}));
  EXPECT_EQ(desktop.windowRect(0), platform::Rect{});
  EXPECT_EQ(desktop.className(fromHwnd(w)), "SkyvaneTestWindow0");
  EXPECT_EQ(desktop.windowText(fromHwnd(button)), "child of Skyvane test: primitives");

  bool seen = false;
  desktop.enumTopLevelWindows([&](platform::Hwnd h) {
    seen = h == fromHwnd(w);
    return !seen;
  });
  EXPECT_TRUE(seen);

  // The window under a point is the deepest child there.
  RECT buttonRect{};
  GetWindowRect(button, &buttonRect);
  const platform::Point inButton{(buttonRect.left + buttonRect.right) / 2,
                                 (buttonRect.top + buttonRect.bottom) / 2};
  SetForegroundWindow(w);
  EXPECT_TRUE(waitUntil([&] { return desktop.windowFromPoint(inButton) == fromHwnd(button); }));

  ASSERT_TRUE(desktop.setCursorPos(inButton));
  EXPECT_TRUE(waitUntil([&] { return desktop.cursorPos() == inButton; }));

  desktop.showWindow(fromHwnd(w), SW_HIDE);
  EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(w); }));
  desktop.showWindow(fromHwnd(w), SW_SHOWNORMAL);
  EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(w) != 0; }));
}

TEST_F(DesktopPlatformTest, KeyDownSeesInjectedInput) {
  constexpr std::int32_t kVkControl = 17;
  constexpr std::int32_t kVkLButton = 1;

  sendKey(VK_CONTROL, true);
  EXPECT_TRUE(waitUntil([&] { return keySate::isKeyDown(desktop, kVkControl); }));
  EXPECT_TRUE(keySate::isKeyDown(desktop, kVkControl)) << "held keys stay down";
  sendKey(VK_CONTROL, false);
  EXPECT_TRUE(waitUntil([&] { return !keySate::isKeyDown(desktop, kVkControl); }));

  // The right Ctrl key counts as Ctrl too.
  INPUT right{};
  right.type = INPUT_KEYBOARD;
  right.ki.wVk = VK_RCONTROL;
  right.ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
  SendInput(1, &right, sizeof right);
  EXPECT_TRUE(waitUntil([&] { return keySate::isKeyDown(desktop, kVkControl); }));
  right.ki.dwFlags = KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP;
  SendInput(1, &right, sizeof right);
  EXPECT_TRUE(waitUntil([&] { return !keySate::isKeyDown(desktop, kVkControl); }));

  // A click that came and went between two polls reads as down once. It is
  // made on a window of the helper, where it does nothing.
  HelperProcess helper({L"Skyvane test: click"});
  ASSERT_TRUE(helper.started());
  RECT r{};
  GetWindowRect(helper.child(0), &r);
  const POINT belowButton{r.left + 10, r.bottom + 40};
  ASSERT_EQ(testsupport::click(belowButton, helper.window(0), testsupport::Pump::No), L"");
  EXPECT_TRUE(keySate::isKeyDown(desktop, kVkLButton));
  EXPECT_FALSE(keySate::isKeyDown(desktop, kVkLButton));
}

TEST(TextConversionTest, RoundTripsEveryPlane) {
  const std::string cases[] = {"", "ascii", "宋体 ！", "Inbox 📬", "Skyvane——Vanto"};
  for (const std::string& text : cases) {
    EXPECT_EQ(win32::toUtf8(win32::toWide(text)), text);
  }
  EXPECT_EQ(win32::toWide("📬"), std::wstring(L"\U0001F4EC"));
  EXPECT_EQ(win32::toWide("\xff"), std::wstring(L"\uFFFD")) << "invalid UTF-8 is replaced";
}

}  // namespace
