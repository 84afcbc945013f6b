#include "tests/fakes/FakeRegistry.h"

#include <cctype>

namespace fakes {
namespace {

std::string lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string rootName(platform::RegKey root) {
  return root == platform::kLocalMachine ? "hklm" : "hkcu";
}

}  // namespace

std::string FakeRegistry::join(const std::string& parent, std::string_view subkey) {
  return subkey.empty() ? parent : parent + "\\" + lower(subkey);
}

std::optional<std::string> FakeRegistry::pathOf(platform::RegKey key) const {
  if (key == platform::kCurrentUser || key == platform::kLocalMachine) return rootName(key);
  const auto it = handles_.find(key);
  if (it == handles_.end()) return std::nullopt;
  return it->second.path;
}

std::optional<std::string> FakeRegistry::writablePathOf(platform::RegKey key, long& error) const {
  const auto path = pathOf(key);
  if (!path || keys_.count(*path) == 0) {
    error = platform::kRegInvalidHandle;
    return std::nullopt;
  }
  const auto it = handles_.find(key);
  if (it != handles_.end() && !it->second.canWrite) {
    error = platform::kRegAccessDenied;
    return std::nullopt;
  }
  return path;
}

platform::RegKey FakeRegistry::newHandle(const std::string& path, bool canWrite) {
  const platform::RegKey handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = Handle{path, canWrite};
  return handle;
}

void FakeRegistry::denyWrite(platform::RegKey root, std::string_view path) {
  readOnly_[join(rootName(root), path)] = true;
}

bool FakeRegistry::keyExists(platform::RegKey root, std::string_view path) const {
  return keys_.count(join(rootName(root), path)) != 0;
}

std::optional<std::string> FakeRegistry::stored(platform::RegKey root, std::string_view path,
                                                std::string_view name) const {
  const auto key = keys_.find(join(rootName(root), path));
  if (key == keys_.end()) return std::nullopt;
  const auto value = key->second.values.find(lower(name));
  if (value == key->second.values.end() || !value->second.isString) return std::nullopt;
  return value->second.text;
}

void FakeRegistry::plantNonString(platform::RegKey root, std::string_view path,
                                  std::string_view name) {
  keys_[join(rootName(root), path)].values[lower(name)] = Value{false, "\x01\x00\x00\x00"};
}

long FakeRegistry::open(platform::RegKey parent, std::string_view subkey,
                        platform::RegAccess access, platform::RegKey& out) {
  out = 0;
  if (failOpen != 0) return failOpen;
  const auto base = pathOf(parent);
  if (!base) return platform::kRegInvalidHandle;
  const std::string path = join(*base, subkey);
  if (keys_.count(path) == 0) return platform::kRegFileNotFound;
  const bool canWrite = readOnly_.count(path) == 0;
  if (access == platform::RegAccess::All && !canWrite) return platform::kRegAccessDenied;
  out = newHandle(path, access == platform::RegAccess::All);
  return platform::kRegSuccess;
}

long FakeRegistry::create(platform::RegKey parent, std::string_view subkey,
                          platform::RegKey& out) {
  out = 0;
  if (failCreate != 0) return failCreate;
  const auto base = pathOf(parent);
  if (!base) return platform::kRegInvalidHandle;
  // Every key on the way down is created too; a new key needs a parent the
  // user may change. An existing key opens with what the user may do there.
  std::string path = *base;
  std::string_view rest = subkey;
  while (!rest.empty()) {
    const size_t cut = rest.find('\\');
    const std::string next = join(path, rest.substr(0, cut));
    if (keys_.count(next) == 0) {
      if (readOnly_.count(path) != 0) return platform::kRegAccessDenied;
      keys_[next];
    }
    path = next;
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
  }
  out = newHandle(path, readOnly_.count(path) == 0);
  return platform::kRegSuccess;
}

long FakeRegistry::setString(platform::RegKey key, std::string_view name,
                             std::string_view value) {
  ++setCalls;
  if (failSet != 0) return failSet;
  long error = 0;
  const auto path = writablePathOf(key, error);
  if (!path) return error;
  keys_[*path].values[lower(name)] = Value{true, std::string(value)};
  return platform::kRegSuccess;
}

long FakeRegistry::queryString(platform::RegKey key, std::string_view name,
                               std::string& value) {
  value.clear();
  ++queryCalls;
  if (failQuery != 0) return failQuery;
  const auto path = pathOf(key);
  if (!path || keys_.count(*path) == 0) return platform::kRegInvalidHandle;
  const auto& values = keys_[*path].values;
  const auto it = values.find(lower(name));
  if (it == values.end()) return platform::kRegFileNotFound;
  if (!it->second.isString) return platform::kRegUnsupportedType;
  value = it->second.text.substr(0, it->second.text.find('\0'));
  return platform::kRegSuccess;
}

long FakeRegistry::deleteValue(platform::RegKey key, std::string_view name) {
  long error = 0;
  const auto path = writablePathOf(key, error);
  if (!path) return error;
  return keys_[*path].values.erase(lower(name)) != 0 ? platform::kRegSuccess
                                                     : platform::kRegFileNotFound;
}

long FakeRegistry::close(platform::RegKey key) {
  return handles_.erase(key) != 0 ? platform::kRegSuccess : platform::kRegInvalidHandle;
}

}  // namespace fakes
