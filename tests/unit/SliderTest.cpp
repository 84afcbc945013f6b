// The opacity slider of the main window and of the ghost panel, driven by
// the pointer events their images receive. The tables run over both
// windows; the points where the two differ have tests of their own.
#include <set>

#include "ghost/GhostForm.h"
#include "tests/unit/MainFormFixture.h"

namespace {

forms::MouseEvent at(double xTwips) { return forms::MouseEvent{1, 0, xTwips, 0}; }

enum class SliderWindow { Main, Ghost };

// One window's slider: its controls, its state and where it starts.
struct SliderParts {
  forms::Image& cover;
  forms::Image& thumb;
  forms::Image& track;
  forms::Label& label;
  const TransparencySlider& slider;
  int thumbStart;
  int labelStart;
};

class SliderFixture : public MainFormFixture {
 protected:
  void SetUp() override {
    MainFormFixture::SetUp();
    start();
    main.TargetHWnd = other;
  }
  void use(SliderWindow which) {
    if (which == SliderWindow::Main) {
      parts_.emplace(SliderParts{main.buttonCover, main.ITransp, main.Image2, main.Label3,
                                 main.slider(), 144, 24});
    } else {
      GhostForm& ghost = main.ghostWindow();
      ghost.load();
      parts_.emplace(SliderParts{ghost.buttonCover, ghost.ITransp, ghost.Image2, ghost.Label1,
                                 ghost.slider(), 148, 8});
    }
  }
  [[nodiscard]] SliderParts& s() { return *parts_; }
  void pressTrack(double x) { s().track.mouseDown(at(x)); }
  // A drag: press on the thumb, move to each pixel offset from the thumb's
  // left edge as it is at that moment, release.
  void drag(std::initializer_list<int> pixelsFromThumbLeft) {
    s().thumb.mouseDown(at(0));
    for (int px : pixelsFromThumbLeft) s().thumb.mouseMove(at(px * 15.0));
    s().thumb.mouseUp(at(0));
  }
  [[nodiscard]] int thumb() { return s().thumb.left(); }
  [[nodiscard]] std::string label() { return s().label.caption(); }

 private:
  std::optional<SliderParts> parts_;
};

// The rules both windows share.
class BothSlidersTest : public SliderFixture, public ::testing::WithParamInterface<SliderWindow> {
 protected:
  void SetUp() override {
    SliderFixture::SetUp();
    use(GetParam());
  }
};

INSTANTIATE_TEST_SUITE_P(, BothSlidersTest, ::testing::Values(SliderWindow::Main, SliderWindow::Ghost),
                         [](const ::testing::TestParamInfo<SliderWindow>& window) {
                           return window.param == SliderWindow::Main ? "mainForm" : "GhostForm";
                         });

// The main window's slider.
class SliderTest : public SliderFixture {
 protected:
  void SetUp() override {
    SliderFixture::SetUp();
    use(SliderWindow::Main);
  }
};

// The ghost panel's slider, where it differs from the main window's.
class GhostSliderTest : public SliderFixture {
 protected:
  void SetUp() override {
    SliderFixture::SetUp();
    use(SliderWindow::Ghost);
  }
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

TEST_P(BothSlidersTest, TrackPressJumpsTheThumbAndAppliesTheOpacity) {
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
    EXPECT_EQ(s().slider.sliderValue(), c.alpha);
  }
  EXPECT_FALSE(s().slider.dragging()) << "a press on the track is no drag";
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

TEST_P(BothSlidersTest, DragMovesStepByStepAndStopsAtTheLastPlaceInside) {
  // The thumb's centre follows the pointer: 4, 12 and 16 pixels to the left.
  drag({4, -4, -8});
  const int moved = s().thumbStart - 32;
  EXPECT_EQ(thumb(), moved);
  EXPECT_EQ(alphaOf(other), TransparencySlider::alphaFor(moved));
  EXPECT_EQ(label(), std::to_string(TransparencySlider::alphaFor(moved)) + "/透明度");

  // A fast move far past the right end leaves the thumb where it was.
  drag({-4});
  const int before = thumb();
  const auto alphaBefore = alphaOf(other);
  drag({400});
  EXPECT_EQ(thumb(), before);
  EXPECT_EQ(alphaOf(other), alphaBefore);

  // The ends are reached by steps that land on them.
  drag({-500});
  EXPECT_EQ(thumb(), before);
  s().thumb.mouseDown(at(0));
  for (int i = 0; i < 100 && thumb() > 2; ++i) {
    // Steps of up to six pixels; a few twips either way keep the filter open.
    s().thumb.mouseMove(at(15.0 * (8 - std::min(6, thumb() - 2)) + (i % 2) * 3));
  }
  s().thumb.mouseUp(at(0));
  EXPECT_EQ(thumb(), 2);
  EXPECT_EQ(alphaOf(other), 0);
}

TEST_P(BothSlidersTest, LabelHopsToTheFarEndOfTheTrack) {
  EXPECT_EQ(s().label.left(), s().labelStart);
  pressTrack(1600);  // 172
  EXPECT_EQ(s().label.left(), s().labelStart) << "left alone while values above 80 are set";
  pressTrack(480);  // p 30: 49
  EXPECT_EQ(s().label.left(), 112);
  pressTrack(1600);
  EXPECT_EQ(s().label.left(), 8);
  pressTrack(0);
  EXPECT_EQ(s().label.left(), 112);
  pressTrack(90000);
  EXPECT_EQ(s().label.left(), 8);
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

TEST_P(BothSlidersTest, MovesWithoutAHeldThumbChangeNothing) {
  s().thumb.mouseMove(at(300));
  EXPECT_EQ(thumb(), s().thumbStart);
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

TEST_P(BothSlidersTest, ClosedOrMissingTargetsChangeNoWindowButTheSliderMoves) {
  desktop.destroyWindow(other);
  pressTrack(1600);
  EXPECT_EQ(thumb(), 100);
  main.TargetHWnd = 0;
  drag({-20});
  EXPECT_EQ(label(), std::to_string(TransparencySlider::alphaFor(thumb())) + "/透明度");
  EXPECT_FALSE(alphaOf(self).has_value());
}

TEST_F(GhostSliderTest, ATrackPressHidesTheHighlightedThumbUntilTheCoverIsReached) {
  pressTrack(1600);
  EXPECT_EQ(thumb(), 100);
  EXPECT_FALSE(s().thumb.visible()) << "only the cover shows, at the old place";
  EXPECT_TRUE(s().cover.visible());
  EXPECT_EQ(s().cover.left(), 148);
  s().track.mouseMove(at(1700));
  EXPECT_EQ(s().cover.left(), 100);
  s().cover.mouseMove(at(90));
  EXPECT_TRUE(s().thumb.visible());
  EXPECT_FALSE(s().cover.visible());
}

TEST_F(GhostSliderTest, TouchesNoTimerAndNoButtonOfTheMainWindow) {
  for (const bool watching : {true, false}) {
    main.watchTimer.setEnabled(watching);
    main.Command4.setVisible(true);
    pressTrack(1600);
    s().track.mouseMove(at(1900));
    s().thumb.mouseDown(at(0));
    EXPECT_EQ(main.watchTimer.enabled(), watching);
    s().thumb.mouseMove(at(-60));
    s().thumb.mouseUp(at(0));
    EXPECT_EQ(main.watchTimer.enabled(), watching);
    EXPECT_TRUE(main.Command4.visible());
  }
}

TEST_F(GhostSliderTest, DragsAlwaysActOnTheTargetAndIgnoreAdjustMyself) {
  host.click(main.Check1);
  drag({-10});
  EXPECT_EQ(alphaOf(other), TransparencySlider::alphaFor(thumb()));
  EXPECT_FALSE(alphaOf(self).has_value());
}

TEST_P(BothSlidersTest, OnlyTheMainWindowsThumbFollowsMereHoveringAndRepaintsFirst) {
  // The main window's filter runs before it asks whether the thumb is
  // held; the panel asks first. The main window repaints before applying.
  const bool isMain = GetParam() == SliderWindow::Main;
  s().thumb.mouseMove(at(300));
  EXPECT_EQ(s().slider.lastMouseX(), isMain ? 300 : 0);
  const int paintsBefore = host.doEventsCalls();
  drag({-10, -4});
  EXPECT_EQ(host.doEventsCalls() - paintsBefore, isMain ? 2 : 0);
}

}  // namespace
