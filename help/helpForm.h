#pragma once
// The help window. For now it is the holder of the upward tray menu; its
// page and guide come later.

#include "forms/Form.h"

class mainForm;

class helpForm final : public forms::Form {
 public:
  helpForm(forms::Host& host, mainForm& main);

  forms::Menu UpMinMenu{"UpMinMenu"};
  forms::MenuItem goOut{"goOut"};
  forms::MenuItem help{"help"};
  forms::MenuItem shutDown{"shutDown"};
  forms::MenuItem autorun{"autorun"};

  static constexpr const char* kCaption = "帮助";

 protected:
  void design() override;

 private:
  mainForm& main_;
};
