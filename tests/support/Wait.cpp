#include "tests/support/Wait.h"

#include <windows.h>

#include <thread>

namespace testsupport {

void pumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline,
               Pump pump) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  for (;;) {
    if (pump == Pump::Messages) pumpMessages();
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace testsupport
