#pragma once
#include "platform/Desktop.h"

namespace searchManyWindow {

// State of one enumeration: the handle looked for and whether the window
// visited last was it. Meaningful only right after the enumeration returns.
struct Search {
  platform::Hwnd wanted = 0;
  bool found = false;
};

// Called for each enumerated window: records whether current is the wanted
// one; returns 0 to stop at the first match, non-zero to go on.
int enumWindowsProc(platform::Hwnd current, Search& search);

}  // namespace searchManyWindow
