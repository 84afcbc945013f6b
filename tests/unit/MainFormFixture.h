#pragma once
// A main window on the headless host, a simulated desktop with one window of
// another program, an in-memory registry and a fake shell.
#include <gtest/gtest.h>

#include "forms/HeadlessHost.h"
#include "mainwindow/mainForm.h"
#include "settings/autorunModule.h"
#include "tests/fakes/FakeDesktop.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/FakeTray.h"

class MainFormFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    self = desktop.createWindow(
        {.title = mainForm::kCaption, .rect = {376, 336, 649, 432}, .process = 1});
    other = desktop.createWindow({.title = "记事本", .rect = {0, 0, 300, 200}, .process = 2});
    host.setWindowHandle(main, self);
  }

  void store(std::string_view name, std::string_view value) {
    ASSERT_TRUE(autorunModule::writeSetting(registry, name, value));
  }
  void start() {
    main.load();
    if (main.loaded()) main.show();
  }
  [[nodiscard]] bool onTop(platform::Hwnd hwnd) const {
    return (desktop.window(hwnd)->exStyle & platform::kWsExTopmost) != 0;
  }
  [[nodiscard]] std::optional<std::uint8_t> alphaOf(platform::Hwnd hwnd) const {
    return desktop.window(hwnd)->alpha;
  }

  fakes::FakeDesktop desktop;
  fakes::FakeRegistry registry;
  fakes::FakeTray tray;
  forms::HeadlessHost host;
  mainForm main{host, desktop, registry, tray};
  platform::Hwnd self = 0;
  platform::Hwnd other = 0;
};
