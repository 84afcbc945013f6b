// The Win32 host mirrors the form model on real windows and delivers real
// input back as the model's events.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <vector>

#include "forms/Form.h"
#include "tests/support/RealInput.h"
#include "tests/support/Wait.h"
#include "win32/Win32Host.h"

namespace {

class ProbeForm final : public forms::Form {
 public:
  explicit ProbeForm(forms::Host& host) : Form(host, "ProbeForm") {
    button.click.connect([this] { ++buttonClicks; });
    box.click.connect([this] { ++boxClicks; });
    timer.tick.connect([this] { ++ticks; });
    resize.connect([this] {
      if (windowState() == forms::WindowState::Minimized) ++minimiseResizes;
    });
    image.mouseDown.connect([this](const forms::MouseEvent& e) { events.push_back({'d', e.x}); });
    image.mouseMove.connect([this](const forms::MouseEvent& e) { events.push_back({'m', e.x}); });
    image.mouseUp.connect([this](const forms::MouseEvent& e) { events.push_back({'u', e.x}); });
  }

  forms::Button button{*this, "button"};
  forms::CheckBox box{*this, "box"};
  forms::Image image{*this, "image"};
  forms::Label label{*this, "label"};
  forms::Timer timer{*this, "timer"};

  int buttonClicks = 0;
  int boxClicks = 0;
  int ticks = 0;
  int minimiseResizes = 0;
  struct Mouse {
    char kind;
    double x;
  };
  std::vector<Mouse> events;

 protected:
  void design() override {
    designWindow("Skyvane forms probe", 0, forms::BorderStyle::FixedSingle, 300, 120);
    button.setBounds({10, 10, 100, 30});
    button.setCaption("按钮");
    box.setBounds({120, 10, 120, 20});
    box.setCaption("复选框");
    box.designValue(0);
    image.setBounds({10, 60, 176, 24});
    label.setBounds({10, 90, 200, 20});
    label.setCaption("标签");
    timer.setInterval(50);
    timer.setEnabled(false);
  }
};

using testsupport::click;
using testsupport::kWaitDeadline;
using testsupport::pointAt;
using testsupport::Pump;

// The form lives on this thread: every wait keeps its messages flowing.
bool pumpUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds deadline = kWaitDeadline) {
  return testsupport::waitUntil(condition, deadline, Pump::Messages);
}

class FormsHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    hwnd = reinterpret_cast<HWND>(static_cast<LONG_PTR>(form.hwnd()));
    ASSERT_NE(hwnd, nullptr);
    SetForegroundWindow(hwnd);
    ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(hwnd) != 0; }));
  }
  void TearDown() override { form.unload(); }

  HWND child(const wchar_t* text) const { return FindWindowExW(hwnd, nullptr, nullptr, text); }
  POINT screenOf(int clientX, int clientY) const {
    POINT p{clientX, clientY};
    ClientToScreen(hwnd, &p);
    return p;
  }

  win32::Win32Host host{GetModuleHandleW(nullptr)};
  ProbeForm form{host};
  HWND hwnd = nullptr;
};

TEST_F(FormsHostTest, NativeControlsMirrorTheModel) {
  HWND button = child(L"按钮");
  HWND box = child(L"复选框");
  ASSERT_NE(button, nullptr);
  ASSERT_NE(box, nullptr);

  RECT r;
  GetWindowRect(button, &r);
  const POINT topLeft = screenOf(10, 10);
  EXPECT_EQ(r.left, topLeft.x);
  EXPECT_EQ(r.top, topLeft.y);
  EXPECT_EQ(r.right - r.left, 100);

  form.button.setCaption("新的");
  EXPECT_NE(child(L"新的"), nullptr);
  form.button.setVisible(false);
  EXPECT_FALSE(IsWindowVisible(button));
  form.button.setVisible(true);
  form.button.setEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(button));
  form.button.setLeft(50);
  GetWindowRect(button, &r);
  EXPECT_EQ(r.left, screenOf(50, 0).x);

  // A value set from code shows, and is handled like one click.
  form.box.setValue(1);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(form.boxClicks, 1);
}

// A form loaded hidden makes its native controls when it first shows (a
// start in the tray does not wait for them); what changed before is there.
TEST(FormsHostHiddenTest, ControlsComeWithTheFirstShowingWithTheChangesMadeBefore) {
  win32::Win32Host host{GetModuleHandleW(nullptr), L"Local\\Skyvane.HiddenFormTest"};
  ProbeForm form{host};
  form.load();
  const HWND hwnd = reinterpret_cast<HWND>(static_cast<LONG_PTR>(form.hwnd()));
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(GetWindow(hwnd, GW_CHILD), nullptr);

  form.button.setCaption("隐藏时改的");
  form.button.setEnabled(false);
  form.box.setValue(1);
  form.show();
  ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(hwnd) != 0; }));
  const HWND button = FindWindowExW(hwnd, nullptr, nullptr, L"隐藏时改的");
  ASSERT_NE(button, nullptr);
  EXPECT_FALSE(IsWindowEnabled(button));
  const HWND box = FindWindowExW(hwnd, nullptr, nullptr, L"复选框");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  form.unload();
}

TEST_F(FormsHostTest, RealClicksReachTheHandlers) {
  const HWND button = child(L"按钮");
  const HWND box = child(L"复选框");
  ASSERT_EQ(click(screenOf(60, 25), button, Pump::Messages), L"");
  EXPECT_TRUE(pumpUntil([&] { return form.buttonClicks == 1; }));

  ASSERT_EQ(click(screenOf(130, 20), box, Pump::Messages), L"");
  EXPECT_TRUE(pumpUntil([&] { return form.boxClicks == 1; }));
  EXPECT_EQ(form.buttonClicks, 1) << "the second click reached the box alone";
  EXPECT_EQ(form.box.value(), 1);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(FormsHostTest, TimersTickAndStop) {
  form.timer.setEnabled(true);
  EXPECT_TRUE(pumpUntil([&] { return form.ticks >= 3; }));
  form.timer.setEnabled(false);
  const int stopped = form.ticks;
  pumpUntil([] { return false; }, std::chrono::milliseconds(200));
  EXPECT_EQ(form.ticks, stopped);
}

TEST_F(FormsHostTest, MinimisingRaisesResize) {
  form.setWindowState(forms::WindowState::Minimized);
  EXPECT_TRUE(IsIconic(hwnd));
  EXPECT_EQ(form.minimiseResizes, 1);

  // The minimise box, as a user would use it.
  form.setWindowState(forms::WindowState::Normal);
  SendMessageW(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(pumpUntil([&] { return form.minimiseResizes == 2; }));
  EXPECT_EQ(form.windowState(), forms::WindowState::Minimized);
}

TEST_F(FormsHostTest, WindowlessImageGetsTheMouseWithCaptureOutsideTheForm) {
  const auto find = [&](char kind) -> const ProbeForm::Mouse* {
    for (const auto& e : form.events) {
      if (e.kind == kind) return &e;
    }
    return nullptr;
  };
  // The image is windowless: the window under it is the form's own.
  const POINT onImage = screenOf(20, 70);
  ASSERT_EQ(pointAt(onImage, hwnd, Pump::Messages), L"");
  ASSERT_TRUE(pumpUntil([&] { return find('m') != nullptr; })) << "the image hears the pointer";
  testsupport::press(onImage);
  ASSERT_TRUE(pumpUntil([&] { return find('d') != nullptr; }));

  // Far left of the form, still captured: x is negative, from the image's edge.
  RECT frame;
  GetWindowRect(hwnd, &frame);
  ASSERT_GE(frame.left, 30) << "room for the pointer left of the form";
  const POINT outside{frame.left - 30, onImage.y};
  ASSERT_EQ(pointAt(outside, nullptr, Pump::Messages), L"");
  testsupport::release(outside);
  ASSERT_TRUE(pumpUntil([&] { return find('u') != nullptr; }));
  EXPECT_EQ(find('d')->x, 10 * 15) << "twips from the image's left edge";
  EXPECT_LT(find('u')->x, 0) << "released left of the form, the image still hears it";
}

TEST_F(FormsHostTest, UnloadDestroysTheWindowAndReloadRebuildsIt) {
  form.unload();
  EXPECT_FALSE(IsWindow(hwnd));
  form.show();
  const HWND again = reinterpret_cast<HWND>(static_cast<LONG_PTR>(form.hwnd()));
  EXPECT_TRUE(IsWindow(again));
  EXPECT_NE(FindWindowExW(again, nullptr, nullptr, L"按钮"), nullptr);
}

}  // namespace
