#pragma once
// The start-up tip dialog: edits the title and the message of the balloon
// that the tray icon shows at start-up, and switches that balloon and
// autostart on and off. Everything it shows is read from the settings when
// it opens; each switch is stored when pressed, and the texts when the
// pointer passes over the dialog's bare background or the dialog closes.

#include <string>

#include "forms/Control.h"
#include "forms/Form.h"
#include "platform/Registry.h"

class mainForm;

class setingForm final : public forms::Form {
 public:
  static constexpr const char* kCaption = "设置";
  // The captions that are the states of the two switches.
  static constexpr const char* kHideTip = "不显示开机提示语";
  static constexpr const char* kShowTip = "显示开机提示语";
  static constexpr const char* kAutostartOn = "开机自动启动";
  static constexpr const char* kAutostartOff = "取消开机启动";
  static constexpr const char* kFrameCaption = "自定义开机提示语";
  static constexpr const char* kEmptyMsgWarning = "Msg为空时，Tip将不能显示";

  setingForm(forms::Host& host, platform::Registry& registry, mainForm& main);

  // Controls, top of the stacking order first.
  forms::Image Image2{*this, "Image2"};
  forms::Frame Frame1{*this, "Frame1"};
  forms::Label Label1{*this, "Label1"};
  forms::TextBox Text1{*this, "Text1"};
  forms::Label Label2{*this, "Label2"};
  forms::TextBox Text2{*this, "Text2"};
  forms::Button Command2{*this, "Command2"};
  forms::Button Command1{*this, "Command1"};
  forms::Image Image1{*this, "Image1"};

  // Shows the dialog, in front and with the focus, filled from the settings
  // with the looks they ask for. Typing not yet saved is replaced.
  void open();
  // Stores the texts that changed since the last save, trimmed.
  void saveTipChange();

  // The boxes have changed since the last save. They belong to the dialog
  // object: a close keeps them for the next opening.
  [[nodiscard]] bool titleChanged() const { return titleChanged_; }
  [[nodiscard]] bool msgChanged() const { return msgChanged_; }

 protected:
  void design() override;

 private:
  void Command1_Click();
  void Command2_Click();
  void Text2_Change();
  void Form_Unload();
  void showTipOffLook(bool off);

  platform::Registry& registry_;
  mainForm& main_;
  bool titleChanged_ = false;
  bool msgChanged_ = false;
};
