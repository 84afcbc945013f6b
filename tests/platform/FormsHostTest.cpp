// The Win32 host mirrors the form model on real windows and delivers real
// input back as the model's events.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <thread>
#include <vector>

#include "forms/Form.h"
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

// Runs the message loop until the condition holds or the deadline passes.
bool pumpUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds deadline = std::chrono::seconds(5)) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void sendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
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

TEST_F(FormsHostTest, RealClicksReachTheHandlers) {
  const POINT onButton = screenOf(60, 25);
  SetCursorPos(onButton.x, onButton.y);
  sendMouse(MOUSEEVENTF_LEFTDOWN);
  sendMouse(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(pumpUntil([&] { return form.buttonClicks == 1; }));

  const POINT onBox = screenOf(130, 20);
  SetCursorPos(onBox.x, onBox.y);
  sendMouse(MOUSEEVENTF_LEFTDOWN);
  sendMouse(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(pumpUntil([&] { return form.boxClicks == 1; }));
  EXPECT_EQ(form.box.value(), 1);
  EXPECT_EQ(SendMessageW(child(L"复选框"), BM_GETCHECK, 0, 0), BST_CHECKED);
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
  const POINT onImage = screenOf(20, 70);
  SetCursorPos(onImage.x, onImage.y);
  ASSERT_TRUE(pumpUntil([&] { return !form.events.empty(); }));
  sendMouse(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(pumpUntil([&] {
    for (const auto& e : form.events) if (e.kind == 'd') return true;
    return false;
  }));
  // Far left of the form, still captured: x is negative, from the image's edge.
  RECT frame;
  GetWindowRect(hwnd, &frame);
  SetCursorPos(frame.left - 30, onImage.y);
  sendMouse(MOUSEEVENTF_LEFTUP);
  const auto find = [&](char kind) -> const ProbeForm::Mouse* {
    for (const auto& e : form.events) {
      if (e.kind == kind) return &e;
    }
    return nullptr;
  };
  ASSERT_TRUE(pumpUntil([&] { return find('u') != nullptr; }));
  EXPECT_EQ(find('d')->x, 10 * 15) << "twips from the image's left edge";
  // Released far left of the form, the image still hears it, with x negative.
  EXPECT_LT(find('u')->x, 0);
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
