#pragma once
// The hover watch: while the main window is out of the way, a tick of its
// watchTimer looks at the window under the pointer and, when the pointer
// rests in that window's top-left corner, shows the ghost panel beside the
// corner with that window as the target; it hides the panel again when the
// pointer goes elsewhere. The main window's timers, menu items, button and
// labels forward to it; the state it keeps is the main window's.

#include "platform/Desktop.h"

class mainForm;

class HoverWatch {
 public:
  // The corner zone lies 1..24 pixels in from a window's left and top
  // edges; the panel is placed this many pixels right of and below them.
  static constexpr int kZoneSize = 24;
  static constexpr int kPanelOffsetX = 25;
  static constexpr int kPanelOffsetY = 5;

  HoverWatch(mainForm& main, platform::Desktop& desktop) : main_(main), desktop_(desktop) {}

  [[nodiscard]] static bool inCornerZone(const platform::Rect& window, platform::Point cursor);

  void watchTimer_Timer();
  void watchConfirmTimer_Timer();
  // Switches the hover function off or on, by the shutDown item's mark.
  void shutDownClick();
  // The "switch on" button shown while the function is off.
  void Command2_Click();
  // The pointer over one of the main window's labels.
  void label_MouseMove();

 private:
  void showPanelFor(const platform::Rect& window);

  mainForm& main_;
  platform::Desktop& desktop_;
};
