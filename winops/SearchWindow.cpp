#include "winops/SearchWindow.h"

#include "winops/searchManyWindow.h"

namespace SearchWindow {

bool isTargetAlive(platform::Desktop& desktop, platform::Hwnd hwnd,
                   std::string_view title) {
  const platform::Hwnd found = desktop.findWindowByTitle(title);
  if (found == 0) return false;

  bool alive = found == hwnd;
  if (!alive) {
    searchManyWindow::Search search{hwnd, false};
    desktop.enumTopLevelWindows([&search](platform::Hwnd current) {
      return searchManyWindow::enumWindowsProc(current, search) != 0;
    });
    alive = search.found;
  }
  // The class of the window found by title decides, not that of hwnd: an
  // open popup menu must not keep a vanished window alive.
  if (alive && desktop.className(found) == kPopupMenuClass) alive = false;
  return alive;
}

}  // namespace SearchWindow
