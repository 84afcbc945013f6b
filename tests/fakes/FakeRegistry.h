#pragma once
// An in-memory registry with the system's result codes. A test can make
// opening, creating, setting or querying fail, can plant values of other
// types, and can leave the user only read access to a key. Names of keys and
// values compare without regard to ASCII case.

#include <map>
#include <optional>
#include <string>

#include "platform/Registry.h"

namespace fakes {

class FakeRegistry final : public platform::Registry {
 public:
  // Result codes that the next calls of each kind answer; 0 lets them work.
  long failOpen = 0;
  long failCreate = 0;
  long failSet = 0;
  long failQuery = 0;

  // Direct access for tests. path is below the root, e.g. "Quillfen\\X".
  [[nodiscard]] bool keyExists(platform::RegKey root, std::string_view path) const;
  [[nodiscard]] std::optional<std::string> stored(platform::RegKey root,
                                                  std::string_view path,
                                                  std::string_view name) const;
  // Plants a value that is not a string (a number, say).
  void plantNonString(platform::RegKey root, std::string_view path,
                      std::string_view name);
  // From now on the user may read the key but not change it, as an access
  // list that grants only reading does: opening it for all access is
  // denied, creating it yields a handle that can only read, and setting or
  // deleting a value through such a handle is denied.
  void denyWrite(platform::RegKey root, std::string_view path);
  [[nodiscard]] int openHandles() const { return static_cast<int>(handles_.size()); }
  // How often each kind of call was made.
  int setCalls = 0;
  int queryCalls = 0;

  // platform::Registry
  long open(platform::RegKey parent, std::string_view subkey,
            platform::RegAccess access, platform::RegKey& out) override;
  long create(platform::RegKey parent, std::string_view subkey,
              platform::RegKey& out) override;
  long setString(platform::RegKey key, std::string_view name,
                 std::string_view value) override;
  long queryString(platform::RegKey key, std::string_view name,
                   std::string& value) override;
  long deleteValue(platform::RegKey key, std::string_view name) override;
  long close(platform::RegKey key) override;

 private:
  struct Value {
    bool isString = true;
    std::string text;
  };
  struct Key {
    std::map<std::string, Value> values;  // by lower-cased name
  };

  struct Handle {
    std::string path;
    bool canWrite = true;
  };

  [[nodiscard]] std::optional<std::string> pathOf(platform::RegKey key) const;
  // The key's path when key is open and may change it.
  [[nodiscard]] std::optional<std::string> writablePathOf(platform::RegKey key, long& error) const;
  static std::string join(const std::string& parent, std::string_view subkey);
  platform::RegKey newHandle(const std::string& path, bool canWrite);

  std::map<std::string, Key> keys_{{"hkcu", {}}, {"hklm", {}}};  // by lower-cased path
  std::map<std::string, bool> readOnly_;  // lower-cased paths the user may only read
  std::map<platform::RegKey, Handle> handles_;
  platform::RegKey nextHandle_ = 0x1000;
};

}  // namespace fakes
