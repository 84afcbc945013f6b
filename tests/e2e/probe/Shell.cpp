// Commands that look at what the program leaves outside its windows: its
// notification-area icon, its settings in the registry, its processes.
#include "tests/e2e/probe/Probe.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include "tests/support/ShellIcon.h"

namespace probe {
namespace {

// The program keeps its icon's id in this property of its main window, so
// that an outside checker can name the icon to the shell.
constexpr const wchar_t* kTrayIdProperty = L"SkyvaneTrayId";
constexpr const wchar_t* kSettingsKey = L"Quillfen\\Skyvane\u2014\u2014Vanto";
constexpr const wchar_t* kCompanyKey = L"Quillfen";
// Where a program registers itself to start at logon, for every user.
constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct TrayIcon {
  HWND hwnd = nullptr;
  UINT id = 0;
};

bool present(const TrayIcon& icon) { return testsupport::shellHoldsIcon(icon.hwnd, icon.id); }

void printIcon(const TrayIcon& icon, bool isPresent) {
  print(L"present=" + std::wstring(isPresent ? L"1" : L"0") + L" hwnd=" + handleText(icon.hwnd) +
        L" id=" + std::to_wstring(icon.id));
}

// The icon that the titled window names in its property.
bool iconOfWindow(const Args& args, TrayIcon& icon) {
  icon.hwnd = findTopLevel(args[0]).hwnd;
  if (icon.hwnd == nullptr) {
    printError(L"no top-level window titled \"" + args[0] + L"\"");
    return false;
  }
  const std::wstring property = args.size() > 1 ? args[1] : kTrayIdProperty;
  const HANDLE value = GetPropW(icon.hwnd, property.c_str());
  if (value == nullptr) {
    printError(L"the window has no property \"" + property + L"\"");
    return false;
  }
  icon.id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(value));
  return true;
}

// Prints a REG_SZ value; false when the key or the value is missing or the
// value is of another type.
int printString(HKEY root, const wchar_t* path, const std::wstring& name) {
  DWORD size = 0;
  LSTATUS status =
      RegGetValueW(root, path, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size);
  std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
  if (status == ERROR_SUCCESS) {
    size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    status = RegGetValueW(root, path, name.c_str(), RRF_RT_REG_SZ, nullptr, value.data(), &size);
  }
  if (status != ERROR_SUCCESS) {
    printError(L"no string value \"" + name + L"\" (status " + std::to_wstring(status) + L")");
    return kFalse;
  }
  value.resize(wcsnlen(value.c_str(), value.size()));
  print(value);
  return kTrue;
}

}  // namespace

int trayCommand(const Args& args) {
  if (args.empty() || args.size() > 2) return kUsage;
  TrayIcon icon;
  if (!iconOfWindow(args, icon)) {
    printIcon(icon, false);
    return kFalse;
  }
  const bool isPresent = present(icon);
  printIcon(icon, isPresent);
  return isPresent ? kTrue : kFalse;
}

// For an icon named earlier: its window may be gone by now.
int trayIdCommand(const Args& args) {
  long long hwnd = 0;
  long long id = 0;
  if (args.size() != 2 || !parseInt(args[0], hwnd) || !parseInt(args[1], id)) return kUsage;
  const TrayIcon icon{static_cast<HWND>(LongToHandle(static_cast<LONG>(hwnd))),
                      static_cast<UINT>(id)};
  const bool isPresent = present(icon);
  printIcon(icon, isPresent);
  return isPresent ? kTrue : kFalse;
}

int trayDeleteCommand(const Args& args) {
  if (args.empty() || args.size() > 2) return kUsage;
  TrayIcon icon;
  if (!iconOfWindow(args, icon)) return kFalse;
  return testsupport::removeShellIcon(icon.hwnd, icon.id) ? kTrue : kFalse;
}

namespace {

// What watch-unload saw when the watched window was being destroyed.
struct UnloadWatch {
  TrayIcon icon;
  bool seen = false;
  bool windowExisted = false;
  bool iconPresent = false;
  bool propertyPresent = false;
};

LRESULT CALLBACK unloadWatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    auto* watch = reinterpret_cast<UnloadWatch*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (watch != nullptr && !watch->seen) {
      watch->seen = true;
      watch->windowExisted = IsWindow(watch->icon.hwnd) != FALSE;
      watch->iconPresent = present(watch->icon);
      watch->propertyPresent = GetPropW(watch->icon.hwnd, kTrayIdProperty) != nullptr;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

// Sees the titled window's end from inside it. A hidden child window of the
// probe's, put into that window, hears WM_DESTROY while the window is being
// destroyed and still exists: the system destroys a window's children as
// part of destroying it, and waits for each child's thread to take the
// message. The shell drops an icon by itself only once its window is gone,
// so what the probe asks the shell then is what the program itself did.
// Prints "ready" once the watch is in place; then, when the window goes or
// the deadline passes, "seen=… window=… icon=… property=…": the window still
// existed, the icon named by its property at the start was still there, the
// property was still set.
int watchUnloadCommand(const Args& args) {
  long long ms = 0;
  if (args.size() != 2 || !parseInt(args[1], ms)) return kUsage;
  UnloadWatch watch;
  if (!iconOfWindow({args[0]}, watch.icon)) return kFalse;
  WNDCLASSW wc{};
  wc.lpfnWndProc = unloadWatchProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SkyvaneProbeUnloadWatch";
  RegisterClassW(&wc);
  const HWND child = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD, 0, 0, 0, 0,
                                     watch.icon.hwnd, nullptr, wc.hInstance, nullptr);
  if (child == nullptr) {
    printError(L"cannot put a watch into the window");
    return kFalse;
  }
  SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&watch));
  print(L"ready");
  const bool seen = waitUntil([&] { return watch.seen; }, std::chrono::milliseconds(ms),
                              testsupport::Pump::Messages);
  const auto bit = [](bool b) { return std::wstring(b ? L"1" : L"0"); };
  print(L"seen=" + bit(watch.seen) + L" window=" + bit(watch.windowExisted) + L" icon=" +
        bit(watch.iconPresent) + L" property=" + bit(watch.propertyPresent));
  if (!seen) {
    printError(L"the window was not destroyed in time");
    DestroyWindow(child);
  }
  return seen ? kTrue : kFalse;
}

// What the shell does for a click on the icon, for positions a real click
// cannot reach: the cursor goes to (x, y), then the window gets its callback
// message (WM_MOUSEMOVE) with the icon's id in wParam and the mouse event
// code in lParam.
int trayCallbackCommand(const Args& args) {
  long long code = 0;
  long long x = 0;
  long long y = 0;
  if ((args.size() != 2 && args.size() != 4) || !parseInt(args[1], code)) return kUsage;
  if (args.size() == 4 && (!parseInt(args[2], x) || !parseInt(args[3], y))) return kUsage;
  const HWND hwnd = findTopLevel(args[0]).hwnd;
  if (hwnd == nullptr) {
    printError(L"no top-level window titled \"" + args[0] + L"\"");
    return kFalse;
  }
  if (args.size() == 4) {
    // Wine moves its cursor with the X pointer too; the post waits until the
    // position has settled, so the program reads the one set here.
    const POINT target{static_cast<LONG>(x), static_cast<LONG>(y)};
    SetCursorPos(target.x, target.y);
    const bool settled = waitUntil(
        [&] {
          POINT now{};
          GetCursorPos(&now);
          return now.x == target.x && now.y == target.y;
        },
        std::chrono::milliseconds(1000));
    if (!settled) {
      printError(L"the cursor did not stay at the position set");
      return kFalse;
    }
  }
  // As Wine's shell does it: the icon's id in wParam, sent without waiting.
  const UINT id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(GetPropW(hwnd, kTrayIdProperty)));
  return SendNotifyMessageW(hwnd, WM_MOUSEMOVE, id, static_cast<LPARAM>(code)) ? kTrue : kFalse;
}

int broadcastTaskbarCreatedCommand(const Args& args) {
  if (!args.empty()) return kUsage;
  const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, 2000, &result)
             ? kTrue
             : kFalse;
}

int regGetCommand(const Args& args) {
  if (args.size() != 1) return kUsage;
  return printString(HKEY_CURRENT_USER, kSettingsKey, args[0]);
}

int regSetCommand(const Args& args) {
  if (args.size() != 2) return kUsage;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    printError(L"cannot create the settings key");
    return kFalse;
  }
  const auto bytes = static_cast<DWORD>((args[1].size() + 1) * sizeof(wchar_t));
  const LSTATUS status = RegSetValueExW(key, args[0].c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(args[1].c_str()), bytes);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? kTrue : kFalse;
}

int regDeleteTreeCommand(const Args& args) {
  if (!args.empty()) return kUsage;
  const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, kCompanyKey);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? kTrue : kFalse;
}

int autostartGetCommand(const Args& args) {
  if (args.size() != 1) return kUsage;
  return printString(HKEY_LOCAL_MACHINE, kRunKey, args[0]);
}

int autostartDeleteCommand(const Args& args) {
  if (args.size() != 1) return kUsage;
  const LSTATUS status = RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, args[0].c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? kTrue : kFalse;
}

// How many processes run the named executable, and their ids.
int processesCommand(const Args& args) {
  if (args.size() != 1) return kUsage;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return kFalse;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  std::wstring pids;
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (lstrcmpiW(entry.szExeFile, args[0].c_str()) != 0) continue;
    ++count;
    pids += (pids.empty() ? L"" : L",") + std::to_wstring(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  print(L"count=" + std::to_wstring(count) + L" pids=" + (pids.empty() ? L"-" : pids));
  return kTrue;
}

}  // namespace probe
