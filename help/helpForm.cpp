#include "help/helpForm.h"

#include "mainwindow/mainForm.h"
#include "resources/resource.h"

namespace {

const forms::Color kGreen{0, 192, 0};

}  // namespace

helpForm::helpForm(forms::Host& host, mainForm& main) : Form(host, "helpForm"), main_(main) {
  add(&UpMinMenu);
  UpMinMenu.items = {&goOut, &help, &shutDown, &autorun};
  // Each item only forwards to the main window.
  goOut.click.connect([this] { main_.goOutClick(); });
  help.click.connect([this] { main_.helpClick(); });
  shutDown.click.connect([this] { main_.shutDownClick(); });
  autorun.click.connect([this] { main_.autorunClick(); });

  loadEvent.connect([this] { Form_Load(); });
  unloadEvent.connect([this] { Form_Unload(); });
  Command1.click.connect([this] { Command1_Click(); });
  Command2.click.connect([this] { Command2_Click(); });
  credits.click.connect([this] { copyCredits(); });
  // The note that the credits were copied goes when the pointer moves on.
  mouseMove.connect([this](const forms::MouseEvent&) { Label1.setVisible(false); });
}

void helpForm::design() {
  designWindow(kCaption, IDI_SKYVANE, forms::BorderStyle::FixedSingle, 10455 / 15, 6300 / 15);
  designButtons(true, false, true);
  setPicture(IDP_HELP_PAGE);

  Picture3.design({0, 0, 657, 425});
  Picture3.setPicture(IDP_HELP_GUIDE);
  Picture3.setVisible(false);
  Command2.setContainer(&Picture3);
  Command2.design({0, 368, 49, 33}, "返回");
  Command2.setVisible(false);
  Command1.design({47, 247, 105, 32}, "手动方法");
  Command1.setTooltip("点击查看说明！");
  Label1.design({376, 320, 153, 25}, "信息已复制到剪贴板");
  Label1.setVisible(false);
  Label1.setForeColor(kGreen);
  Label1.setFont(forms::Font{"宋体", 12, 134, false});
  credits.design({300, 348, 270, 70});
  credits.setTooltip("点击复制作者信息");

  UpMinMenu.caption = "托盘菜单";
  minMenu::captionItems(autorun, shutDown, help, goOut);
  UpMinMenu.designItems();
}

void helpForm::Form_Load() { setWidth(kPageWidth); }

void helpForm::Form_Unload() {
  // Opened from a tray menu, help leaves the main window in the tray.
  if (main_.closeHelpOnly) {
    main_.closeHelpOnly = false;
    return;
  }
  main_.showOnTop();
}

void helpForm::Command1_Click() {
  Picture3.setVisible(true);
  Command2.setVisible(true);
  setWidth(kGuideWidth);
  setLeft(left() - kGuideShift);
}

void helpForm::Command2_Click() {
  Picture3.setVisible(false);
  Command2.setVisible(false);
  setWidth(kPageWidth);
  setLeft(left() + kGuideShift);
}

std::string helpForm::creditsText() {
  return "作者：Quillfen Skyvane 团队\r\n邮箱：skyvane@quillfen.example\r\n时间：2026年12月";
}

void helpForm::copyCredits() {
  host().copyText(creditsText());
  Label1.setVisible(true);
}
