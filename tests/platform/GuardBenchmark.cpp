// Prints what asking a window whether it answers costs before a topmost
// change, on a responsive window of another process, next to the bare call.
// A figure to read, not a test: it never fails on a slow machine.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "tests/platform/HelperProcess.h"
#include "win32/Handles.h"
#include "win32/Win32Desktop.h"
#include "winops/Top.h"

int main() {
  platformtest::HelperProcess helper({L"Skyvane benchmark window"});
  if (!helper.started()) {
    std::puts("benchmark: the helper window did not open");
    return 1;
  }
  win32::Win32Desktop desktop;
  const HWND w = helper.window(0);
  const platform::Hwnd h = win32::fromHwnd(w);
  constexpr int kRounds = 200;

  const auto perCall = [&](auto&& call) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) call(i % 2 == 0);
    const auto total = std::chrono::steady_clock::now() - start;
    return std::chrono::duration<double, std::micro>(total).count() / kRounds;
  };
  const double bare = perCall([&](bool on) {
    SetWindowPos(w, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  });
  const double guarded = perCall([&](bool on) { Top::setTopmost(desktop, h, on); });
  const double ask = perCall([&](bool) { (void)desktop.answers(h); });
  std::printf("benchmark: topmost change on another process's window: bare %.0f us, guarded %.0f us"
              " (the question alone %.0f us), over %d calls\n",
              bare, guarded, ask, kRounds);
  return 0;
}
