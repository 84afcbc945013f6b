#include "help/helpForm.h"

#include "mainwindow/mainForm.h"
#include "resources/resource.h"

helpForm::helpForm(forms::Host& host, mainForm& main) : Form(host, "helpForm"), main_(main) {
  add(&UpMinMenu);
  UpMinMenu.items = {&goOut, &help, &shutDown, &autorun};
  // Each item only forwards to the main window.
  goOut.click.connect([this] { main_.goOutClick(); });
  help.click.connect([this] { main_.helpClick(); });
  shutDown.click.connect([this] { main_.shutDownClick(); });
  autorun.click.connect([this] { main_.autorunClick(); });
}

void helpForm::design() {
  designWindow(kCaption, IDI_SKYVANE, forms::BorderStyle::FixedSingle, 10455 / 15, 6300 / 15);
  designButtons(true, false, true);
  UpMinMenu.caption = "托盘菜单";
  minMenu::captionItems(autorun, shutDown, help, goOut);
  UpMinMenu.designItems();
}
