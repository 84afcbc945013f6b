#include "win32/FormWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "win32/Text.h"
#include "win32/Win32Host.h"

namespace win32 {
namespace {

constexpr int kTwips = forms::kTwipsPerPixel;

int toPixels(int twips) { return static_cast<int>(std::lround(twips / static_cast<double>(kTwips))); }

DWORD styleFor(const forms::Form& form) {
  DWORD style = WS_CLIPCHILDREN;
  switch (form.borderStyle()) {
    case forms::BorderStyle::None:
      style |= WS_POPUP;
      break;
    case forms::BorderStyle::FixedDialog:
      style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
      break;
    case forms::BorderStyle::Sizable:
      style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
      break;
    case forms::BorderStyle::FixedSingle:
      style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
      break;
  }
  if (form.borderStyle() != forms::BorderStyle::None) {
    if (form.minButton()) style |= WS_MINIMIZEBOX;
    if (form.maxButton()) style |= WS_MAXIMIZEBOX;
  }
  return style;
}

}  // namespace

void FormWindow::registerClass(HINSTANCE instance) {
  NativeWindow::registerClass(instance, kClassName, CS_DBLCLKS);
}

FormWindow::FormWindow(Win32Host& host, forms::Form& form)
    : host_(host), form_(form), layer_(host, form, nullptr) {
  const DWORD style = styleFor(form);
  DWORD exStyle = form.showInTaskbar() ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
  if (!form.activates()) exStyle |= WS_EX_NOACTIVATE;
  RECT outer{0, 0, form.clientWidth(), form.clientHeight()};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  const int left = toPixels(form.left());
  const int top = toPixels(form.top());
  if (!create(exStyle, kClassName, toWide(form.caption()), style,
              RECT{left, top, left + outer.right - outer.left, top + outer.bottom - outer.top},
              nullptr, host.instance())) {
    return;
  }
  loadIcons();
  // The tooltip and the native controls come with the first showing: a
  // form loaded hidden (the main window at a start in the tray) makes its
  // tray icon without waiting for them. Until then a change finds no
  // control to apply to, and the creation applies the state as it is then.
  layer_.attach(hwnd(), nullptr);
  for (forms::Timer* timer : form.timers()) timerChanged(*timer);
  reportGeometry();
}

FormWindow::~FormWindow() { close(); }

void FormWindow::close() {
  if (hwnd() != nullptr) {
    for (const auto& [id, timer] : timers_) KillTimer(hwnd(), id);
  }
  timers_.clear();
  tooltip_.reset();
  destroy();
}

void FormWindow::loadIcons() {
  if (form_.icon() == 0) return;
  const auto load = [&](int size) {
    return static_cast<HICON>(LoadImageW(host_.instance(), MAKEINTRESOURCEW(form_.icon()),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  };
  bigIcon_.reset(load(32));
  smallIcon_.reset(load(16));
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void FormWindow::createTooltip() {
  tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                 host_.instance(), nullptr));
  // The form's own surface is one tool; its native controls and containers
  // are others (NativeControls adds them). Every text is asked for when it
  // shows.
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

const forms::Control* FormWindow::tooltipOwner(HWND tool) const {
  if (tool == hwnd()) return layer_.hovered();
  if (!natives_) return nullptr;
  forms::Control* control = natives_->controlOf(tool);
  if (ContainerWindow* container = natives_->containerWindow(control)) {
    const forms::Control* held = container->layer().hovered();
    return held != nullptr ? held : control;
  }
  return control;
}

void FormWindow::drawBackground(HDC dc) const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (form_.picture() != 0) {
    host_.pictures().draw(dc, form_.picture(), 0, 0, client.right, client.bottom);
  }
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (layer_.handle(message, wParam, lParam, [this](HDC buffer) { drawBackground(buffer); })) {
    return 0;
  }
  if (message == host_.taskbarCreatedMessage() && message != 0) {
    form_.shellRestarted();
    return 0;
  }
  switch (message) {
    case WM_CLOSE:
      form_.hostClosed();
      return 0;
    case WM_MOUSEACTIVATE:
      // A click on a window that never activates leaves the focus where it
      // is; the click itself is still delivered.
      if (!form_.activates()) return MA_NOACTIVATE;
      break;
    case WM_SIZE:
      if (applyingState_) break;
      if (wParam == SIZE_MINIMIZED) {
        form_.hostStateChanged(forms::WindowState::Minimized);
      } else if (wParam == SIZE_MAXIMIZED) {
        reportGeometry();
        form_.hostStateChanged(forms::WindowState::Maximized);
      } else if (IsWindowVisible(hwnd())) {
        reportGeometry();
        form_.hostStateChanged(forms::WindowState::Normal);
      }
      return 0;
    case WM_MOVE:
      if (!IsIconic(hwnd())) reportGeometry();
      return 0;
    case WM_SHOWWINDOW:
      // Shown by a caller of ShowWindow other than ours.
      if (wParam != FALSE) makeControls();
      break;
    case WM_TIMER: {
      const auto it = timers_.find(wParam);
      if (it != timers_.end()) it->second->tick();
      return 0;
    }
    case WM_COMMAND:
      if (lParam != 0 && natives_) {
        natives_->command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      }
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom == tooltip_.get() && header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        const forms::Control* owner = tooltipOwner(reinterpret_cast<HWND>(header->idFrom));
        tipText_ = owner != nullptr ? toWide(owner->tooltip()) : std::wstring();
        info->lpszText = tipText_.data();
        return 0;
      }
      break;
    }
    default:
      break;
  }
  return byDefault(message, wParam, lParam);
}

void FormWindow::controlChanged(forms::Control& control, forms::Property property) {
  if (!control.windowless()) {
    if (natives_) natives_->apply(control, property);
    return;
  }
  if (control.container() == nullptr) {
    layer_.invalidate(control);
  } else if (ContainerWindow* container =
                 natives_ ? natives_->containerWindow(control.container()) : nullptr) {
    container->layer().invalidate(control);
  }
}

void FormWindow::reportGeometry() {
  RECT r;
  if (hwnd() == nullptr || !GetWindowRect(hwnd(), &r)) return;
  form_.hostMoved(r.left * kTwips, r.top * kTwips, (r.right - r.left) * kTwips,
                  (r.bottom - r.top) * kTwips);
}

void FormWindow::makeControls() {
  if (natives_ || hwnd() == nullptr) return;
  createTooltip();
  layer_.attach(hwnd(), tooltip_.get());
  natives_ = std::make_unique<NativeControls>(host_, form_, hwnd(), tooltip_.get());
  natives_->create();
}

void FormWindow::show() {
  makeControls();
  applyingState_ = true;
  if (form_.windowState() == forms::WindowState::Minimized) {
    ShowWindow(hwnd(), IsWindowVisible(hwnd()) && IsIconic(hwnd()) ? SW_SHOWNA : SW_SHOWMINIMIZED);
  } else if (IsIconic(hwnd())) {
    ShowWindow(hwnd(), SW_RESTORE);
  } else if (!form_.activates()) {
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  } else {
    ShowWindow(hwnd(), form_.windowState() == forms::WindowState::Maximized ? SW_SHOWMAXIMIZED
                                                                           : SW_SHOWNORMAL);
  }
  applyingState_ = false;
  if (hwnd() == nullptr) return;
  if (form_.windowState() != forms::WindowState::Minimized) {
    if (form_.activates()) SetForegroundWindow(hwnd());
    reportGeometry();
  }
  form_.hostStateChanged(form_.windowState());
}

void FormWindow::hide() { ShowWindow(hwnd(), SW_HIDE); }

void FormWindow::applyWindowState() {
  // A change of state can show the window without WM_SHOWWINDOW.
  makeControls();
  applyingState_ = true;
  switch (form_.windowState()) {
    case forms::WindowState::Minimized:
      ShowWindow(hwnd(), SW_MINIMIZE);
      break;
    case forms::WindowState::Maximized:
      ShowWindow(hwnd(), SW_MAXIMIZE);
      break;
    case forms::WindowState::Normal:
      ShowWindow(hwnd(), SW_RESTORE);
      break;
  }
  applyingState_ = false;
  if (hwnd() != nullptr) form_.hostStateChanged(form_.windowState());
}

void FormWindow::applyGeometry() {
  const int x = toPixels(form_.left());
  const int y = toPixels(form_.top());
  const int w = toPixels(form_.width());
  const int h = toPixels(form_.height());
  if (IsIconic(hwnd())) {
    // A minimised window keeps its place for when it is restored. Setting
    // the placement can show it, without WM_SHOWWINDOW.
    makeControls();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd(), &placement);
    placement.rcNormalPosition = RECT{x, y, x + w, y + h};
    SetWindowPlacement(hwnd(), &placement);
    return;
  }
  SetWindowPos(hwnd(), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::applyCaption() { SetWindowTextW(hwnd(), toWide(form_.caption()).c_str()); }

void FormWindow::applyPicture() { InvalidateRect(hwnd(), nullptr, FALSE); }

void FormWindow::timerChanged(forms::Timer& timer) {
  const auto& all = form_.timers();
  const auto index = static_cast<UINT_PTR>(std::find(all.begin(), all.end(), &timer) - all.begin());
  const UINT_PTR id = index + 1;
  if (timer.enabled() && timer.interval() > 0) {
    timers_[id] = &timer;
    SetTimer(hwnd(), id, static_cast<UINT>(timer.interval()), nullptr);
  } else {
    timers_.erase(id);
    KillTimer(hwnd(), id);
  }
}

void FormWindow::focus(forms::Control& control) {
  makeControls();
  if (natives_) natives_->focus(control);
}

}  // namespace win32
