#pragma once
// The per-user settings store: a few text values under one key of the
// current user's registry. Nothing is kept in memory; every call opens the
// key, does one value operation and closes it again.

#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace autorunModule {

// Every value name is this prefix followed by a suffix such as "-autorun".
inline constexpr std::string_view kSettingsPrefix = "Skyvane——Vanto";
inline constexpr std::string_view kSettingsKey = "Quillfen\\Skyvane——Vanto";

inline constexpr std::string_view kAutorunName = "Skyvane——Vanto-autorun";
inline constexpr std::string_view kShowTipName = "Skyvane——Vanto-showTip";
inline constexpr std::string_view kTipTitleName = "Skyvane——Vanto-TipTitle";
inline constexpr std::string_view kTipMsgName = "Skyvane——Vanto-TipMsg";

// What the values hold. "-autorun": whether the program starts at logon;
// any other content, or none, reads as a first run. "-showTip": whether
// the start-up balloon shows.
inline constexpr const char* kAutorunOn = "autorun";
inline constexpr const char* kAutorunOff = "NoAutorun";
inline constexpr const char* kTipHidden = "hide";
inline constexpr const char* kTipShown = "show";

// Status words that readSettingStatus appends or returns, 9 characters each.
inline constexpr std::string_view kSucceed = "succeed  ";
inline constexpr std::string_view kNotExist = "Not Exsit";
inline constexpr std::string_view kReadError = "readError";

// The Run keys, machine-wide and per-user alike: a value there starts a
// program at logon.
inline constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// text without its leading and trailing spaces (U+0020 only).
[[nodiscard]] std::string_view trimSpaces(std::string_view text);

// What the Run entry holds: the executable's full path in double quotes,
// so that no program at a shorter prefix of a path with spaces (C:\Program.exe)
// starts in its place. The extension is always ".exe". Empty when the
// folder or the name is unknown.
[[nodiscard]] std::string autostartCommand(std::string_view exeFolder, std::string_view exeName);

// Registers command under valueName in the machine's Run key, or, where
// that cannot be written (a standard user), in the user's; or removes
// valueName from both. True when the entry was written, or when neither key
// holds it any more. An empty command registers nothing.
[[nodiscard]] bool setAutostart(platform::Registry& registry, std::string_view valueName,
                                std::string_view command, bool enable);

// Stores value under name, creating the key if needed. True only when the
// value was stored.
[[nodiscard]] bool writeSetting(platform::Registry& registry,
                                std::string_view name, std::string_view value);

// The stored text followed by "succeed  ", or "Not Exsit" when the key
// cannot be opened, or "readError" when the value cannot be read.
[[nodiscard]] std::string readSettingStatus(platform::Registry& registry,
                                            std::string_view name);

// The stored text, or "" on any failure.
[[nodiscard]] std::string readSetting(platform::Registry& registry,
                                      std::string_view name);

// Splits a readSettingStatus result: the value when its status is success,
// fallback otherwise.
[[nodiscard]] std::string valueOr(std::string_view statusResult,
                                  std::string_view fallback);

}  // namespace autorunModule
