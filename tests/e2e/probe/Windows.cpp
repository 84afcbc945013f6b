// Commands that look at windows: top-level windows, their child controls,
// popup menus, points on the frame, and the screen.
#include "tests/e2e/probe/Probe.h"

#include "tests/support/RealInput.h"

namespace probe {
namespace {

constexpr UINT kMessageTimeoutMs = 1000;
constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU
const std::wstring kMenuClass = L"#32768";

std::wstring flag(bool value) { return value ? L"1" : L"0"; }

std::wstring rectText(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return L"x=" + std::to_wstring(r.left) + L" y=" + std::to_wstring(r.top) + L" w=" +
         std::to_wstring(r.right - r.left) + L" h=" + std::to_wstring(r.bottom - r.top);
}

int layeredAlpha(HWND hwnd) {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) {
    return -1;
  }
  return alpha;
}

std::wstring describeTopLevel(HWND hwnd, int count) {
  const LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return L"hwnd=" + handleText(hwnd) + L" pid=" + std::to_wstring(pid) + L" count=" +
         std::to_wstring(count) + L" visible=" + flag(IsWindowVisible(hwnd)) + L" iconic=" +
         flag(IsIconic(hwnd)) + L" enabled=" + flag(IsWindowEnabled(hwnd)) + L" topmost=" +
         flag(exStyle & WS_EX_TOPMOST) + L" layered=" + flag(exStyle & WS_EX_LAYERED) +
         L" alpha=" + std::to_wstring(layeredAlpha(hwnd)) + L" " + rectText(hwnd) +
         L" foreground=" + flag(GetForegroundWindow() == hwnd) + L" toolwindow=" +
         flag(exStyle & WS_EX_TOOLWINDOW) + L" noactivate=" + flag(exStyle & WS_EX_NOACTIVATE) +
         L" caption=" + flag((GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION);
}

// The check state of a button (BM_GETCHECK), or -1 when hwnd is no button or
// does not answer.
int checkState(HWND hwnd) {
  if (lstrcmpiW(className(hwnd).c_str(), L"Button") != 0) return -1;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                           &result)) {
    return -1;
  }
  return static_cast<int>(result);
}

std::wstring buttonKind(HWND hwnd) {
  if (lstrcmpiW(className(hwnd).c_str(), L"Button") != 0) return L"-";
  switch (GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      return L"push";
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return L"checkbox";
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return L"radio";
    case BS_GROUPBOX:
      return L"group";
    default:
      return L"other";
  }
}

HWND focusOfThread(HWND top) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

// One line per child; the text comes last because it may hold spaces.
std::wstring describeChild(HWND child, HWND focus) {
  return L"hwnd=" + handleText(child) + L" class=" + className(child) + L" kind=" +
         buttonKind(child) + L" id=" + std::to_wstring(GetDlgCtrlID(child)) + L" visible=" +
         flag(IsWindowVisible(child)) + L" enabled=" + flag(IsWindowEnabled(child)) +
         L" checked=" + std::to_wstring(checkState(child)) + L" focused=" +
         flag(focus == child) + L" layered=" +
         flag(GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_LAYERED) + L" alpha=" +
         std::to_wstring(layeredAlpha(child)) + L" " + rectText(child) + L" text=" +
         windowText(child);
}

std::vector<HWND> children(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND hwnd, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<HWND> topLevelWindows() {
  std::vector<HWND> found;
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Wine's shell shows a notification balloon as a balloon tooltip window of
// its own process, about two seconds after the icon asked for it.
HWND visibleBalloon() {
  constexpr LONG_PTR kBalloonStyle = 0x40;  // TTS_BALLOON
  for (HWND hwnd : topLevelWindows()) {
    if (className(hwnd) == L"tooltips_class32" && IsWindowVisible(hwnd) &&
        (GetWindowLongPtrW(hwnd, GWL_STYLE) & kBalloonStyle)) {
      return hwnd;
    }
  }
  return nullptr;
}

HWND visiblePopupMenu() {
  for (HWND hwnd : topLevelWindows()) {
    if (className(hwnd) == kMenuClass && IsWindowVisible(hwnd)) return hwnd;
  }
  return nullptr;
}

// wait-menu and wait-balloon: <ms> [shown|gone]; prints the window's
// rectangle when it is shown.
int waitShownOrGone(const Args& args, HWND (*find)(), const std::wstring& what) {
  long long ms = 0;
  if (args.empty() || args.size() > 2 || !parseInt(args[0], ms)) return kUsage;
  const std::wstring state = args.size() == 2 ? args[1] : L"shown";
  if (state != L"shown" && state != L"gone") return kUsage;
  const bool wantShown = state == L"shown";
  HWND found = nullptr;
  const bool reached = waitUntil(
      [&] {
        found = find();
        return (found != nullptr) == wantShown;
      },
      std::chrono::milliseconds(ms));
  if (found != nullptr) print(L"hwnd=" + handleText(found) + L" " + rectText(found));
  if (!reached) printError(L"the " + what + L" did not become " + state + L" in time");
  return reached ? kTrue : kFalse;
}

// Finds the window or says why not; the commands that need one start here.
HWND requireWindow(const std::wstring& title) {
  const HWND hwnd = findTopLevel(title).hwnd;
  if (hwnd == nullptr) printError(L"no top-level window titled \"" + title + L"\"");
  return hwnd;
}

}  // namespace

int windowCommand(const Args& args) {
  if (args.size() != 1) return kUsage;
  const TopLevel found = findTopLevel(args[0]);
  if (found.hwnd == nullptr) {
    print(L"hwnd=0 count=0");
    return kFalse;
  }
  print(describeTopLevel(found.hwnd, found.count));
  return kTrue;
}

int waitWindowCommand(const Args& args) {
  long long ms = 0;
  if (args.size() < 2 || args.size() > 3 || !parseInt(args[1], ms)) return kUsage;
  const std::wstring state = args.size() == 3 ? args[2] : L"exists";
  std::function<bool(HWND)> wanted;
  if (state == L"exists") {
    wanted = [](HWND hwnd) { return hwnd != nullptr; };
  } else if (state == L"visible") {
    wanted = [](HWND hwnd) { return hwnd != nullptr && IsWindowVisible(hwnd); };
  } else if (state == L"hidden") {
    wanted = [](HWND hwnd) { return hwnd != nullptr && !IsWindowVisible(hwnd); };
  } else if (state == L"gone") {
    wanted = [](HWND hwnd) { return hwnd == nullptr; };
  } else {
    return kUsage;
  }
  TopLevel found;
  const bool reached = waitUntil(
      [&] {
        found = findTopLevel(args[0]);
        return wanted(found.hwnd);
      },
      std::chrono::milliseconds(ms));
  print(found.hwnd == nullptr ? L"hwnd=0 count=0" : describeTopLevel(found.hwnd, found.count));
  if (!reached) printError(L"\"" + args[0] + L"\" did not become " + state + L" in time");
  return reached ? kTrue : kFalse;
}

int windowsCommand(const Args& args) {
  if (args.size() > 1) return kUsage;
  for (HWND hwnd : topLevelWindows()) {
    if (!args.empty() && className(hwnd) != args[0]) continue;
    print(describeTopLevel(hwnd, 1) + L" class=" + className(hwnd) + L" text=" +
          windowText(hwnd));
  }
  return kTrue;
}

int controlCommand(const Args& args) {
  if (args.size() != 2) return kUsage;
  const HWND top = requireWindow(args[0]);
  if (top == nullptr) return kFalse;
  for (HWND child : children(top)) {
    if (windowText(child) == args[1]) {
      print(describeChild(child, focusOfThread(top)));
      return kTrue;
    }
  }
  printError(L"no control \"" + args[1] + L"\" in \"" + args[0] + L"\"");
  return kFalse;
}

int textCommand(const Args& args) {
  if (args.size() != 1) return kUsage;
  const HWND top = requireWindow(args[0]);
  if (top == nullptr) return kFalse;
  const HWND focus = focusOfThread(top);
  for (HWND child : children(top)) print(describeChild(child, focus));
  return kTrue;
}

int menuCommand(const Args& args) {
  if (!args.empty()) return kUsage;
  const HWND menuWindow = visiblePopupMenu();
  if (menuWindow == nullptr) {
    printError(L"no popup menu is shown");
    return kFalse;
  }
  DWORD_PTR result = 0;
  SendMessageTimeoutW(menuWindow, kGetMenuHandle, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                      &result);
  const auto menu = reinterpret_cast<HMENU>(result);
  // A menu of another process can be unreadable here (Wine keeps menus in the
  // owning process); then the count is -1 and only the rectangle is known.
  const int count = menu == nullptr ? -1 : GetMenuItemCount(menu);
  print(L"hwnd=" + handleText(menuWindow) + L" " + rectText(menuWindow) + L" hmenu=" +
        std::to_wstring(HandleToLong(menu)) + L" items=" + std::to_wstring(count));
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
    const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    print(L"item=" + std::to_wstring(i) + L" checked=" + flag(state & MF_CHECKED) +
          L" enabled=" + flag(!(state & (MF_GRAYED | MF_DISABLED))) + L" text=" + text);
  }
  return kTrue;
}

int waitMenuCommand(const Args& args) {
  return waitShownOrGone(args, visiblePopupMenu, L"popup menu");
}

int waitBalloonCommand(const Args& args) {
  return waitShownOrGone(args, visibleBalloon, L"balloon");
}

// A point of the window's frame where the window itself answers WM_NCHITTEST
// with the wanted part: the middle of that part on the title bar's row.
int ncPointCommand(const Args& args) {
  if (args.size() != 2) return kUsage;
  LRESULT wanted = 0;
  if (args[1] == L"close") {
    wanted = HTCLOSE;
  } else if (args[1] == L"caption") {
    wanted = HTCAPTION;
  } else if (args[1] == L"minimize") {
    wanted = HTMINBUTTON;
  } else {
    return kUsage;
  }
  const HWND hwnd = requireWindow(args[0]);
  if (hwnd == nullptr) return kFalse;
  RECT r{};
  GetWindowRect(hwnd, &r);
  POINT client{0, 0};
  ClientToScreen(hwnd, &client);
  const int row = (r.top + client.y) / 2;  // halfway between the outer top and the client area
  int first = -1;
  int last = -1;
  for (int x = r.left; x < r.right; ++x) {
    DWORD_PTR hit = 0;
    if (!SendMessageTimeoutW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, row), SMTO_ABORTIFHUNG,
                             kMessageTimeoutMs, &hit)) {
      printError(L"the window does not answer WM_NCHITTEST");
      return kFalse;
    }
    if (static_cast<LRESULT>(hit) == wanted) {
      if (first < 0) first = x;
      last = x;
    } else if (first >= 0) {
      break;
    }
  }
  if (first < 0) {
    printError(L"no " + args[1] + L" part on the title bar");
    return kFalse;
  }
  print(L"x=" + std::to_wstring((first + last) / 2) + L" y=" + std::to_wstring(row));
  return kTrue;
}

int closeCommand(const Args& args) {
  if (args.size() != 1) return kUsage;
  const HWND hwnd = requireWindow(args[0]);
  return hwnd != nullptr && PostMessageW(hwnd, WM_CLOSE, 0, 0) ? kTrue : kFalse;
}

int minimizeCommand(const Args& args) {
  if (args.size() != 1) return kUsage;
  const HWND hwnd = requireWindow(args[0]);
  return hwnd != nullptr && PostMessageW(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0) ? kTrue : kFalse;
}

// Moves a window (of any process) so that its outer top-left corner is at
// (x, y), keeping its size and its place in the z-order and not activating
// it; answers whether it got there.
int moveCommand(const Args& args) {
  long long x = 0;
  long long y = 0;
  if (args.size() != 3 || !parseInt(args[1], x) || !parseInt(args[2], y)) return kUsage;
  const HWND hwnd = requireWindow(args[0]);
  if (hwnd == nullptr) return kFalse;
  if (!SetWindowPos(hwnd, nullptr, static_cast<int>(x), static_cast<int>(y), 0, 0,
                    SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)) {
    printError(L"SetWindowPos failed");
    return kFalse;
  }
  RECT r{};
  GetWindowRect(hwnd, &r);
  print(rectText(hwnd));
  return r.left == x && r.top == y ? kTrue : kFalse;
}

// The window that a click at (x, y) would reach.
int atCommand(const Args& args) {
  long long x = 0;
  long long y = 0;
  if (args.size() != 2 || !parseInt(args[0], x) || !parseInt(args[1], y)) return kUsage;
  const HWND hwnd = WindowFromPoint(POINT{static_cast<LONG>(x), static_cast<LONG>(y)});
  if (hwnd == nullptr) return kFalse;
  print(L"hwnd=" + handleText(hwnd) + L" class=" + className(hwnd) + L" toplevel=" +
        handleText(GetAncestor(hwnd, GA_ROOT)) + L" text=" + windowText(hwnd));
  return kTrue;
}

int screenCommand(const Args& args) {
  if (!args.empty()) return kUsage;
  print(L"width=" + std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L" height=" +
        std::to_wstring(GetSystemMetrics(SM_CYSCREEN)));
  return kTrue;
}

// Waits until a press at (x, y) would reach the window meant: the pointer is
// there, the window there is <window> (a handle, or "-" for any window) and
// its form is shown and ready. The X pointer is moved by the caller (real
// input); this only looks.
int waitPointerCommand(const Args& args) {
  long long x = 0;
  long long y = 0;
  long long ms = 0;
  long long handle = 0;
  if (args.size() != 4 || !parseInt(args[0], x) || !parseInt(args[1], y) ||
      !parseInt(args[2], ms) || (args[3] != L"-" && !parseInt(args[3], handle))) {
    return kUsage;
  }
  const POINT at{static_cast<LONG>(x), static_cast<LONG>(y)};
  const HWND meant = static_cast<HWND>(LongToHandle(static_cast<LONG>(handle)));
  std::wstring why;
  if (waitUntil(
          [&] {
            why = testsupport::notReady(at, meant);
            return why.empty();
          },
          std::chrono::milliseconds(ms))) {
    return kTrue;
  }
  printError(why);
  return kFalse;
}

// The text of the control that has the keyboard focus in the window's
// thread, asked of the control itself (WM_GETTEXT): an edit control of
// another process keeps what was typed to itself.
int focusTextCommand(const Args& args) {
  if (args.size() != 1) return kUsage;
  const HWND top = requireWindow(args[0]);
  if (top == nullptr) return kFalse;
  const HWND focus = focusOfThread(top);
  if (focus == nullptr || GetAncestor(focus, GA_ROOT) != top) {
    printError(L"nothing in \"" + args[0] + L"\" has the keyboard focus");
    return kFalse;
  }
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(focus, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, kMessageTimeoutMs, &copied)) {
    printError(L"the focused control of \"" + args[0] + L"\" did not answer");
    return kFalse;
  }
  print(L"hwnd=" + handleText(focus) + L" class=" + className(focus) + L" text=" + text);
  return kTrue;
}

// The <n>th text box (class Edit, from 1, in the order of the window's
// children): its text, asked of it (WM_GETTEXT); with <text>, first made
// that, as a paste or an input method's commit would make it.
int editCommand(const Args& args) {
  long long n = 0;
  if (args.size() < 2 || args.size() > 3 || !parseInt(args[1], n) || n < 1) return kUsage;
  const HWND top = requireWindow(args[0]);
  if (top == nullptr) return kFalse;
  HWND edit = nullptr;
  for (HWND child : children(top)) {
    if (lstrcmpiW(className(child).c_str(), L"Edit") == 0 && --n == 0) {
      edit = child;
      break;
    }
  }
  if (edit == nullptr) {
    printError(L"\"" + args[0] + L"\" has no such text box");
    return kFalse;
  }
  DWORD_PTR result = 0;
  // All of it selected and replaced, the way a paste or a commit edits it.
  if (args.size() == 3 &&
      (!SendMessageTimeoutW(edit, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                            &result) ||
       !SendMessageTimeoutW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(args[2].c_str()),
                            SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result))) {
    printError(L"the text box did not answer");
    return kFalse;
  }
  std::wstring text(8192, L'\0');
  if (!SendMessageTimeoutW(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result)) {
    printError(L"the text box did not answer");
    return kFalse;
  }
  text.resize(result);
  print(describeChild(edit, focusOfThread(top)));
  print(L"value=" + text);
  return kTrue;
}

// Asks the platform tests' window helper to stop taking messages for <ms>.
int hangCommand(const Args& args) {
  constexpr UINT kHangMessage = WM_APP + 1;  // the helper's
  long long ms = 0;
  if (args.size() != 2 || !parseInt(args[1], ms) || ms <= 0) return kUsage;
  const HWND hwnd = requireWindow(args[0]);
  if (hwnd == nullptr) return kFalse;
  return PostMessageW(hwnd, kHangMessage, static_cast<WPARAM>(ms), 0) ? kTrue : kFalse;
}

// Whether the window's thread takes a message within <ms>.
int answersCommand(const Args& args) {
  long long ms = 0;
  if (args.size() != 2 || !parseInt(args[1], ms)) return kUsage;
  const HWND hwnd = requireWindow(args[0]);
  if (hwnd == nullptr) return kFalse;
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, static_cast<UINT>(ms),
                          &result)) {
    return kTrue;
  }
  printError(L"\"" + args[0] + L"\" did not answer within " + args[1] + L" ms");
  return kFalse;
}

int cursorCommand(const Args& args) {
  if (!args.empty()) return kUsage;
  POINT p{};
  GetCursorPos(&p);
  print(L"x=" + std::to_wstring(p.x) + L" y=" + std::to_wstring(p.y));
  return kTrue;
}

}  // namespace probe
