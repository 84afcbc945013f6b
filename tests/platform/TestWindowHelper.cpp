// A small program of its own process that the platform tests point the
// window operations at. Each command-line argument is a title: one top-level
// window opens for it, with a child button "child of <title>", and window i
// has the class "SkyvaneTestWindow<i>" so that tests can tell twins apart.
// The program ends when its last window is closed. A posted kHangMessage
// with a duration in milliseconds makes its thread stop pumping that long;
// so does F12 pressed in one of its windows, for kHangOnKeyMs.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

constexpr UINT kHangMessage = WM_APP + 1;
constexpr DWORD kHangOnKeyMs = 6000;
int openWindows = 0;

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kHangMessage:
      Sleep(static_cast<DWORD>(wParam));
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_F12) {
        Sleep(kHangOnKeyMs);
        return 0;
      }
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_DESTROY:
      if (--openWindows == 0) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; i < argc; ++i) {
    const std::wstring className = L"SkyvaneTestWindow" + std::to_wstring(i - 1);
    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className.c_str();
    RegisterClassW(&wc);
    const int offset = 60 * (i - 1);
    HWND hwnd = CreateWindowExW(0, className.c_str(), argv[i], WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                200 + offset, 150 + offset, 360, 220, nullptr, nullptr,
                                instance, nullptr);
    const std::wstring childText = std::wstring(L"child of ") + argv[i];
    CreateWindowExW(0, L"BUTTON", childText.c_str(), WS_CHILD | WS_VISIBLE, 20, 20, 160, 40,
                    hwnd, nullptr, instance, nullptr);
    ++openWindows;
  }
  LocalFree(argv);
  if (openWindows == 0) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
