// The toolkit's semantics that the program relies on, on the headless host.
#include <gtest/gtest.h>

#include "forms/Form.h"
#include "forms/HeadlessHost.h"

namespace {

class SampleForm final : public forms::Form {
 public:
  explicit SampleForm(forms::Host& host) : Form(host, "SampleForm") {
    box.click.connect([this] { ++clicks; });
    resize.connect([this] { ++resizes; });
    loadEvent.connect([this] { ++loads; });
    unloadEvent.connect([this] { ++unloads; });
    timer.tick.connect([this] { ticks.push_back(static_cast<int>(ticks.size())); });
    add(&menu);
    menu.items = {&first, &second};
  }
  forms::CheckBox box{*this, "box"};
  forms::Label label{*this, "label"};
  forms::Timer timer{*this, "timer"};
  forms::Menu menu{"menu"};
  forms::MenuItem first{"first"};
  forms::MenuItem second{"second"};

  int clicks = 0;
  int resizes = 0;
  int loads = 0;
  int unloads = 0;
  std::vector<int> ticks;
  int fieldThatSurvives = 0;

 protected:
  void design() override {
    designWindow("sample", 0, forms::BorderStyle::FixedSingle, 100, 50);
    box.designValue(0);
    box.setCaption("box");
    label.setCaption("designed");
    label.setVisible(true);
    timer.setInterval(100);
    timer.setEnabled(true);
    first.caption = "First";
    second.caption = "Second";
    first.checked = false;
  }
};

class FormsTest : public ::testing::Test {
 protected:
  forms::HeadlessHost host;
  SampleForm form{host};
};

TEST_F(FormsTest, CheckBoxValueFromCodeClicksOnceAndOnlyOnChange) {
  form.load();
  form.box.setValue(1);
  EXPECT_EQ(form.clicks, 1);
  form.box.setValue(1);
  EXPECT_EQ(form.clicks, 1) << "the same value again is no click";
  host.click(form.box);
  EXPECT_EQ(form.box.value(), 0);
  EXPECT_EQ(form.clicks, 2);
  form.box.setEnabled(false);
  host.click(form.box);
  EXPECT_EQ(form.clicks, 2) << "a disabled box takes no clicks";
}

TEST_F(FormsTest, ReloadStartsFromTheDesignButKeepsTheObjectsFields) {
  form.load();
  form.label.setCaption("changed");
  form.first.checked = true;
  form.box.setValue(1);
  form.fieldThatSurvives = 7;
  form.unload();
  EXPECT_FALSE(form.loaded());
  EXPECT_EQ(form.unloads, 1);

  form.load();
  EXPECT_EQ(form.loads, 2);
  EXPECT_EQ(form.label.caption(), "designed");
  EXPECT_FALSE(form.first.checked);
  EXPECT_EQ(form.box.value(), 0);
  EXPECT_EQ(form.fieldThatSurvives, 7);
}

TEST_F(FormsTest, LoadingDoesNotShowAndShowingLoads) {
  form.load();
  EXPECT_TRUE(form.loaded());
  EXPECT_FALSE(form.visible());
  form.unload();
  form.show();
  EXPECT_TRUE(form.loaded());
  EXPECT_TRUE(form.visible());
  EXPECT_EQ(form.loads, 2);
}

TEST_F(FormsTest, MinimisingAShownFormRaisesResizeAndAHiddenOneWaitsForShow) {
  form.show();
  const int before = form.resizes;
  form.setWindowState(forms::WindowState::Minimized);
  EXPECT_EQ(form.resizes, before + 1);

  form.hide();
  form.setWindowState(forms::WindowState::Normal);
  EXPECT_EQ(form.resizes, before + 1) << "hidden: applied when shown";
  form.show();
  EXPECT_EQ(form.resizes, before + 2);
}

TEST_F(FormsTest, TimersTickOnTheVirtualClockOnlyWhileEnabledAndLoaded) {
  form.load();
  host.advance(350);
  EXPECT_EQ(form.ticks.size(), 3u);
  form.timer.setEnabled(false);
  host.advance(500);
  EXPECT_EQ(form.ticks.size(), 3u);
  form.timer.setEnabled(true);
  host.advance(99);
  EXPECT_EQ(form.ticks.size(), 3u) << "re-enabling starts a whole interval";
  host.advance(1);
  EXPECT_EQ(form.ticks.size(), 4u);
  form.unload();
  host.advance(1000);
  EXPECT_EQ(form.ticks.size(), 4u);
}

TEST_F(FormsTest, PopupMenusAreRecordedAndTheChosenItemClicks) {
  form.load();
  int chosen = 0;
  form.second.click.connect([&] { ++chosen; });
  form.first.visible = false;
  host.onPopup = [&](forms::Menu& menu) { host.clickMenuItem(*menu.items[1]); };
  form.popupMenu(form.menu);
  ASSERT_EQ(host.popups().size(), 1u);
  EXPECT_EQ(host.popups()[0].items, std::vector<std::string>{"Second"});
  EXPECT_EQ(chosen, 1);
}

}  // namespace
