#pragma once
// The tray icon of the main window: one record for the whole run, added with
// the start-up balloon, added again (without balloon) whenever the window
// goes to the tray or the shell comes back, and deleted at exit.

#include "forms/Form.h"
#include "platform/Registry.h"
#include "platform/Tray.h"

namespace minMenu {

// The callback message: tray events arrive as mouse moves of the main window
// whose x is the event's code.
inline constexpr unsigned kCallbackMessage = 512;
inline constexpr unsigned kBalloonTimeout = 10000;
inline constexpr const char* kDefaultTipTitle = "Vanto";
inline constexpr const char* kDefaultTipMsg = "Here ^A^m I ！";

// The items that both tray menus hold, each with the same caption; the
// upward menu lists them in the reverse order.
inline constexpr const char* kAutorunCaption = "开机启动";
inline constexpr const char* kShutDownCaption = "关闭功能";
inline constexpr const char* kHelpCaption = "帮助";
inline constexpr const char* kGoOutCaption = "退出";

// Gives the four items of a tray menu their design captions.
void captionItems(forms::MenuItem& autorun, forms::MenuItem& shutDown, forms::MenuItem& help,
                  forms::MenuItem& goOut);

class TrayIcon {
 public:
  TrayIcon(platform::Tray& tray, platform::Registry& registry)
      : tray_(tray), registry_(registry) {}

  // Puts the main window into the minimised state and adds the icon with the
  // balloon the settings ask for.
  void addTrayIcon(forms::Form& main);
  // Adds the icon again without touching the balloon fields. While the icon
  // exists this fails and changes nothing.
  void addAgain(const forms::Form& main);
  void removeTrayIcon();

  [[nodiscard]] const platform::TrayRecord& record() const { return record_; }

 private:
  void fillCommon(const forms::Form& main, unsigned flags);

  platform::Tray& tray_;
  platform::Registry& registry_;
  platform::TrayRecord record_;
};

}  // namespace minMenu
