#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace minMenu {

// The longest start of text that fits a fixed field of `chars` UTF-16 units
// with its terminator, cut only between characters.
[[nodiscard]] std::string fitField(std::string_view text, std::size_t chars);

}  // namespace minMenu
