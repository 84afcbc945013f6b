// The main window's start-up, tray life and topmost switches, on the headless
// host, a simulated desktop, an in-memory registry and a fake shell.
#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "help/helpForm.h"
#include "tests/unit/MainFormFixture.h"

using fakes::FakeTray;
using forms::WindowState;
using platform::TrayCommand;

namespace {

constexpr unsigned kFlagsWithBalloon = 23;
constexpr unsigned kFlagsWithoutBalloon = 7;

class MainFormTest : public MainFormFixture {
 protected:
  void trayEvent(int code) { main.mouseMove(forms::MouseEvent{0, 0, static_cast<double>(code), 0}); }
  [[nodiscard]] const FakeTray::Call& firstAdd() const { return tray.calls.at(0); }
};

TEST_F(MainFormTest, FirstRunShowsTheWindowOnTopAndWritesTheMarker) {
  start();
  EXPECT_TRUE(main.visible());
  EXPECT_EQ(main.windowState(), WindowState::Normal);
  EXPECT_EQ(main.Check2.value(), 1);
  EXPECT_TRUE(onTop(self));
  EXPECT_FALSE(main.watchTimer.enabled());
  EXPECT_EQ(registry.stored(platform::kCurrentUser, autorunModule::kSettingsKey,
                            autorunModule::kAutorunName),
            "NoAutorun");
  // Placed by the formula on a 1024 x 768 screen.
  EXPECT_EQ(main.left(), 5640);
  EXPECT_EQ(main.top(), 5040);

  ASSERT_EQ(tray.calls.size(), 1u) << "shown normally: no minimise, no second add";
  const platform::TrayRecord& r = firstAdd().record;
  EXPECT_EQ(firstAdd().command, TrayCommand::Add);
  EXPECT_EQ(r.hwnd, self);
  EXPECT_EQ(r.flags, kFlagsWithBalloon);
  EXPECT_EQ(r.callbackMessage, 512u);
  EXPECT_EQ(r.tip, "SkyvaneV2.59");
  EXPECT_EQ(r.infoTitle, "Vanto");
  EXPECT_EQ(r.info, "Here ^A^m I ！");
  EXPECT_EQ(r.timeout, 10000u);
  EXPECT_EQ(r.infoFlags, 1u);
  EXPECT_NE(r.id, 0u);
  EXPECT_EQ(r.icon, static_cast<std::uintptr_t>(r.id));
}

TEST_F(MainFormTest, UsualStartGoesStraightToTheTray) {
  for (const char* stored : {"NoAutorun", "Autorun", "autorun "}) {
    fakes::FakeRegistry registryFor;
    FakeTray trayFor;
    forms::HeadlessHost hostFor;
    mainForm form(hostFor, desktop, registryFor, trayFor);
    ASSERT_TRUE(autorunModule::writeSetting(registryFor, autorunModule::kAutorunName, stored));
    form.load();
    form.show();
    EXPECT_FALSE(form.visible()) << stored;
    EXPECT_EQ(form.windowState(), WindowState::Minimized);
    EXPECT_TRUE(form.watchTimer.enabled());
    EXPECT_FALSE(form.autorun.checked);
    EXPECT_FALSE(form.hasHelpWindow());
    EXPECT_EQ(form.Check2.value(), 0);
    // The start-up add, then the minimise's add that the shell refuses.
    ASSERT_EQ(trayFor.calls.size(), 2u);
    EXPECT_EQ(trayFor.calls[1].record.flags, kFlagsWithoutBalloon);
    EXPECT_FALSE(trayFor.calls[1].accepted);
    EXPECT_EQ(trayFor.iconCount(), 1u);
    EXPECT_EQ(registryFor.stored(platform::kCurrentUser, autorunModule::kSettingsKey,
                                 autorunModule::kAutorunName),
              stored);
  }
}

TEST_F(MainFormTest, AutorunStartChecksBothMenusAndLoadsTheHelpWindowHidden) {
  store(autorunModule::kAutorunName, "autorun");
  start();
  EXPECT_FALSE(main.visible());
  EXPECT_TRUE(main.autorun.checked);
  ASSERT_TRUE(main.hasHelpWindow());
  EXPECT_TRUE(main.helpWindow().loaded());
  EXPECT_FALSE(main.helpWindow().visible());
  EXPECT_TRUE(main.helpWindow().autorun.checked);
}

TEST_F(MainFormTest, BalloonComesFromTheSettings) {
  const struct {
    const char* showTip;
    const char* title;  // nullptr: not stored
    const char* message;
    const char* expectedTitle;
    const char* expectedMessage;
  } cases[] = {
      {nullptr, nullptr, nullptr, "Vanto", "Here ^A^m I ！"},
      {"hide", "T", "M", "", ""},
      {"Hide", nullptr, nullptr, "Vanto", "Here ^A^m I ！"},
      {"show", "我的标题", "我的消息", "我的标题", "我的消息"},
      {"show", "", "", "", ""},  // an empty message: the shell shows no balloon
  };
  for (const auto& c : cases) {
    fakes::FakeRegistry registryFor;
    FakeTray trayFor;
    forms::HeadlessHost hostFor;
    mainForm form(hostFor, desktop, registryFor, trayFor);
    const auto put = [&](std::string_view name, const char* value) {
      if (value != nullptr) {
        ASSERT_TRUE(autorunModule::writeSetting(registryFor, name, value));
      }
    };
    put(autorunModule::kAutorunName, "NoAutorun");
    put(autorunModule::kShowTipName, c.showTip);
    put(autorunModule::kTipTitleName, c.title);
    put(autorunModule::kTipMsgName, c.message);
    const int queriesBefore = registryFor.queryCalls;
    form.load();
    ASSERT_FALSE(trayFor.calls.empty());
    const platform::TrayRecord& r = trayFor.calls[0].record;
    EXPECT_EQ(r.flags, kFlagsWithBalloon);
    EXPECT_EQ(r.infoTitle, c.expectedTitle) << (c.showTip ? c.showTip : "(none)");
    EXPECT_EQ(r.info, c.expectedMessage);
    if (c.showTip != nullptr && std::string_view(c.showTip) == "hide") {
      // Only showTip and the autorun marker are read.
      EXPECT_EQ(registryFor.queryCalls - queriesBefore, 2);
    }
  }
}

TEST_F(MainFormTest, LongBalloonTextsAreCutToTheirFields) {
  store(autorunModule::kAutorunName, "NoAutorun");
  store(autorunModule::kTipTitleName, std::string(100, 'T'));
  store(autorunModule::kTipMsgName, std::string(300, 'M'));
  start();
  EXPECT_EQ(firstAdd().record.infoTitle, std::string(63, 'T'));
  EXPECT_EQ(firstAdd().record.info, std::string(255, 'M'));
}

TEST_F(MainFormTest, FirstRunMarkerIsTriedFourTimesThenGivenUp) {
  registry.failSet = platform::kRegAccessDenied;
  start();
  EXPECT_EQ(registry.setCalls, 4);
  EXPECT_TRUE(main.visible());
}

TEST_F(MainFormTest, SecondInstanceEndsWithoutTouchingTrayOrSettings) {
  host.anotherInstanceRuns = true;
  start();
  EXPECT_FALSE(main.loaded());
  EXPECT_TRUE(tray.calls.empty());
  EXPECT_EQ(registry.setCalls, 0);
  EXPECT_EQ(registry.queryCalls, 0);
}

TEST_F(MainFormTest, NarrowScreenGivesANegativeLeft) {
  host.screenWidthPx = 200;
  host.screenHeightPx = 60;
  start();
  EXPECT_EQ(main.left(), 200 * 15 / 2 - 2040);
  EXPECT_EQ(main.top(), 60 * 15 / 2 - 720);
}

TEST_F(MainFormTest, MouseOverTheIconWhileShownStopsTheWatchAndHidesSettings) {
  start();
  main.watchTimer.setEnabled(true);
  main.Command4.setVisible(true);
  trayEvent(512);
  EXPECT_FALSE(main.watchTimer.enabled());
  EXPECT_FALSE(main.Command4.visible());
  EXPECT_TRUE(host.popups().empty());
}

TEST_F(MainFormTest, LeftClickRestoresTheWindowOnTop) {
  store(autorunModule::kAutorunName, "NoAutorun");
  start();
  main.Command3.setCaption("重选窗口");
  main.setHeight(1845);
  trayEvent(514);
  EXPECT_TRUE(main.visible());
  EXPECT_EQ(main.windowState(), WindowState::Normal);
  EXPECT_EQ(main.Check2.value(), 1);
  EXPECT_TRUE(onTop(self));
  EXPECT_EQ(main.height(), 1440);
  EXPECT_EQ(main.Command3.caption(), "选择窗口");
  EXPECT_TRUE(main.watchTimer.enabled()) << "left for the next move over the window";
  EXPECT_EQ(tray.iconCount(), 1u);

  // Unchecking, minimising and restoring puts it on top again.
  host.click(main.Check2);
  EXPECT_FALSE(onTop(self));
  host.minimizeBox(main);
  EXPECT_FALSE(main.visible());
  trayEvent(514);
  EXPECT_TRUE(onTop(self));
}

TEST_F(MainFormTest, RightClickShowsTheMenuThatFitsTheCursorHeight) {
  store(autorunModule::kAutorunName, "NoAutorun");
  start();
  desktop.moveCursor({1012, 300});
  trayEvent(517);
  ASSERT_EQ(host.popups().size(), 1u);
  EXPECT_EQ(host.popups()[0].menu, "UpMinMenu");
  EXPECT_EQ(host.popups()[0].form, "mainForm") << "through the main window's popup";
  EXPECT_EQ(host.popups()[0].items,
            (std::vector<std::string>{"退出", "帮助", "关闭功能", "开机启动"}));
  EXPECT_TRUE(main.menuIsUp());
  EXPECT_TRUE(main.helpWindow().loaded());
  EXPECT_FALSE(main.helpWindow().visible());
  EXPECT_EQ(desktop.foreground(), self);

  desktop.moveCursor({1012, 301});
  trayEvent(517);
  ASSERT_EQ(host.popups().size(), 2u);
  EXPECT_EQ(host.popups()[1].menu, "downMinMenu");
  EXPECT_EQ(host.popups()[1].items,
            (std::vector<std::string>{"开机启动", "关闭功能", "帮助", "退出"}));
  EXPECT_FALSE(main.menuIsUp());
  EXPECT_EQ(main.lastCursorPos(), (platform::Point{1012, 301}));

  desktop.moveCursor({5, -20});
  trayEvent(517);
  EXPECT_EQ(host.popups()[2].menu, "UpMinMenu") << "above the screen counts as the top";
}

TEST_F(MainFormTest, ExitFromEitherMenuRemovesTheIconAndUnloadsEverything) {
  for (bool up : {false, true}) {
    FakeTray trayFor;
    forms::HeadlessHost hostFor;
    fakes::FakeRegistry registryFor;
    mainForm form(hostFor, desktop, registryFor, trayFor);
    ASSERT_TRUE(autorunModule::writeSetting(registryFor, autorunModule::kAutorunName, "NoAutorun"));
    form.load();
    form.show();
    desktop.moveCursor({1012, up ? 10 : 758});
    hostFor.onPopup = [&](forms::Menu& menu) {
      for (forms::MenuItem* item : menu.items) {
        if (item->caption == "退出") hostFor.clickMenuItem(*item);
      }
    };
    form.mouseMove(forms::MouseEvent{0, 0, 517, 0});
    EXPECT_FALSE(form.loaded());
    EXPECT_EQ(trayFor.iconCount(), 0u);
    EXPECT_EQ(trayFor.calls.back().command, TrayCommand::Delete);
    EXPECT_EQ(form.hasHelpWindow() && form.helpWindow().loaded(), false);
  }
}

TEST_F(MainFormTest, CloseBoxIsTheSameAsExit) {
  store(autorunModule::kAutorunName, "autorun");
  start();
  ASSERT_TRUE(main.helpWindow().loaded());
  // What the host had done by the time the icon was deleted.
  std::optional<std::size_t> hostStepsAtDelete;
  tray.onCall = [&](const FakeTray::Call& call) {
    if (call.command == TrayCommand::Delete) hostStepsAtDelete = host.log().size();
  };
  host.closeBox(main);
  EXPECT_FALSE(main.loaded());
  EXPECT_FALSE(main.helpWindow().loaded());
  EXPECT_EQ(tray.iconCount(), 0u);

  // The icon goes first, then the secondary windows, then the main window.
  ASSERT_TRUE(hostStepsAtDelete.has_value()) << "the icon was never deleted";
  const auto& log = host.log();
  const auto destroysIn = [](auto first, auto last) {
    std::vector<std::string> destroys;
    std::copy_if(first, last, std::back_inserter(destroys),
                 [](const std::string& step) { return step.rfind("destroy ", 0) == 0; });
    return destroys;
  };
  const auto deleted = log.begin() + static_cast<std::ptrdiff_t>(*hostStepsAtDelete);
  EXPECT_EQ(destroysIn(log.begin(), deleted), std::vector<std::string>{});
  EXPECT_EQ(destroysIn(deleted, log.end()),
            (std::vector<std::string>{"destroy helpForm", "destroy mainForm"}));
}

TEST_F(MainFormTest, RestartedShellGetsTheIconBackWithoutBalloon) {
  store(autorunModule::kAutorunName, "NoAutorun");
  start();
  tray.restartShell();
  main.shellRestarted();
  EXPECT_EQ(tray.iconCount(), 1u);
  EXPECT_TRUE(tray.calls.back().accepted);
  EXPECT_EQ(tray.calls.back().record.flags, kFlagsWithoutBalloon);
  EXPECT_EQ(tray.calls.back().record.id, firstAdd().record.id);
}

TEST_F(MainFormTest, TargetSwitchNeedsATarget) {
  start();
  main.Check3.setEnabled(true);
  host.click(main.Check3);
  ASSERT_EQ(host.messageBoxes().size(), 1u);
  EXPECT_EQ(host.messageBoxes()[0].text, "请先设置目标窗口！");
  EXPECT_EQ(host.messageBoxes()[0].title, "SkyvaneV2.59");
  EXPECT_EQ(host.messageBoxes()[0].style, forms::kMbOk);
  EXPECT_EQ(host.focused(), &main.Command3);
  EXPECT_EQ(main.Check3.value(), 1) << "the mark stays as the click left it";
  EXPECT_FALSE(onTop(other));
}

TEST_F(MainFormTest, TargetSwitchPinsTheTargetAndKeepsTheFocusHere) {
  start();
  main.TargetHWnd = other;
  main.Check3.setEnabled(true);
  host.click(main.Check3);
  EXPECT_TRUE(onTop(other));
  EXPECT_EQ(desktop.foreground(), self);
  host.click(main.Check3);
  EXPECT_FALSE(onTop(other));
  EXPECT_TRUE(host.messageBoxes().empty());

  // A target that has closed: nothing happens and nothing is reported.
  desktop.destroyWindow(other);
  host.click(main.Check3);
  EXPECT_TRUE(host.messageBoxes().empty());
}

TEST_F(MainFormTest, AdjustMyselfDisablesTheTargetSwitchForGood) {
  start();
  main.Check3.setEnabled(true);
  host.click(main.Check1);
  EXPECT_FALSE(main.Check3.enabled());
  host.click(main.Check1);
  EXPECT_FALSE(main.Check3.enabled());
}

TEST_F(MainFormTest, DesignedControlsAndStateAfterLoad) {
  start();
  EXPECT_EQ(main.caption(), "SkyvaneV2.59");
  EXPECT_EQ(main.clientWidth(), 267);
  EXPECT_EQ(main.clientHeight(), 66);
  EXPECT_FALSE(main.Command4.visible());
  EXPECT_FALSE(main.Command2.visible());
  EXPECT_FALSE(main.Check3.enabled());
  EXPECT_EQ(main.Check3.font().points, 9);
  EXPECT_EQ(main.Label3.caption(), "255/透明度");
  EXPECT_EQ(main.Label1.foreColor(), (forms::Color{0, 192, 0}));
  EXPECT_EQ(main.ITransp.tooltip(), "拖动以调节透明度");
  EXPECT_EQ(main.Image2.tooltip(), "调节透明度");
  EXPECT_EQ(main.Image2.bounds(), (forms::Bounds{0, 40, 176, 24}));
  EXPECT_EQ(main.Timer1.interval(), 100);
  EXPECT_EQ(main.watchTimer.interval(), 1500);
  EXPECT_TRUE(main.watchConfirmTimer.enabled());
  EXPECT_EQ(main.TargetHWnd, 0);
  // Stacking: the cover above the thumb above the track above the label.
  const auto& c = main.controls();
  const auto at = [&](const forms::Control& x) { return std::find(c.begin(), c.end(), &x) - c.begin(); };
  EXPECT_LT(at(main.buttonCover), at(main.ITransp));
  EXPECT_LT(at(main.ITransp), at(main.Image2));
  EXPECT_LT(at(main.Image2), at(main.Label3));
}

}  // namespace
