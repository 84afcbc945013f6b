#include "win32/Win32Host.h"

#include <cstring>
#include <set>

#include <commctrl.h>

#include "forms/Form.h"
#include "win32/Handles.h"
#include "win32/Text.h"

namespace win32 {
namespace {

std::wstring modulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

Win32Host::Win32Host(HINSTANCE instance, const wchar_t* instanceName)
    : instance_(instance), pictures_(instance) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  FormWindow::registerClass(instance);
  ContainerWindow::registerClass(instance);
  // Another process of this program holds the same named mutex.
  instanceMutex_.reset(CreateMutexW(nullptr, FALSE, instanceName));
  previousInstance_ = GetLastError() == ERROR_ALREADY_EXISTS;
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
}

Win32Host::~Win32Host() {
  windows_.clear();
  dead_.clear();
}

FormWindow* Win32Host::window(const forms::Form& form) const {
  const auto it = windows_.find(&form);
  return it == windows_.end() ? nullptr : it->second.get();
}

int Win32Host::run() {
  MSG msg;
  while (!windows_.empty()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) break;
    HWND root = msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    bool handled = false;
    if (root != nullptr && (msg.message == WM_KEYDOWN || msg.message == WM_CHAR ||
                            msg.message == WM_KEYUP || msg.message == WM_SYSKEYDOWN ||
                            msg.message == WM_SYSCHAR)) {
      for (const auto& [form, w] : windows_) {
        if (w->hwnd() == root) {
          // Tab, arrows and the space bar work as in a dialog.
          handled = IsDialogMessageW(root, &msg) != FALSE;
          break;
        }
      }
    }
    if (!handled) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    buryDead();
  }
  buryDead();
  return 0;
}

void Win32Host::buryDead() { dead_.clear(); }

void Win32Host::createForm(forms::Form& form) {
  windows_[&form] = std::make_unique<FormWindow>(*this, form);
}

void Win32Host::destroyForm(forms::Form& form) {
  const auto it = windows_.find(&form);
  if (it == windows_.end()) return;
  std::unique_ptr<FormWindow> window = std::move(it->second);
  windows_.erase(it);
  window->close();
  dead_.push_back(std::move(window));
  // Pictures only this form drew are decoded again if it comes back.
  std::set<int> used;
  for (const auto& [other, w] : windows_) {
    used.insert(other->picture());
    for (const forms::Control* control : other->controls()) used.insert(control->picture());
  }
  pictures_.keepOnly(used);
  // The last form may go from inside a message the system sent us (the
  // shell's tray callback is one): GetMessage would then wait on for a
  // posted message that never comes.
  if (windows_.empty()) PostQuitMessage(0);
}

void Win32Host::showForm(forms::Form& form) {
  if (FormWindow* w = window(form)) w->show();
}

void Win32Host::hideForm(forms::Form& form) {
  if (FormWindow* w = window(form)) w->hide();
}

void Win32Host::formChanged(forms::Form& form, forms::FormProperty property) {
  FormWindow* w = window(form);
  if (w == nullptr) return;
  switch (property) {
    case forms::FormProperty::Caption:
      w->applyCaption();
      break;
    case forms::FormProperty::Geometry:
      w->applyGeometry();
      break;
    case forms::FormProperty::WindowState:
      w->applyWindowState();
      break;
    case forms::FormProperty::Picture:
      w->applyPicture();
      break;
    case forms::FormProperty::Icon:
      break;
  }
}

void Win32Host::controlChanged(forms::Control& control, forms::Property property) {
  if (FormWindow* w = window(control.form())) w->controlChanged(control, property);
}

void Win32Host::timerChanged(forms::Timer& timer) {
  if (FormWindow* w = window(timer.form())) w->timerChanged(timer);
}

void Win32Host::focus(forms::Control& control) {
  if (FormWindow* w = window(control.form())) w->focus(control);
}

void Win32Host::popupMenu(forms::Form& form, forms::Menu& menu) {
  FormWindow* w = window(form);
  if (w == nullptr) return;
  UniqueMenu popup(CreatePopupMenu());
  std::vector<forms::MenuItem*> shown;
  for (forms::MenuItem* item : menu.items) {
    if (!item->visible) continue;
    shown.push_back(item);
    const UINT flags = MF_STRING | (item->checked ? MF_CHECKED : MF_UNCHECKED) |
                       (item->enabled ? MF_ENABLED : MF_GRAYED);
    AppendMenuW(popup.get(), flags, shown.size(), toWide(item->caption).c_str());
  }
  POINT at{};
  GetCursorPos(&at);
  HWND owner = w->hwnd();
  // Without the foreground the menu would not close when the user clicks
  // elsewhere.
  SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(popup.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD |
                                      TPM_NONOTIFY,
                     at.x, at.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  if (chosen >= 1 && chosen <= shown.size()) shown[chosen - 1]->click();
}

int Win32Host::messageBox(const std::string& text, const std::string& title, unsigned style) {
  HWND owner = nullptr;
  for (const auto& [form, w] : windows_) {
    if (IsWindowVisible(w->hwnd())) {
      owner = w->hwnd();
      break;
    }
  }
  return MessageBoxW(owner, toWide(text).c_str(), toWide(title).c_str(), style | MB_APPLMODAL);
}

void Win32Host::copyText(const std::string& text) {
  const std::wstring wide = toWide(text);
  const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return;
  if (void* data = GlobalLock(memory)) {
    std::memcpy(data, wide.c_str(), bytes);
    GlobalUnlock(memory);
  }
  // The clipboard owns the memory once it took it; until then it is ours.
  if (!OpenClipboard(nullptr)) {
    GlobalFree(memory);
    return;
  }
  EmptyClipboard();
  if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
  CloseClipboard();
}

void Win32Host::doEvents() {
  for (const auto& [form, w] : windows_) {
    RedrawWindow(w->hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
}

platform::Hwnd Win32Host::windowHandle(const forms::Form& form) const {
  const FormWindow* w = window(form);
  return w == nullptr ? 0 : fromHwnd(w->hwnd());
}

std::uintptr_t Win32Host::iconHandle(const forms::Form& form) const {
  const FormWindow* w = window(form);
  return w == nullptr ? 0 : reinterpret_cast<std::uintptr_t>(w->bigIcon());
}

// A path without a separator names no folder: both answer empty then, and
// whoever needs the path (autostart) reports that it cannot do without.
std::string Win32Host::exeFolder() const {
  std::wstring path = modulePath();
  const size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return {};
  path.resize(separator);
  return toUtf8(path);
}

std::string Win32Host::exeName() const {
  std::wstring path = modulePath();
  const size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return {};
  path = path.substr(separator + 1);
  const size_t dot = path.find_last_of(L'.');
  if (dot != std::wstring::npos) path.resize(dot);
  return toUtf8(path);
}

int Win32Host::screenWidthTwips() const {
  return GetSystemMetrics(SM_CXSCREEN) * forms::kTwipsPerPixel;
}

int Win32Host::screenHeightTwips() const {
  return GetSystemMetrics(SM_CYSCREEN) * forms::kTwipsPerPixel;
}

}  // namespace win32
