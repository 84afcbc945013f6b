// The notification area through the real shell of Wine's desktop.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include "tests/support/ShellIcon.h"
#include "win32/Handles.h"
#include "win32/Win32Tray.h"

namespace {

using testsupport::shellHoldsIcon;

TEST(TrayPlatformTest, TheIdPropertyLivesExactlyAsLongAsTheIcon) {
  HWND window = CreateWindowExW(0, L"STATIC", L"Skyvane tray test", WS_OVERLAPPED, 0, 0, 100,
                                100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  win32::Win32Tray tray;
  platform::TrayRecord record;
  record.hwnd = win32::fromHwnd(window);
  record.id = 4711;
  record.flags = platform::kNifIcon | platform::kNifTip;
  record.icon = reinterpret_cast<std::uintptr_t>(LoadIconW(nullptr, MAKEINTRESOURCEW(32512)));
  record.tip = "Skyvane tray test";

  ASSERT_TRUE(tray.notify(platform::TrayCommand::Add, record));
  EXPECT_TRUE(shellHoldsIcon(window, 4711));
  EXPECT_EQ(GetPropW(window, win32::Win32Tray::kTrayIdProperty),
            reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(4711)));
  EXPECT_FALSE(tray.notify(platform::TrayCommand::Add, record)) << "the shell refuses a second add";

  EXPECT_TRUE(tray.notify(platform::TrayCommand::Delete, record));
  EXPECT_FALSE(shellHoldsIcon(window, 4711));
  EXPECT_EQ(GetPropW(window, win32::Win32Tray::kTrayIdProperty), nullptr)
      << "the property goes with the icon, before the window does";
  // A delete of an icon the shell no longer has still leaves no property.
  SetPropW(window, win32::Win32Tray::kTrayIdProperty, reinterpret_cast<HANDLE>(1));
  EXPECT_FALSE(tray.notify(platform::TrayCommand::Delete, record));
  EXPECT_EQ(GetPropW(window, win32::Win32Tray::kTrayIdProperty), nullptr);
  DestroyWindow(window);
}

}  // namespace
