// The settings store against Wine's registry, checked with the system's own
// registry calls, wide and ANSI.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "settings/autorunModule.h"
#include "win32/Win32Registry.h"

using namespace autorunModule;

namespace {

const wchar_t kKeyPath[] = L"Quillfen\\Skyvane\u2014\u2014Vanto";

std::string repeat(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

// The text in the system's ANSI code page, as an ANSI program would hand it over.
std::string ansi(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  out.resize(static_cast<size_t>(n) - 1);
  return out;
}

class RegistryPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Quillfen"); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Quillfen"); }

  // Writes raw bytes of any type under a value name, as another program might.
  static void plant(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kKeyPath, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  win32::Win32Registry registry;
};

TEST_F(RegistryPlatformTest, SystemCodePageIsChinese) {
  EXPECT_EQ(GetACP(), 936u) << "the tests expect Wine to run with zh_CN.UTF-8";
}

TEST_F(RegistryPlatformTest, MissingKeyAndMissingValue) {
  EXPECT_EQ(readSettingStatus(registry, kTipTitleName), "Not Exsit");
  EXPECT_EQ(readSetting(registry, kAutorunName), "");
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS)
      << "reading must not create the key";

  ASSERT_TRUE(writeSetting(registry, kAutorunName, "NoAutorun"));
  EXPECT_EQ(readSettingStatus(registry, kTipTitleName), "readError");
  EXPECT_EQ(readSettingStatus(registry, kAutorunName), "NoAutorunsucceed  ");
}

TEST_F(RegistryPlatformTest, StoredAsAnAnsiProgramOnAChineseSystemStoresIt) {
  const std::wstring message = L"Here ^A^m I \uFF01";
  ASSERT_TRUE(writeSetting(registry, kTipMsgName, "Here ^A^m I ！"));

  // The key and value names carry the two em dashes.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD type = 0;
  DWORD size = 0;
  ASSERT_EQ(RegQueryValueExW(key, L"Skyvane\u2014\u2014Vanto-TipMsg", nullptr, &type, nullptr,
                             &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, (message.size() + 1) * sizeof(wchar_t)) << "terminator stored and counted";

  // An ANSI reader asking with the GBK name gets the GBK text.
  const std::string ansiName = ansi(L"Skyvane\u2014\u2014Vanto-TipMsg");
  char buffer[64] = {};
  DWORD ansiSize = sizeof buffer;
  ASSERT_EQ(RegQueryValueExA(key, ansiName.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(buffer), &ansiSize),
            ERROR_SUCCESS);
  EXPECT_EQ(std::string(buffer), ansi(message));
  RegCloseKey(key);
}

TEST_F(RegistryPlatformTest, ValuesOfAnyLengthReadBackWhole) {
  const std::string cases[] = {
      "",
      "  kept spaces  ",
      repeat("a", 149),
      repeat("a", 150),
      repeat("a", 2000),
      repeat("汉", 74),
      repeat("汉", 75),
      "emoji 😀 beyond GBK",
  };
  for (const std::string& value : cases) {
    ASSERT_TRUE(writeSetting(registry, kTipTitleName, value));
    EXPECT_EQ(readSettingStatus(registry, kTipTitleName), value + "succeed  ")
        << value.size() << " bytes";
    EXPECT_EQ(readSetting(registry, kTipTitleName), value);
  }
}

TEST_F(RegistryPlatformTest, ForeignValuesReadSafely) {
  // A number under a settings name is no text.
  const DWORD number = 0x41;
  plant(L"Skyvane\u2014\u2014Vanto-showTip", REG_DWORD, &number, sizeof number);
  EXPECT_EQ(readSettingStatus(registry, kShowTipName), "readError");
  EXPECT_EQ(readSetting(registry, kShowTipName), "");

  // A string stored without its terminator ends with its data.
  const wchar_t unterminated[] = {L'h', L'i', L'd', L'e'};
  plant(L"Skyvane\u2014\u2014Vanto-showTip", REG_SZ, unterminated, sizeof unterminated);
  EXPECT_EQ(readSetting(registry, kShowTipName), "hide");

  // A string with an odd byte count ends at its last whole character.
  plant(L"Skyvane\u2014\u2014Vanto-showTip", REG_SZ, unterminated, sizeof unterminated - 1);
  EXPECT_EQ(readSetting(registry, kShowTipName), "hid");

  // A long unterminated string is still read only as far as its data.
  const std::wstring longText(3000, L'x');
  plant(L"Skyvane\u2014\u2014Vanto-TipMsg", REG_SZ, longText.data(),
        static_cast<DWORD>(longText.size() * sizeof(wchar_t)));
  EXPECT_EQ(readSetting(registry, kTipMsgName), std::string(3000, 'x'));

  // Text after an embedded NUL is not part of the value.
  const wchar_t twoStrings[] = L"show\0extra";
  plant(L"Skyvane\u2014\u2014Vanto-TipMsg", REG_SZ, twoStrings, sizeof twoStrings);
  EXPECT_EQ(readSetting(registry, kTipMsgName), "show");
}

TEST_F(RegistryPlatformTest, FailuresReturnTheSystemCodes) {
  platform::RegKey key = 7;
  EXPECT_EQ(registry.open(platform::kCurrentUser, "Quillfen\\no such key",
                          platform::RegAccess::Read, key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, 0u) << "a failed open leaves nothing to close";
}

}  // namespace
