// The start-up tip dialog, opened from the main window's settings button:
// what it shows of the stored settings, its two switches, the change flags
// and saving, and what closing it does to the main window.
#include "ghost/GhostForm.h"
#include "help/helpForm.h"
#include "tests/unit/MainFormFixture.h"
#include "tipdialog/setingForm.h"

namespace {

using platform::kCurrentUser;
using platform::kLocalMachine;

class TipDialogTest : public MainFormFixture {
 protected:
  void SetUp() override {
    MainFormFixture::SetUp();
    store(autorunModule::kAutorunName, "NoAutorun");
  }
  // The user restores the window, passes over 帮助 and clicks 设置.
  void openDialog() {
    if (!main.loaded()) start();
    main.mouseMove(forms::MouseEvent{0, 0, 514, 0});
    main.Command1.mouseMove(forms::MouseEvent{});
    ASSERT_TRUE(main.Command4.visible());
    host.click(main.Command4);
  }
  setingForm& dialog() { return main.tipDialog(); }
  [[nodiscard]] std::optional<std::string> stored(std::string_view name) const {
    return registry.stored(kCurrentUser, autorunModule::kSettingsKey, name);
  }
  // The pointer over the dialog's bare background, right of the frame.
  void overBackground() { host.pointerMove(dialog(), 228, 60); }
};

TEST_F(TipDialogTest, OpeningSendsTheMainWindowToTheTrayAndShowsTheStoredSettings) {
  const int writesBefore = registry.setCalls;
  openDialog();
  EXPECT_EQ(main.Check2.value(), 0);
  EXPECT_FALSE(onTop(self));
  EXPECT_EQ(main.windowState(), forms::WindowState::Minimized);
  EXPECT_FALSE(main.visible());
  EXPECT_TRUE(main.watchTimer.enabled()) << "in the tray, the hover watch runs";
  EXPECT_FALSE(main.Command4.visible());
  ASSERT_TRUE(dialog().visible());
  EXPECT_EQ(dialog().caption(), "设置");

  // Nothing stored but the autorun marker: the defaults and the on looks.
  EXPECT_EQ(dialog().Text1.text(), "Vanto");
  EXPECT_EQ(dialog().Text2.text(), "Here ^A^m I ！");
  EXPECT_EQ(dialog().Command2.caption(), "不显示开机提示语");
  EXPECT_TRUE(dialog().Frame1.enabled());
  EXPECT_FALSE(dialog().Image2.visible());
  EXPECT_EQ(dialog().Command1.caption(), "开机自动启动");
  EXPECT_EQ(dialog().Frame1.caption(), "自定义开机提示语");
  EXPECT_EQ(registry.setCalls, writesBefore) << "opening writes nothing";
}

TEST_F(TipDialogTest, StoredTextsOfAnyLengthAreShownAndAnEmptyMessageWarns) {
  const std::string longText(2000, 'x');
  const struct {
    std::optional<std::string> message;
    std::string shown;
    const char* frame;
  } cases[] = {
      {std::nullopt, "Here ^A^m I ！", "自定义开机提示语"},
      {"", "", "Msg为空时，Tip将不能显示"},
      {"   ", "   ", "Msg为空时，Tip将不能显示"},
      {std::string(150, 'm'), std::string(150, 'm'), "自定义开机提示语"},
      {longText, longText, "自定义开机提示语"},
      {"来自托盘 📬", "来自托盘 📬", "自定义开机提示语"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message ? std::to_string(c.message->size()) + " bytes" : "missing");
    if (c.message) store(autorunModule::kTipMsgName, *c.message);
    openDialog();
    EXPECT_EQ(dialog().Text2.text(), c.shown);
    EXPECT_EQ(dialog().Frame1.caption(), c.frame);
    dialog().unload();
  }
}

TEST_F(TipDialogTest, TheWarningComesAndGoesWithTheMessagesText) {
  openDialog();
  dialog().Frame1.setCaption("别的标题");
  host.type(dialog().Text2, "  ");
  EXPECT_EQ(dialog().Frame1.caption(), "Msg为空时，Tip将不能显示");
  host.type(dialog().Text2, "  a");
  EXPECT_EQ(dialog().Frame1.caption(), "自定义开机提示语");
  dialog().Frame1.setCaption("别的标题");
  host.type(dialog().Text2, "ab");
  EXPECT_EQ(dialog().Frame1.caption(), "别的标题") << "only the warning is taken back";
}

TEST_F(TipDialogTest, MovingOverTheBackgroundSavesWhatChangedTrimmed) {
  openDialog();
  const int writesAfterOpening = registry.setCalls;
  overBackground();
  EXPECT_EQ(registry.setCalls, writesAfterOpening) << "the defaults equal the design: no change";

  host.type(dialog().Text1, "  My title ");
  EXPECT_TRUE(dialog().titleChanged());
  EXPECT_FALSE(dialog().msgChanged());
  host.pointerMove(dialog(), 50, 40);  // over the frame: no save
  EXPECT_EQ(stored(autorunModule::kTipTitleName), std::nullopt);
  overBackground();
  EXPECT_EQ(stored(autorunModule::kTipTitleName), "My title");
  EXPECT_EQ(dialog().Text1.text(), "  My title ") << "the box keeps its spaces";
  EXPECT_FALSE(dialog().titleChanged());

  host.type(dialog().Text2, "   ");
  overBackground();
  EXPECT_EQ(stored(autorunModule::kTipMsgName), "");
  EXPECT_EQ(stored(autorunModule::kTipTitleName), "My title");

  // Over Image1 (a control) nothing is saved.
  host.type(dialog().Text2, "picture");
  host.pointerMove(dialog(), 300, 40);
  EXPECT_EQ(stored(autorunModule::kTipMsgName), "");
}

TEST_F(TipDialogTest, ClosingSavesTypedTextAndBringsTheMainWindowBackOnTop) {
  openDialog();
  host.type(dialog().Text1, "typed, then closed by keyboard");
  host.closeBox(dialog());
  EXPECT_FALSE(dialog().loaded());
  EXPECT_EQ(stored(autorunModule::kTipTitleName), "typed, then closed by keyboard");
  EXPECT_TRUE(main.visible());
  EXPECT_EQ(main.windowState(), forms::WindowState::Normal);
  EXPECT_EQ(main.Check2.value(), 1);
  EXPECT_TRUE(onTop(self));

  // The next opening shows it from the store.
  openDialog();
  EXPECT_EQ(dialog().Text1.text(), "typed, then closed by keyboard");
}

TEST_F(TipDialogTest, TheFlagsOutliveTheWindowAndASecondOpeningRefills) {
  store(autorunModule::kTipTitleName, " Stored ");
  openDialog();
  EXPECT_TRUE(dialog().titleChanged()) << "filling with a text other than the design's is a change";
  EXPECT_FALSE(dialog().msgChanged());

  // A second opening while open replaces what was typed.
  host.type(dialog().Text1, "unsaved");
  openDialog();
  EXPECT_EQ(dialog().Text1.text(), " Stored ");
  EXPECT_TRUE(dialog().visible());

  // Saved on the way out; the flags are the object's, clear now.
  dialog().unload();
  EXPECT_EQ(stored(autorunModule::kTipTitleName), "Stored");
  EXPECT_FALSE(dialog().titleChanged());
  openDialog();
  EXPECT_EQ(dialog().Text1.text(), "Stored");
}

TEST_F(TipDialogTest, TheBalloonSwitchWritesOnlyWhatTheStoreDoesNotHold) {
  openDialog();
  const int before = registry.setCalls;
  host.click(dialog().Command2);
  EXPECT_EQ(stored(autorunModule::kShowTipName), "hide");
  EXPECT_EQ(dialog().Command2.caption(), "显示开机提示语");
  EXPECT_FALSE(dialog().Frame1.enabled());
  EXPECT_TRUE(dialog().Image2.visible());
  EXPECT_EQ(dialog().Image2.tooltip(), "开启显示提示语后，才可以设置");
  host.click(dialog().Command2);
  EXPECT_EQ(stored(autorunModule::kShowTipName), "show");
  EXPECT_TRUE(dialog().Frame1.enabled());
  EXPECT_FALSE(dialog().Image2.visible());
  EXPECT_EQ(registry.setCalls, before + 2);

  // The store already holds "hide": only the look changes.
  store(autorunModule::kShowTipName, "hide");
  const int stored = registry.setCalls;
  host.click(dialog().Command2);
  EXPECT_EQ(registry.setCalls, stored);
  EXPECT_EQ(dialog().Command2.caption(), "显示开机提示语");

  // Reopened, the dialog takes the off look from the store.
  dialog().unload();
  openDialog();
  EXPECT_EQ(dialog().Command2.caption(), "显示开机提示语");
  EXPECT_FALSE(dialog().Frame1.enabled());
  host.type(dialog().Text1, "into a disabled frame");
  EXPECT_EQ(dialog().Text1.text(), "Vanto");
}

TEST_F(TipDialogTest, TheAutostartButtonFollowsItsCaptionAndRenamesTheMenuItem) {
  openDialog();
  host.click(dialog().Command1);
  EXPECT_EQ(registry.stored(kLocalMachine, autorunModule::kRunKey, mainForm::kCaption),
            "\"C:\\Program Files\\Skyvane\\Skyvane.exe\"");
  EXPECT_EQ(stored(autorunModule::kAutorunName), "autorun");
  EXPECT_EQ(dialog().Command1.caption(), "取消开机启动");
  EXPECT_EQ(main.autorun.caption, "取消开机启动");
  EXPECT_FALSE(main.autorun.checked) << "the dialog leaves the check marks alone";

  // Switched off elsewhere meanwhile: the click only turns the captions.
  store(autorunModule::kAutorunName, "NoAutorun");
  const int before = registry.setCalls;
  host.click(dialog().Command1);
  EXPECT_EQ(dialog().Command1.caption(), "开机自动启动");
  EXPECT_EQ(main.autorun.caption, "开机启动");
  EXPECT_EQ(registry.setCalls, before);
  EXPECT_EQ(registry.stored(kLocalMachine, autorunModule::kRunKey, mainForm::kCaption),
            "\"C:\\Program Files\\Skyvane\\Skyvane.exe\"");

  // Reopened with autostart stored on, the button offers to cancel it.
  store(autorunModule::kAutorunName, "autorun");
  dialog().unload();
  openDialog();
  EXPECT_EQ(dialog().Command1.caption(), "取消开机启动");
  host.click(dialog().Command1);
  EXPECT_EQ(registry.stored(kLocalMachine, autorunModule::kRunKey, mainForm::kCaption), std::nullopt);
  EXPECT_EQ(stored(autorunModule::kAutorunName), "NoAutorun");
}

TEST_F(TipDialogTest, AnAutostartThatCannotBeWrittenLeavesTheCaptions) {
  registry.denyWrite(kLocalMachine, autorunModule::kRunKey);
  registry.denyWrite(kCurrentUser, autorunModule::kRunKey);
  openDialog();
  host.click(dialog().Command1);
  EXPECT_EQ(dialog().Command1.caption(), "开机自动启动");
  EXPECT_EQ(main.autorun.caption, "开机启动");
  EXPECT_EQ(stored(autorunModule::kAutorunName), "NoAutorun");
}

TEST_F(TipDialogTest, TheDialogIsDesignedWithItsControlsInTabOrder) {
  openDialog();
  const struct {
    forms::Control& control;
    forms::Bounds bounds;
    int tabIndex;
  } cases[] = {
      {dialog().Command1, {232, 104, 137, 41}, 0}, {dialog().Command2, {8, 104, 217, 41}, 1},
      {dialog().Frame1, {8, 8, 217, 89}, 2},       {dialog().Label1, {8, 24, 89, 17}, 3},
      {dialog().Text1, {64, 16, 145, 25}, 4},      {dialog().Label2, {8, 56, 89, 17}, 5},
      {dialog().Text2, {64, 48, 145, 25}, 6},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.control.bounds(), c.bounds) << c.control.name();
    EXPECT_EQ(c.control.tabIndex(), c.tabIndex) << c.control.name();
  }
  for (forms::Control* inFrame : {static_cast<forms::Control*>(&dialog().Label1),
                                  static_cast<forms::Control*>(&dialog().Text1),
                                  static_cast<forms::Control*>(&dialog().Label2),
                                  static_cast<forms::Control*>(&dialog().Text2)}) {
    EXPECT_EQ(inFrame->container(), &dialog().Frame1) << inFrame->name();
  }
  EXPECT_EQ(dialog().Image1.bounds(), (forms::Bounds{232, 0, 156, 96}));
  EXPECT_NE(dialog().Image1.picture(), 0);
  EXPECT_EQ(dialog().Image2.bounds(), dialog().Frame1.bounds());
  EXPECT_EQ(dialog().clientWidth(), 369);
  EXPECT_EQ(dialog().clientHeight(), 147);
}

TEST_F(TipDialogTest, ExitUnloadsTheDialogLastAndKeepsWhatWasTyped) {
  openDialog();
  main.ghostWindow().load();
  main.helpWindow().load();
  host.type(dialog().Text2, "at exit");
  host.clickMenuItem(main.goOut);
  EXPECT_FALSE(main.loaded());
  EXPECT_FALSE(dialog().loaded());
  EXPECT_EQ(stored(autorunModule::kTipMsgName), "at exit");
  const auto& log = host.log();
  const auto at = [&](const std::string& step) { return std::find(log.begin(), log.end(), step); };
  EXPECT_LT(at("destroy GhostForm"), at("destroy helpForm"));
  EXPECT_LT(at("destroy helpForm"), at("destroy setingForm"));
  EXPECT_LT(at("destroy setingForm"), at("destroy mainForm"));
}

}  // namespace
