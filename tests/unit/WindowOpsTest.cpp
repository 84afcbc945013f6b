// The window operations on a simulated desktop with windows of other
// processes.
#include <gtest/gtest.h>

#include "tests/fakes/FakeDesktop.h"
#include "winops/SearchWindow.h"
#include "winops/Top.h"
#include "winops/Transparent.h"
#include "winops/keySate.h"
#include "winops/searchManyWindow.h"

using fakes::FakeDesktop;
using fakes::WindowSpec;
using platform::Hwnd;

namespace {

constexpr std::int32_t kVkLButton = 1;
constexpr std::int32_t kVkControl = 17;

class WindowOpsTest : public ::testing::Test {
 protected:
  FakeDesktop desktop;
  Hwnd editor = desktop.createWindow({.title = "记事本", .rect = {10, 10, 400, 300}});
  Hwnd browser = desktop.createWindow({.title = "Inbox 📬 - Browser", .process = 3});
};

TEST_F(WindowOpsTest, SetTopmostMovesWindowIntoAndOutOfTheBand) {
  const Hwnd pinnedElsewhere =
      desktop.createWindow({.title = "clock", .process = 4, .exStyle = platform::kWsExTopmost});

  Top::setTopmost(desktop, editor, true);
  EXPECT_TRUE(Transparent::isTopmost(desktop, editor));
  EXPECT_EQ(desktop.zOrder().front(), editor);
  // Nothing else moves or resizes, and the system's default activation holds.
  EXPECT_EQ(desktop.window(editor)->rect, (platform::Rect{10, 10, 400, 300}));
  EXPECT_EQ(desktop.foreground(), editor);

  Top::setTopmost(desktop, editor, false);
  EXPECT_FALSE(Transparent::isTopmost(desktop, editor));
  // Back to the top of the ordinary band: below every topmost window.
  EXPECT_EQ(desktop.zOrder().front(), pinnedElsewhere);
  EXPECT_EQ(desktop.zOrder()[1], editor);
}

TEST_F(WindowOpsTest, OperationsOnNoWindowChangeNothing) {
  const Hwnd gone = desktop.createWindow({.title = "gone"});
  desktop.destroyWindow(gone);
  const auto before = desktop.zOrder();
  for (Hwnd hwnd : {Hwnd{0}, gone}) {
    Top::setTopmost(desktop, hwnd, true);
    Transparent::setAlpha(desktop, hwnd, 128);
    EXPECT_FALSE(Transparent::isTopmost(desktop, hwnd));
  }
  EXPECT_EQ(desktop.zOrder(), before);
  EXPECT_FALSE(desktop.window(editor)->alpha.has_value());
}

TEST_F(WindowOpsTest, SetAlphaMakesWindowLayeredAndKeepsItLayered) {
  const std::int32_t ownStyle = 0x100;  // WS_EX_WINDOWEDGE, say
  const Hwnd w = desktop.createWindow({.title = "w", .exStyle = ownStyle});

  Transparent::setAlpha(desktop, w, 0);
  EXPECT_EQ(desktop.window(w)->exStyle, ownStyle | platform::kWsExLayered);
  EXPECT_EQ(desktop.window(w)->alpha, 0);
  EXPECT_EQ(desktop.window(w)->layeredFlags, platform::kLwaAlpha);
  EXPECT_EQ(desktop.window(w)->colorKey, 0u);

  Transparent::setAlpha(desktop, w, 255);
  EXPECT_EQ(desktop.window(w)->alpha, 255);
  EXPECT_TRUE(desktop.window(w)->exStyle & platform::kWsExLayered);
}

TEST_F(WindowOpsTest, SetAlphaHoldsOutOfRangeValuesAtTheNearestEnd) {
  const struct {
    std::int16_t asked;
    int applied;
  } cases[] = {{-1, 0}, {-32768, 0}, {256, 255}, {1000, 255}, {254, 254}, {1, 1}};
  for (const auto& c : cases) {
    Transparent::setAlpha(desktop, editor, c.asked);
    EXPECT_EQ(desktop.window(editor)->alpha, c.applied) << "asked " << c.asked;
  }
}

TEST_F(WindowOpsTest, AWindowThatDoesNotAnswerIsLeftAloneUntilItWakes) {
  desktop.setHung(editor, true);
  Top::setTopmost(desktop, editor, true);
  Transparent::setAlpha(desktop, editor, 100);
  EXPECT_EQ(desktop.blockingCalls(), 0) << "no call that would wait on it";
  EXPECT_FALSE(Transparent::isTopmost(desktop, editor));
  EXPECT_FALSE(desktop.window(editor)->alpha.has_value());

  desktop.setHung(editor, false);
  Top::setTopmost(desktop, editor, true);
  Transparent::setAlpha(desktop, editor, 100);
  EXPECT_TRUE(Transparent::isTopmost(desktop, editor));
  EXPECT_EQ(desktop.window(editor)->alpha, 100);
}

TEST_F(WindowOpsTest, ALayeredWindowThatStopsAnsweringStillTakesANewOpacity) {
  Transparent::setAlpha(desktop, editor, 100);
  desktop.setHung(editor, true);
  Transparent::setAlpha(desktop, editor, 30);
  EXPECT_EQ(desktop.blockingCalls(), 0);
  EXPECT_EQ(desktop.window(editor)->alpha, 30);
}

TEST_F(WindowOpsTest, IsTopmostReadsTheExtendedStyleBit) {
  const Hwnd pinned = desktop.createWindow({.title = "p", .exStyle = platform::kWsExTopmost});
  EXPECT_TRUE(Transparent::isTopmost(desktop, pinned));
  EXPECT_FALSE(Transparent::isTopmost(desktop, editor));
}

TEST_F(WindowOpsTest, IsKeyDownSeesHeldKeysAndPressesBetweenPolls) {
  EXPECT_FALSE(keySate::isKeyDown(desktop, kVkControl));

  desktop.pressKey(kVkControl);
  EXPECT_TRUE(keySate::isKeyDown(desktop, kVkControl));
  EXPECT_TRUE(keySate::isKeyDown(desktop, kVkControl)) << "held keys stay down";
  desktop.releaseKey(kVkControl);
  EXPECT_FALSE(keySate::isKeyDown(desktop, kVkControl));

  // A click that came and went between two polls reads as down once.
  desktop.pressKey(kVkLButton);
  desktop.releaseKey(kVkLButton);
  EXPECT_TRUE(keySate::isKeyDown(desktop, kVkLButton));
  EXPECT_FALSE(keySate::isKeyDown(desktop, kVkLButton));
}

TEST(EnumWindowsProcTest, StopsAtTheWantedWindowWithTheFlagSet) {
  searchManyWindow::Search search{0x20, true};
  EXPECT_NE(searchManyWindow::enumWindowsProc(0x10, search), 0);
  EXPECT_FALSE(search.found);
  EXPECT_EQ(searchManyWindow::enumWindowsProc(0x20, search), 0);
  EXPECT_TRUE(search.found);
}

TEST_F(WindowOpsTest, TargetIsAliveWhileItsTitleAndHandleRemain) {
  EXPECT_TRUE(SearchWindow::isTargetAlive(desktop, editor, "记事本"));
  EXPECT_TRUE(SearchWindow::isTargetAlive(desktop, browser, "Inbox 📬 - Browser"));
  EXPECT_FALSE(SearchWindow::isTargetAlive(desktop, editor, "记事")) << "exact title only";

  desktop.destroyWindow(editor);
  EXPECT_FALSE(SearchWindow::isTargetAlive(desktop, editor, "记事本"));
}

TEST_F(WindowOpsTest, SecondOfTwoWindowsWithTheSameTitleIsAlive) {
  const Hwnd first = desktop.createWindow({.title = "无标题 - 画图"});
  const Hwnd second = desktop.createWindow({.title = "无标题 - 画图"});
  ASSERT_EQ(desktop.findWindowByTitle("无标题 - 画图"), second);

  EXPECT_TRUE(SearchWindow::isTargetAlive(desktop, first, "无标题 - 画图"));
  // The title still exists, but the remembered handle no longer names a window.
  desktop.destroyWindow(first);
  EXPECT_FALSE(SearchWindow::isTargetAlive(desktop, first, "无标题 - 画图"));
}

TEST_F(WindowOpsTest, ChildWindowIsNeverAlive) {
  const Hwnd button = desktop.createWindow(
      {.title = "确定", .rect = {20, 20, 80, 40}, .parent = editor, .className = "Button"});
  EXPECT_FALSE(SearchWindow::isTargetAlive(desktop, button, "确定"));
  // Not even when a top-level window carries the same title.
  desktop.createWindow({.title = "确定"});
  EXPECT_FALSE(SearchWindow::isTargetAlive(desktop, button, "确定"));
}

TEST_F(WindowOpsTest, OpenPopupMenuWithTheTitleIsNotTheTarget) {
  const Hwnd untitled = desktop.createWindow({.title = ""});
  EXPECT_TRUE(SearchWindow::isTargetAlive(desktop, untitled, ""));

  // A popup menu opened later is found first by the empty title.
  desktop.createWindow({.title = "", .className = "#32768"});
  EXPECT_FALSE(SearchWindow::isTargetAlive(desktop, untitled, ""));
}

TEST_F(WindowOpsTest, NoWindowWithTheTitleMeansNotAlive) {
  EXPECT_FALSE(SearchWindow::isTargetAlive(desktop, editor, "nothing has this title"));
  EXPECT_FALSE(SearchWindow::isTargetAlive(desktop, 0, "记事本"));
}

}  // namespace
