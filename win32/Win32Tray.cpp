#include "win32/Win32Tray.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>

#include "win32/Handles.h"
#include "win32/Text.h"

namespace win32 {
namespace {

// Copies text into a fixed field; the caller has already cut it to fit, this
// only guarantees the terminator whatever it is given.
template <size_t N>
void copyField(wchar_t (&field)[N], const std::string& text) {
  const std::wstring wide = toWide(text);
  const size_t length = std::min(wide.size(), N - 1);
  std::wmemcpy(field, wide.data(), length);
  field[length] = L'\0';
}

}  // namespace

bool Win32Tray::notify(platform::TrayCommand command, const platform::TrayRecord& record) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = toHwnd(record.hwnd);
  data.uID = record.id;
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callbackMessage;
  data.hIcon = reinterpret_cast<HICON>(record.icon);
  copyField(data.szTip, record.tip);
  data.dwState = record.state;
  data.dwStateMask = record.stateMask;
  copyField(data.szInfo, record.info);
  data.uTimeout = record.timeout;
  copyField(data.szInfoTitle, record.infoTitle);
  data.dwInfoFlags = record.infoFlags;

  DWORD message = NIM_ADD;
  if (command == platform::TrayCommand::Modify) message = NIM_MODIFY;
  if (command == platform::TrayCommand::Delete) message = NIM_DELETE;
  if (command == platform::TrayCommand::Add) {
    SetPropW(data.hWnd, kTrayIdProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(record.id)));
  }
  const bool accepted = Shell_NotifyIconW(message, &data) != FALSE;
  // Gone from the shell or not, the program holds no icon after a delete.
  if (command == platform::TrayCommand::Delete) RemovePropW(data.hWnd, kTrayIdProperty);
  return accepted;
}

}  // namespace win32
