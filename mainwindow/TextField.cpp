#include "mainwindow/TextField.h"

namespace minMenu {

std::string fitField(std::string_view text, std::size_t chars) {
  if (chars == 0) return {};
  const std::size_t room = chars - 1;  // the terminator's slot
  std::size_t units = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0xF0) length = 4;
    else if (lead >= 0xE0) length = 3;
    else if (lead >= 0xC0) length = 2;
    // A character beyond the basic plane takes two UTF-16 units.
    const std::size_t need = length == 4 ? 2 : 1;
    if (units + need > room || i + length > text.size()) break;
    units += need;
    i += length;
  }
  return std::string(text.substr(0, i));
}

}  // namespace minMenu
