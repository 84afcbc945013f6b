#pragma once
#include "platform/Tray.h"

namespace win32 {

// The notification area through Shell_NotifyIconW. While the icon is there
// its id stands on the window as the property kTrayIdProperty, so that a
// checker in another process can ask the shell about that icon; the delete
// takes the property away again, as a window's properties must be gone
// before the window is.
class Win32Tray final : public platform::Tray {
 public:
  static constexpr const wchar_t* kTrayIdProperty = L"SkyvaneTrayId";
  bool notify(platform::TrayCommand command, const platform::TrayRecord& record) override;
};

}  // namespace win32
