#pragma once
// The notification-area icon (window, id) as the shell holds it, asked and
// removed from any process.
#include <windows.h>

namespace testsupport {

// Whether the shell holds the icon: it takes a modify with no fields only
// for an icon it has.
[[nodiscard]] bool shellHoldsIcon(HWND window, UINT id);
// Takes the icon away from the shell, as its owner would; false if the
// shell held no such icon.
bool removeShellIcon(HWND window, UINT id);

}  // namespace testsupport
