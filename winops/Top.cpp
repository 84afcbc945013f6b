#include "winops/Top.h"

namespace Top {

void setTopmost(platform::Desktop& desktop, platform::Hwnd hwnd, bool on,
                Activation activation) {
  // A window whose program has stopped would hold us until it wakes up;
  // it is treated like a window that is no longer there.
  if (!desktop.answers(hwnd)) return;
  const platform::Hwnd insertAfter =
      on ? platform::kHwndTopmost : platform::kHwndNoTopmost;
  // A stale handle simply has no effect; there is nothing to report.
  unsigned flags = platform::kSwpNoMove | platform::kSwpNoSize;
  if (activation == Activation::Keep) flags |= platform::kSwpNoActivate;
  (void)desktop.setWindowPos(hwnd, insertAfter, 0, 0, 0, 0, flags);
}

}  // namespace Top
