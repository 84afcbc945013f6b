#pragma once
#include <cstdint>

#include "platform/Desktop.h"

namespace keySate {

// True while the key or mouse button is down, and once after a press that
// came and went since the previous query.
[[nodiscard]] bool isKeyDown(platform::Desktop& desktop, std::int32_t key);

}  // namespace keySate
