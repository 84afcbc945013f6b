#include "win32/FormWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "win32/Text.h"
#include "win32/Win32Host.h"

namespace win32 {
namespace {

constexpr int kTwips = forms::kTwipsPerPixel;
constexpr UINT_PTR kClientTool = 1;

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

int buttonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return 2;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return 4;
    default:
      return 1;
  }
}

int buttonsHeld(WPARAM keys) {
  return ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
         ((keys & MK_MBUTTON) ? 4 : 0);
}

}  // namespace

void FormWindow::registerClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = nullptr;  // painted with the windowless controls
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
}

FormWindow::FormWindow(Win32Host& host, forms::Form& form) : host_(host), form_(form) {
  const DWORD style = styleFor(form);
  const DWORD exStyle = form.showInTaskbar() ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
  RECT outer{0, 0, form.clientWidth(), form.clientHeight()};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  const std::wstring caption = toWide(form.caption());
  CreateWindowExW(exStyle, kClassName, caption.c_str(), style, toPixels(form.left()),
                  toPixels(form.top()), outer.right - outer.left, outer.bottom - outer.top, nullptr,
                  nullptr, host.instance(), this);
  if (hwnd_ == nullptr) return;

  if (form.icon() != 0) {
    bigIcon_.reset(static_cast<HICON>(LoadImageW(host.instance(), MAKEINTRESOURCEW(form.icon()),
                                                 IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    smallIcon_.reset(static_cast<HICON>(LoadImageW(host.instance(), MAKEINTRESOURCEW(form.icon()),
                                                   IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
  }

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, host.instance(), nullptr);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = kClientTool;
  tool.rect = RECT{0, 0, 4096, 4096};
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));

  createControls();
  for (forms::Timer* timer : form.timers()) timerChanged(*timer);
  reportGeometry();
}

FormWindow::~FormWindow() { destroy(); }

void FormWindow::destroy() {
  if (hwnd_ == nullptr) return;
  for (const auto& [id, timer] : timers_) KillTimer(hwnd_, id);
  timers_.clear();
  DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

LRESULT CALLBACK FormWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  FormWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (self != nullptr) self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  return self->handle(message, wParam, lParam);
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    if (message == host_.taskbarCreatedMessage() && message != 0) {
      form_.shellRestarted();
      return 0;
    }
    switch (message) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        paint(dc);
        EndPaint(hwnd_, &ps);
        return 0;
      }
      case WM_CLOSE:
        form_.hostClosed();
        return 0;
      case WM_SIZE:
        if (applyingState_) break;
        if (wParam == SIZE_MINIMIZED) {
          form_.hostStateChanged(forms::WindowState::Minimized);
        } else if (wParam == SIZE_MAXIMIZED) {
          reportGeometry();
          form_.hostStateChanged(forms::WindowState::Maximized);
        } else if (IsWindowVisible(hwnd_)) {
          reportGeometry();
          form_.hostStateChanged(forms::WindowState::Normal);
        }
        return 0;
      case WM_MOVE:
        if (!IsIconic(hwnd_)) reportGeometry();
        return 0;
      case WM_TIMER: {
        const auto it = timers_.find(wParam);
        if (it != timers_.end()) it->second->tick();
        return 0;
      }
      case WM_COMMAND:
        if (lParam != 0) onCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
      case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == tooltip_ && header->code == TTN_GETDISPINFOW) {
          auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
          const forms::Control* control = hovered_;
          if (info->uFlags & TTF_IDISHWND) {
            const auto it = byNative_.find(reinterpret_cast<HWND>(header->idFrom));
            control = it == byNative_.end() ? nullptr : it->second;
          }
          tipText_ = control != nullptr ? toWide(control->tooltip()) : std::wstring();
          info->lpszText = tipText_.data();
          return 0;
        }
        break;
      }
      case WM_MOUSEMOVE:
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
      case WM_MBUTTONDOWN:
      case WM_MBUTTONUP:
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDBLCLK:
      case WM_MBUTTONDBLCLK:
        onMouse(message, wParam, lParam);
        return 0;
      case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd_) captured_ = nullptr;
        return 0;
      default:
        break;
    }
  } catch (...) {
    // A handler's failure must not cross into the system.
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void FormWindow::createControls() {
  std::vector<forms::Control*> natives;
  for (forms::Control* control : form_.controls()) {
    if (!control->windowless()) {
      createNative(*control);
      natives.push_back(control);
    }
  }
  // Tab order is z-order: the first tab stop on top.
  std::stable_sort(natives.begin(), natives.end(),
                   [](const forms::Control* a, const forms::Control* b) {
                     return a->tabIndex() < b->tabIndex();
                   });
  for (forms::Control* control : natives) {
    SetWindowPos(natives_[control], HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  for (forms::Control* control : form_.controls()) applyControl(*control);
}

void FormWindow::createNative(forms::Control& control) {
  const wchar_t* className = L"BUTTON";
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  switch (control.kind()) {
    case forms::ControlKind::Button:
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case forms::ControlKind::CheckBox:
      style |= BS_CHECKBOX | WS_TABSTOP;
      break;
    case forms::ControlKind::TextBox:
      className = L"EDIT";
      style |= ES_AUTOHSCROLL | WS_TABSTOP;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case forms::ControlKind::Frame:
      style |= BS_GROUPBOX;
      break;
    case forms::ControlKind::PictureBox:
      className = L"STATIC";
      style |= SS_NOTIFY;
      break;
    default:
      return;
  }
  HWND child = CreateWindowExW(exStyle, className, L"", style, 0, 0, 0, 0, hwnd_, nullptr,
                               host_.instance(), nullptr);
  natives_[&control] = child;
  byNative_[child] = &control;

  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(child);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool FormWindow::effectiveVisible(const forms::Control& control) const {
  for (const forms::Control* c = &control; c != nullptr; c = c->container()) {
    if (!c->visible()) return false;
  }
  return true;
}

bool FormWindow::effectiveEnabled(const forms::Control& control) const {
  for (const forms::Control* c = &control; c != nullptr; c = c->container()) {
    if (!c->enabled()) return false;
  }
  return true;
}

POINT FormWindow::origin(const forms::Control& control) const {
  POINT p{0, 0};
  for (const forms::Control* c = control.container(); c != nullptr; c = c->container()) {
    p.x += c->left();
    p.y += c->top();
  }
  return p;
}

void FormWindow::applyControl(forms::Control& control) {
  const auto it = natives_.find(&control);
  if (it == natives_.end()) {
    invalidate();
    return;
  }
  HWND child = it->second;
  const POINT o = origin(control);
  const std::wstring caption = toWide(control.caption());
  wchar_t current[512] = {};
  GetWindowTextW(child, current, 512);
  if (caption != current) SetWindowTextW(child, caption.c_str());
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font(control.font())), TRUE);
  MoveWindow(child, o.x + control.left(), o.y + control.top(), control.width(), control.height(),
             TRUE);
  if (control.kind() == forms::ControlKind::CheckBox) {
    const int value = static_cast<forms::CheckBox&>(control).value();
    SendMessageW(child, BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  EnableWindow(child, effectiveEnabled(control));
  ShowWindow(child, effectiveVisible(control) ? SW_SHOWNA : SW_HIDE);
}

void FormWindow::controlChanged(forms::Control& control, forms::Property) {
  applyControl(control);
  // A container passes its place, visibility and enabled state on.
  if (control.kind() == forms::ControlKind::Frame ||
      control.kind() == forms::ControlKind::PictureBox) {
    for (forms::Control* c : form_.controls()) {
      if (c->container() == &control) controlChanged(*c, forms::Property::Bounds);
    }
  }
  if (control.windowless()) invalidate();
}

void FormWindow::invalidate() const {
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, FALSE);
}

HFONT FormWindow::font(const forms::Font& font) {
  const std::wstring key = toWide(font.face) + L"|" + std::to_wstring(font.points) + L"|" +
                           std::to_wstring(font.charset) + (font.bold ? L"|b" : L"");
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    HDC screen = GetDC(nullptr);
    const int height =
        -static_cast<int>(std::lround(font.points * GetDeviceCaps(screen, LOGPIXELSY) / 72.0));
    ReleaseDC(nullptr, screen);
    const std::wstring face = toWide(font.face);
    UniqueFont created(CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                   FALSE, static_cast<DWORD>(font.charset), OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                   face.c_str()));
    it = fonts_.emplace(key, std::move(created)).first;
  }
  return it->second.get();
}

void FormWindow::paint(HDC target) {
  RECT client;
  GetClientRect(hwnd_, &client);
  UniqueDc dc(CreateCompatibleDC(target));
  UniqueBitmap buffer(CreateCompatibleBitmap(target, client.right, client.bottom));
  const HGDIOBJ oldBitmap = SelectObject(dc.get(), buffer.get());
  FillRect(dc.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc.get(), TRANSPARENT);

  // Bottom of the stacking order first.
  const auto& controls = form_.controls();
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
    forms::Control& control = **it;
    if (!control.windowless() || !effectiveVisible(control)) continue;
    const POINT o = origin(control);
    const int x = o.x + control.left();
    const int y = o.y + control.top();
    if (control.kind() == forms::ControlKind::Image) {
      const int picture = static_cast<forms::Image&>(control).picture();
      if (picture != 0) host_.pictures().draw(dc.get(), picture, x, y, control.width(), control.height());
    } else {
      const auto& color = control.foreColor();
      SetTextColor(dc.get(), !effectiveEnabled(control) ? GetSysColor(COLOR_GRAYTEXT)
                             : color ? RGB(color->r, color->g, color->b)
                                     : GetSysColor(COLOR_BTNTEXT));
      const HGDIOBJ oldFont = SelectObject(dc.get(), font(control.font()));
      RECT r{x, y, x + control.width(), y + control.height()};
      const std::wstring text = toWide(control.caption());
      DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r,
                DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
      SelectObject(dc.get(), oldFont);
    }
  }
  BitBlt(target, 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
  SelectObject(dc.get(), oldBitmap);
}

forms::Control* FormWindow::hitTest(POINT client) const {
  // Top of the stacking order first.
  for (forms::Control* control : form_.controls()) {
    if (!control->windowless() || !effectiveVisible(*control) || !effectiveEnabled(*control)) {
      continue;
    }
    const POINT o = origin(*control);
    const RECT r{o.x + control->left(), o.y + control->top(),
                 o.x + control->left() + control->width(), o.y + control->top() + control->height()};
    if (PtInRect(&r, client)) return control;
  }
  return nullptr;
}

void FormWindow::onMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN ||
                    message == WM_MBUTTONDOWN || message == WM_LBUTTONDBLCLK ||
                    message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
  const bool up = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;

  forms::Control* target = captured_ != nullptr ? captured_ : hitTest(p);
  if (captured_ == nullptr && target != hovered_) {
    hovered_ = target;
    SendMessageW(tooltip_, TTM_POP, 0, 0);
  }

  forms::MouseEvent e;
  e.button = message == WM_MOUSEMOVE ? buttonsHeld(wParam) : buttonOf(message);
  e.shift = ((wParam & MK_SHIFT) ? 1 : 0) | ((wParam & MK_CONTROL) ? 2 : 0);
  if (target == nullptr) {
    e.x = p.x;
    e.y = p.y;
    if (message == WM_MOUSEMOVE) form_.mouseMove(e);
    return;
  }
  const POINT o = origin(*target);
  e.x = static_cast<double>(p.x - o.x - target->left()) * kTwips;
  e.y = static_cast<double>(p.y - o.y - target->top()) * kTwips;
  if (down) {
    if (captured_ == nullptr) {
      captured_ = target;
      SetCapture(hwnd_);
    }
    target->mouseDown(e);
  } else if (up) {
    target->mouseUp(e);
    if (buttonsHeld(wParam) == 0) {
      captured_ = nullptr;
      if (GetCapture() == hwnd_) ReleaseCapture();
    }
  } else {
    target->mouseMove(e);
  }
}

void FormWindow::onCommand(HWND child, UINT code) {
  const auto it = byNative_.find(child);
  if (it == byNative_.end()) return;
  forms::Control& control = *it->second;
  switch (control.kind()) {
    case forms::ControlKind::Button:
      if (code == BN_CLICKED) control.click();
      break;
    case forms::ControlKind::CheckBox:
      if (code == BN_CLICKED) static_cast<forms::CheckBox&>(control).userClick();
      break;
    case forms::ControlKind::TextBox:
      if (code == EN_CHANGE) {
        const int length = GetWindowTextLengthW(child);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        GetWindowTextW(child, text.data(), length + 1);
        text.resize(static_cast<size_t>(length));
        static_cast<forms::TextBox&>(control).userEdited(toUtf8(text));
      }
      break;
    default:
      break;
  }
}

void FormWindow::reportGeometry() {
  RECT r;
  if (hwnd_ == nullptr || !GetWindowRect(hwnd_, &r)) return;
  form_.hostMoved(r.left * kTwips, r.top * kTwips, (r.right - r.left) * kTwips,
                  (r.bottom - r.top) * kTwips);
}

void FormWindow::show() {
  applyingState_ = true;
  if (form_.windowState() == forms::WindowState::Minimized) {
    ShowWindow(hwnd_, IsWindowVisible(hwnd_) && IsIconic(hwnd_) ? SW_SHOWNA : SW_SHOWMINIMIZED);
  } else if (IsIconic(hwnd_)) {
    ShowWindow(hwnd_, SW_RESTORE);
  } else {
    ShowWindow(hwnd_, form_.windowState() == forms::WindowState::Maximized ? SW_SHOWMAXIMIZED
                                                                         : SW_SHOWNORMAL);
  }
  applyingState_ = false;
  if (hwnd_ == nullptr) return;
  if (form_.windowState() != forms::WindowState::Minimized) {
    SetForegroundWindow(hwnd_);
    reportGeometry();
  }
  form_.hostStateChanged(form_.windowState());
}

void FormWindow::hide() { ShowWindow(hwnd_, SW_HIDE); }

void FormWindow::applyWindowState() {
  applyingState_ = true;
  switch (form_.windowState()) {
    case forms::WindowState::Minimized:
      ShowWindow(hwnd_, SW_MINIMIZE);
      break;
    case forms::WindowState::Maximized:
      ShowWindow(hwnd_, SW_MAXIMIZE);
      break;
    case forms::WindowState::Normal:
      ShowWindow(hwnd_, SW_RESTORE);
      break;
  }
  applyingState_ = false;
  if (hwnd_ != nullptr) form_.hostStateChanged(form_.windowState());
}

void FormWindow::applyGeometry() {
  const int x = toPixels(form_.left());
  const int y = toPixels(form_.top());
  const int w = toPixels(form_.width());
  const int h = toPixels(form_.height());
  if (IsIconic(hwnd_)) {
    // A minimised window keeps its place for when it is restored.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd_, &placement);
    placement.rcNormalPosition = RECT{x, y, x + w, y + h};
    SetWindowPlacement(hwnd_, &placement);
    return;
  }
  SetWindowPos(hwnd_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::applyCaption() {
  SetWindowTextW(hwnd_, toWide(form_.caption()).c_str());
}

void FormWindow::timerChanged(forms::Timer& timer) {
  const auto& all = form_.timers();
  const auto index = static_cast<UINT_PTR>(std::find(all.begin(), all.end(), &timer) - all.begin());
  const UINT_PTR id = index + 1;
  if (timer.enabled() && timer.interval() > 0) {
    timers_[id] = &timer;
    SetTimer(hwnd_, id, static_cast<UINT>(timer.interval()), nullptr);
  } else {
    timers_.erase(id);
    KillTimer(hwnd_, id);
  }
}

void FormWindow::focus(forms::Control& control) {
  const auto it = natives_.find(&control);
  if (it != natives_.end()) SetFocus(it->second);
}

}  // namespace win32
