#include "winops/searchManyWindow.h"

namespace searchManyWindow {

int enumWindowsProc(platform::Hwnd current, Search& search) {
  search.found = current == search.wanted;
  return search.found ? 0 : 1;
}

}  // namespace searchManyWindow
