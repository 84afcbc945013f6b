#pragma once
#include "platform/Registry.h"

namespace win32 {

// Registry values on the real advapi32, through the wide entry points.
class Win32Registry final : public platform::Registry {
 public:
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
};

}  // namespace win32
