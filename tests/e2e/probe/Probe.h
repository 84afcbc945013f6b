#pragma once
// The end-to-end probe: a console program that looks at the windows, the
// notification area and the registry from outside the program under test,
// through the same Win32 calls any other process could make. Each command
// prints key=value lines in UTF-8 and answers through its exit code.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/Wait.h"

namespace probe {

// Exit codes of every command.
constexpr int kTrue = 0;
constexpr int kFalse = 1;
constexpr int kUsage = 2;

using Args = std::vector<std::wstring>;

// Writes text as UTF-8 to standard output and flushes it.
void print(const std::wstring& line);
void printError(const std::wstring& line);

[[nodiscard]] std::wstring handleText(HWND hwnd);  // decimal, as the platform's 32-bit value
[[nodiscard]] std::wstring windowText(HWND hwnd);
[[nodiscard]] std::wstring className(HWND hwnd);
[[nodiscard]] bool parseInt(const std::wstring& text, long long& value);

using testsupport::waitUntil;

// The first top-level window in z-order whose title is exactly title (the
// window FindWindowW answers, without its case-insensitive matching), and
// how many top-level windows carry that title.
struct TopLevel {
  HWND hwnd = nullptr;
  int count = 0;
};
[[nodiscard]] TopLevel findTopLevel(const std::wstring& title);

// Commands. Each receives the arguments after its name.
int windowCommand(const Args& args);
int waitWindowCommand(const Args& args);
int windowsCommand(const Args& args);
int controlCommand(const Args& args);
int textCommand(const Args& args);
int menuCommand(const Args& args);
int waitMenuCommand(const Args& args);
int waitBalloonCommand(const Args& args);
int ncPointCommand(const Args& args);
int closeCommand(const Args& args);
int minimizeCommand(const Args& args);
int moveCommand(const Args& args);
int atCommand(const Args& args);
int screenCommand(const Args& args);
int cursorCommand(const Args& args);
int waitPointerCommand(const Args& args);
int answersCommand(const Args& args);
int focusTextCommand(const Args& args);
int hangCommand(const Args& args);
int editCommand(const Args& args);

int trayCommand(const Args& args);
int trayIdCommand(const Args& args);
int trayDeleteCommand(const Args& args);
int watchUnloadCommand(const Args& args);
int trayCallbackCommand(const Args& args);
int broadcastTaskbarCreatedCommand(const Args& args);
int regGetCommand(const Args& args);
int regSetCommand(const Args& args);
int regDeleteTreeCommand(const Args& args);
int autostartGetCommand(const Args& args);
int autostartDeleteCommand(const Args& args);
int processesCommand(const Args& args);

}  // namespace probe
