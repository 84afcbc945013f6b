#pragma once
// The one way the tests that run on the real system wait: a condition
// checked until it holds or a deadline passes, never a bare sleep.

#include <chrono>
#include <functional>

namespace testsupport {

// Whether this thread's own messages are dispatched while waiting. A test
// whose windows live on its own thread needs them pumped, or the condition
// it waits for could never come.
enum class Pump { No, Messages };

// Dispatches every message waiting for this thread.
void pumpMessages();

// Long enough for a cold Wine on a busy machine; a condition that has not
// come by then will not come.
inline constexpr std::chrono::milliseconds kWaitDeadline{10000};

// Checks condition, then again every few milliseconds, until it holds (true)
// or the deadline has passed (false).
[[nodiscard]] bool waitUntil(const std::function<bool()>& condition,
                             std::chrono::milliseconds deadline = kWaitDeadline,
                             Pump pump = Pump::No);

}  // namespace testsupport
