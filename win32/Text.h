#pragma once
// The one pair of conversions between the program's UTF-8 and the UTF-16 of
// the wide entry points. Invalid input becomes U+FFFD, never an error.

#include <string>
#include <string_view>

namespace win32 {

std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view utf16);

}  // namespace win32
