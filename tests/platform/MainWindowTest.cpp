// The main window on the real Win32 host: what cannot be reached by a user's
// input alone, shown on the system's own controls.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "mainwindow/mainForm.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/FakeTray.h"
#include "tests/support/Wait.h"
#include "win32/Win32Desktop.h"
#include "win32/Win32Host.h"

namespace {

struct DialogSeen {
  std::vector<std::wstring> texts;
  int buttons = 0;
  bool found = false;
};

// Waits for a message box titled `title`, notes its texts and buttons, and
// answers it with OK.
void answerMessageBox(const wchar_t* title, DialogSeen& seen) {
  HWND dialog = nullptr;
  (void)testsupport::waitUntil([&] {
    dialog = FindWindowW(L"#32770", title);
    return dialog != nullptr;
  });
  if (dialog == nullptr) return;
  seen.found = true;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    wchar_t text[256] = {};
    GetWindowTextW(child, text, 256);
    if (lstrcmpiW(className, L"Button") == 0) ++seen.buttons;
    if (text[0] != L'\0') seen.texts.emplace_back(text);
  }
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST(MainWindowPlatformTest, TargetSwitchWithoutTargetAsksForOneThenFocusesThePickButton) {
  win32::Win32Desktop desktop;
  fakes::FakeRegistry registry;
  fakes::FakeTray tray;
  // A mutex of its own: a Skyvane running beside the tests changes nothing.
  win32::Win32Host host(GetModuleHandleW(nullptr), L"Local\\Skyvane.PlatformTest");
  mainForm main(host, desktop, registry, tray);
  main.load();
  main.show();
  const HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(main.hwnd()));
  ASSERT_TRUE(IsWindowVisible(window));
  const HWND pick = FindWindowExW(window, nullptr, L"BUTTON", L"选择窗口");
  const HWND targetSwitch = FindWindowExW(window, nullptr, L"BUTTON", L"置顶目标");
  ASSERT_NE(pick, nullptr);
  ASSERT_NE(targetSwitch, nullptr);

  // The switch is enabled only by a pick, which always leaves a target; so
  // the case is set up from here.
  main.Check3.setEnabled(true);
  ASSERT_EQ(main.TargetHWnd, 0);

  DialogSeen seen;
  std::thread answer([&] { answerMessageBox(L"SkyvaneV2.59", seen); });
  SendMessageW(targetSwitch, BM_CLICK, 0, 0);  // returns once the box is answered
  answer.join();

  ASSERT_TRUE(seen.found) << "no message box titled SkyvaneV2.59";
  EXPECT_NE(std::find(seen.texts.begin(), seen.texts.end(), std::wstring(L"请先设置目标窗口！")),
            seen.texts.end());
  EXPECT_EQ(seen.buttons, 1) << "OK only";
  EXPECT_EQ(GetFocus(), pick);
  EXPECT_EQ(SendMessageW(targetSwitch, BM_GETCHECK, 0, 0), BST_CHECKED)
      << "the mark stays as the click left it";
  main.unload();
}

}  // namespace
