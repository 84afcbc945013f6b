// The opacity slider of the main window, driven by the pointer events its
// images receive.
#include <set>

#include "tests/unit/MainFormFixture.h"

namespace {

forms::MouseEvent at(double xTwips) { return forms::MouseEvent{1, 0, xTwips, 0}; }

class SliderTest : public MainFormFixture {
 protected:
  void SetUp() override {
    MainFormFixture::SetUp();
    start();
    main.TargetHWnd = other;
  }
  void pressTrack(double x) { main.Image2.mouseDown(at(x)); }
  // A drag: press on the thumb, move to each pixel offset from the thumb's
  // left edge as it is at that moment, release.
  void drag(std::initializer_list<int> pixelsFromThumbLeft) {
    main.ITransp.mouseDown(at(0));
    for (int px : pixelsFromThumbLeft) main.ITransp.mouseMove(at(px * 15.0));
    main.ITransp.mouseUp(at(0));
  }
  [[nodiscard]] int thumb() const { return main.ITransp.left(); }
  [[nodiscard]] std::string label() const { return main.Label3.caption(); }
};

TEST(AlphaRuleTest, PositionsGiveTheListedOpacities) {
  const struct {
    int left;
    int alpha;
  } cases[] = {{2, 0},     {47, 79},   {48, 81},   {100, 172}, {144, 250},
               {145, 252}, {146, 253}, {147, 255}, {148, 255}};
  for (const auto& c : cases) EXPECT_EQ(TransparencySlider::alphaFor(c.left), c.alpha) << c.left;
}

TEST(AlphaRuleTest, NeverDecreasesAndMisses254) {
  std::set<int> seen;
  int previous = -1;
  for (int p = 2; p <= 148; ++p) {
    const int alpha = TransparencySlider::alphaFor(p);
    EXPECT_GE(alpha, previous);
    EXPECT_LE(alpha, 255);
    previous = alpha;
    seen.insert(alpha);
  }
  EXPECT_EQ(seen.size(), 146u);
  for (int never : {1, 3, 6, 8, 10, 244, 247, 249, 251, 254}) EXPECT_EQ(seen.count(never), 0u) << never;
}

TEST_F(SliderTest, TrackPressJumpsTheThumbAndAppliesTheOpacity) {
  const struct {
    double x;
    int thumb;
    int alpha;
  } cases[] = {
      {0, 2, 0},       {15, 2, 0},       {30, 2, 0},       {1600, 100, 172},
      {2370, 148, 255}, {2385, 148, 255}, {-4000, 2, 0},   {90000, 148, 255},
      {31.4, 2, 0},    {32, 2, 0},       {46.5, 2, 0},     {47.5, 3, 2},  // ties to even
  };
  for (const auto& c : cases) {
    pressTrack(c.x);
    EXPECT_EQ(thumb(), c.thumb) << "x " << c.x;
    EXPECT_EQ(alphaOf(other), c.alpha) << "x " << c.x;
    EXPECT_EQ(label(), std::to_string(c.alpha) + "/透明度") << "x " << c.x;
    EXPECT_EQ(main.slider().sliderValue(), c.alpha);
  }
  EXPECT_FALSE(main.slider().dragging()) << "a press on the track is no drag";
}

TEST_F(SliderTest, TrackPressLeavesTheCoverAtTheOldPlaceUntilTheTrackIsCrossed) {
  pressTrack(1600);
  EXPECT_TRUE(main.buttonCover.visible());
  EXPECT_EQ(main.buttonCover.left(), 144);
  main.Image2.mouseMove(at(1700));
  EXPECT_EQ(main.buttonCover.left(), 100);
  // Reaching the cover shows the highlighted thumb.
  main.buttonCover.mouseMove(at(90));
  EXPECT_FALSE(main.buttonCover.visible());
  EXPECT_TRUE(main.ITransp.visible());
}

TEST_F(SliderTest, MovementFilterIgnoresReportsAtTheSamePlace) {
  main.Command4.setVisible(true);
  main.Image2.mouseMove(at(1.5));  // within 2 twips of the start
  EXPECT_TRUE(main.Command4.visible());
  main.Image2.mouseMove(at(100));
  EXPECT_FALSE(main.Command4.visible());
  EXPECT_EQ(main.slider().lastMouseX(), 100);
  main.buttonCover.mouseMove(at(101));  // one twip on: no change of look
  EXPECT_TRUE(main.buttonCover.visible());
}

TEST_F(SliderTest, DragMovesStepByStepAndStopsAtTheLastPlaceInside) {
  // From 144: the thumb's centre follows the pointer.
  drag({4, -4, -8});  // 144 -> 140 -> 128 -> 112
  EXPECT_EQ(thumb(), 112);
  EXPECT_EQ(alphaOf(other), TransparencySlider::alphaFor(112));

  // A fast move far past the right end leaves the thumb where it was.
  drag({-4});  // to 116
  const int before = thumb();
  const auto alphaBefore = alphaOf(other);
  drag({400});
  EXPECT_EQ(thumb(), before);
  EXPECT_EQ(alphaOf(other), alphaBefore);

  // The ends are reached by steps that land on them.
  drag({-500});
  EXPECT_EQ(thumb(), before);
  main.ITransp.mouseDown(at(0));
  for (int i = 0; i < 100 && thumb() > 2; ++i) {
    // Steps of up to six pixels; a few twips either way keep the filter open.
    main.ITransp.mouseMove(at(15.0 * (8 - std::min(6, thumb() - 2)) + (i % 2) * 3));
  }
  main.ITransp.mouseUp(at(0));
  EXPECT_EQ(thumb(), 2);
  EXPECT_EQ(alphaOf(other), 0);
}

TEST_F(SliderTest, LabelHopsToTheFarEndOfTheTrack) {
  EXPECT_EQ(main.Label3.left(), 24);
  pressTrack(1600);  // 172
  EXPECT_EQ(main.Label3.left(), 24) << "left alone while values above 80 are set";
  pressTrack(480);  // p 30: 49
  EXPECT_EQ(main.Label3.left(), 112);
  pressTrack(1600);
  EXPECT_EQ(main.Label3.left(), 8);
  pressTrack(0);
  EXPECT_EQ(main.Label3.left(), 112);
  pressTrack(90000);
  EXPECT_EQ(main.Label3.left(), 8);
}

TEST_F(SliderTest, AdjustMyselfMakesDragsActOnThisWindowButNotPresses) {
  host.click(main.Check1);
  drag({-10});
  EXPECT_TRUE(alphaOf(self).has_value());
  EXPECT_FALSE(alphaOf(other).has_value());
  pressTrack(1600);
  EXPECT_EQ(alphaOf(other), 172);
  EXPECT_NE(alphaOf(self), 172);
}

TEST_F(SliderTest, TheHoverWatchPausesWhileTheThumbIsHeld) {
  main.watchTimer.setEnabled(true);
  main.ITransp.mouseDown(at(0));
  EXPECT_FALSE(main.watchTimer.enabled());
  EXPECT_TRUE(main.slider().dragging());
  main.ITransp.mouseUp(at(0));
  EXPECT_TRUE(main.watchTimer.enabled());
  EXPECT_FALSE(main.slider().dragging());
  pressTrack(1600);
  EXPECT_FALSE(main.watchTimer.enabled()) << "a press pauses it and leaves resuming to others";
}

TEST_F(SliderTest, MovesWithoutAHeldThumbChangeNothing) {
  main.ITransp.mouseMove(at(300));
  EXPECT_EQ(thumb(), 144);
  EXPECT_FALSE(alphaOf(other).has_value());
}

TEST_F(SliderTest, AHungTargetNeverHoldsTheMainWindow) {
  desktop.setHung(other, true);
  main.Check3.setEnabled(true);
  host.click(main.Check3);
  pressTrack(1600);
  drag({-10, -12});  // 100 -> 82 -> 62
  EXPECT_EQ(desktop.blockingCalls(), 0);
  EXPECT_EQ(thumb(), 62) << "the slider itself goes on";
  EXPECT_FALSE(onTop(other));

  desktop.setHung(other, false);
  pressTrack(1600);
  host.click(main.Check3);
  host.click(main.Check3);
  EXPECT_EQ(alphaOf(other), 172);
  EXPECT_TRUE(onTop(other));
}

TEST_F(SliderTest, ClosedOrMissingTargetsChangeNoWindowButTheSliderMoves) {
  desktop.destroyWindow(other);
  pressTrack(1600);
  EXPECT_EQ(thumb(), 100);
  main.TargetHWnd = 0;
  drag({-20});
  EXPECT_EQ(label(), std::to_string(TransparencySlider::alphaFor(thumb())) + "/透明度");
  EXPECT_FALSE(alphaOf(self).has_value());
}

}  // namespace
