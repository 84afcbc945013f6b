#include "winops/keySate.h"

namespace keySate {

bool isKeyDown(platform::Desktop& desktop, std::int32_t key) {
  return desktop.asyncKeyState(key) != 0;
}

}  // namespace keySate
