// The help window: opened from the main window's button or a tray menu,
// its two looks, where it puts the pointer, and what closing it does to
// the main window.
#include "help/helpForm.h"
#include "resources/resource.h"
#include "tests/unit/MainFormFixture.h"

namespace {

class HelpTest : public MainFormFixture {
 protected:
  void SetUp() override {
    MainFormFixture::SetUp();
    store(autorunModule::kAutorunName, "NoAutorun");
    start();
  }
  helpForm& help() { return main.helpWindow(); }
  void restore() { main.mouseMove(forms::MouseEvent{0, 0, 514, 0}); }
  void fromButton() {
    restore();
    host.click(main.Command1);
  }
  void fromTrayMenu() { host.clickMenuItem(main.help); }
  [[nodiscard]] bool mainBackOnTop() const {
    return main.visible() && main.windowState() == forms::WindowState::Normal &&
           main.Check2.value() == 1 && onTop(self);
  }
};

TEST_F(HelpTest, TheButtonSendsTheMainWindowAwayAndPutsThePointerOnHelpsCorner) {
  main.Command4.setVisible(true);
  help().load();
  help().setLeft(3000);
  help().setTop(1500);
  fromButton();
  EXPECT_EQ(main.windowState(), forms::WindowState::Minimized);
  EXPECT_FALSE(main.visible());
  EXPECT_TRUE(main.watchTimer.enabled()) << "in the tray, the hover watch runs";
  EXPECT_TRUE(help().visible());
  EXPECT_FALSE(main.Command4.visible());
  EXPECT_EQ(desktop.cursorPos(), (platform::Point{210, 108}));
  EXPECT_FALSE(main.closeHelpOnly);
}

TEST_F(HelpTest, ThePageLookIsNarrowAndTheGuideWidensAboutTheCentre) {
  help().load();
  EXPECT_EQ(help().width(), 8640) << "the load step narrows the window";
  EXPECT_EQ(help().caption(), "帮助");
  EXPECT_EQ(help().picture(), IDP_HELP_PAGE);
  EXPECT_EQ(help().Command1.caption(), "手动方法");
  EXPECT_EQ(help().Command1.tooltip(), "点击查看说明！");
  EXPECT_FALSE(help().Picture3.visible());
  EXPECT_FALSE(help().Command2.visible());
  EXPECT_EQ(help().Command2.container(), &help().Picture3);

  help().setLeft(4000);
  host.click(help().Command1);
  EXPECT_TRUE(help().Picture3.visible());
  EXPECT_TRUE(help().Command2.visible());
  EXPECT_EQ(help().width(), 9930);
  EXPECT_EQ(help().left(), 3355);
  host.click(help().Command2);
  EXPECT_FALSE(help().Picture3.visible());
  EXPECT_FALSE(help().Command2.visible());
  EXPECT_EQ(help().width(), 8640);
  EXPECT_EQ(help().left(), 4000);

  // Plain arithmetic on the place: a second 手动方法 moves it on.
  host.click(help().Command1);
  host.click(help().Command1);
  EXPECT_EQ(help().left(), 4000 - 2 * 645);
}

TEST_F(HelpTest, ClosingBringsTheMainWindowBackUnlessHelpCameFromATrayMenu) {
  // From the button: back, on top.
  fromButton();
  host.closeBox(help());
  EXPECT_TRUE(mainBackOnTop());

  // From a tray menu: the main window stays in the tray; the flag clears.
  host.minimizeBox(main);
  fromTrayMenu();
  EXPECT_TRUE(main.closeHelpOnly);
  EXPECT_TRUE(help().visible());
  host.closeBox(help());
  EXPECT_FALSE(main.visible());
  EXPECT_FALSE(main.closeHelpOnly);

  // From a tray menu, then the button while help is open: the first
  // opening's flag still holds at the close.
  fromTrayMenu();
  fromButton();
  EXPECT_TRUE(main.closeHelpOnly);
  host.closeBox(help());
  EXPECT_FALSE(main.visible());
  EXPECT_FALSE(main.closeHelpOnly);

  // From the help window's own menu, which loads it hidden first.
  host.clickMenuItem(help().help);
  EXPECT_TRUE(help().visible());
  EXPECT_TRUE(main.closeHelpOnly);
}

TEST_F(HelpTest, EachCloseStartsTheNextOpeningFromTheDesign) {
  fromButton();
  host.click(help().Command1);
  help().autorun.checked = true;
  help().shutDown.checked = true;
  host.closeBox(help());
  help().load();
  EXPECT_EQ(help().width(), 8640);
  EXPECT_FALSE(help().Picture3.visible());
  EXPECT_FALSE(help().autorun.checked) << "the menu goes with the window";
  EXPECT_FALSE(help().shutDown.checked);
}

TEST_F(HelpTest, ExitRunsTheCloseStepWhetherHelpIsShownOrOnlyLoaded) {
  for (const bool shown : {true, false}) {
    SCOPED_TRACE(shown ? "shown" : "loaded, hidden");
    forms::HeadlessHost hostFor;
    fakes::FakeTray trayFor;
    mainForm form(hostFor, desktop, registry, trayFor);
    form.load();
    form.show();
    if (shown) {
      hostFor.clickMenuItem(form.help);
    } else {
      form.helpWindow().load();
    }
    hostFor.clickMenuItem(form.goOut);
    EXPECT_FALSE(form.loaded());
    EXPECT_FALSE(form.helpWindow().loaded());
    EXPECT_FALSE(form.closeHelpOnly) << "the close step ran and cleared it";
  }
}

TEST_F(HelpTest, AClickOnTheCreditsCopiesThemAndSaysSo) {
  fromButton();
  EXPECT_FALSE(help().Label1.visible());
  EXPECT_EQ(help().Label1.caption(), "信息已复制到剪贴板");
  host.pointerPress(help(), 400, 380);
  host.pointerRelease(help(), 400, 380);
  EXPECT_EQ(host.clipboard, helpForm::creditsText());
  EXPECT_TRUE(help().Label1.visible());
  const std::string& text = host.clipboard;
  EXPECT_EQ(text.rfind("作者：", 0), 0u);
  EXPECT_NE(text.find("\r\n邮箱："), std::string::npos);
  EXPECT_NE(text.find("\r\n时间："), std::string::npos);
  EXPECT_NE(text.back(), '\n');
  host.pointerMove(help(), 200, 300);
  EXPECT_FALSE(help().Label1.visible()) << "the bare background takes the note away";
}

}  // namespace
