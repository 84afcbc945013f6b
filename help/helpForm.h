#pragma once
// The help window: an illustrated page on the hover panel and, on request,
// a guide to the manual method over it. It also holds the upward tray menu,
// which is why it may be loaded without being shown.

#include <string>

#include "forms/Control.h"
#include "forms/Form.h"

class mainForm;

class helpForm final : public forms::Form {
 public:
  static constexpr const char* kCaption = "帮助";
  // Outer widths of the two looks, and how far the guide moves the window
  // left so that it keeps its centre.
  static constexpr int kPageWidth = 8640;
  static constexpr int kGuideWidth = 9930;
  static constexpr int kGuideShift = 645;

  helpForm(forms::Host& host, mainForm& main);

  // Controls, top of the stacking order first.
  forms::PictureBox Picture3{*this, "Picture3"};
  forms::Button Command2{*this, "Command2"};
  forms::Button Command1{*this, "Command1"};
  forms::Label Label1{*this, "Label1"};
  // Over the page's credits block: a click copies the credits.
  forms::Image credits{*this, "credits"};

  forms::Menu UpMinMenu{"UpMinMenu"};
  forms::MenuItem goOut{"goOut"};
  forms::MenuItem help{"help"};
  forms::MenuItem shutDown{"shutDown"};
  forms::MenuItem autorun{"autorun"};

  // Puts the author, the address and the date on the clipboard, three
  // lines, and says so with Label1.
  void copyCredits();
  [[nodiscard]] static std::string creditsText();

 protected:
  void design() override;

 private:
  void Form_Load();
  void Form_Unload();
  void Command1_Click();
  void Command2_Click();

  mainForm& main_;
};
