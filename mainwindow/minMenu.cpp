#include "mainwindow/minMenu.h"

#include "mainwindow/TextField.h"
#include "settings/autorunModule.h"

namespace minMenu {

void TrayIcon::fillCommon(const forms::Form& main, unsigned flags) {
  const std::uintptr_t icon = main.host().iconHandle(main);
  record_.hwnd = main.hwnd();
  record_.id = static_cast<std::uint32_t>(icon);
  record_.flags = flags;
  record_.callbackMessage = kCallbackMessage;
  record_.icon = icon;
  record_.tip = fitField(main.caption(), platform::kTrayTipChars);
  record_.state = 0;
  record_.stateMask = 0;
}

void TrayIcon::addTrayIcon(forms::Form& main) {
  main.setWindowState(forms::WindowState::Minimized);

  std::string title;
  std::string message;
  if (autorunModule::readSetting(registry_, autorunModule::kShowTipName) != autorunModule::kTipHidden) {
    title = autorunModule::valueOr(
        autorunModule::readSettingStatus(registry_, autorunModule::kTipTitleName),
        kDefaultTipTitle);
    message = autorunModule::valueOr(
        autorunModule::readSettingStatus(registry_, autorunModule::kTipMsgName), kDefaultTipMsg);
  }

  fillCommon(main, platform::kNifMessage | platform::kNifIcon | platform::kNifTip |
                       platform::kNifInfo);
  // An empty message makes the shell show no balloon.
  record_.info = fitField(message, platform::kTrayInfoChars);
  record_.timeout = kBalloonTimeout;
  record_.infoTitle = fitField(title, platform::kTrayInfoTitleChars);
  record_.infoFlags = platform::kNiifInfo;
  (void)tray_.notify(platform::TrayCommand::Add, record_);
}

void TrayIcon::addAgain(const forms::Form& main) {
  fillCommon(main, platform::kNifMessage | platform::kNifIcon | platform::kNifTip);
  (void)tray_.notify(platform::TrayCommand::Add, record_);
}

void TrayIcon::removeTrayIcon() {
  // A second instance unloads before it ever added an icon: nothing to take.
  if (record_.hwnd == 0) return;
  (void)tray_.notify(platform::TrayCommand::Delete, record_);
}

void captionItems(forms::MenuItem& autorun, forms::MenuItem& shutDown, forms::MenuItem& help,
                  forms::MenuItem& goOut) {
  autorun.caption = kAutorunCaption;
  shutDown.caption = kShutDownCaption;
  help.caption = kHelpCaption;
  goOut.caption = kGoOutCaption;
}

}  // namespace minMenu
