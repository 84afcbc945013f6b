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

std::string_view trimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

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
