// The toolkit's semantics that the program relies on, on the headless host.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

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

namespace {

// A form with containers: a frame holding a label, a text box and an image;
// a picture box holding a button and a label; on the form a button, a
// transparent image over the frame (hidden until asked for) and a label.
class ContainerForm final : public forms::Form {
 public:
  explicit ContainerForm(forms::Host& host) : Form(host, "ContainerForm") {
    box.change.connect([this] { changes.push_back(box.text()); });
    mouseMove.connect([this](const forms::MouseEvent& e) { heard("form", e); });
    frame.mouseMove.connect([this](const forms::MouseEvent& e) { heard("frame", e); });
    for (forms::Control* c : std::initializer_list<forms::Control*>{
             &frameLabel, &frameImage, &pictureLabel, &button, &pictureButton, &cover, &label}) {
      c->mouseDown.connect([this, c](const forms::MouseEvent& e) { heard(c->name() + " down", e); });
      c->mouseMove.connect([this, c](const forms::MouseEvent& e) { heard(c->name(), e); });
      c->mouseUp.connect([this, c](const forms::MouseEvent& e) { heard(c->name() + " up", e); });
    }
    pictureButton.click.connect([this] { heard("pictureButton click", {}); });
  }

  forms::Button button{*this, "button"};
  forms::Image cover{*this, "cover"};
  forms::Frame frame{*this, "frame"};
  forms::Label frameLabel{*this, "frameLabel"};
  forms::TextBox box{*this, "box"};
  forms::Image frameImage{*this, "frameImage"};
  forms::PictureBox picture{*this, "picture"};
  forms::Button pictureButton{*this, "pictureButton"};
  forms::Label pictureLabel{*this, "pictureLabel"};
  forms::Label label{*this, "label"};

  std::vector<std::string> changes;
  struct Heard {
    std::string who;
    double x;
    double y;
  };
  std::vector<Heard> events;
  void heard(const std::string& who, const forms::MouseEvent& e) {
    events.push_back({who, e.x, e.y});
  }
  [[nodiscard]] std::string lastHeard() const { return events.empty() ? "" : events.back().who; }

 protected:
  void design() override {
    designWindow("containers", 0, forms::BorderStyle::FixedSingle, 300, 200);
    button.setBounds({0, 0, 40, 20});
    frame.setBounds({50, 10, 150, 80});
    frame.setEnabled(true);
    cover.setBounds({50, 10, 150, 80});
    cover.setVisible(false);
    for (forms::Control* c : {static_cast<forms::Control*>(&frameLabel), static_cast<forms::Control*>(&box),
                              static_cast<forms::Control*>(&frameImage)}) {
      c->setContainer(&frame);
    }
    frameLabel.setBounds({10, 20, 40, 15});
    box.setBounds({60, 20, 80, 20});
    box.setText("start");
    frameImage.setBounds({10, 50, 20, 20});
    picture.setBounds({0, 100, 200, 90});
    pictureButton.setContainer(&picture);
    pictureButton.setBounds({5, 60, 50, 25});
    pictureLabel.setContainer(&picture);
    pictureLabel.setBounds({100, 10, 60, 20});
    label.setBounds({220, 10, 60, 20});
  }
};

class ContainerFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    form.changes.clear();
  }
  forms::HeadlessHost host;
  ContainerForm form{host};
};

TEST_F(ContainerFormTest, TextBoxChangesOncePerChangeOfItsText) {
  form.box.setText("Vanto");
  form.box.setText("Vanto");
  host.type(form.box, "Vanto");
  host.type(form.box, "Vanto 📬");
  const std::string longText(2000, 'x');
  form.box.setText(longText);
  EXPECT_EQ(form.changes, (std::vector<std::string>{"Vanto", "Vanto 📬", longText}));
  EXPECT_EQ(form.box.text(), longText);

  form.frame.setEnabled(false);
  host.type(form.box, "typed into a disabled frame");
  EXPECT_EQ(form.box.text(), longText) << "a disabled frame takes no typing";
  form.box.setText("from code");
  EXPECT_EQ(form.changes.back(), "from code") << "the program still sets it";
}

TEST_F(ContainerFormTest, ThePointerReachesWhatIsUnderIt) {
  // Point in the form's client area, who hears a move there, and x in twips
  // (from that one's left edge; in pixels for the form).
  const struct {
    int x;
    int y;
    const char* who;
    double twipsX;
  } cases[] = {
      {250, 150, "form", 250},          // bare background
      {10, 5, "button", 150},           // a native control takes it itself
      {65, 35, "frameLabel", 75},       // a label in the frame, 5 px in
      {62, 62, "frameImage", 30},       // an image without a picture is still there
      {190, 80, "frame", 2100},         // the frame's own bare area is the frame's
      {105, 115, "pictureLabel", 75},   // a label in the picture box
      {10, 165, "pictureButton", 75},   // a button in the picture box
      {150, 170, "", 0},                // the picture box's bare area: no mouse-move handler
      {225, 15, "label", 75},           // a label on the form
  };
  for (const auto& c : cases) {
    form.events.clear();
    host.pointerMove(form, c.x, c.y);
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    ASSERT_EQ(form.lastHeard(), c.who);
    if (!form.events.empty()) {
      EXPECT_EQ(form.events.back().x, c.twipsX);
    }
  }
}

TEST_F(ContainerFormTest, ADisabledFrameHearsNothingAndAnImageOverItCounts) {
  form.frame.setEnabled(false);
  form.events.clear();
  host.pointerMove(form, 65, 35);   // its label
  host.pointerMove(form, 190, 80);  // its bare area
  EXPECT_TRUE(form.events.empty()) << "a disabled frame and what it holds hear nothing, and it is no bare background";
  host.click(form.box);
  EXPECT_EQ(form.changes.size(), 0u);

  // A shown image over the frame takes the pointer there (for its tooltip).
  form.cover.setVisible(true);
  host.pointerMove(form, 65, 35);
  EXPECT_EQ(form.lastHeard(), "cover");
  form.button.setEnabled(false);
  form.events.clear();
  host.pointerMove(form, 10, 5);
  EXPECT_TRUE(form.events.empty()) << "a disabled button is no bare background either";
}

TEST_F(ContainerFormTest, APressedLabelInAContainerHoldsThePointerUntilRelease) {
  host.pointerPress(form, 105, 115);
  host.pointerMove(form, -30, 115, 1);
  host.pointerRelease(form, -30, 115);
  host.pointerMove(form, 250, 150);
  std::vector<std::string> who;
  for (const auto& e : form.events) who.push_back(e.who);
  EXPECT_EQ(who, (std::vector<std::string>{"pictureLabel down", "pictureLabel", "pictureLabel up",
                                           "form"}));
  EXPECT_EQ(form.events[2].x, -130 * 15) << "released left of the form: negative, from the label's edge";
}

TEST_F(ContainerFormTest, ALeftPressAndReleaseOnOneWindowlessControlClicksItAfterItsMouseUp) {
  form.label.click.connect([&] { form.heard("label click", {}); });
  const struct {
    int button;
    int releaseX;
    bool clicks;
  } cases[] = {{1, 230, true}, {1, 290, false}, {2, 230, false}};
  for (const auto& c : cases) {
    form.events.clear();
    host.pointerPress(form, 225, 15, c.button);
    host.pointerRelease(form, c.releaseX, 15, c.button);
    std::vector<std::string> expected{"label down", "label up"};
    if (c.clicks) expected.push_back("label click");
    std::vector<std::string> who;
    for (const auto& e : form.events) who.push_back(e.who);
    EXPECT_EQ(who, expected) << "button " << c.button << ", released at x " << c.releaseX;
  }
}

TEST_F(ContainerFormTest, AClickInAHiddenOrDisabledContainerDoesNothing) {
  int clicks = 0;
  form.pictureButton.click.connect([&] { ++clicks; });
  host.click(form.pictureButton);
  form.picture.setEnabled(false);
  host.click(form.pictureButton);
  form.picture.setEnabled(true);
  form.picture.setVisible(false);
  host.click(form.pictureButton);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
