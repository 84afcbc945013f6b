// The settings store on an in-memory registry.
#include <gtest/gtest.h>

#include <string>

#include "settings/autorunModule.h"
#include "tests/fakes/FakeRegistry.h"

using namespace autorunModule;
using fakes::FakeRegistry;

namespace {

std::string repeat(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(registry.openHandles(), 0) << "a key was left open"; }
  FakeRegistry registry;
};

TEST_F(SettingsStoreTest, NamesAndKeyAreTheStoredOnes) {
  EXPECT_EQ(kSettingsKey, "Quillfen\\Skyvane\u2014\u2014Vanto");
  EXPECT_EQ(kAutorunName, std::string(kSettingsPrefix) + "-autorun");
  EXPECT_EQ(kShowTipName, std::string(kSettingsPrefix) + "-showTip");
  EXPECT_EQ(kTipTitleName, std::string(kSettingsPrefix) + "-TipTitle");
  EXPECT_EQ(kTipMsgName, std::string(kSettingsPrefix) + "-TipMsg");
}

TEST_F(SettingsStoreTest, NeverRunMachineHasNoKeyAndReadingDoesNotCreateIt) {
  EXPECT_EQ(readSettingStatus(registry, kTipTitleName), "Not Exsit");
  EXPECT_EQ(readSetting(registry, kAutorunName), "");
  EXPECT_FALSE(registry.keyExists(platform::kCurrentUser, kSettingsKey));
}

TEST_F(SettingsStoreTest, FirstWriteCreatesTheKeyThenUnwrittenValuesAreReadErrors) {
  ASSERT_TRUE(writeSetting(registry, kAutorunName, "autorun"));
  EXPECT_TRUE(registry.keyExists(platform::kCurrentUser, "Quillfen"));
  EXPECT_EQ(registry.stored(platform::kCurrentUser, kSettingsKey, kAutorunName), "autorun");

  EXPECT_EQ(readSettingStatus(registry, kAutorunName), "autorunsucceed  ");
  EXPECT_EQ(valueOr(readSettingStatus(registry, kAutorunName), "x"), "autorun");
  EXPECT_EQ(readSettingStatus(registry, kShowTipName), "readError");
  EXPECT_EQ(readSetting(registry, kShowTipName), "");
}

TEST_F(SettingsStoreTest, ValuesReadBackWholeWhateverTheirLength) {
  const std::string cases[] = {
      "",
      "  spaced both ends  ",
      repeat("a", 149),
      repeat("a", 150),  // past the old 150-byte limit: still whole
      repeat("a", 2000),
      repeat("汉", 74),
      repeat("汉", 75),
      "Here ^A^m I ！",
      "标题 with emoji 😀 outside GBK",
      "endssucceed",
  };
  for (const std::string& value : cases) {
    ASSERT_TRUE(writeSetting(registry, kTipMsgName, value));
    EXPECT_EQ(readSetting(registry, kTipMsgName), value);
    const std::string status = readSettingStatus(registry, kTipMsgName);
    EXPECT_EQ(status, value + "succeed  ");
    EXPECT_EQ(valueOr(status, "default"), value) << "split of " << status;
  }
}

TEST_F(SettingsStoreTest, WriteFailuresReportFalseAndStoreNothing) {
  const struct {
    long FakeRegistry::*failure;
    long code;
  } cases[] = {
      {&FakeRegistry::failOpen, platform::kRegAccessDenied},  // the root itself
      {&FakeRegistry::failCreate, platform::kRegAccessDenied},
      {&FakeRegistry::failSet, platform::kRegAccessDenied},
  };
  for (const auto& c : cases) {
    FakeRegistry failing;
    failing.*c.failure = c.code;
    EXPECT_FALSE(writeSetting(failing, kShowTipName, "hide"));
    EXPECT_EQ(failing.stored(platform::kCurrentUser, kSettingsKey, kShowTipName), std::nullopt);
    EXPECT_EQ(failing.openHandles(), 0);
  }
}

TEST_F(SettingsStoreTest, ReadFailuresGiveTheirStatusWords) {
  ASSERT_TRUE(writeSetting(registry, kTipTitleName, "t"));

  registry.failOpen = platform::kRegAccessDenied;
  EXPECT_EQ(readSettingStatus(registry, kTipTitleName), "Not Exsit");
  EXPECT_EQ(readSetting(registry, kTipTitleName), "");
  registry.failOpen = 0;

  registry.failQuery = platform::kRegAccessDenied;
  EXPECT_EQ(readSettingStatus(registry, kTipTitleName), "readError");
  EXPECT_EQ(readSetting(registry, kTipTitleName), "");
}

TEST_F(SettingsStoreTest, AKeyTheUserMayOnlyReadStillReadsButTakesNoWrite) {
  ASSERT_TRUE(writeSetting(registry, kTipTitleName, "标题"));
  registry.denyWrite(platform::kCurrentUser, kSettingsKey);
  // Reading asks only for read access, so what is stored still shows.
  EXPECT_EQ(readSettingStatus(registry, kTipTitleName), "标题succeed  ");
  EXPECT_EQ(readSetting(registry, kTipTitleName), "标题");
  EXPECT_FALSE(writeSetting(registry, kTipTitleName, "新的")) << "a write says it failed";
  EXPECT_EQ(readSetting(registry, kTipTitleName), "标题");
}

TEST_F(SettingsStoreTest, ValueOfAnotherTypeIsAReadError) {
  ASSERT_TRUE(writeSetting(registry, kAutorunName, "NoAutorun"));
  registry.plantNonString(platform::kCurrentUser, kSettingsKey, kShowTipName);
  EXPECT_EQ(readSettingStatus(registry, kShowTipName), "readError");
  EXPECT_EQ(readSetting(registry, kShowTipName), "");
}

TEST(SplitStatusTest, OnlyATrailingSucceedYieldsTheValue) {
  const struct {
    std::string_view result;
    std::string_view expected;
  } cases[] = {
      {"Not Exsit", "dflt"},
      {"readError", "dflt"},
      {"succeed  ", ""},
      {"Vantosucceed  ", "Vanto"},
      {"x succeed  ", "x "},
      {"succeed  succeed  ", "succeed  "},
      {"Succeed  ", "dflt"},  // case matters
      {"", "dflt"},
      {"succeed", "dflt"},  // too short to hold a status word
  };
  for (const auto& c : cases) {
    EXPECT_EQ(valueOr(c.result, "dflt"), c.expected) << "result '" << c.result << "'";
  }
}

}  // namespace
