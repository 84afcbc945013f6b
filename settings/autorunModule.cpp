#include "settings/autorunModule.h"

#include <optional>

#include "settings/RegKeyHolder.h"

namespace autorunModule {
namespace {

enum class ReadFailure { KeyNotOpened, ValueNotRead };

struct ReadResult {
  std::optional<std::string> value;
  ReadFailure failure = ReadFailure::KeyNotOpened;
};

// The read shared by both readers; they differ only in what they make of
// the two failures.
ReadResult readValue(platform::Registry& registry, std::string_view name) {
  RegKeyHolder key(registry);
  if (registry.open(platform::kCurrentUser, kSettingsKey,
                    platform::RegAccess::Read, key.out()) != platform::kRegSuccess) {
    return {std::nullopt, ReadFailure::KeyNotOpened};
  }
  std::string value;
  if (registry.queryString(key.get(), name, value) != platform::kRegSuccess) {
    return {std::nullopt, ReadFailure::ValueNotRead};
  }
  return {std::move(value), ReadFailure::KeyNotOpened};
}

// The Run key under root, opened for what mode asks; 0 when it cannot be.
RegKeyHolder openRunKey(platform::Registry& registry, platform::RegKey root,
                        platform::RegAccess mode) {
  RegKeyHolder key(registry);
  if (registry.open(root, kRunKey, mode, key.out()) != platform::kRegSuccess) key.reset();
  return key;
}

bool registerUnder(platform::Registry& registry, platform::RegKey root, std::string_view name,
                   std::string_view command) {
  RegKeyHolder key(registry);
  return registry.create(root, kRunKey, key.out()) == platform::kRegSuccess &&
         registry.setString(key.get(), name, command) == platform::kRegSuccess;
}

// True when root's Run key holds no value name afterwards.
bool unregisterUnder(platform::Registry& registry, platform::RegKey root, std::string_view name) {
  RegKeyHolder key = openRunKey(registry, root, platform::RegAccess::All);
  if (key.get() != 0) {
    const long result = registry.deleteValue(key.get(), name);
    return result == platform::kRegSuccess || result == platform::kRegFileNotFound;
  }
  // Not writable (or not there): fine as long as it does not hold the value.
  RegKeyHolder readable = openRunKey(registry, root, platform::RegAccess::Read);
  std::string data;
  return readable.get() == 0 ||
         registry.queryString(readable.get(), name, data) == platform::kRegFileNotFound;
}

}  // namespace

std::string_view trimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string autostartCommand(std::string_view exeFolder, std::string_view exeName) {
  if (exeFolder.empty() || exeName.empty()) return {};
  std::string command = "\"";
  command.append(exeFolder);
  command += '\\';
  command.append(exeName);
  command += ".exe\"";
  return command;
}

bool setAutostart(platform::Registry& registry, std::string_view valueName,
                  std::string_view command, bool enable) {
  if (!enable) {
    // Both, so that no logon starts a program that was switched off.
    const bool machine = unregisterUnder(registry, platform::kLocalMachine, valueName);
    const bool user = unregisterUnder(registry, platform::kCurrentUser, valueName);
    return machine && user;
  }
  if (command.empty()) return false;
  // A standard user cannot write the machine's key; the user's own Run key
  // starts the program at that user's logon all the same.
  return registerUnder(registry, platform::kLocalMachine, valueName, command) ||
         registerUnder(registry, platform::kCurrentUser, valueName, command);
}

bool writeSetting(platform::Registry& registry, std::string_view name,
                  std::string_view value) {
  // The root is opened anew and the key created below it, so that a root
  // that cannot be opened fails the create rather than the program.
  RegKeyHolder root(registry);
  (void)registry.open(platform::kCurrentUser, "", platform::RegAccess::All,
                      root.out());
  RegKeyHolder key(registry);
  if (root.get() == 0 || registry.create(root.get(), kSettingsKey, key.out()) !=
                             platform::kRegSuccess) {
    return false;
  }
  return registry.setString(key.get(), name, value) == platform::kRegSuccess;
}

std::string readSettingStatus(platform::Registry& registry,
                              std::string_view name) {
  ReadResult read = readValue(registry, name);
  if (read.value) return *read.value + std::string(kSucceed);
  return std::string(read.failure == ReadFailure::KeyNotOpened ? kNotExist
                                                              : kReadError);
}

std::string readSetting(platform::Registry& registry, std::string_view name) {
  return readValue(registry, name).value.value_or(std::string());
}

std::string valueOr(std::string_view statusResult, std::string_view fallback) {
  if (statusResult.size() < kSucceed.size()) return std::string(fallback);
  const std::string_view status =
      statusResult.substr(statusResult.size() - kSucceed.size());
  if (trimSpaces(status) != trimSpaces(kSucceed)) return std::string(fallback);
  return std::string(statusResult.substr(0, statusResult.size() - kSucceed.size()));
}

}  // namespace autorunModule
