#include "win32/Win32Registry.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "win32/Text.h"

namespace win32 {
namespace {

HKEY toHkey(platform::RegKey key) {
  // The predefined roots are sign-extended 32-bit values on 64-bit Windows.
  if (key == platform::kCurrentUser) return HKEY_CURRENT_USER;
  if (key == platform::kLocalMachine) return HKEY_LOCAL_MACHINE;
  return reinterpret_cast<HKEY>(key);
}

platform::RegKey fromHkey(HKEY key) {
  return reinterpret_cast<platform::RegKey>(key);
}

bool isStringType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

}  // namespace

long Win32Registry::open(platform::RegKey parent, std::string_view subkey,
                         platform::RegAccess access, platform::RegKey& out) {
  HKEY key = nullptr;
  const REGSAM sam = access == platform::RegAccess::Read ? KEY_READ : KEY_ALL_ACCESS;
  const LONG result = RegOpenKeyExW(toHkey(parent), toWide(subkey).c_str(), 0, sam, &key);
  out = result == ERROR_SUCCESS ? fromHkey(key) : 0;
  return result;
}

long Win32Registry::create(platform::RegKey parent, std::string_view subkey,
                           platform::RegKey& out) {
  HKEY key = nullptr;
  const LONG result = RegCreateKeyW(toHkey(parent), toWide(subkey).c_str(), &key);
  out = result == ERROR_SUCCESS ? fromHkey(key) : 0;
  return result;
}

long Win32Registry::setString(platform::RegKey key, std::string_view name,
                              std::string_view value) {
  const std::wstring data = toWide(value);
  // The terminator is stored and counted, as every reader expects.
  const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(toHkey(key), toWide(name).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.c_str()), bytes);
}

long Win32Registry::queryString(platform::RegKey key, std::string_view name,
                                std::string& value) {
  value.clear();
  const std::wstring wideName = toWide(name);
  std::vector<BYTE> buffer(256);
  for (;;) {
    DWORD type = REG_NONE;
    auto size = static_cast<DWORD>(buffer.size());
    const LONG result = RegQueryValueExW(toHkey(key), wideName.c_str(), nullptr,
                                         &type, buffer.data(), &size);
    if (result == ERROR_MORE_DATA) {
      // The value is longer than the buffer (or grew meanwhile): ask again
      // with room for what the system says it holds.
      buffer.resize(std::max<size_t>(size, buffer.size() * 2));
      continue;
    }
    if (result != ERROR_SUCCESS) return result;
    if (!isStringType(type)) return platform::kRegUnsupportedType;
    // Only the bytes the system returned are looked at; a value stored
    // without its terminator ends at its last whole character.
    std::wstring_view text(reinterpret_cast<const wchar_t*>(buffer.data()),
                           size / sizeof(wchar_t));
    text = text.substr(0, text.find(L'\0'));
    value = toUtf8(text);
    return ERROR_SUCCESS;
  }
}

long Win32Registry::deleteValue(platform::RegKey key, std::string_view name) {
  return RegDeleteValueW(toHkey(key), toWide(name).c_str());
}

long Win32Registry::close(platform::RegKey key) {
  return RegCloseKey(toHkey(key));
}

}  // namespace win32
