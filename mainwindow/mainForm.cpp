#include "mainwindow/mainForm.h"

#include <cmath>

#include "ghost/GhostForm.h"
#include "ghost/HoverWatch.h"
#include "help/helpForm.h"
#include "tipdialog/setingForm.h"
#include "mainwindow/TextField.h"
#include "resources/resource.h"
#include "settings/autorunModule.h"
#include "winops/Top.h"
#include "winops/keySate.h"

namespace {

constexpr int kTrayMouseMove = 512;
constexpr int kTrayLeftUp = 514;
constexpr int kTrayRightUp = 517;
constexpr int kMenuUpLimit = 300;
constexpr int kFirstRunWriteTries = 4;
constexpr std::int32_t kVkControl = 17;
constexpr std::int32_t kVkLButton = 1;
constexpr std::size_t kWindowTextChars = 255;

const forms::Color kGreen{0, 192, 0};
const forms::Color kBlue{0, 0, 255};
const forms::Font kSmallFont{"宋体", 9, 134, false};

int roundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace

mainForm::mainForm(forms::Host& host, platform::Desktop& desktop, platform::Registry& registry,
                   platform::Tray& tray)
    : Form(host, "mainForm"),
      desktop_(desktop),
      registry_(registry),
      tray_(tray, registry),
      slider_(desktop, {buttonCover, ITransp, Image2, Label3},
              {[this] { return TargetHWnd; },
               // With "adjust myself" checked a drag acts on this window.
               [this] { return Check1.value() == 1 ? hwnd() : TargetHWnd; }, &watchTimer,
               &Command4}),
      hover_(std::make_unique<HoverWatch>(*this, desktop)) {
  add(&downMinMenu);
  downMinMenu.items = {&autorun, &shutDown, &help, &goOut};

  loadEvent.connect([this] { Form_Load(); });
  unloadEvent.connect([this] { Form_Unload(); });
  resize.connect([this] { Form_Resize(); });
  mouseMove.connect([this](const forms::MouseEvent& e) { Form_MouseMove(e); });
  shellRestarted.connect([this] { tray_.addAgain(*this); });

  Check1.click.connect([this] { Check1_Click(); });
  Check2.click.connect([this] { Check2_Click(); });
  Check3.click.connect([this] { Check3_Click(); });
  Command3.click.connect([this] { Command3_Click(); });
  Command4.click.connect([this] { Command4_Click(); });
  Command1.click.connect([this] { Command1_Click(); });
  // The settings button shows itself when the pointer passes over help.
  Command1.mouseMove.connect([this](const forms::MouseEvent&) { Command4.setVisible(true); });
  Timer1.tick.connect([this] { Timer1_Timer(); });
  watchTimer.tick.connect([this] { hover_->watchTimer_Timer(); });
  watchConfirmTimer.tick.connect([this] { hover_->watchConfirmTimer_Timer(); });
  Command2.click.connect([this] { hover_->Command2_Click(); });
  Label1.mouseMove.connect([this](const forms::MouseEvent&) { hover_->label_MouseMove(); });
  Label2.mouseMove.connect([this](const forms::MouseEvent&) { hover_->label_MouseMove(); });

  autorun.click.connect([this] { autorunClick(); });
  shutDown.click.connect([this] { shutDownClick(); });
  help.click.connect([this] { helpClick(); });
  goOut.click.connect([this] { goOutClick(); });
}

mainForm::~mainForm() = default;

void mainForm::design() {
  designWindow(kCaption, IDI_SKYVANE, forms::BorderStyle::FixedSingle, 267, 66);
  designButtons(true, false, true);

  Command4.design({3, 32, 49, 33}, "设置", 9);
  Command4.setVisible(false);
  Check3.design({176, 50, 97, 17}, "置顶目标", 4);
  Check3.designValue(0);
  Check3.setEnabled(false);
  Check3.setFont(kSmallFont);
  Check1.design({176, 32, 97, 17}, "设置自己", 3);
  Check1.designValue(0);
  Command1.design({3, 3, 49, 30}, "帮助", 2);
  Command3.design({56, 3, 105, 30}, kPickCaption, 1);
  Check2.design({176, 8, 97, 25}, "置顶本窗口", 0);
  Check2.designValue(0);
  Command2.design({56, 3, 105, 30}, "开启功能", 8);
  Command2.setVisible(false);
  buttonCover.design({144, 42, 16, 20}, "", 0);
  ITransp.design({144, 42, 16, 20}, "", 0);
  Label1.design({72, 72, 193, 41}, "", 6);
  Label1.setForeColor(kGreen);
  Label2.design({0, 72, 65, 25}, "", 5);
  Image2.design({0, 40, 176, 24}, "", 0);
  Label3.design({24, 48, 97, 17}, TransparencySlider::labelText(255), 7);
  Label3.setForeColor(kBlue);
  TransparencySlider::designLooks({buttonCover, ITransp, Image2, Label3});

  watchConfirmTimer.setInterval(2000);
  watchConfirmTimer.setEnabled(true);
  watchTimer.setInterval(1500);
  watchTimer.setEnabled(false);
  Timer1.setInterval(100);
  Timer1.setEnabled(false);

  downMinMenu.caption = "菜单";
  minMenu::captionItems(autorun, shutDown, help, goOut);
  downMinMenu.designItems();
}

GhostForm& mainForm::ghostWindow() {
  if (!ghost_) ghost_ = std::make_unique<GhostForm>(host(), desktop_, *this);
  return *ghost_;
}

setingForm& mainForm::tipDialog() {
  if (!seting_) seting_ = std::make_unique<setingForm>(host(), registry_, *this);
  return *seting_;
}

helpForm& mainForm::helpWindow() {
  if (!help_) help_ = std::make_unique<helpForm>(host(), *this);
  return *help_;
}

void mainForm::Form_Load() {
  if (host().previousInstance()) {
    unload();
    return;
  }
  tray_.addTrayIcon(*this);

  const std::string autorunSetting =
      autorunModule::readSetting(registry_, autorunModule::kAutorunName);
  if (autorunSetting == autorunModule::kAutorunOn) {
    checkBothMenus(&mainForm::autorun, &helpForm::autorun, true);
  } else if (autorunSetting.empty()) {
    // First run, or the marker cannot be read: show the window on top and
    // write the marker, trying a few times.
    setWindowState(forms::WindowState::Normal);
    show();
    Check2.setValue(1);
    for (int i = 0; i < kFirstRunWriteTries; ++i) {
      if (autorunModule::writeSetting(registry_, autorunModule::kAutorunName,
                                      autorunModule::kAutorunOff)) break;
    }
  }

  // Centre a window of 4080 x 1440 twips, in single precision as designed.
  const float left = static_cast<float>(host().screenWidthTwips()) / 2.0f - 2040.0f;
  const float top = static_cast<float>(host().screenHeightTwips()) / 2.0f - 720.0f;
  setLeft(roundHalfEven(left));
  setTop(roundHalfEven(top));
}

void mainForm::Form_Unload() {
  tray_.removeTrayIcon();
  // A window never loaded is not loaded for this.
  if (ghost_) ghost_->unload();
  if (help_) help_->unload();
  if (seting_) seting_->unload();
}

void mainForm::Form_Resize() {
  if (windowState() != forms::WindowState::Minimized) return;
  tray_.addAgain(*this);
  hide();
  watchTimer.setEnabled(true);
}

void mainForm::Form_MouseMove(const forms::MouseEvent& e) {
  if (windowState() == forms::WindowState::Normal) {
    if (watchTimer.enabled()) watchTimer.setEnabled(false);
    if (Command4.visible()) Command4.setVisible(false);
  }
  switch (roundHalfEven(e.x)) {
    case kTrayLeftUp:
      restoreFromTray();
      break;
    case kTrayRightUp:
      showTrayMenu();
      break;
    case kTrayMouseMove:
    default:
      break;
  }
}

void mainForm::showOnTop() {
  setWindowState(forms::WindowState::Normal);
  show();
  Check2.setValue(1);
}

void mainForm::restoreFromTray() {
  showOnTop();
  setHeight(kNormalHeight);
  Command3.setCaption(kPickCaption);
  if (ghost_ && ghost_->loaded()) ghost_->hide();
}

void mainForm::showTrayMenu() {
  cursorPos = desktop_.cursorPos();
  menuUp = cursorPos.y <= kMenuUpLimit;
  (void)desktop_.setForegroundWindow(hwnd());
  if (menuUp) {
    helpForm& helpWin = helpWindow();
    helpWin.load();
    popupMenu(helpWin.UpMinMenu);
  } else {
    popupMenu(downMinMenu);
  }
}

void mainForm::Check1_Click() {
  if (Check1.value() == 1) Check3.setEnabled(false);
}

void mainForm::Check2_Click() { Top::setTopmost(desktop_, hwnd(), Check2.value() == 1); }

void mainForm::Check3_Click() {
  if (TargetHWnd == 0) {
    (void)host().messageBox(kNoTargetMessage, caption(), forms::kMbOk);
    Command3.setFocus();
    return;
  }
  Top::setTopmost(desktop_, TargetHWnd, Check3.value() == 1);
  // Putting the target on top activated it; the user is still working here.
  (void)desktop_.setForegroundWindow(hwnd());
}

void mainForm::Command3_Click() {
  const std::string state = Command3.caption();
  if (state == kPickCaption) {
    setHeight(kPickingHeight);
    Command3.setCaption(kCancelCaption);
    host().doEvents();
    Check2.setValue(1);
    Label2.setCaption(kCurrentWindow);
    host().doEvents();
    Label1.setVisible(true);
    Label2.setVisible(true);
    Timer1.setEnabled(true);
  } else if (state == kCancelCaption) {
    Timer1.setEnabled(false);
    if (TargetHWnd != 0) {
      Command3.setCaption(kRepickCaption);
    } else {
      Command3.setCaption(kPickCaption);
      setHeight(kNormalHeight);
      Check2.setValue(0);
      Label1.setVisible(false);
      Label2.setVisible(false);
    }
  } else if (state == kRepickCaption) {
    Command3.setCaption(kCancelCaption);
    Timer1.setEnabled(true);
    Check2.setValue(1);
    Label1.setVisible(true);
    Label2.setCaption(kCurrentWindow);
    Label2.setVisible(true);
  }
}

void mainForm::Timer1_Timer() {
  const platform::Hwnd under = desktop_.windowFromPoint(desktop_.cursorPos());
  const std::string text = minMenu::fitField(desktop_.windowText(under), kWindowTextChars);
  Label1.setCaption(text);
  // Both keys are asked every tick: each query also clears the key's
  // "pressed since the last query" mark.
  const bool control = keySate::isKeyDown(desktop_, kVkControl);
  const bool button = keySate::isKeyDown(desktop_, kVkLButton);
  if (!(control && button)) return;
  // This window, and any whose text contains its caption, cannot be picked.
  if (text.find(caption()) != std::string::npos) return;
  Timer1.setEnabled(false);
  TargetHWnd = under;
  Label2.setCaption(kTargetWindow);
  Check3.setEnabled(true);
  Command3.setCaption(kRepickCaption);
  Check2_Click();
}

bool mainForm::switchAutostart(bool on) {
  const bool stored = autorunModule::readSetting(registry_, autorunModule::kAutorunName) ==
                      autorunModule::kAutorunOn;
  if (stored == on) return true;
  if (!autorunModule::setAutostart(
          registry_, caption(), autorunModule::autostartCommand(host().exeFolder(), host().exeName()),
          on)) {
    return false;
  }
  (void)autorunModule::writeSetting(registry_, autorunModule::kAutorunName,
                                    on ? autorunModule::kAutorunOn : autorunModule::kAutorunOff);
  return true;
}

void mainForm::autorunClick() {
  // The check mark is the state the menu knows; it turns only when the
  // entry did.
  if (!switchAutostart(!autorun.checked)) return;
  checkBothMenus(&mainForm::autorun, &helpForm::autorun, !autorun.checked);
}

void mainForm::Command4_Click() {
  Check2.setValue(0);
  setWindowState(forms::WindowState::Minimized);
  tipDialog().open();
  Command4.setVisible(false);
}

void mainForm::shutDownClick() { hover_->shutDownClick(); }

void mainForm::setShutDownChecked(bool checked) {
  checkBothMenus(&mainForm::shutDown, &helpForm::shutDown, checked);
}

void mainForm::checkBothMenus(forms::MenuItem mainForm::*mine, forms::MenuItem helpForm::*helps,
                              bool checked) {
  (this->*mine).checked = checked;
  // The help window holds the other menu: it is loaded, not shown, for it.
  helpForm& helpWin = helpWindow();
  helpWin.load();
  (helpWin.*helps).checked = checked;
}

void mainForm::Command1_Click() {
  setWindowState(forms::WindowState::Minimized);
  helpForm& helpWin = helpWindow();
  helpWin.show();
  Command4.setVisible(false);
  // Onto the help window's title bar, in the corner the hover watch looks
  // at: it shows the panel there, as the page describes.
  const auto x = roundHalfEven(static_cast<double>(helpWin.left()) / host().twipsPerPixelX() + 10);
  const auto y = roundHalfEven(static_cast<double>(helpWin.top()) / host().twipsPerPixelY() + 8);
  (void)desktop_.setCursorPos({static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)});
}

void mainForm::helpClick() {
  Command1_Click();
  closeHelpOnly = true;
}

void mainForm::goOutClick() { unload(); }
