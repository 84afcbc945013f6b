// The floor that Skyvane's start-up is measured against: the least a tray
// program does. One hidden window, one notification-area icon, a message
// loop; nothing else. It names its icon the way Skyvane does, in a property
// of its window, so that one checker finds both.
//
// Built twice: bare, and (SKYVANE_FLOOR_COMMON_CONTROLS) with Skyvane's
// manifest and its start of the common controls, version 6, so that the
// start-up of the program's own code can be told from the platform's.
#include <windows.h>
#include <shellapi.h>
#ifdef SKYVANE_FLOOR_COMMON_CONTROLS
#include <commctrl.h>
#endif

namespace {

constexpr UINT kIconId = 1;
constexpr UINT kCallback = WM_APP + 1;

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd;
    data.uID = kIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef SKYVANE_FLOOR_COMMON_CONTROLS
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
#endif
  WNDCLASSW wc{};
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"SkyvaneFloor";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Skyvane floor", WS_OVERLAPPEDWINDOW, 0, 0,
                              267, 66, nullptr, nullptr, instance, nullptr);
  if (hwnd == nullptr) return 1;
  SetPropW(hwnd, L"SkyvaneTrayId", reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(kIconId)));
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = hwnd;
  data.uID = kIconId;
  data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data.uCallbackMessage = kCallback;
  data.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
  lstrcpynW(data.szTip, L"Skyvane floor", ARRAYSIZE(data.szTip));
  Shell_NotifyIconW(NIM_ADD, &data);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
