#include "winops/Transparent.h"

#include <algorithm>

namespace Transparent {

void setAlpha(platform::Desktop& desktop, platform::Hwnd hwnd,
              std::int16_t alpha) {
  // Out-of-range values are held at the nearest end: a wrapped byte would
  // turn "a little too opaque" into "invisible".
  const auto opacity =
      static_cast<std::uint8_t>(std::clamp<std::int16_t>(alpha, 0, 255));
  // Only the style change waits on the window's program. A window that
  // does not answer keeps the style it has: one already layered still
  // takes the new opacity, any other is left alone.
  const std::int32_t style = desktop.getExStyle(hwnd);
  if ((style & platform::kWsExLayered) == 0) {
    if (!desktop.answers(hwnd)) return;
    (void)desktop.setExStyle(hwnd, style | platform::kWsExLayered);
  }
  (void)desktop.setLayeredAttributes(hwnd, 0, opacity, platform::kLwaAlpha);
}

bool isTopmost(platform::Desktop& desktop, platform::Hwnd hwnd) {
  return (desktop.getExStyle(hwnd) & platform::kWsExTopmost) != 0;
}

}  // namespace Transparent
