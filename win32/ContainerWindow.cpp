#include "win32/ContainerWindow.h"

#include "forms/Form.h"
#include "win32/Text.h"
#include "win32/Win32Host.h"

namespace win32 {
namespace {

// Where a frame's caption starts, from its left edge, and the room left
// free around it on the frame's top line.
constexpr int kCaptionLeft = 8;
constexpr int kCaptionPad = 2;

}  // namespace

void ContainerWindow::registerClass(HINSTANCE instance) {
  NativeWindow::registerClass(instance, kClassName, CS_DBLCLKS);
}

ContainerWindow::ContainerWindow(Win32Host& host, forms::Control& container, HWND parent,
                                 HWND formWindow, HWND tooltip)
    : host_(host),
      container_(container),
      formWindow_(formWindow),
      layer_(host, container.form(), &container) {
  // Tab and the arrow keys go on into what it holds.
  create(WS_EX_CONTROLPARENT, kClassName, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
         RECT{0, 0, 0, 0}, parent, host.instance());
  layer_.attach(hwnd(), tooltip);
}

void ContainerWindow::drawBackground(HDC dc) const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (container_.kind() == forms::ControlKind::PictureBox) {
    if (container_.picture() != 0) {
      host_.pictures().draw(dc, container_.picture(), 0, 0, client.right, client.bottom);
    }
    return;
  }
  const HGDIOBJ oldFont = SelectObject(dc, host_.fonts().get(container_.font()));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT edge{0, metrics.tmHeight / 2, client.right, client.bottom};
  DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
  const std::wstring caption = toWide(container_.caption());
  if (!caption.empty()) {
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    RECT room{kCaptionLeft - kCaptionPad, 0, kCaptionLeft + size.cx + kCaptionPad, size.cy};
    FillRect(dc, &room, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(forms::effectivelyEnabled(container_) ? COLOR_BTNTEXT
                                                                        : COLOR_GRAYTEXT));
    TextOutW(dc, kCaptionLeft, 0, caption.c_str(), static_cast<int>(caption.size()));
  }
  SelectObject(dc, oldFont);
}

LRESULT ContainerWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (layer_.handle(message, wParam, lParam, [this](HDC buffer) { drawBackground(buffer); })) {
    return 0;
  }
  switch (message) {
    // What the controls it holds tell their parent is meant for the form.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return SendMessageW(formWindow_, message, wParam, lParam);
    default:
      return byDefault(message, wParam, lParam);
  }
}

}  // namespace win32
