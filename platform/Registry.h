#pragma once
// Registry values, with the system's result codes (0 is success). Names and
// text are UTF-8; the real implementation stores them as the system's own
// string type, exactly what an ANSI program on the same machine would store.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

using RegKey = std::uintptr_t;

// The two predefined roots, with the system's values.
inline constexpr RegKey kCurrentUser = 0x80000001u;
inline constexpr RegKey kLocalMachine = 0x80000002u;

// Result codes the program and its tests look at.
inline constexpr long kRegSuccess = 0;
inline constexpr long kRegFileNotFound = 2;
inline constexpr long kRegAccessDenied = 5;
inline constexpr long kRegInvalidHandle = 6;
inline constexpr long kRegUnsupportedType = 1630;

enum class RegAccess { Read, All };

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens parent\subkey; an empty subkey opens parent itself anew.
  virtual long open(RegKey parent, std::string_view subkey, RegAccess access,
                    RegKey& out) = 0;
  // Creates parent\subkey and the keys above it if needed, or opens it.
  virtual long create(RegKey parent, std::string_view subkey, RegKey& out) = 0;
  virtual long setString(RegKey key, std::string_view name,
                         std::string_view value) = 0;
  // A string value of any length. Text stops at its first NUL or at the end
  // of the stored data, whichever comes first; a value that is not a string
  // answers kRegUnsupportedType and leaves value empty.
  virtual long queryString(RegKey key, std::string_view name,
                           std::string& value) = 0;
  virtual long deleteValue(RegKey key, std::string_view name) = 0;
  virtual long close(RegKey key) = 0;
};

}  // namespace platform
