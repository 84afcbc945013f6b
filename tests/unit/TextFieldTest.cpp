#include <gtest/gtest.h>

#include "mainwindow/TextField.h"

namespace {

std::string repeat(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(TrayFieldTest, TextIsCutBetweenCharactersBeforeTheTerminatorSlot) {
  const struct {
    std::string text;
    std::size_t chars;
    std::string expected;
  } cases[] = {
      {"Vanto", 64, "Vanto"},
      {repeat("a", 63), 64, repeat("a", 63)},
      {repeat("a", 64), 64, repeat("a", 63)},
      {repeat("汉", 70), 64, repeat("汉", 63)},
      // A character outside the basic plane takes two slots and is never split.
      {repeat("a", 62) + "😀", 64, repeat("a", 62)},
      {repeat("a", 61) + "😀", 64, repeat("a", 61) + "😀"},
      {"", 64, ""},
      {"abc", 1, ""},
      {"abc", 0, ""},
      // A truncated sequence at the end is dropped, not passed on.
      {std::string("ab\xE6\xB1"), 64, "ab"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(minMenu::fitField(c.text, c.chars), c.expected)
        << c.text.size() << " bytes into " << c.chars;
  }
}

}  // namespace
