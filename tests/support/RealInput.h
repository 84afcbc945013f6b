#pragma once
// Real mouse input for the tests that run on the system: the pointer is moved,
// then nothing is pressed until the pointer is where it was sent, the window
// under it is the one meant and that window's form is shown and ready.
//
// Every button event carries its own position. Under Wine a pointer move
// warps the X pointer inside a short pointer grab; the grab's crossing event
// reaches the desktop process, which answers it with a move back to where
// the X pointer was before. That move can come a moment after the test's
// own: a button event without a position would then land at the old place.

#include <windows.h>

#include <chrono>
#include <string>

#include "tests/support/Wait.h"

namespace testsupport {

enum class MouseButton { Left, Right };

// Long enough for a busy machine, short enough to fail a test soon.
inline constexpr std::chrono::milliseconds kReadyDeadline{5000};

// The window that a click at `at` reaches: the top-level window there, then
// its deepest visible child under the point. Unlike WindowFromPoint this
// names a disabled child too, which a click then does not operate.
[[nodiscard]] HWND windowAt(POINT at);

// Why a press at `at` would not reach `meant` now, or "" when it would: the
// pointer is at `at`, windowAt(at) is `meant` (nullptr: any window), and the
// top-level window that holds it is shown, not minimised, enabled and takes
// messages.
[[nodiscard]] std::wstring notReady(POINT at, HWND meant);

// Moves the pointer to `at` and waits until notReady has nothing to say.
// Returns "" when it got there, else what still stood in the way at the
// deadline.
[[nodiscard]] std::wstring pointAt(POINT at, HWND meant, Pump pump,
                                   std::chrono::milliseconds deadline = kReadyDeadline);

void press(POINT at, MouseButton button = MouseButton::Left);
void release(POINT at, MouseButton button = MouseButton::Left);

// pointAt, then a press and a release there; "" when the click was made.
[[nodiscard]] std::wstring click(POINT at, HWND meant, Pump pump,
                                 MouseButton button = MouseButton::Left);

}  // namespace testsupport
