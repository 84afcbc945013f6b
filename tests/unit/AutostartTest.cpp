// Autostart from the tray menus: the Run entry, the stored setting and the
// check marks of both menus, on the in-memory registry.
#include "help/helpForm.h"
#include "tests/unit/MainFormFixture.h"

namespace {

using platform::kCurrentUser;
using platform::kLocalMachine;

constexpr const char* kValue = "SkyvaneV2.59";
constexpr const char* kQuotedPath = "\"C:\\Program Files\\Skyvane\\Skyvane.exe\"";

class AutostartTest : public MainFormFixture {
 protected:
  [[nodiscard]] std::optional<std::string> runEntry(platform::RegKey root) const {
    return registry.stored(root, autorunModule::kRunKey, kValue);
  }
  [[nodiscard]] std::optional<std::string> setting() const {
    return registry.stored(kCurrentUser, autorunModule::kSettingsKey, autorunModule::kAutorunName);
  }
  void startWith(const char* stored) {
    store(autorunModule::kAutorunName, stored);
    start();
  }
  [[nodiscard]] bool bothChecked(bool checked) {
    return main.autorun.checked == checked && main.helpWindow().autorun.checked == checked;
  }
};

TEST_F(AutostartTest, TheMenuItemSwitchesByItsMarkAndTheStoredSetting) {
  const struct {
    const char* stored;
    bool checked;
    bool entryBefore;
    bool entryAfter;
    const char* storedAfter;
  } cases[] = {
      {"NoAutorun", false, false, true, "autorun"},  // off: switched on
      {"autorun", true, true, false, "NoAutorun"},   // on: switched off
      {"autorun", false, true, true, "autorun"},     // on by the dialog: only the marks
      {"NoAutorun", true, false, false, "NoAutorun"},  // only the marks
      {"Autorun", false, false, true, "autorun"},    // another case is not "autorun"
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.stored) + (c.checked ? ", checked" : ", clear"));
    fakes::FakeRegistry registryFor;
    fakes::FakeTray trayFor;
    forms::HeadlessHost hostFor;
    mainForm form(hostFor, desktop, registryFor, trayFor);
    ASSERT_TRUE(autorunModule::writeSetting(registryFor, autorunModule::kAutorunName, c.stored));
    if (c.entryBefore) {
      ASSERT_TRUE(autorunModule::setAutostart(registryFor, kValue, kQuotedPath, true));
    }
    form.load();
    form.autorun.checked = c.checked;
    hostFor.clickMenuItem(form.autorun);
    EXPECT_EQ(registryFor.stored(kLocalMachine, autorunModule::kRunKey, kValue),
              c.entryAfter ? std::optional<std::string>(kQuotedPath) : std::nullopt);
    EXPECT_EQ(registryFor.stored(kCurrentUser, autorunModule::kSettingsKey,
                                 autorunModule::kAutorunName),
              c.storedAfter);
    EXPECT_EQ(form.autorun.checked, !c.checked);
    EXPECT_EQ(form.helpWindow().autorun.checked, !c.checked);
    EXPECT_FALSE(form.helpWindow().visible());
  }
}

TEST_F(AutostartTest, ThePathIsQuotedAndFollowsARenamedExecutable) {
  startWith("NoAutorun");
  host.folder = "D:\\My Tools\\Sky vane";
  host.clickMenuItem(main.autorun);
  EXPECT_EQ(runEntry(kLocalMachine), "\"D:\\My Tools\\Sky vane\\Skyvane.exe\"");
  host.clickMenuItem(main.autorun);
  EXPECT_EQ(runEntry(kLocalMachine), std::nullopt);

  host.baseName = "天窗";  // renamed; the extension is always .exe
  host.clickMenuItem(main.autorun);
  EXPECT_EQ(runEntry(kLocalMachine), "\"D:\\My Tools\\Sky vane\\天窗.exe\"");
}

TEST_F(AutostartTest, AStandardUserGetsThePerUserRunKeyAndOffClearsBoth) {
  registry.denyWrite(kLocalMachine, autorunModule::kRunKey);
  startWith("NoAutorun");
  host.clickMenuItem(main.autorun);
  EXPECT_EQ(runEntry(kLocalMachine), std::nullopt);
  EXPECT_EQ(runEntry(kCurrentUser), kQuotedPath);
  EXPECT_EQ(setting(), "autorun");
  EXPECT_TRUE(bothChecked(true));

  host.clickMenuItem(main.autorun);
  EXPECT_EQ(runEntry(kCurrentUser), std::nullopt);
  EXPECT_EQ(setting(), "NoAutorun");
  EXPECT_TRUE(bothChecked(false));
  EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(AutostartTest, OffRemovesAnEntryFromEitherKey) {
  ASSERT_TRUE(autorunModule::setAutostart(registry, kValue, kQuotedPath, true));
  {
    platform::RegKey key = 0;
    ASSERT_EQ(registry.create(kCurrentUser, autorunModule::kRunKey, key), platform::kRegSuccess);
    ASSERT_EQ(registry.setString(key, kValue, kQuotedPath), platform::kRegSuccess);
    ASSERT_EQ(registry.close(key), platform::kRegSuccess);
  }
  EXPECT_TRUE(autorunModule::setAutostart(registry, kValue, "", false));
  EXPECT_EQ(runEntry(kLocalMachine), std::nullopt);
  EXPECT_EQ(runEntry(kCurrentUser), std::nullopt);
  EXPECT_TRUE(autorunModule::setAutostart(registry, kValue, "", false)) << "nothing left to remove";
}

TEST_F(AutostartTest, WhatCannotBeWrittenOrRemovedChangesNothing) {
  // Neither key writable: switching on fails and nothing claims it.
  registry.denyWrite(kLocalMachine, autorunModule::kRunKey);
  registry.denyWrite(kCurrentUser, autorunModule::kRunKey);
  startWith("NoAutorun");
  host.clickMenuItem(main.autorun);
  EXPECT_EQ(runEntry(kLocalMachine), std::nullopt);
  EXPECT_EQ(runEntry(kCurrentUser), std::nullopt);
  EXPECT_EQ(setting(), "NoAutorun");
  EXPECT_TRUE(bothChecked(false));
}

TEST_F(AutostartTest, AnEntryThatCannotBeRemovedStaysClaimed) {
  ASSERT_TRUE(autorunModule::setAutostart(registry, kValue, kQuotedPath, true));
  registry.denyWrite(kLocalMachine, autorunModule::kRunKey);
  startWith("autorun");
  ASSERT_TRUE(bothChecked(true));
  host.clickMenuItem(main.autorun);
  EXPECT_EQ(runEntry(kLocalMachine), kQuotedPath);
  EXPECT_EQ(setting(), "autorun");
  EXPECT_TRUE(bothChecked(true));
}

TEST_F(AutostartTest, WithoutTheExecutablesPathNothingIsRegistered) {
  for (const auto& [folder, name] : {std::pair{"", "Skyvane"}, std::pair{"C:\\Skyvane", ""}}) {
    host.folder = folder;
    host.baseName = name;
    EXPECT_EQ(autorunModule::autostartCommand(host.folder, host.baseName), "");
  }
  startWith("NoAutorun");
  host.clickMenuItem(main.autorun);
  EXPECT_EQ(runEntry(kLocalMachine), std::nullopt);
  EXPECT_EQ(setting(), "NoAutorun");
  EXPECT_FALSE(main.autorun.checked);
}

}  // namespace
