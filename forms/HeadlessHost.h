#pragma once
// A host that keeps everything in memory, for tests: timers on a virtual
// clock that the test advances, message boxes and popup menus recorded and
// answered, and a test can click, type and move the pointer.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "forms/Host.h"
#include "forms/Pointer.h"

namespace forms {

class HeadlessHost final : public Host {
 public:
  struct MessageBoxCall {
    std::string text;
    std::string title;
    unsigned style = 0;
  };
  struct PopupCall {
    std::string form;
    std::string menu;
    std::vector<std::string> items;  // captions, top to bottom, visible only
  };

  // Application and screen facts a test may change.
  bool anotherInstanceRuns = false;
  int screenWidthPx = 1024;
  int screenHeightPx = 768;

  // Called while a popup is open; it may click one of its items.
  std::function<void(Menu&)> onPopup;
  // Called while a message box is open.
  std::function<void(const MessageBoxCall&)> onMessageBox;

  [[nodiscard]] const std::vector<MessageBoxCall>& messageBoxes() const { return messageBoxes_; }
  [[nodiscard]] const std::vector<PopupCall>& popups() const { return popups_; }
  [[nodiscard]] int doEventsCalls() const { return doEventsCalls_; }
  [[nodiscard]] const Control* focused() const { return focused_; }
  [[nodiscard]] const std::vector<std::string>& log() const { return log_; }

  // The user's hand. A click or typing reaches only a control that is shown
  // and enabled, with its containers.
  void click(Control& control);
  void type(TextBox& box, const std::string& text);
  // The pointer at (x, y) pixels of the form's client area. As on a screen,
  // an enabled native control under it takes it itself (a container passes
  // it on to what it holds there); everything else goes to the surface
  // under it, which hands it to its windowless controls, with capture.
  void pointerMove(Form& form, int x, int y, int held = 0);
  void pointerPress(Form& form, int x, int y, int button = 1);
  void pointerRelease(Form& form, int x, int y, int button = 1);
  void clickMenuItem(MenuItem& item) { item.click(); }
  void minimizeBox(Form& form) { form.hostStateChanged(WindowState::Minimized); }
  void closeBox(Form& form) { form.hostClosed(); }
  // Runs due timers in time order, each tick on the virtual clock.
  void advance(int milliseconds);
  [[nodiscard]] std::int64_t now() const { return now_; }

  // Host
  void createForm(Form& form) override;
  void destroyForm(Form& form) override;
  void showForm(Form& form) override;
  void hideForm(Form& form) override;
  void formChanged(Form& form, FormProperty property) override;
  void controlChanged(Control& control, Property property) override;
  void timerChanged(Timer& timer) override;
  void focus(Control& control) override;
  void popupMenu(Form& form, Menu& menu) override;
  int messageBox(const std::string& text, const std::string& title, unsigned style) override;
  void doEvents() override { ++doEventsCalls_; }
  void copyText(const std::string& text) override { clipboard = text; }
  [[nodiscard]] platform::Hwnd windowHandle(const Form& form) const override;
  [[nodiscard]] std::uintptr_t iconHandle(const Form& form) const override;
  [[nodiscard]] bool previousInstance() const override { return anotherInstanceRuns; }
  [[nodiscard]] std::string exeFolder() const override { return folder; }
  [[nodiscard]] std::string exeName() const override { return baseName; }
  // Where the executable is, as the application object tells; a test may
  // move or rename it.
  std::string folder = "C:\\Program Files\\Skyvane";
  std::string baseName = "Skyvane";
  // What copyText put on the clipboard last.
  std::string clipboard;
  [[nodiscard]] int screenWidthTwips() const override { return screenWidthPx * kTwipsPerPixel; }
  [[nodiscard]] int screenHeightTwips() const override { return screenHeightPx * kTwipsPerPixel; }
  [[nodiscard]] int twipsPerPixelX() const override { return kTwipsPerPixel; }
  [[nodiscard]] int twipsPerPixelY() const override { return kTwipsPerPixel; }

  // Gives a form a handle, so that tests can place it on a simulated desktop.
  void setWindowHandle(const Form& form, platform::Hwnd hwnd) { handles_[&form] = hwnd; }

 private:
  struct Running {
    std::int64_t due;
  };
  std::vector<MessageBoxCall> messageBoxes_;
  std::vector<PopupCall> popups_;
  std::vector<std::string> log_;
  std::map<const Form*, platform::Hwnd> handles_;
  std::map<Timer*, Running> timers_;
  struct PointerKey {
    const Form* form;
    const Control* surface;
    friend auto operator<=>(const PointerKey&, const PointerKey&) = default;
  };
  std::map<PointerKey, SurfacePointer> pointers_;
  int buttonsHeld_ = 0;

  SurfacePointer& pointerOf(Form& form, Control* surface);
  void pointer(Form& form, SurfacePointer::Action action, Point p, int button);
  const Control* focused_ = nullptr;
  int doEventsCalls_ = 0;
  std::int64_t now_ = 0;
};

}  // namespace forms
