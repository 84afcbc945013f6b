#include "ghost/HoverWatch.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "ghost/GhostForm.h"
#include "mainwindow/TextField.h"
#include "mainwindow/mainForm.h"
#include "settings/autorunModule.h"
#include "winops/SearchWindow.h"
#include "winops/Top.h"
#include "winops/Transparent.h"

namespace {

constexpr std::size_t kWindowTextChars = 255;

// Pixels to twips at the program's fixed 15 per pixel; a place beyond what
// a 32-bit twip count holds stays at its end.
int toTwips(std::int64_t pixels) {
  const std::int64_t twips = pixels * forms::kTwipsPerPixel;
  return static_cast<int>(std::clamp<std::int64_t>(twips, std::numeric_limits<std::int32_t>::min(),
                                                   std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

bool HoverWatch::inCornerZone(const platform::Rect& window, platform::Point cursor) {
  // Differences as 32-bit values, the way the system's coordinates are.
  const auto dx = static_cast<std::int32_t>(static_cast<std::uint32_t>(cursor.x) -
                                            static_cast<std::uint32_t>(window.left));
  const auto dy = static_cast<std::int32_t>(static_cast<std::uint32_t>(cursor.y) -
                                            static_cast<std::uint32_t>(window.top));
  return dx >= 1 && dx <= kZoneSize && dy >= 1 && dy <= kZoneSize;
}

void HoverWatch::watchTimer_Timer() {
  if (main_.hoverOff) {
    main_.watchTimer.setEnabled(false);
    return;
  }
  main_.cursorPos = desktop_.cursorPos();
  main_.hoverHwnd = desktop_.windowFromPoint(main_.cursorPos);
  if (main_.hoverHwnd == 0) return;
  const platform::Rect rect = desktop_.windowRect(main_.hoverHwnd);
  const std::string text = minMenu::fitField(desktop_.windowText(main_.hoverHwnd), kWindowTextChars);
  main_.hoverTitle = std::string(autorunModule::trimSpaces(text));

  // The pointer on the panel itself: nothing changes while it stays there.
  // The caption never changes, so the panel need not be loaded to ask it.
  if (main_.hoverTitle.find(GhostForm::kCaption) != std::string::npos) return;

  if (inCornerZone(rect, main_.cursorPos)) {
    if (!SearchWindow::isTargetAlive(desktop_, main_.hoverHwnd, main_.hoverTitle)) return;
    // Already up for this window.
    if (main_.TargetHWnd == main_.hoverHwnd && main_.ghostShown) return;
    main_.ghostShown = true;
    main_.TargetHWnd = main_.hoverHwnd;
    showPanelFor(rect);
  } else if (main_.ghostShown) {
    main_.ghostWindow().hide();
    main_.ghostShown = false;
  }
}

void HoverWatch::showPanelFor(const platform::Rect& window) {
  GhostForm& ghost = main_.ghostWindow();
  // Loaded (which lays it out as designed), then placed, then shown: it
  // never flashes at its old place.
  ghost.load();
  ghost.setLeft(toTwips(static_cast<std::int64_t>(window.left) + kPanelOffsetX));
  ghost.setTop(toTwips(static_cast<std::int64_t>(window.top) + kPanelOffsetY));
  ghost.show();
  // On top, and still the window the user was typing in keeps the focus.
  Top::setTopmost(desktop_, ghost.hwnd(), true, Top::Activation::Keep);
  const bool pinned = Transparent::isTopmost(desktop_, main_.TargetHWnd);
  ghost.IDown.setVisible(!pinned);
  ghost.ITop.setVisible(pinned);
}

void HoverWatch::watchConfirmTimer_Timer() {
  if (!main_.watchTimer.enabled() && !main_.hoverOff) main_.watchTimer.setEnabled(true);
  main_.watchConfirmTimer.setEnabled(false);
}

void HoverWatch::shutDownClick() {
  if (!main_.shutDown.checked) {
    main_.watchTimer.setEnabled(false);
    main_.hoverOff = true;
    main_.Command2.setVisible(true);
    main_.Command3.setVisible(false);
  } else {
    main_.hoverOff = false;
    main_.watchTimer.setEnabled(true);
    main_.Command2.setVisible(false);
    main_.Command3.setVisible(true);
  }
  main_.setShutDownChecked(!main_.shutDown.checked);
}

void HoverWatch::Command2_Click() {
  main_.Command2.setVisible(false);
  main_.Command3.setVisible(true);
  main_.hoverOff = false;
  // The watch resumes at the next switch-on, such as going to the tray.
  main_.setShutDownChecked(false);
}

void HoverWatch::label_MouseMove() {
  if (main_.watchTimer.enabled()) main_.watchTimer.setEnabled(false);
}
