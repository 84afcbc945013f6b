#pragma once
#include <string_view>

#include "platform/Desktop.h"

namespace SearchWindow {

// The class of the system's popup menus.
inline constexpr std::string_view kPopupMenuClass = "#32768";

// True when a remembered window (handle and title) is still there: a
// top-level window with exactly that title exists, it is not a popup menu,
// and it is the remembered window or the remembered handle still names a
// top-level window. A child window is never alive.
[[nodiscard]] bool isTargetAlive(platform::Desktop& desktop,
                                 platform::Hwnd hwnd, std::string_view title);

}  // namespace SearchWindow
