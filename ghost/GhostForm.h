#pragma once
// The ghost panel: a borderless strip that floats beside the top-left corner
// of another program's window, with an opacity slider, a pin that toggles
// the window's place in the always-on-top band, and a cancel-all button.
// Every command acts on the main window's TargetHWnd as it is at that
// moment; the panel keeps no window of its own. The hover watch shows,
// places and hides it. It never takes the keyboard focus.

#include "forms/Form.h"
#include "platform/Desktop.h"
#include "slider/TransparencySlider.h"

class mainForm;

class GhostForm final : public forms::Form {
 public:
  static constexpr const char* kCaption = "My ghost";

  GhostForm(forms::Host& host, platform::Desktop& desktop, mainForm& main);

  // Controls, top of the stacking order first.
  forms::Image buttonCover{*this, "buttonCover"};
  forms::Image cancelAll{*this, "cancelAll"};
  forms::Image ITransp{*this, "ITransp"};
  forms::Image IDown{*this, "IDown"};
  forms::Image ITop{*this, "ITop"};
  forms::Image Image2{*this, "Image2"};
  forms::Label Label1{*this, "Label1"};

  [[nodiscard]] const TransparencySlider& slider() const { return slider_; }

 protected:
  void design() override;

 private:
  void IDown_Click();
  void ITop_Click();
  void cancelAll_Click();

  platform::Desktop& desktop_;
  mainForm& main_;
  TransparencySlider slider_;
};
