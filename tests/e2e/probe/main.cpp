// skyvane_probe.exe <command> [arguments]: see usage() below.
#include "tests/e2e/probe/Probe.h"

#include <shellapi.h>

#include <cwchar>

namespace probe {
namespace {

void write(DWORD stream, const std::wstring& line) {
  const std::wstring text = line + L"\n";
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  DWORD written = 0;
  const HANDLE out = GetStdHandle(stream);
  WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  FlushFileBuffers(out);
}

struct Command {
  const wchar_t* name;
  int (*run)(const Args&);
  const wchar_t* usage;
};

constexpr Command kCommands[] = {
    {L"window", windowCommand, L"window <title>"},
    {L"wait-window", waitWindowCommand, L"wait-window <title> <ms> [exists|visible|hidden|gone]"},
    {L"windows", windowsCommand, L"windows [class]"},
    {L"control", controlCommand, L"control <window title> <control text>"},
    {L"text", textCommand, L"text <window title>"},
    {L"menu", menuCommand, L"menu"},
    {L"wait-menu", waitMenuCommand, L"wait-menu <ms> [shown|gone]"},
    {L"wait-balloon", waitBalloonCommand, L"wait-balloon <ms> [shown|gone]"},
    {L"ncpoint", ncPointCommand, L"ncpoint <window title> close|caption|minimize"},
    {L"close", closeCommand, L"close <window title>"},
    {L"minimize", minimizeCommand, L"minimize <window title>"},
    {L"move", moveCommand, L"move <window title> <x> <y>"},
    {L"at", atCommand, L"at <x> <y>"},
    {L"screen", screenCommand, L"screen"},
    {L"cursor", cursorCommand, L"cursor"},
    {L"wait-pointer", waitPointerCommand, L"wait-pointer <x> <y> <ms> <hwnd>|-"},
    {L"answers", answersCommand, L"answers <window title> <ms>"},
    {L"focus-text", focusTextCommand, L"focus-text <window title>"},
    {L"hang", hangCommand, L"hang <window title> <ms>"},
    {L"edit", editCommand, L"edit <window title> <n> [text]"},
    {L"tray", trayCommand, L"tray <window title> [property name]"},
    {L"tray-id", trayIdCommand, L"tray-id <hwnd> <id>"},
    {L"tray-delete", trayDeleteCommand, L"tray-delete <window title> [property name]"},
    {L"watch-unload", watchUnloadCommand, L"watch-unload <window title> <ms>"},
    {L"tray-callback", trayCallbackCommand, L"tray-callback <window title> <code> [x y]"},
    {L"broadcast-taskbar-created", broadcastTaskbarCreatedCommand, L"broadcast-taskbar-created"},
    {L"reg-get", regGetCommand, L"reg-get <value name>"},
    {L"reg-set", regSetCommand, L"reg-set <value name> <text>"},
    {L"reg-delete-tree", regDeleteTreeCommand, L"reg-delete-tree"},
    {L"autostart-get", autostartGetCommand, L"autostart-get <value name>"},
    {L"autostart-delete", autostartDeleteCommand, L"autostart-delete <value name>"},
    {L"processes", processesCommand, L"processes <exe name>"},
};

int usage() {
  printError(L"usage: skyvane_probe <command> [arguments]; commands:");
  for (const auto& command : kCommands) printError(std::wstring(L"  ") + command.usage);
  return kUsage;
}

}  // namespace

void print(const std::wstring& line) { write(STD_OUTPUT_HANDLE, line); }
void printError(const std::wstring& line) { write(STD_ERROR_HANDLE, line); }

std::wstring handleText(HWND hwnd) { return std::to_wstring(HandleToLong(hwnd)); }

std::wstring windowText(HWND hwnd) {
  // For a window of another process this reads the text the system keeps for
  // it and sends no message, so a busy window cannot block the probe.
  wchar_t text[1024] = {};
  GetWindowTextW(hwnd, text, 1024);
  return text;
}

std::wstring className(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return name;
}

bool parseInt(const std::wstring& text, long long& value) {
  if (text.empty()) return false;
  wchar_t* end = nullptr;
  value = std::wcstoll(text.c_str(), &end, 10);
  return end != nullptr && *end == L'\0';
}

TopLevel findTopLevel(const std::wstring& title) {
  struct Search {
    const std::wstring* title;
    TopLevel found;
  } search{&title, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        if (windowText(hwnd) == *s.title) {
          if (s.found.hwnd == nullptr) s.found.hwnd = hwnd;
          ++s.found.count;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace probe

int main() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 2) return probe::usage();
  const std::wstring name = argv[1];
  const probe::Args args(argv + 2, argv + argc);
  LocalFree(argv);
  for (const auto& command : probe::kCommands) {
    if (name == command.name) return command.run(args);
  }
  return probe::usage();
}
