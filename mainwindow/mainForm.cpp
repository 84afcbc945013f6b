#include "mainwindow/mainForm.h"

#include <cmath>

#include "help/helpForm.h"
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
               &Command4}) {
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
  Timer1.tick.connect([this] { Timer1_Timer(); });

  autorun.click.connect([this] { autorunClick(); });
  shutDown.click.connect([this] { shutDownClick(); });
  help.click.connect([this] { helpClick(); });
  goOut.click.connect([this] { goOutClick(); });
}

mainForm::~mainForm() = default;

void mainForm::design() {
  designWindow(kCaption, IDI_SKYVANE, forms::BorderStyle::FixedSingle, 267, 66);
  designButtons(true, false, true);

  const auto place = [](forms::Control& c, int left, int top, int width, int height,
                        const std::string& caption, int tabIndex) {
    c.setBounds({left, top, width, height});
    c.setCaption(caption);
    c.setTabIndex(tabIndex);
    c.setVisible(true);
    c.setEnabled(true);
    c.setFont(forms::Font{});
    c.setForeColor(std::nullopt);
    c.setTooltip("");
  };
  place(Command4, 3, 32, 49, 33, "设置", 9);
  Command4.setVisible(false);
  place(Check3, 176, 50, 97, 17, "置顶目标", 4);
  Check3.designValue(0);
  Check3.setEnabled(false);
  Check3.setFont(kSmallFont);
  place(Check1, 176, 32, 97, 17, "设置自己", 3);
  Check1.designValue(0);
  place(Command1, 3, 3, 49, 30, "帮助", 2);
  place(Command3, 56, 3, 105, 30, kPickCaption, 1);
  place(Check2, 176, 8, 97, 25, "置顶本窗口", 0);
  Check2.designValue(0);
  place(Command2, 56, 3, 105, 30, "开启功能", 8);
  Command2.setVisible(false);
  place(buttonCover, 144, 42, 16, 20, "", 0);
  buttonCover.setPicture(IDP_THUMB_NORMAL);
  place(ITransp, 144, 42, 16, 20, "", 0);
  ITransp.setPicture(IDP_THUMB_HOT);
  ITransp.setTooltip("拖动以调节透明度");
  place(Label1, 72, 72, 193, 41, "", 6);
  Label1.setForeColor(kGreen);
  place(Label2, 0, 72, 65, 25, "", 5);
  place(Image2, 0, 40, 176, 24, "", 0);
  Image2.setPicture(IDP_TRACK);
  Image2.setTooltip("调节透明度");
  place(Label3, 24, 48, 97, 17, std::to_string(255) + TransparencySlider::kLabelSuffix, 7);
  Label3.setForeColor(kBlue);
  Label3.setFont(kSmallFont);

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
    autorun.checked = true;
    helpWindow().load();
    helpWindow().autorun.checked = true;
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
  // The ghost panel and the tip dialog join this order when they exist.
  if (help_) help_->unload();
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

void mainForm::restoreFromTray() {
  setWindowState(forms::WindowState::Normal);
  show();
  Check2.setValue(1);
  setHeight(kNormalHeight);
  Command3.setCaption(kPickCaption);
  // The ghost panel is hidden here too once it exists.
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

void mainForm::autorunClick() {
  // Autostart registration comes with its own piece of work.
}

void mainForm::shutDownClick() {
  // The hover function's switch comes with the hover watch.
}

void mainForm::helpClick() {
  // The help window's page comes with the help window.
}

void mainForm::goOutClick() { unload(); }
