// Start-up, private memory and idle wake-ups of the real programs: Skyvane
// and the floor, each started as a user would, seen from outside.
#include "bench/Startup.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <thread>

#include "bench/Measure.h"
#include "tests/support/ShellIcon.h"

namespace bench {
namespace {

constexpr const wchar_t* kSettingsKey = L"Quillfen\\Skyvane\u2014\u2014Vanto";
constexpr const wchar_t* kAutorunName = L"Skyvane\u2014\u2014Vanto-autorun";
constexpr auto kDeadline = std::chrono::seconds(20);

struct Running {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
  UINT iconId = 0;
  double trayMs = 0;
  double shownMs = 0;
};

void stop(Running& running) {
  if (running.window != nullptr) testsupport::removeShellIcon(running.window, running.iconId);
  TerminateProcess(running.process.hProcess, 0);
  WaitForSingleObject(running.process.hProcess, 10000);
  CloseHandle(running.process.hThread);
  CloseHandle(running.process.hProcess);
}

// Starts the program and times it from process creation until its tray
// icon is in the shell, and, when asked, until its window is shown. Polls
// every millisecond; both programs are polled alike.
std::optional<Running> start(const Program& program, bool untilShown) {
  Running running;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring line = L"\"" + program.exe + L"\"";
  const auto created = std::chrono::steady_clock::now();
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &running.process)) {
    std::fprintf(stderr, "bench: cannot start %ls (error %lu)\n", program.exe.c_str(),
                 GetLastError());
    return std::nullopt;
  }
  const auto since = [&] {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - created)
        .count();
  };
  bool inTray = false;
  while (std::chrono::steady_clock::now() - created < kDeadline) {
    if (!inTray) {
      running.window = FindWindowW(nullptr, program.title.c_str());
      const HANDLE id = running.window != nullptr ? GetPropW(running.window, L"SkyvaneTrayId")
                                                  : nullptr;
      running.iconId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(id));
      if (id != nullptr && testsupport::shellHoldsIcon(running.window, running.iconId)) {
        running.trayMs = since();
        inTray = true;
      }
    }
    if (inTray && !untilShown) return running;
    if (inTray && IsWindowVisible(running.window)) {
      running.shownMs = since();
      return running;
    }
    Sleep(1);
  }
  std::fprintf(stderr, "bench: %ls did not come up within %lld s\n", program.exe.c_str(),
               static_cast<long long>(kDeadline.count()));
  stop(running);
  return std::nullopt;
}

void setFirstRun(bool first) {
  if (first) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
  } else {
    const wchar_t value[] = L"NoAutorun";
    RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, kAutorunName, REG_SZ, value, sizeof value);
  }
}

// A just-started program still finishes what it posted itself (the
// balloon, a repaint): its private memory once two readings 100 ms apart
// agree, or the last reading after 5 s.
double steadyPrivateKb(unsigned long pid) {
  long last = procStatus(pid, "RssAnon:");
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const long now = procStatus(pid, "RssAnon:");
    if (now == last) break;
    last = now;
  }
  return static_cast<double>(last);
}

std::string fileName(const std::wstring& path) {
  const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  return {name.begin(), name.end()};
}

}  // namespace

void startup(const Program& skyvane, const Program& floor, const Program& floorCc6, int runs) {
  setFirstRun(false);
  // One start of each first: the first start of a program after Wine came
  // up pays for loading what the next ones find ready.
  for (const Program* p : {&skyvane, &floor, &floorCc6}) {
    if (auto r = start(*p, false)) stop(*r);
  }
  const auto toTray = [&](const Program& p) {
    auto r = start(p, false);
    if (!r) return -1.0;
    stop(*r);
    return r->trayMs;
  };
  const auto [ours, floorMs] =
      paired(runs, [&] { return toTray(skyvane); }, [&] { return toTray(floor); });
  row("start-up: creation to tray icon (ms)", ours, floorMs, "ms", 0);
  const auto [ours6, floor6Ms] =
      paired(runs, [&] { return toTray(skyvane); }, [&] { return toTray(floorCc6); });
  row("  the same, next to the floor with common controls 6 (ms)", ours6, floor6Ms, "ms", 0);

  // The first run shows the window; it is timed next to the floor's tray
  // icon, the least any program with a window and an icon does.
  const auto firstRun = [&] {
    setFirstRun(true);
    auto run = start(skyvane, true);
    if (!run) return -1.0;
    stop(*run);
    return run->shownMs;
  };
  const auto [shown, floorAgain] = paired(runs, firstRun, [&] { return toTray(floor); });
  setFirstRun(false);
  row("start-up: creation to first-run window shown (ms; floor: tray icon)", shown, floorAgain, "ms",
      0);
}

void resident(const Program& skyvane, const Program& floor, int runs, int idleSeconds) {
  setFirstRun(false);
  // Private memory once each has come up and waits for input.
  std::vector<double> ours;
  std::vector<double> theirs;
  std::optional<Running> a;
  std::optional<Running> b;
  for (int r = 0; r < runs; ++r) {
    a = start(skyvane, false);
    b = start(floor, false);
    if (!a || !b) {
      if (a) stop(*a);
      if (b) stop(*b);
      return;
    }
    WaitForInputIdle(a->process.hProcess, 5000);
    WaitForInputIdle(b->process.hProcess, 5000);
    ours.push_back(steadyPrivateKb(linuxPid(fileName(skyvane.exe))));
    theirs.push_back(steadyPrivateKb(linuxPid(fileName(floor.exe))));
    if (r + 1 < runs) {
      stop(*a);
      stop(*b);
    }
  }
  row("memory after start-up: private (RssAnon, kB)", median(ours), median(theirs), "kB", 0);

  // Wake-ups in the tray: the main thread's context switches over the
  // window, both programs side by side.
  const unsigned long ourPid = linuxPid(fileName(skyvane.exe));
  const unsigned long floorPid = linuxPid(fileName(floor.exe));
  const long ourBefore = mainThreadSwitches(ourPid);
  const long floorBefore = mainThreadSwitches(floorPid);
  std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
  const long ourWakes = mainThreadSwitches(ourPid) - ourBefore;
  const long floorWakes = mainThreadSwitches(floorPid) - floorBefore;
  stop(*a);
  stop(*b);
  // Every call that waits on the Wine server switches too: a tick of the
  // watch timer makes a few dozen.
  std::printf("row\tidle in the tray: main thread context switches over %d s\t%ld\t%ld\t\n",
              idleSeconds, ourWakes, floorWakes);
  std::fflush(stdout);
}

}  // namespace bench
