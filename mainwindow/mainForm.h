#pragma once
// The main window: the hub of the program. It owns the shared state, the
// tray icon and the secondary windows, and its unloading ends the program.

#include <memory>
#include <string>

#include "forms/Form.h"
#include "mainwindow/minMenu.h"
#include "slider/TransparencySlider.h"
#include "platform/Desktop.h"
#include "platform/Registry.h"
#include "platform/Tray.h"

class GhostForm;
class HoverWatch;
class helpForm;
class setingForm;

class mainForm final : public forms::Form {
 public:
  static constexpr const char* kCaption = "SkyvaneV2.59";
  static constexpr const char* kNoTargetMessage = "请先设置目标窗口！";
  static constexpr const char* kPickCaption = "选择窗口";
  static constexpr const char* kCancelCaption = "取消操作";
  static constexpr const char* kRepickCaption = "重选窗口";
  static constexpr const char* kCurrentWindow = "当前窗口";
  static constexpr const char* kTargetWindow = "目标窗口";
  static constexpr int kNormalHeight = 1440;
  static constexpr int kPickingHeight = 1845;

  mainForm(forms::Host& host, platform::Desktop& desktop, platform::Registry& registry,
           platform::Tray& tray);
  ~mainForm() override;

  // Controls, in the order of the design (their creation order).
  forms::Button Command4{*this, "Command4"};
  forms::Timer watchConfirmTimer{*this, "watchConfirmTimer"};
  forms::Timer watchTimer{*this, "watchTimer"};
  forms::CheckBox Check3{*this, "Check3"};
  forms::CheckBox Check1{*this, "Check1"};
  forms::Button Command1{*this, "Command1"};
  forms::Button Command3{*this, "Command3"};
  forms::CheckBox Check2{*this, "Check2"};
  forms::Timer Timer1{*this, "Timer1"};
  forms::Button Command2{*this, "Command2"};
  forms::Image buttonCover{*this, "buttonCover"};
  forms::Image ITransp{*this, "ITransp"};
  forms::Label Label1{*this, "Label1"};
  forms::Label Label2{*this, "Label2"};
  forms::Image Image2{*this, "Image2"};
  forms::Label Label3{*this, "Label3"};

  forms::Menu downMinMenu{"downMinMenu"};
  forms::MenuItem autorun{"autorun"};
  forms::MenuItem shutDown{"shutDown"};
  forms::MenuItem help{"help"};
  forms::MenuItem goOut{"goOut"};

  // Shared state.
  platform::Hwnd TargetHWnd = 0;
  bool closeHelpOnly = false;
  // The hover watch's (ghost/HoverWatch): the pointer at its last sample
  // (the tray menu's too), the window under it with its trimmed text,
  // whether the panel is up for it, and whether the user switched the
  // function off.
  platform::Point cursorPos;
  platform::Hwnd hoverHwnd = 0;
  std::string hoverTitle;
  bool ghostShown = false;
  bool hoverOff = false;

  // What the items of both tray menus call.
  void autorunClick();
  void goOutClick();
  void helpClick();
  void shutDownClick();
  // The check mark of the shutDown items of both tray menus.
  void setShutDownChecked(bool checked);
  // Switches autostart on or off where the stored setting says otherwise:
  // the Run entry, then the setting. False, with nothing changed, when the
  // entry could not be written or removed.
  [[nodiscard]] bool switchAutostart(bool on);
  // The window back from the tray, shown normally and on top: the first
  // steps of the restore by a click on the tray icon.
  void showOnTop();

  // The help window's object, created on first reference (not loaded).
  helpForm& helpWindow();
  [[nodiscard]] bool hasHelpWindow() const { return help_ != nullptr; }
  // The tip dialog's object, created on first reference (not loaded).
  setingForm& tipDialog();
  [[nodiscard]] bool hasTipDialog() const { return seting_ != nullptr; }
  // The ghost panel's object, created on first reference (not loaded).
  GhostForm& ghostWindow();
  [[nodiscard]] bool hasGhostWindow() const { return ghost_ != nullptr; }

  [[nodiscard]] const minMenu::TrayIcon& trayIcon() const { return tray_; }
  [[nodiscard]] const TransparencySlider& slider() const { return slider_; }
  [[nodiscard]] bool menuIsUp() const { return menuUp; }
  [[nodiscard]] platform::Point lastCursorPos() const { return cursorPos; }

 protected:
  void design() override;

 private:
  void Form_Load();
  void Form_Unload();
  void Form_Resize();
  void Form_MouseMove(const forms::MouseEvent& e);
  void Check1_Click();
  void Check2_Click();
  void Check3_Click();
  void Command3_Click();
  void Command1_Click();
  void Command4_Click();
  void Timer1_Timer();
  void restoreFromTray();
  // The check mark of one item in both tray menus, the downward one here
  // and the upward one of the help window.
  void checkBothMenus(forms::MenuItem mainForm::*mine, forms::MenuItem helpForm::*helps,
                      bool checked);
  void showTrayMenu();

  platform::Desktop& desktop_;
  platform::Registry& registry_;
  minMenu::TrayIcon tray_;
  TransparencySlider slider_;
  std::unique_ptr<HoverWatch> hover_;
  std::unique_ptr<helpForm> help_;
  std::unique_ptr<GhostForm> ghost_;
  std::unique_ptr<setingForm> seting_;

  // Private state; it starts at zero. The slider keeps its own (dragging,
  // sliderValue, lastMouseX).
  bool menuUp = false;
};
