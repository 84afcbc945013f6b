#pragma once
#include <cstdint>

#include "platform/Desktop.h"

namespace Transparent {

// Makes hwnd layered and sets its whole-window opacity: 0 invisible, 255
// opaque. The layered style is never taken away again.
void setAlpha(platform::Desktop& desktop, platform::Hwnd hwnd,
              std::int16_t alpha);

// True when hwnd has the always-on-top extended style.
[[nodiscard]] bool isTopmost(platform::Desktop& desktop, platform::Hwnd hwnd);

}  // namespace Transparent
