#pragma once
#include "platform/Desktop.h"

namespace Top {

// Puts hwnd into the always-on-top band (on) or takes it out, without moving
// or sizing it. The window is also activated, as the system does by default;
// callers that want the focus back take it back themselves.
void setTopmost(platform::Desktop& desktop, platform::Hwnd hwnd, bool on);

}  // namespace Top
