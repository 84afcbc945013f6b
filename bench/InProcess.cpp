// The program's own windows in this process, on the real system calls:
// the hover watch's tick, a slider drag step, and what picks and panel
// showings leave behind. Targets are windows of another process.
#include "bench/InProcess.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <map>
#include <string>
#include <thread>

#include "bench/Measure.h"
#include "ghost/GhostForm.h"
#include "ghost/HoverWatch.h"
#include "mainwindow/mainForm.h"
#include "settings/autorunModule.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/platform/HelperProcess.h"
#include "win32/Handles.h"
#include "win32/Win32Desktop.h"
#include "win32/Win32Host.h"
#include "win32/Win32Tray.h"

namespace bench {
namespace {

// The real desktop, with Ctrl and the left button reported down while
// `pressed` is set: a pick without pressing keys in the user's session.
class PickingDesktop final : public platform::Desktop {
 public:
  bool pressed = false;

  bool answers(platform::Hwnd h) override { return real_.answers(h); }
  bool setWindowPos(platform::Hwnd h, platform::Hwnd after, int x, int y, int cx, int cy,
                    unsigned flags) override {
    return real_.setWindowPos(h, after, x, y, cx, cy, flags);
  }
  std::int32_t getExStyle(platform::Hwnd h) override { return real_.getExStyle(h); }
  std::int32_t setExStyle(platform::Hwnd h, std::int32_t s) override {
    return real_.setExStyle(h, s);
  }
  bool setLayeredAttributes(platform::Hwnd h, std::uint32_t key, std::uint8_t alpha,
                            unsigned flags) override {
    return real_.setLayeredAttributes(h, key, alpha, flags);
  }
  std::int16_t asyncKeyState(std::int32_t key) override {
    return pressed ? static_cast<std::int16_t>(0x8001) : real_.asyncKeyState(key);
  }
  platform::Hwnd findWindowByTitle(std::string_view t) override {
    return real_.findWindowByTitle(t);
  }
  void enumTopLevelWindows(const std::function<bool(platform::Hwnd)>& visit) override {
    real_.enumTopLevelWindows(visit);
  }
  std::string className(platform::Hwnd h) override { return real_.className(h); }
  platform::Point cursorPos() override { return real_.cursorPos(); }
  platform::Hwnd windowFromPoint(platform::Point p) override { return real_.windowFromPoint(p); }
  std::string windowText(platform::Hwnd h) override { return real_.windowText(h); }
  platform::Rect windowRect(platform::Hwnd h) override { return real_.windowRect(h); }
  bool showWindow(platform::Hwnd h, int command) override { return real_.showWindow(h, command); }
  bool setForegroundWindow(platform::Hwnd h) override { return real_.setForegroundWindow(h); }
  bool setCursorPos(platform::Point p) override { return real_.setCursorPos(p); }

 private:
  win32::Win32Desktop real_;
};

std::vector<std::wstring> titles(int count) {
  std::vector<std::wstring> t;
  for (int i = 0; i < count; ++i) t.push_back(L"Skyvane bench target " + std::to_wstring(i));
  return t;
}

// Skyvane's main window as the program makes it, started in the tray (not
// a first run), with settings in memory and the real tray.
struct SkyvaneInProcess {
  fakes::FakeRegistry registry;
  win32::Win32Tray tray;
  win32::Win32Host host{GetModuleHandleW(nullptr), L"Local\\Skyvane.Bench"};
  std::unique_ptr<mainForm> main;

  explicit SkyvaneInProcess(platform::Desktop& desktop) {
    (void)autorunModule::writeSetting(registry, autorunModule::kAutorunName,
                                      autorunModule::kAutorunOff);
    main = std::make_unique<mainForm>(host, desktop, registry, tray);
    main->load();
    settle();
  }
  ~SkyvaneInProcess() {
    if (main->loaded()) main->unload();
    settle(std::chrono::milliseconds(50));
  }
};

// The target's top-left corner zone and a place elsewhere on it. Window 0
// is the lowest of the helper's windows, and each next one lies 60 pixels
// further right and down: its corner and its left strip stay uncovered, and
// a title search meets every other window of the helper before it.
struct Places {
  POINT corner;
  POINT elsewhere;
};
Places placesOf(HWND target) {
  RECT r{};
  GetWindowRect(target, &r);
  return {{r.left + 5, r.top + 5}, {r.left + 12, r.bottom - 20}};
}

// Under Wine a warp of the pointer can be undone a moment later, when the
// desktop process sees the crossing it caused: the pointer is placed until
// it has stayed there a little while, over the window meant, or a deadline
// passes.
bool pointerAt(POINT p, HWND expected) {
  using Clock = std::chrono::steady_clock;
  constexpr auto kHold = std::chrono::milliseconds(20);
  const auto deadline = Clock::now() + std::chrono::seconds(2);
  const auto there = [&] {
    POINT now{};
    GetCursorPos(&now);
    return now.x == p.x && now.y == p.y;
  };
  do {
    SetCursorPos(p.x, p.y);
    const auto placed = Clock::now();
    bool stayed = true;
    while (stayed && Clock::now() - placed < kHold) {
      settle(std::chrono::milliseconds(0));
      stayed = there();
      if (stayed) MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
    if (stayed && GetAncestor(WindowFromPoint(p), GA_ROOT) == expected) return true;
  } while (Clock::now() < deadline);
  return false;
}

// The calls a tick makes, bare: the pointer, the window under it, its
// place and title, and in the corner zone the search by title and the
// class of what it found.
void bareTick(bool corner) {
  POINT p{};
  GetCursorPos(&p);
  const HWND under = WindowFromPoint(p);
  RECT r{};
  GetWindowRect(under, &r);
  wchar_t text[256] = {};
  const int length = GetWindowTextLengthW(under);
  GetWindowTextW(under, text, length + 1);
  if (!corner) return;
  const HWND found = FindWindowW(nullptr, text);
  wchar_t cls[64] = {};
  GetClassNameW(found, cls, 64);
}

// The floor program's start-up in this process: a hidden window and a tray
// icon, removed again when it goes.
class FloorInProcess {
 public:
  static constexpr const wchar_t* kClass = L"SkyvaneBenchFloor";
  static void registerClass() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
  }
  FloorInProcess() {
    registerClass();
    data_.cbSize = sizeof data_;
    data_.hWnd = CreateWindowExW(0, kClass, L"floor", WS_OVERLAPPEDWINDOW, 0, 0, 267, 66, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    data_.uID = 1;
    data_.uFlags = NIF_ICON | NIF_TIP;
    data_.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
    lstrcpynW(data_.szTip, L"floor", ARRAYSIZE(data_.szTip));
    Shell_NotifyIconW(NIM_ADD, &data_);
    settle();
  }
  ~FloorInProcess() {
    Shell_NotifyIconW(NIM_DELETE, &data_);
    DestroyWindow(data_.hWnd);
  }
  FloorInProcess(const FloorInProcess&) = delete;
  FloorInProcess& operator=(const FloorInProcess&) = delete;

 private:
  NOTIFYICONDATAW data_{};
};

}  // namespace

void hoverTick(int windowCount, int runs) {
  // Five hundred windows take Wine a while to open.
  platformtest::HelperProcess helper(titles(windowCount), std::chrono::seconds(120));
  if (!helper.started()) {
    std::fprintf(stderr, "bench: the helper's %d windows did not open\n", windowCount);
    return;
  }
  win32::Win32Desktop desktop;
  SkyvaneInProcess program(desktop);
  mainForm& main = *program.main;
  const HWND target = helper.window(0);
  const Places places = placesOf(target);
  constexpr int kCalls = 200;

  for (const bool corner : {false, true}) {
    const POINT at = corner ? places.corner : places.elsewhere;
    if (!pointerAt(at, target)) {
      std::fprintf(stderr, "bench: the pointer is not over the target window\n");
      return;
    }
    // The first tick in the corner shows the panel; the ones measured find
    // it up already, as every tick does while the pointer rests there.
    main.watchTimer.tick();
    settle(std::chrono::milliseconds(50));
    if (corner && !main.ghostShown) {
      std::fprintf(stderr, "bench: the panel did not come up in the corner\n");
      return;
    }
    // Wine now and then moves the pointer back after a while: a batch is
    // only taken with the pointer where it was put, before and after, and
    // with the panel up for a corner.
    int dropped = 0;
    const auto batch = [&](auto&& call) {
      bool ready = pointerAt(at, target);
      if (ready && corner && !main.ghostShown) main.watchTimer.tick();
      const double us = ready ? perCall(kCalls, call) : -1.0;
      POINT now{};
      GetCursorPos(&now);
      if (!ready || now.x != at.x || now.y != at.y || (corner && !main.ghostShown)) {
        ++dropped;
        return -1.0;
      }
      return us;
    };
    const auto [tick, bare] =
        paired(runs, [&] { return batch([&](int) { main.watchTimer.tick(); }); },
               [&] { return batch([&](int) { bareTick(corner); }); });
    if (dropped > 0) {
      std::fprintf(stderr, "bench: %d batches left out: the pointer had moved\n", dropped);
    }
    row(std::string("hover tick, ") + std::to_string(windowCount) + " windows, pointer " +
            (corner ? "in a corner zone" : "elsewhere") + " (us; bare calls)",
        tick, bare, "us", 1);
  }
}

void sliderStep(int runs) {
  platformtest::HelperProcess helper({L"Skyvane bench slider target"});
  if (!helper.started()) return;
  PickingDesktop desktop;
  SkyvaneInProcess program(desktop);
  mainForm& main = *program.main;
  main.showOnTop();
  main.TargetHWnd = win32::fromHwnd(helper.window(0));
  settle();
  const HWND target = helper.window(0);
  const HWND ours = reinterpret_cast<HWND>(static_cast<LONG_PTR>(main.hwnd()));
  // The thumb is held, then moved 5 pixels right and left in turn; each
  // move changes the target's opacity, the label, and repaints the thumb.
  forms::MouseEvent press;
  main.ITransp.mouseDown(press);
  int step = 0;
  const auto drag = [&](int) {
    forms::MouseEvent move;
    move.x = (8 + ((step++ % 2 == 0) ? 5 : -5)) * 15.0;
    main.ITransp.mouseMove(move);
  };
  for (int i = 0; i < 10; ++i) drag(i);
  constexpr int kCalls = 100;
  // The same calls bare: the target's style asked, its opacity set, the
  // track (thumb and value label lie on it) repainted at once.
  const RECT track{main.Image2.left(), main.Image2.top(), main.Image2.left() + main.Image2.width(),
                   main.Image2.top() + main.Image2.height()};
  BYTE alpha = 100;
  const auto bare = [&](int) {
    alpha ^= 1;
    (void)GetWindowLongW(target, GWL_EXSTYLE);
    SetLayeredWindowAttributes(target, 0, alpha, LWA_ALPHA);
    InvalidateRect(ours, &track, FALSE);
    RedrawWindow(ours, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  const auto [stepUs, bareUs] = paired(runs, [&] { return perCall(kCalls, drag); },
                                       [&] { return perCall(kCalls, bare); });
  forms::MouseEvent release;
  main.ITransp.mouseUp(release);
  row("slider drag step on another process's window (us; bare calls)", stepUs, bareUs, "us", 0);
}

int objectsOfOneStart(bool skyvane) {
  // What the process holds before either start; the window classes are
  // part of each start.
  const int gdi0 = gdiObjects();
  const int user0 = userObjects();
  int gdi = 0;
  int user = 0;
  if (skyvane) {
    win32::Win32Desktop desktop;
    SkyvaneInProcess program(desktop);
    gdi = gdiObjects() - gdi0;
    user = userObjects() - user0;
  } else {
    FloorInProcess floor;
    gdi = gdiObjects() - gdi0;
    user = userObjects() - user0;
  }
  // Both fit in 16 bits: the process's exit code carries them.
  return (std::clamp(gdi, 0, 0xFFFF) << 16) | std::clamp(user, 0, 0xFFFF);
}

void objectsAtStart(int runs) {
  // Each start in a fresh process of its own, so that neither finds what
  // the other made first.
  const auto one = [](const wchar_t* side) -> std::pair<double, double> {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(self) + L"\" objects-one " + side;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
      return {-1, -1};
    }
    DWORD code = 0;
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.hProcess, &code)) {
      TerminateProcess(process.hProcess, 1);
      code = 0xFFFFFFFF;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (code == 0xFFFFFFFF) return {-1, -1};
    return {static_cast<double>(code >> 16), static_cast<double>(code & 0xFFFF)};
  };
  std::vector<double> gdiOurs, userOurs, gdiFloor, userFloor;
  for (int r = 0; r < runs; ++r) {
    for (int i = 0; i < 2; ++i) {
      const bool ours = (r + i) % 2 == 0;
      const auto [gdi, user] = one(ours ? L"skyvane" : L"floor");
      (ours ? gdiOurs : gdiFloor).push_back(gdi);
      (ours ? userOurs : userFloor).push_back(user);
    }
  }
  row("GDI objects made by start-up", median(gdiOurs), median(gdiFloor), "", 0);
  row("USER objects made by start-up", median(userOurs), median(userFloor), "", 0);
}

void churn(int picks, int showings) {
  platformtest::HelperProcess helper({L"Skyvane bench churn target"});
  if (!helper.started()) return;
  PickingDesktop desktop;
  SkyvaneInProcess program(desktop);
  mainForm& main = *program.main;
  const HWND target = helper.window(0);
  const Places places = placesOf(target);
  const unsigned long self = linuxPid("skyvane_bench.exe");

  const auto pick = [&] {
    main.Command3.click();
    desktop.pressed = true;
    main.Timer1.tick();
    desktop.pressed = false;
    settle(std::chrono::milliseconds(0));
  };
  int shown = 0;
  const auto showPanel = [&] {
    if (!pointerAt(places.corner, target)) return;
    main.watchTimer.tick();
    settle(std::chrono::milliseconds(0));
    if (main.ghostShown) ++shown;
    if (!pointerAt(places.elsewhere, target)) return;
    main.watchTimer.tick();
    settle(std::chrono::milliseconds(0));
  };
  const auto measure = [&] {
    settle();
    return std::array<long, 3>{procStatus(self, "RssAnon:"), gdiObjects(), userObjects()};
  };

  // Ten of each first: what is made once, at the first pick or showing,
  // is not growth.
  main.showOnTop();
  if (!pointerAt(places.elsewhere, target)) return;
  for (int i = 0; i < 10; ++i) pick();
  main.hide();
  for (int i = 0; i < 10; ++i) showPanel();
  // Counting makes what it needs the first time too.
  (void)measure();
  const auto before = measure();

  main.showOnTop();
  (void)pointerAt(places.elsewhere, target);
  int picked = 0;
  for (int i = 0; i < picks; ++i) {
    main.TargetHWnd = 0;
    pick();
    if (main.TargetHWnd == win32::fromHwnd(target)) ++picked;
  }
  main.hide();
  shown = 0;
  for (int i = 0; i < showings; ++i) showPanel();
  const auto after = measure();

  fact("picks done / panel showings done", std::to_string(picked) + " / " + std::to_string(shown));
  row("after them: private memory (RssAnon, kB; before)", after[0], before[0], "kB", 0);
  row("after them: GDI objects (before)", after[1], before[1], "", 0);
  row("after them: USER objects (before)", after[2], before[2], "", 0);
}

namespace {

// Every message the thread's loop takes, by kind: each is one wake-up of
// the thread, or comes with one.
struct Wakes {
  long timer = 0;
  long other = 0;
  std::map<UINT, long> others;
};
Wakes* counting = nullptr;

LRESULT CALLBACK countMessage(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE && counting != nullptr) {
    const auto& msg = *reinterpret_cast<const MSG*>(lParam);
    if (msg.message == WM_TIMER) {
      ++counting->timer;
    } else if (msg.message != WM_QUIT) {
      ++counting->other;
      ++counting->others[msg.message];
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Runs `loop` on this thread for `seconds`, counting what it takes.
template <class Loop>
Wakes countWakes(int seconds, Loop&& loop) {
  Wakes wakes;
  counting = &wakes;
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, countMessage, nullptr, GetCurrentThreadId());
  const DWORD self = GetCurrentThreadId();
  std::thread stopper([self, seconds] {
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    PostThreadMessageW(self, WM_QUIT, 0, 0);
  });
  loop();
  stopper.join();
  UnhookWindowsHookEx(hook);
  counting = nullptr;
  return wakes;
}

std::string otherKinds(const Wakes& w) {
  std::string text;
  for (const auto& [message, count] : w.others) {
    char item[32];
    std::snprintf(item, sizeof item, "%s0x%04x x%ld", text.empty() ? "" : ", ", message, count);
    text += item;
  }
  return text.empty() ? "none" : text;
}

}  // namespace

void idle(int seconds) {
  Wakes ours;
  {
    win32::Win32Desktop desktop;
    SkyvaneInProcess program(desktop);
    // The start-up's own messages are done; from here it only waits.
    ours = countWakes(seconds, [&] { (void)program.host.run(); });
  }
  FloorInProcess floor;
  const Wakes theirs = countWakes(seconds, [] {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  });
  const std::string span = " over " + std::to_string(seconds) + " s";
  row("idle in the tray: timer ticks" + span + " (watch: 1 per 1.5 s, confirm: 1)",
      static_cast<double>(ours.timer), static_cast<double>(theirs.timer), "", 0);
  row("idle in the tray: other messages" + span, static_cast<double>(ours.other),
      static_cast<double>(theirs.other), "", 0);
  fact("idle: other messages by kind (Skyvane)", otherKinds(ours));
}

}  // namespace bench
