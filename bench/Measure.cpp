#include "bench/Measure.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>

namespace bench {

double median(std::vector<double> values) {
  // A failed sample is negative, and left out.
  std::erase_if(values, [](double v) { return v < 0; });
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t mid = values.size() / 2;
  return values.size() % 2 == 1 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void row(const std::string& what, double ours, double reference, const char* unit, int decimals) {
  char ratio[32] = "-";
  if (reference > 0) std::snprintf(ratio, sizeof ratio, "%.2f", ours / reference);
  std::printf("row\t%s\t%.*f %s\t%.*f %s\t%s\n", what.c_str(), decimals, ours, unit, decimals,
              reference, unit, ratio);
  std::fflush(stdout);
}

void fact(const std::string& what, const std::string& value) {
  std::printf("row\t%s\t%s\t\t\n", what.c_str(), value.c_str());
  std::fflush(stdout);
}

namespace {

// A whole small file; /proc's files say they are empty, so read to the end.
std::string readFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

long fieldOf(const std::string& status, const char* field) {
  const size_t at = status.find(field);
  if (at == std::string::npos) return -1;
  return std::strtol(status.c_str() + at + std::strlen(field), nullptr, 10);
}

}  // namespace

unsigned long linuxPid(const std::string& exeName) {
  const std::string wanted = lower(exeName);
  unsigned long newest = 0;
  WIN32_FIND_DATAW entry{};
  HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &entry);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::wstring name = entry.cFileName;
    if (name.empty() || !std::all_of(name.begin(), name.end(), iswdigit)) continue;
    const std::string line = readFile(L"Z:\\proc\\" + name + L"\\cmdline");
    // The program's own path comes first; a checker that names it in its
    // arguments is not taken for it.
    const std::string first = lower(line.substr(0, line.find('\0')));
    if (first.size() < wanted.size() ||
        first.compare(first.size() - wanted.size(), wanted.size(), wanted) != 0) {
      continue;
    }
    newest = std::max(newest, std::stoul(std::string(name.begin(), name.end())));
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return newest;
}

long procStatus(unsigned long pid, const char* field) {
  return fieldOf(readFile(L"Z:\\proc\\" + std::to_wstring(pid) + L"\\status"), field);
}

long mainThreadSwitches(unsigned long pid) {
  const std::wstring id = std::to_wstring(pid);
  const std::string status = readFile(L"Z:\\proc\\" + id + L"\\task\\" + id + L"\\status");
  const long voluntary = fieldOf(status, "\nvoluntary_ctxt_switches:");
  const long forced = fieldOf(status, "nonvoluntary_ctxt_switches:");
  return voluntary < 0 || forced < 0 ? -1 : voluntary + forced;
}

int gdiObjects() {
  const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (reported != 0) return static_cast<int>(reported);
  // Wine's GDI handles: the table index in the low word, which it accepts
  // without the generation in the high word.
  int count = 0;
  for (UINT_PTR i = 1; i < 0x10000; ++i) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0) ++count;
  }
  return count;
}

int userObjects() {
  const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  if (reported != 0) return static_cast<int>(reported);
  // Wine's USER handles: even values from 0x20 in the low word, accepted
  // without the generation. Windows of other processes are skipped; menus
  // and icons are only ever this process's own.
  const DWORD self = GetCurrentProcessId();
  int count = 0;
  for (UINT_PTR i = 0x20; i < 0x10000; i += 2) {
    const auto handle = reinterpret_cast<HANDLE>(i);
    DWORD owner = 0;
    if (IsWindow(static_cast<HWND>(handle))) {
      GetWindowThreadProcessId(static_cast<HWND>(handle), &owner);
      if (owner == self) ++count;
    } else if (IsMenu(static_cast<HMENU>(handle))) {
      ++count;
    } else {
      ICONINFO info{};
      if (GetIconInfo(static_cast<HICON>(handle), &info)) {
        // The copies the question made are not the program's.
        if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
        if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
        ++count;
      }
    }
  }
  return count;
}

void settle(std::chrono::milliseconds quiet) {
  auto last = std::chrono::steady_clock::now();
  const auto deadline = last + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < deadline) {
    MSG msg;
    bool any = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      any = true;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    const auto now = std::chrono::steady_clock::now();
    if (any) last = now;
    if (now - last >= quiet) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

}  // namespace bench
