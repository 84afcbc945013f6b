#include "win32/WindowlessLayer.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "forms/Form.h"
#include "win32/Text.h"
#include "win32/Win32Host.h"

namespace win32 {
namespace {

int buttonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return 2;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return 4;
    default:
      return 1;
  }
}

int buttonsHeld(WPARAM keys) {
  return ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
         ((keys & MK_MBUTTON) ? 4 : 0);
}

int shiftOf(WPARAM keys) { return ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0); }

RECT placeOf(const forms::Control& control) {
  return RECT{control.left(), control.top(), control.left() + control.width(),
              control.top() + control.height()};
}

}  // namespace

WindowlessLayer::WindowlessLayer(Win32Host& host, forms::Form& form, forms::Control* surface)
    : host_(host), form_(form), pointer_(form, surface) {}

WindowlessLayer::~WindowlessLayer() {
  if (bufferDc_) SelectObject(bufferDc_.get(), bufferDcBitmap_);
}

void WindowlessLayer::attach(HWND window, HWND tooltip) {
  window_ = window;
  tooltip_ = tooltip;
}

void WindowlessLayer::keepBuffer(HDC like, SIZE size) {
  if (bufferDc_ && size.cx <= bufferSize_.cx && size.cy <= bufferSize_.cy) return;
  if (!bufferDc_) {
    bufferDc_.reset(CreateCompatibleDC(like));
    bufferDcBitmap_ = GetCurrentObject(bufferDc_.get(), OBJ_BITMAP);
  }
  SelectObject(bufferDc_.get(), bufferDcBitmap_);
  bufferSize_ = SIZE{std::max(size.cx, bufferSize_.cx), std::max(size.cy, bufferSize_.cy)};
  buffer_.reset(CreateCompatibleBitmap(like, bufferSize_.cx, bufferSize_.cy));
  SelectObject(bufferDc_.get(), buffer_.get());
}

void WindowlessLayer::paint(HDC target, const RECT& dirty,
                            const std::function<void(HDC)>& background) {
  RECT client{};
  GetClientRect(window_, &client);
  keepBuffer(target, SIZE{client.right, client.bottom});
  HDC dc = bufferDc_.get();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, dirty.left, dirty.top, dirty.right, dirty.bottom);
  background(dc);
  SetBkMode(dc, TRANSPARENT);
  const auto& controls = form_.controls();
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
    const forms::Control& control = **it;
    if (!control.windowless() || control.container() != surface()) continue;
    // Where it was last drawn, or would have been: a later move or change
    // repaints that place as well as its new one.
    RECT place = placeOf(control);
    placed_[&control] = place;
    if (!forms::effectivelyVisible(control)) continue;
    RECT overlap{};
    if (IntersectRect(&overlap, &place, &dirty)) draw(dc, control);
  }
  RestoreDC(dc, saved);
  BitBlt(target, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, dc,
         dirty.left, dirty.top, SRCCOPY);
}

void WindowlessLayer::draw(HDC dc, const forms::Control& control) {
  const RECT place = placeOf(control);
  if (control.kind() == forms::ControlKind::Image) {
    if (control.picture() != 0) {
      host_.pictures().draw(dc, control.picture(), place.left, place.top, control.width(),
                            control.height());
    }
    return;
  }
  const auto& color = control.foreColor();
  SetTextColor(dc, !forms::effectivelyEnabled(control) ? GetSysColor(COLOR_GRAYTEXT)
                   : color ? RGB(color->r, color->g, color->b)
                           : GetSysColor(COLOR_BTNTEXT));
  const HGDIOBJ oldFont = SelectObject(dc, host_.fonts().get(control.font()));
  RECT r = place;
  const std::wstring text = toWide(control.caption());
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}

void WindowlessLayer::invalidate(const forms::Control& control) {
  if (window_ == nullptr) return;
  const RECT now = placeOf(control);
  const auto [it, added] = placed_.try_emplace(&control, now);
  if (!added && !EqualRect(&it->second, &now)) {
    InvalidateRect(window_, &it->second, FALSE);
    it->second = now;
  }
  InvalidateRect(window_, &now, FALSE);
}

void WindowlessLayer::onMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  using Action = forms::SurfacePointer::Action;
  const forms::Point p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  Action action = Action::Move;
  int button = buttonsHeld(wParam);
  switch (message) {
    case WM_MOUSEMOVE:
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      action = Action::Release;
      button = buttonOf(message);
      break;
    default:
      action = Action::Press;
      button = buttonOf(message);
      break;
  }
  const forms::Control* hoveredBefore = pointer_.hovered();
  const bool heldBefore = pointer_.captured() != nullptr;
  const HWND window = window_;
  pointer_.deliver(action, p, button, buttonsHeld(wParam), shiftOf(wParam));
  // A handler may have unloaded the form, and its windows with it.
  if (!IsWindow(window)) return;
  const bool held = pointer_.captured() != nullptr;
  if (held && !heldBefore) SetCapture(window);
  if (!held && heldBefore && GetCapture() == window) ReleaseCapture();
  if (pointer_.hovered() != hoveredBefore && tooltip_ != nullptr) {
    SendMessageW(tooltip_, TTM_POP, 0, 0);
  }
}

bool WindowlessLayer::handle(UINT message, WPARAM wParam, LPARAM lParam,
                             const std::function<void(HDC)>& background) {
  if (window_ == nullptr) return false;  // not attached yet
  switch (message) {
    case WM_ERASEBKGND:
      return true;  // painted whole, with the controls, from the buffer
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window_, &ps);
      paint(dc, ps.rcPaint, background);
      EndPaint(window_, &ps);
      return true;
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
      return true;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window_) pointer_.lostCapture();
      return true;
    default:
      return false;
  }
}

}  // namespace win32
