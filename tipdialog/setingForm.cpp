#include "tipdialog/setingForm.h"

#include "mainwindow/mainForm.h"
#include "mainwindow/minMenu.h"
#include "resources/resource.h"
#include "settings/autorunModule.h"

setingForm::setingForm(forms::Host& host, platform::Registry& registry, mainForm& main)
    : Form(host, "setingForm"), registry_(registry), main_(main) {
  Command1.click.connect([this] { Command1_Click(); });
  Command2.click.connect([this] { Command2_Click(); });
  Text1.change.connect([this] { titleChanged_ = true; });
  Text2.change.connect([this] { Text2_Change(); });
  mouseMove.connect([this](const forms::MouseEvent&) { saveTipChange(); });
  unloadEvent.connect([this] { Form_Unload(); });
}

void setingForm::design() {
  designWindow(kCaption, IDI_SKYVANE, forms::BorderStyle::FixedDialog, 5535 / 15, 2205 / 15);
  designButtons(false, false, true);

  Image2.design({8, 8, 217, 89});
  Image2.setVisible(false);
  Image2.setTooltip("开启显示提示语后，才可以设置");
  Frame1.design({8, 8, 217, 89}, kFrameCaption, 2);
  for (forms::Control* c : {static_cast<forms::Control*>(&Label1), static_cast<forms::Control*>(&Text1),
                            static_cast<forms::Control*>(&Label2), static_cast<forms::Control*>(&Text2)}) {
    c->setContainer(&Frame1);
  }
  Label1.design({8, 24, 89, 17}, "Title =", 3);  // 宋体 10.5 pt, the default
  // The designed texts are no change.
  Text1.design({64, 16, 145, 25}, minMenu::kDefaultTipTitle, 4);
  Label2.design({8, 56, 89, 17}, " Msg  =", 5);
  Text2.design({64, 48, 145, 25}, minMenu::kDefaultTipMsg, 6);
  Command2.design({8, 104, 217, 41}, kHideTip, 1);
  Command1.design({232, 104, 137, 41}, kAutostartOn, 0);
  Image1.design({232, 0, 156, 96});
  Image1.setPicture(IDP_BALLOON);
}

void setingForm::open() {
  show();
  // Filling counts as a change wherever it changes a box.
  Text1.setText(autorunModule::valueOr(
      autorunModule::readSettingStatus(registry_, autorunModule::kTipTitleName),
      minMenu::kDefaultTipTitle));
  Text2.setText(autorunModule::valueOr(
      autorunModule::readSettingStatus(registry_, autorunModule::kTipMsgName),
      minMenu::kDefaultTipMsg));
  // A freshly loaded dialog has the on looks; opening only moves to off.
  if (autorunModule::readSetting(registry_, autorunModule::kShowTipName) ==
      autorunModule::kTipHidden) {
    showTipOffLook(true);
  }
  if (autorunModule::readSetting(registry_, autorunModule::kAutorunName) ==
      autorunModule::kAutorunOn) {
    Command1.setCaption(kAutostartOff);
  }
}

void setingForm::saveTipChange() {
  // Each flag is cleared whether or not its write went through.
  if (titleChanged_) {
    (void)autorunModule::writeSetting(registry_, autorunModule::kTipTitleName,
                                      autorunModule::trimSpaces(Text1.text()));
    titleChanged_ = false;
  }
  if (msgChanged_) {
    (void)autorunModule::writeSetting(registry_, autorunModule::kTipMsgName,
                                      autorunModule::trimSpaces(Text2.text()));
    msgChanged_ = false;
  }
}

void setingForm::Command1_Click() {
  const bool switchOn = Command1.caption() == kAutostartOn;
  // Nothing claims an autostart that could not be written or removed.
  if (!main_.switchAutostart(switchOn)) return;
  Command1.setCaption(switchOn ? kAutostartOff : kAutostartOn);
  main_.autorun.caption = switchOn ? kAutostartOff : minMenu::kAutorunCaption;
}

void setingForm::Command2_Click() {
  const bool switchOff = Command2.caption() == kHideTip;
  showTipOffLook(switchOff);
  const char* wanted = switchOff ? autorunModule::kTipHidden : autorunModule::kTipShown;
  if (autorunModule::readSetting(registry_, autorunModule::kShowTipName) != wanted) {
    (void)autorunModule::writeSetting(registry_, autorunModule::kShowTipName, wanted);
  }
}

void setingForm::showTipOffLook(bool off) {
  Command2.setCaption(off ? kShowTip : kHideTip);
  Frame1.setEnabled(!off);
  // Over the disabled boxes, only to tell why they take no input.
  Image2.setVisible(off);
}

void setingForm::Text2_Change() {
  if (autorunModule::trimSpaces(Text2.text()).empty()) {
    Frame1.setCaption(kEmptyMsgWarning);
  } else if (Frame1.caption() == kEmptyMsgWarning) {
    Frame1.setCaption(kFrameCaption);
  }
  msgChanged_ = true;
}

void setingForm::Form_Unload() {
  // What was typed is kept even when the pointer never crossed the
  // background; then the main window comes back, on top.
  saveTipChange();
  main_.showOnTop();
}
