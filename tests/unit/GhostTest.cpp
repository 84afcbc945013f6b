// The hover watch and the ghost panel on the simulated desktop: Skyvane in
// the tray, the pointer resting in the corners of other programs' windows.
#include <algorithm>

#include "ghost/GhostForm.h"
#include "ghost/HoverWatch.h"
#include "help/helpForm.h"
#include "tests/unit/MainFormFixture.h"

namespace {

using platform::Point;

constexpr int kTick = 1500;

class GhostTest : public MainFormFixture {
 protected:
  void SetUp() override {
    MainFormFixture::SetUp();
    // The desktop itself lies under every spot that no window covers.
    desktop.createWindow({.title = "", .rect = {0, 0, 1024, 768}, .className = "#32769"});
    // The panel's own window on the desktop, so that putting it on top and
    // finding it under the pointer work on something real.
    panel = desktop.createWindow(
        {.title = GhostForm::kCaption, .rect = {0, 0, 179, 24}, .process = 1, .visible = false});
    host.setWindowHandle(main.ghostWindow(), panel);
    editor = desktop.createWindow({.title = "报告.txt - 记事本", .rect = {100, 100, 500, 400}});
    store(autorunModule::kAutorunName, "NoAutorun");
    start();
    // The user is typing in the editor.
    ASSERT_TRUE(desktop.setForegroundWindow(editor));
  }

  GhostForm& ghost() { return main.ghostWindow(); }
  // A left click on the tray icon.
  void trayRestore() { main.mouseMove(forms::MouseEvent{0, 0, 514, 0}); }
  // Rests the pointer at dx, dy from the window's top-left corner for one tick.
  void restAt(platform::Hwnd hwnd, int dx, int dy) {
    const platform::Rect r = desktop.window(hwnd)->rect;
    desktop.moveCursor({r.left + dx, r.top + dy});
    host.advance(kTick);
  }
  [[nodiscard]] bool panelShown() {
    return main.hasGhostWindow() && ghost().loaded() && ghost().visible();
  }
  [[nodiscard]] long panelShows() const {
    return std::count(host.log().begin(), host.log().end(), "show GhostForm");
  }

  platform::Hwnd panel = 0;
  platform::Hwnd editor = 0;
};

TEST_F(GhostTest, TheCornerZoneIsTheSquareOneTo24PixelsIn) {
  const struct {
    int dx;
    int dy;
    bool shown;
  } cases[] = {{1, 1, true},   {24, 24, true},  {1, 24, true},  {12, 7, true},
               {0, 5, false},  {5, 0, false},   {0, 0, false},  {25, 5, false},
               {5, 25, false}, {25, 25, false}, {-3, 5, false}, {5, -3, false}};
  for (const auto& c : cases) {
    restAt(editor, c.dx, c.dy);
    EXPECT_EQ(panelShown(), c.shown) << c.dx << ", " << c.dy;
    EXPECT_EQ(main.ghostShown, c.shown) << c.dx << ", " << c.dy;
    // Away from every corner between cases, so that each one shows anew.
    desktop.moveCursor({700, 700});
    host.advance(kTick);
    EXPECT_FALSE(panelShown());
  }
}

TEST_F(GhostTest, ThePanelShowsBesideTheCornerOnTopWithTheWindowAsTarget) {
  restAt(editor, 10, 10);
  ASSERT_TRUE(panelShown());
  EXPECT_EQ(main.TargetHWnd, editor);
  EXPECT_EQ(main.hoverHwnd, editor);
  EXPECT_EQ(main.hoverTitle, "报告.txt - 记事本");
  EXPECT_EQ(ghost().left(), (100 + 25) * 15);
  EXPECT_EQ(ghost().top(), (100 + 5) * 15);
  EXPECT_TRUE(onTop(panel));
  EXPECT_TRUE(ghost().IDown.visible()) << "the window is not on top: the pin is offered";
  EXPECT_FALSE(ghost().ITop.visible());
  EXPECT_EQ(desktop.foreground(), editor) << "the panel never takes the keyboard focus";
}

TEST_F(GhostTest, APinnedWindowGetsTheUnpinIcon) {
  const platform::Hwnd pinned = desktop.createWindow(
      {.title = "Pinned", .rect = {600, 50, 900, 300}, .exStyle = platform::kWsExTopmost});
  restAt(pinned, 3, 3);
  ASSERT_TRUE(panelShown());
  EXPECT_TRUE(ghost().ITop.visible());
  EXPECT_FALSE(ghost().IDown.visible());
}

TEST_F(GhostTest, RestingInOneCornerShowsThePanelOnce) {
  restAt(editor, 10, 10);
  ghost().setLeft(0);  // moved away: a second showing would move it back
  for (int i = 0; i < 5; ++i) host.advance(kTick);
  EXPECT_EQ(panelShows(), 1);
  EXPECT_EQ(ghost().left(), 0);
}

TEST_F(GhostTest, FromOneCornerToAnotherThePanelFollowsAndTheTargetChanges) {
  const platform::Hwnd second = desktop.createWindow({.title = "Second", .rect = {600, 400, 900, 700}});
  restAt(editor, 10, 10);
  restAt(second, 20, 2);
  EXPECT_TRUE(panelShown());
  EXPECT_EQ(main.TargetHWnd, second);
  EXPECT_EQ(ghost().left(), 625 * 15);
  EXPECT_EQ(ghost().top(), 405 * 15);
}

TEST_F(GhostTest, ThePointerOnThePanelKeepsItShown) {
  restAt(editor, 10, 10);
  // The real panel would be there now; the simulated one is moved by hand.
  desktop.destroyWindow(panel);
  panel = desktop.createWindow(
      {.title = GhostForm::kCaption, .rect = {125, 105, 304, 129}, .process = 1});
  host.setWindowHandle(ghost(), panel);
  desktop.moveCursor({200, 115});
  host.advance(kTick);
  EXPECT_TRUE(panelShown());
  EXPECT_TRUE(main.ghostShown);
  EXPECT_EQ(main.TargetHWnd, editor);
}

TEST_F(GhostTest, WhereTheWindowCannotBeConfirmedThePanelStaysForTheFirst) {
  // A child window in a corner zone, and a window that has just closed.
  const platform::Hwnd frame = desktop.createWindow({.title = "Frame", .rect = {600, 400, 900, 700}});
  const platform::Hwnd caption = desktop.createWindow(
      {.title = "Drawn title", .rect = {600, 400, 900, 430}, .parent = frame});
  restAt(editor, 10, 10);
  restAt(caption, 5, 5);
  EXPECT_TRUE(panelShown());
  EXPECT_EQ(main.TargetHWnd, editor);
  EXPECT_EQ(ghost().left(), 125 * 15);

  // Hidden while away; a child's corner then shows nothing at all.
  desktop.moveCursor({700, 700});
  host.advance(kTick);
  restAt(caption, 5, 5);
  EXPECT_FALSE(panelShown());
  EXPECT_EQ(main.TargetHWnd, editor);
}

TEST_F(GhostTest, WindowsOffTheScreenEdgeAndUnusualTitles) {
  const struct {
    std::string title;
    platform::Rect rect;
  } cases[] = {{"Half off the left edge", {-200, -40, 200, 300}},
               {"Inbox 📬 — 한국어", {300, 500, 600, 700}},
               {"Twin", {50, 600, 250, 700}}};
  desktop.createWindow({.title = "Twin", .rect = {800, 600, 1000, 700}});
  for (const auto& c : cases) {
    const platform::Hwnd w = desktop.createWindow({.title = c.title, .rect = c.rect});
    restAt(w, 8, 8);
    EXPECT_TRUE(panelShown()) << c.title;
    EXPECT_EQ(main.TargetHWnd, w) << c.title;
    EXPECT_EQ(ghost().left(), (c.rect.left + 25) * 15) << c.title;
    EXPECT_EQ(ghost().top(), (c.rect.top + 5) * 15) << c.title;
  }
}

TEST_F(GhostTest, PinAndUnpinSwapTheIconsAndMoveTheWindowInAndOutOfTheBand) {
  restAt(editor, 10, 10);
  ghost().buttonCover.setVisible(false);
  ghost().ITransp.setLeft(60);
  host.click(ghost().IDown);
  EXPECT_TRUE(onTop(editor));
  EXPECT_TRUE(ghost().ITop.visible());
  EXPECT_FALSE(ghost().IDown.visible());
  EXPECT_TRUE(ghost().buttonCover.visible());
  EXPECT_EQ(ghost().buttonCover.left(), 60) << "the cover lies on the thumb";
  EXPECT_TRUE(panelShown());
  const auto& z = desktop.zOrder();
  EXPECT_LT(std::find(z.begin(), z.end(), panel), std::find(z.begin(), z.end(), editor))
      << "the pinned window heads the band but does not cover the panel";
  EXPECT_EQ(desktop.foreground(), editor);

  ghost().buttonCover.setLeft(10);
  host.click(ghost().ITop);
  EXPECT_FALSE(onTop(editor));
  EXPECT_TRUE(ghost().IDown.visible());
  EXPECT_FALSE(ghost().ITop.visible());
  EXPECT_EQ(ghost().buttonCover.left(), 10) << "unpin leaves the cover alone";
  EXPECT_TRUE(panelShown());
}

TEST_F(GhostTest, CancelAllMakesTheWindowOpaqueTakesItOffTheTopAndHides) {
  restAt(editor, 10, 10);
  host.click(ghost().IDown);
  ghost().Image2.mouseDown(forms::MouseEvent{1, 0, 480, 0});  // thumb 30: opacity 49
  ASSERT_EQ(alphaOf(editor), 49);
  ASSERT_EQ(ghost().Label1.left(), 112);

  host.click(ghost().cancelAll);
  EXPECT_FALSE(panelShown());
  EXPECT_TRUE(main.ghostShown) << "still set: the panel returns only after leaving the corner";
  EXPECT_EQ(alphaOf(editor), 255);
  EXPECT_FALSE(onTop(editor));
  EXPECT_TRUE(ghost().IDown.visible());
  EXPECT_FALSE(ghost().ITop.visible());
  EXPECT_EQ(ghost().ITransp.left(), 148);
  EXPECT_EQ(ghost().Label1.caption(), "255/透明度");
  EXPECT_EQ(ghost().Label1.left(), 112) << "the label stays until the next slider action";
  EXPECT_TRUE(ghost().buttonCover.visible());
  EXPECT_EQ(ghost().buttonCover.left(), 148);

  // Resting on in the same corner brings nothing back; leaving and
  // returning does.
  host.advance(kTick);
  EXPECT_FALSE(panelShown());
  restAt(editor, 30, 30);
  restAt(editor, 10, 10);
  EXPECT_TRUE(panelShown());
}

TEST_F(GhostTest, CancelAllOnAWindowNotOnTopLeavesTheIcons) {
  restAt(editor, 10, 10);
  // Taken off the top behind the panel's back: the icons still say pinned.
  host.click(ghost().IDown);
  ASSERT_TRUE(desktop.setWindowPos(editor, platform::kHwndNoTopmost, 0, 0, 0, 0,
                                   platform::kSwpNoMove | platform::kSwpNoSize));
  host.click(ghost().cancelAll);
  EXPECT_TRUE(ghost().ITop.visible());
  EXPECT_FALSE(ghost().IDown.visible());
  EXPECT_EQ(alphaOf(editor), 255);
}

TEST_F(GhostTest, ATargetThatClosesWhileThePanelIsUpChangesOnlyThePanel) {
  restAt(editor, 10, 10);
  desktop.destroyWindow(editor);
  host.click(ghost().IDown);
  EXPECT_TRUE(ghost().ITop.visible());
  ghost().Image2.mouseDown(forms::MouseEvent{1, 0, 1600, 0});
  EXPECT_EQ(ghost().Label1.caption(), "172/透明度");
  host.click(ghost().cancelAll);
  EXPECT_FALSE(panelShown());
  EXPECT_TRUE(ghost().ITop.visible()) << "isTopmost of a closed window is false";
}

TEST_F(GhostTest, AWindowThatStopsAnsweringNeverHoldsTheWatchOrThePanel) {
  restAt(editor, 10, 10);
  ghost().Image2.mouseDown(forms::MouseEvent{1, 0, 1600, 0});
  desktop.setHung(editor, true);
  desktop.moveCursor({700, 700});
  host.advance(kTick);
  restAt(editor, 10, 10);
  ASSERT_TRUE(panelShown());
  host.click(ghost().IDown);
  ghost().Image2.mouseDown(forms::MouseEvent{1, 0, 800, 0});
  host.click(ghost().cancelAll);
  EXPECT_EQ(desktop.blockingCalls(), 0);
  EXPECT_EQ(alphaOf(editor), 255) << "a window already layered still takes the opacity";
  EXPECT_FALSE(onTop(editor)) << "the band waits on the window's program: left alone";
}

TEST_F(GhostTest, SwitchingTheFunctionOffAndOn) {
  // Off from the tray menu: the watch stops and both menus are checked.
  host.clickMenuItem(main.shutDown);
  EXPECT_TRUE(main.hoverOff);
  EXPECT_FALSE(main.watchTimer.enabled());
  EXPECT_TRUE(main.shutDown.checked);
  EXPECT_TRUE(main.helpWindow().shutDown.checked);
  EXPECT_FALSE(main.helpWindow().visible()) << "its menu is there, the window is not shown";
  EXPECT_TRUE(main.Command2.visible());
  EXPECT_FALSE(main.Command3.visible());
  restAt(editor, 10, 10);
  EXPECT_FALSE(panelShown());

  // A minimise switches the timer on; its first tick switches it off again.
  trayRestore();
  host.minimizeBox(main);
  EXPECT_TRUE(main.watchTimer.enabled());
  restAt(editor, 10, 10);
  EXPECT_FALSE(main.watchTimer.enabled());
  EXPECT_FALSE(panelShown());

  // 开启功能: marks cleared, but the watch waits for the next minimise.
  trayRestore();
  host.click(main.Command2);
  EXPECT_FALSE(main.hoverOff);
  EXPECT_FALSE(main.shutDown.checked);
  EXPECT_FALSE(main.helpWindow().shutDown.checked);
  EXPECT_FALSE(main.Command2.visible());
  EXPECT_TRUE(main.Command3.visible());
  main.mouseMove(forms::MouseEvent{0, 0, 40, 20});
  EXPECT_FALSE(main.watchTimer.enabled());
  host.minimizeBox(main);
  restAt(editor, 10, 10);
  EXPECT_TRUE(panelShown());

  // Off and on again from the help window's menu, which mirrors the marks.
  host.clickMenuItem(main.helpWindow().shutDown);
  EXPECT_TRUE(main.shutDown.checked);
  EXPECT_TRUE(panelShown()) << "switching off hides no panel";
  host.clickMenuItem(main.shutDown);
  EXPECT_FALSE(main.hoverOff);
  EXPECT_TRUE(main.watchTimer.enabled());
  EXPECT_FALSE(main.helpWindow().shutDown.checked);
  EXPECT_TRUE(main.Command3.visible());
}

TEST_F(GhostTest, TheWatchStartsTwoSecondsAfterStartUpOnceUnlessSwitchedOff) {
  for (const bool switchedOff : {false, true}) {
    // A window loaded but not yet shown: only the start-up delay can start
    // the watch.
    forms::HeadlessHost hostFor;
    fakes::FakeTray trayFor;
    mainForm form(hostFor, desktop, registry, trayFor);
    form.load();
    if (switchedOff) form.shutDownClick();
    ASSERT_FALSE(form.watchTimer.enabled());
    hostFor.advance(1999);
    EXPECT_FALSE(form.watchTimer.enabled());
    hostFor.advance(1);
    EXPECT_EQ(form.watchTimer.enabled(), !switchedOff);
    EXPECT_FALSE(form.watchConfirmTimer.enabled()) << "it ticks once";

    // Stopped by the pointer over the window, it stays stopped.
    form.Label2.mouseMove(forms::MouseEvent{});
    EXPECT_FALSE(form.watchTimer.enabled());
    hostFor.advance(10000);
    EXPECT_FALSE(form.watchTimer.enabled());
  }
}

TEST_F(GhostTest, RestoringFromTheTrayHidesThePanelAndExitUnloadsItFirst) {
  restAt(editor, 10, 10);
  ASSERT_TRUE(panelShown());
  trayRestore();
  EXPECT_FALSE(panelShown());
  EXPECT_TRUE(ghost().loaded());

  main.helpWindow().load();
  host.clickMenuItem(main.goOut);
  const auto& log = host.log();
  const auto at = [&](const std::string& step) { return std::find(log.begin(), log.end(), step); };
  ASSERT_NE(at("destroy GhostForm"), log.end());
  EXPECT_LT(at("destroy GhostForm"), at("destroy helpForm"));
  EXPECT_LT(at("destroy helpForm"), at("destroy mainForm"));
}

TEST_F(GhostTest, ThePanelIsDesignedAsAnInactiveStripWithItsControls) {
  ghost().load();
  EXPECT_EQ(ghost().caption(), "My ghost");
  EXPECT_EQ(ghost().borderStyle(), forms::BorderStyle::None);
  EXPECT_FALSE(ghost().showInTaskbar());
  EXPECT_FALSE(ghost().activates());
  EXPECT_EQ(ghost().clientWidth(), 179);
  EXPECT_EQ(ghost().clientHeight(), 24);
  const struct {
    forms::Control& control;
    forms::Bounds bounds;
    bool visible;
    const char* tooltip;
  } cases[] = {
      {ghost().buttonCover, {148, 2, 16, 20}, true, ""},
      {ghost().cancelAll, {164, 12, 22, 22}, true, "取消所有设置"},
      {ghost().ITransp, {148, 2, 16, 20}, true, "拖动以调节透明度"},
      {ghost().IDown, {160, -5, 22, 22}, true, "置顶"},
      {ghost().ITop, {160, -5, 22, 22}, false, "取消置顶"},
      {ghost().Image2, {0, 0, 176, 24}, true, "调节透明度"},
      {ghost().Label1, {8, 8, 65, 17}, true, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.control.bounds(), c.bounds) << c.control.name();
    EXPECT_EQ(c.control.visible(), c.visible) << c.control.name();
    EXPECT_EQ(c.control.tooltip(), c.tooltip) << c.control.name();
  }
  // Top of the stacking order first.
  std::vector<std::string> order;
  for (const forms::Control* c : ghost().controls()) order.push_back(c->name());
  EXPECT_EQ(order, (std::vector<std::string>{"buttonCover", "cancelAll", "ITransp", "IDown", "ITop",
                                             "Image2", "Label1"}));
  EXPECT_EQ(ghost().Label1.caption(), "255/透明度");
  EXPECT_EQ(ghost().Label1.foreColor(), (forms::Color{0, 0, 192}));
}

}  // namespace
