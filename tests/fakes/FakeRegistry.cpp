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
  return it->second;
}

platform::RegKey FakeRegistry::newHandle(const std::string& path) {
  const platform::RegKey handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = path;
  return handle;
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
                        platform::RegAccess, platform::RegKey& out) {
  out = 0;
  if (failOpen != 0) return failOpen;
  const auto base = pathOf(parent);
  if (!base) return platform::kRegInvalidHandle;
  const std::string path = join(*base, subkey);
  if (keys_.count(path) == 0) return platform::kRegFileNotFound;
  out = newHandle(path);
  return platform::kRegSuccess;
}

long FakeRegistry::create(platform::RegKey parent, std::string_view subkey,
                          platform::RegKey& out) {
  out = 0;
  if (failCreate != 0) return failCreate;
  const auto base = pathOf(parent);
  if (!base) return platform::kRegInvalidHandle;
  // Every key on the way down is created too.
  std::string path = *base;
  std::string_view rest = subkey;
  while (!rest.empty()) {
    const size_t cut = rest.find('\\');
    path = join(path, rest.substr(0, cut));
    keys_[path];
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
  }
  out = newHandle(path);
  return platform::kRegSuccess;
}

long FakeRegistry::setString(platform::RegKey key, std::string_view name,
                             std::string_view value) {
  ++setCalls;
  if (failSet != 0) return failSet;
  const auto path = pathOf(key);
  if (!path || keys_.count(*path) == 0) return platform::kRegInvalidHandle;
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
  const auto path = pathOf(key);
  if (!path || keys_.count(*path) == 0) return platform::kRegInvalidHandle;
  return keys_[*path].values.erase(lower(name)) != 0 ? platform::kRegSuccess
                                                     : platform::kRegFileNotFound;
}

long FakeRegistry::close(platform::RegKey key) {
  return handles_.erase(key) != 0 ? platform::kRegSuccess : platform::kRegInvalidHandle;
}

}  // namespace fakes
