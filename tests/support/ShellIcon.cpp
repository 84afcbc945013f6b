#include "tests/support/ShellIcon.h"

#include <shellapi.h>

namespace testsupport {
namespace {

bool notify(DWORD message, HWND window, UINT id) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = id;
  return Shell_NotifyIconW(message, &data) != FALSE;
}

}  // namespace

bool shellHoldsIcon(HWND window, UINT id) { return notify(NIM_MODIFY, window, id); }

bool removeShellIcon(HWND window, UINT id) { return notify(NIM_DELETE, window, id); }

}  // namespace testsupport
