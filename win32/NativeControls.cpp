#include "win32/NativeControls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cassert>
#include <vector>

#include "forms/Form.h"
#include "forms/Layout.h"
#include "win32/Text.h"
#include "win32/Win32Host.h"

namespace win32 {
namespace {

constexpr UINT_PTR kPointerRelayId = 1;

bool isHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

std::wstring textOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

}  // namespace

NativeControls::NativeControls(Win32Host& host, forms::Form& form, HWND formWindow, HWND tooltip)
    : host_(host), form_(form), formWindow_(formWindow), tooltip_(tooltip) {}

NativeControls::~NativeControls() {
  // The child windows go with the form's window; the subclass must not
  // outlive this object.
  for (const auto& [window, control] : controls_) {
    if (IsWindow(window)) RemoveWindowSubclass(window, pointerRelay, kPointerRelayId);
  }
}

void NativeControls::create() {
  for (forms::Control* control : form_.controls()) {
    if (!control->windowless()) createOne(*control);
  }
  placeInTabOrder(nullptr);
  for (const auto& [container, window] : containers_) placeInTabOrder(container);
  for (forms::Control* control : form_.controls()) {
    if (!control->windowless()) applyAll(*control);
  }
}

HWND NativeControls::createOne(forms::Control& control) {
  if (const HWND existing = windowOf(control)) return existing;
  // A container is made before what it holds.
  const HWND parent = control.container() != nullptr ? createOne(*control.container()) : formWindow_;
  HWND window = nullptr;
  if (control.isContainer()) {
    auto container = std::make_unique<ContainerWindow>(host_, control, parent, formWindow_, tooltip_);
    window = container->hwnd();
    containers_[&control] = std::move(container);
  } else {
    const wchar_t* className = L"BUTTON";
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP;
    DWORD exStyle = 0;
    switch (control.kind()) {
      case forms::ControlKind::CheckBox:
        style |= BS_CHECKBOX;
        break;
      case forms::ControlKind::TextBox:
        className = L"EDIT";
        style |= ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        break;
      default:
        style |= BS_PUSHBUTTON;
        break;
    }
    window = CreateWindowExW(exStyle, className, L"", style, 0, 0, 0, 0, parent, nullptr,
                             host_.instance(), nullptr);
    if (control.kind() == forms::ControlKind::TextBox) {
      // No limit on the length of the text.
      SendMessageW(window, EM_SETLIMITTEXT, 0, 0);
    }
    SetWindowSubclass(window, pointerRelay, kPointerRelayId, reinterpret_cast<DWORD_PTR>(this));
  }
  if (window == nullptr) return parent;
  windows_[&control] = window;
  controls_[window] = &control;

  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = formWindow_;
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  return window;
}

HWND NativeControls::windowOf(const forms::Control& control) const {
  const auto it = windows_.find(&control);
  return it == windows_.end() ? nullptr : it->second;
}

forms::Control* NativeControls::controlOf(HWND window) const {
  const auto it = controls_.find(window);
  return it == controls_.end() ? nullptr : it->second;
}

ContainerWindow* NativeControls::containerWindow(const forms::Control* container) const {
  const auto it = containers_.find(container);
  return it == containers_.end() ? nullptr : it->second.get();
}

void NativeControls::placeInTabOrder(const forms::Control* surface) {
  std::vector<forms::Control*> natives;
  for (forms::Control* control : form_.controls()) {
    if (!control->windowless() && control->container() == surface) natives.push_back(control);
  }
  // Tab order is z-order, the first tab stop on top; so is the stacking.
  std::stable_sort(natives.begin(), natives.end(),
                   [](const forms::Control* a, const forms::Control* b) {
                     return a->tabIndex() < b->tabIndex();
                   });
  for (forms::Control* control : natives) {
    SetWindowPos(windowOf(*control), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void NativeControls::applyAll(forms::Control& control) {
  for (forms::Property property :
       {forms::Property::Caption, forms::Property::Font, forms::Property::Bounds,
        forms::Property::Value, forms::Property::Enabled, forms::Property::Visible}) {
    apply(control, property);
  }
}

void NativeControls::applyText(HWND window, const std::string& text) {
  // Set only when it differs: setting a text box's own text again would
  // move its caret back to the start while the user types.
  const std::wstring wide = toWide(text);
  if (textOf(window) != wide) SetWindowTextW(window, wide.c_str());
}

void NativeControls::applyEnabled(forms::Control& control) {
  const HWND window = windowOf(control);
  if (window == nullptr) return;
  EnableWindow(window, forms::effectivelyEnabled(control));
  if (!control.isContainer()) return;
  // A container passes its state on to what it holds, and draws itself and
  // its labels and images anew.
  for (forms::Control* held : form_.controls()) {
    if (held->container() == &control) applyEnabled(*held);
  }
  InvalidateRect(window, nullptr, FALSE);
}

void NativeControls::apply(forms::Control& control, forms::Property property) {
  const HWND window = windowOf(control);
  if (window == nullptr) return;
  switch (property) {
    case forms::Property::Bounds:
      MoveWindow(window, control.left(), control.top(), control.width(), control.height(), TRUE);
      break;
    case forms::Property::Visible:
      ShowWindow(window, control.visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case forms::Property::Enabled:
      applyEnabled(control);
      break;
    case forms::Property::Caption:
      if (control.isContainer()) {
        InvalidateRect(window, nullptr, FALSE);
      } else {
        applyText(window, control.caption());
      }
      break;
    case forms::Property::Value:
      if (control.kind() == forms::ControlKind::CheckBox) {
        const int value = static_cast<forms::CheckBox&>(control).value();
        SendMessageW(window, BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      break;
    case forms::Property::Font:
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(host_.fonts().get(control.font())),
                   TRUE);
      if (control.isContainer()) InvalidateRect(window, nullptr, FALSE);
      break;
    case forms::Property::Picture:
    case forms::Property::ForeColor:
      if (control.isContainer()) InvalidateRect(window, nullptr, FALSE);
      break;
    case forms::Property::TabIndex:
      placeInTabOrder(control.container());
      break;
    case forms::Property::Tooltip:
      break;  // asked for when it shows
  }
}

void NativeControls::reportEdit(forms::Control& control, HWND window) {
  const std::wstring text = textOf(window);
  // The first half of a character typed as two (an emoji) is followed at
  // once by its second; the text is reported whole, with both.
  if (!text.empty() && isHighSurrogate(text.back())) return;
  static_cast<forms::TextBox&>(control).userEdited(toUtf8(text));
}

void NativeControls::command(HWND child, UINT code) {
  forms::Control* control = controlOf(child);
  if (control == nullptr) return;
  switch (control->kind()) {
    case forms::ControlKind::Button:
      if (code == BN_CLICKED) control->click();
      break;
    case forms::ControlKind::CheckBox:
      if (code == BN_CLICKED) static_cast<forms::CheckBox&>(*control).userClick();
      break;
    case forms::ControlKind::TextBox:
      if (code == EN_CHANGE) reportEdit(*control, child);
      break;
    default:
      break;
  }
}

void NativeControls::focus(forms::Control& control) {
  if (const HWND window = windowOf(control)) SetFocus(window);
}

LRESULT CALLBACK NativeControls::pointerRelay(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR, DWORD_PTR data) noexcept {
  // A native control hears the pointer itself: x and y in twips from its
  // edges, as every control reports them.
  try {
    auto* self = reinterpret_cast<NativeControls*>(data);
    forms::Control* control = self->controlOf(window);
    if (control != nullptr) {
      forms::MouseEvent e;
      e.x = GET_X_LPARAM(lParam) * forms::kTwipsPerPixel;
      e.y = GET_Y_LPARAM(lParam) * forms::kTwipsPerPixel;
      e.shift = ((wParam & MK_SHIFT) ? 1 : 0) | ((wParam & MK_CONTROL) ? 2 : 0);
      switch (message) {
        case WM_MOUSEMOVE:
          e.button = ((wParam & MK_LBUTTON) ? 1 : 0) | ((wParam & MK_RBUTTON) ? 2 : 0);
          control->mouseMove(e);
          break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
          e.button = message == WM_LBUTTONDOWN ? 1 : 2;
          control->mouseDown(e);
          break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
          e.button = message == WM_LBUTTONUP ? 1 : 2;
          control->mouseUp(e);
          break;
        default:
          break;
      }
    }
  } catch (...) {
    assert(false && "a pointer handler of a native control failed");
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace win32
