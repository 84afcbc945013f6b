// Picking the target window by pointing at it with Ctrl and the left button.
#include "tests/unit/MainFormFixture.h"

namespace {

constexpr int kControl = 17;
constexpr int kLeftButton = 1;

class PickingTest : public MainFormFixture {
 protected:
  void SetUp() override {
    MainFormFixture::SetUp();
    start();
    button = desktop.createWindow({.title = "确定", .rect = {20, 20, 80, 40}, .parent = other,
                                   .className = "Button"});
  }
  void tick() { host.advance(100); }
  void pointAt(platform::Point p) { desktop.moveCursor(p); }
  void ctrlClick() {
    desktop.pressKey(kControl);
    desktop.pressKey(kLeftButton);
    tick();
    desktop.releaseKey(kLeftButton);
    desktop.releaseKey(kControl);
  }

  platform::Hwnd button = 0;
};

TEST_F(PickingTest, StartingAPickEnlargesTheWindowAndFollowsTheCursor) {
  host.click(main.Check2);  // out of the band first
  host.click(main.Command3);
  EXPECT_EQ(main.height(), 1845);
  EXPECT_EQ(main.Command3.caption(), "取消操作");
  EXPECT_EQ(main.Check2.value(), 1);
  EXPECT_TRUE(onTop(self));
  EXPECT_EQ(main.Label2.caption(), "当前窗口");
  EXPECT_TRUE(main.Label1.visible());
  EXPECT_TRUE(main.Timer1.enabled());
  EXPECT_GE(host.doEventsCalls(), 2) << "the new layout paints before the first tick";

  pointAt({150, 150});
  tick();
  EXPECT_EQ(main.Label1.caption(), "记事本");
  pointAt({30, 30});
  tick();
  EXPECT_EQ(main.Label1.caption(), "确定");
}

TEST_F(PickingTest, CtrlAloneOrTheButtonAloneNeverPicks) {
  host.click(main.Command3);
  pointAt({150, 150});
  for (int key : {kControl, kLeftButton}) {
    desktop.pressKey(key);
    tick();
    tick();
    desktop.releaseKey(key);
    tick();
  }
  EXPECT_EQ(main.TargetHWnd, 0);
  EXPECT_TRUE(main.Timer1.enabled());
}

TEST_F(PickingTest, CtrlClickPicksTheWindowUnderTheCursor) {
  main.Check3.designValue(1);  // checked for an earlier target
  host.click(main.Command3);
  pointAt({30, 30});
  ctrlClick();
  EXPECT_EQ(main.TargetHWnd, button) << "inside the client area: the child control";
  EXPECT_EQ(main.Label1.caption(), "确定");
  EXPECT_EQ(main.Label2.caption(), "目标窗口");
  EXPECT_EQ(main.Command3.caption(), "重选窗口");
  EXPECT_TRUE(main.Check3.enabled());
  EXPECT_EQ(main.Check3.value(), 1) << "the mark is left as it was";
  EXPECT_FALSE(onTop(button)) << "and the new target is not put on top";
  EXPECT_FALSE(main.Timer1.enabled());
  EXPECT_TRUE(onTop(self));
}

TEST_F(PickingTest, AClickThatCameAndWentBetweenTicksStillPicks) {
  host.click(main.Command3);
  pointAt({150, 150});
  desktop.pressKey(kControl);
  desktop.pressKey(kLeftButton);
  desktop.releaseKey(kLeftButton);
  tick();
  desktop.releaseKey(kControl);
  EXPECT_EQ(main.TargetHWnd, other);
}

TEST_F(PickingTest, WindowsCarryingTheMainCaptionCannotBePicked) {
  const platform::Hwnd lookalike =
      desktop.createWindow({.title = "关于 SkyvaneV2.59 的说明", .rect = {500, 0, 700, 100}});
  host.click(main.Command3);
  for (platform::Point p : {platform::Point{400, 340}, platform::Point{600, 50}}) {
    pointAt(p);
    ctrlClick();
    EXPECT_EQ(main.TargetHWnd, 0);
  }
  EXPECT_TRUE(main.Timer1.enabled()) << "the pick goes on";
  pointAt({150, 150});
  ctrlClick();
  EXPECT_EQ(main.TargetHWnd, other);
  (void)lookalike;
}

TEST_F(PickingTest, CancelWithoutTargetRestoresTheLayout) {
  host.click(main.Command3);
  host.click(main.Command3);
  EXPECT_EQ(main.Command3.caption(), "选择窗口");
  EXPECT_EQ(main.height(), 1440);
  EXPECT_EQ(main.Check2.value(), 0);
  EXPECT_FALSE(onTop(self));
  EXPECT_FALSE(main.Label1.visible());
  EXPECT_FALSE(main.Label2.visible());
  EXPECT_FALSE(main.Timer1.enabled());

  host.click(main.Command3);
  EXPECT_TRUE(main.Label1.visible());
  EXPECT_TRUE(main.Label2.visible());
}

TEST_F(PickingTest, CancelAfterATargetKeepsItAndRepickStartsAgain) {
  host.click(main.Command3);
  pointAt({150, 150});
  ctrlClick();
  host.click(main.Command3);  // pick again
  EXPECT_EQ(main.Command3.caption(), "取消操作");
  EXPECT_TRUE(main.Timer1.enabled());
  EXPECT_EQ(main.Label2.caption(), "当前窗口");
  EXPECT_EQ(main.height(), 1845);
  host.click(main.Command3);  // cancel
  EXPECT_EQ(main.Command3.caption(), "重选窗口");
  EXPECT_EQ(main.TargetHWnd, other);
  EXPECT_EQ(main.height(), 1845);
  EXPECT_TRUE(main.Label1.visible());
  EXPECT_EQ(main.Check2.value(), 1);
}

TEST_F(PickingTest, PickedTargetIsPinnedByTheTargetSwitch) {
  host.click(main.Command3);
  pointAt({150, 150});
  ctrlClick();
  host.click(main.Check3);
  EXPECT_TRUE(onTop(other));
  EXPECT_EQ(desktop.foreground(), self);
}

}  // namespace
