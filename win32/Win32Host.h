#pragma once
// The forms host on real windows: one native window per loaded form, timers,
// popup menus, message boxes, and the application and screen facts.

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "forms/Host.h"
#include "win32/Fonts.h"
#include "win32/FormWindow.h"
#include "win32/Pictures.h"
#include "win32/UniqueHandle.h"

namespace win32 {

class Win32Host final : public forms::Host {
 public:
  // instanceName names the mutex that tells whether another process of the
  // program runs; tests pass a name of their own.
  explicit Win32Host(HINSTANCE instance, const wchar_t* instanceName = kInstanceName);
  static constexpr const wchar_t* kInstanceName = L"Local\\Quillfen.Skyvane.Instance";
  ~Win32Host() override;

  // Pumps messages until the last form is unloaded; returns the exit code.
  int run();

  [[nodiscard]] HINSTANCE instance() const { return instance_; }
  [[nodiscard]] Pictures& pictures() { return pictures_; }
  [[nodiscard]] Fonts& fonts() { return fonts_; }
  [[nodiscard]] UINT taskbarCreatedMessage() const { return taskbarCreated_; }
  FormWindow* window(const forms::Form& form) const;

  // forms::Host
  void createForm(forms::Form& form) override;
  void destroyForm(forms::Form& form) override;
  void showForm(forms::Form& form) override;
  void hideForm(forms::Form& form) override;
  void formChanged(forms::Form& form, forms::FormProperty property) override;
  void controlChanged(forms::Control& control, forms::Property property) override;
  void timerChanged(forms::Timer& timer) override;
  void focus(forms::Control& control) override;
  void popupMenu(forms::Form& form, forms::Menu& menu) override;
  int messageBox(const std::string& text, const std::string& title, unsigned style) override;
  void doEvents() override;
  void copyText(const std::string& text) override;
  [[nodiscard]] platform::Hwnd windowHandle(const forms::Form& form) const override;
  [[nodiscard]] std::uintptr_t iconHandle(const forms::Form& form) const override;
  [[nodiscard]] bool previousInstance() const override { return previousInstance_; }
  [[nodiscard]] std::string exeFolder() const override;
  [[nodiscard]] std::string exeName() const override;
  [[nodiscard]] int screenWidthTwips() const override;
  [[nodiscard]] int screenHeightTwips() const override;
  [[nodiscard]] int twipsPerPixelX() const override { return forms::kTwipsPerPixel; }
  [[nodiscard]] int twipsPerPixelY() const override { return forms::kTwipsPerPixel; }

 private:
  void buryDead();

  HINSTANCE instance_;
  Pictures pictures_;
  Fonts fonts_;
  UniqueKernelHandle instanceMutex_;
  bool previousInstance_ = false;
  UINT taskbarCreated_ = 0;
  std::map<const forms::Form*, std::unique_ptr<FormWindow>> windows_;
  // Windows destroyed from inside their own handlers, freed once the
  // handler has returned.
  std::vector<std::unique_ptr<FormWindow>> dead_;
};

}  // namespace win32
