#include "tests/platform/HelperProcess.h"

#include <algorithm>
#include <cstdio>

#include "tests/support/Wait.h"

namespace platformtest {
namespace {

std::wstring helperPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path);
  dir.resize(dir.find_last_of(L"\\/") + 1);
  return dir + L"test_window_helper.exe";
}

struct Search {
  DWORD pid;
  std::vector<HWND>* windows;
};

}  // namespace

HelperProcess::HelperProcess(const std::vector<std::wstring>& titles,
                             std::chrono::milliseconds deadline)
    : count_(titles.size()) {
  std::wstring commandLine = L"\"" + helperPath() + L"\"";
  for (const auto& title : titles) commandLine += L" \"" + title + L"\"";
  // Under Wine a new process now and then dies in its loader before its
  // start-up is done (seen once in a few hundred starts), and the call
  // fails within milliseconds. That is the emulator, not what the tests
  // look at: such a start is reported and made again, a few times at most.
  constexpr int kStartAttempts = 3;
  for (int attempt = 1;; ++attempt) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = commandLine;
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process_)) {
      break;
    }
    std::fprintf(stderr, "helper: start %d of %d failed, error %lu\n", attempt, kStartAttempts,
                 GetLastError());
    if (attempt == kStartAttempts) return;
  }
  (void)testsupport::waitUntil([this] {
    windows_.assign(count_, nullptr);
    Search search{process_.dwProcessId, &windows_};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(param);
          DWORD pid = 0;
          GetWindowThreadProcessId(hwnd, &pid);
          wchar_t name[64] = {};
          GetClassNameW(hwnd, name, 64);
          const std::wstring prefix = L"SkyvaneTestWindow";
          if (pid == s.pid && std::wstring(name).rfind(prefix, 0) == 0) {
            const size_t i = std::stoul(std::wstring(name).substr(prefix.size()));
            if (i < s.windows->size()) (*s.windows)[i] = hwnd;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    for (HWND w : windows_) {
      if (w == nullptr || !IsWindowVisible(w)) return false;
      if (FindWindowExW(w, nullptr, L"BUTTON", nullptr) == nullptr) return false;
    }
    return true;
  }, deadline);
  if (std::find(windows_.begin(), windows_.end(), nullptr) != windows_.end()) windows_.clear();
}

HelperProcess::~HelperProcess() {
  if (process_.hProcess == nullptr) return;
  TerminateProcess(process_.hProcess, 0);
  WaitForSingleObject(process_.hProcess, 5000);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND HelperProcess::child(size_t i) const {
  return FindWindowExW(window(i), nullptr, L"BUTTON", nullptr);
}

bool HelperProcess::close(size_t i) {
  const HWND w = window(i);
  PostMessageW(w, WM_CLOSE, 0, 0);
  return testsupport::waitUntil([w] { return !IsWindow(w); });
}

bool HelperProcess::hang(std::chrono::milliseconds duration) {
  constexpr UINT kHangMessage = WM_APP + 1;
  const HWND w = window(0);
  PostMessageW(w, kHangMessage, static_cast<WPARAM>(duration.count()), 0);
  return testsupport::waitUntil([w] {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 20, &result) == 0;
  });
}

}  // namespace platformtest
