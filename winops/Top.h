#pragma once
#include "platform/Desktop.h"

namespace Top {

enum class Activation { Activate, Keep };

// Puts hwnd into the always-on-top band (on) or takes it out, without moving
// or sizing it. By default the window is also activated, as the system
// does; callers that want the focus back take it back themselves. Keep
// leaves the active window as it is.
void setTopmost(platform::Desktop& desktop, platform::Hwnd hwnd, bool on,
                Activation activation = Activation::Activate);

}  // namespace Top
