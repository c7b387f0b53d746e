#include "core/text/cp932.h"

#include <gtest/gtest.h>

#include <tuple>

// A cut never splits a double-byte character (表 = 95 5C); half-width katakana (B1..B3) are single
// bytes; a lead byte at the end that fits as given is kept.
TEST(Cp932Cut, NeverSplitsADoubleByteCharacter) {
  const std::tuple<std::string, std::size_t, std::size_t> cases[] = {
      {"a表b", 1, 1}, {"a表b", 2, 1}, {"a表b", 3, 3},   {"a表b", 10, 4},
      {"", 0, 0},     {"ｱｲｳ", 1, 1},  {"ab\x81", 2, 2}, {"ab\x81", 3, 3}};
  for (const auto& [text, most, length] : cases) {
    EXPECT_EQ(varnel::cp932::CutLength(text, most), length) << text << " " << most;
    EXPECT_EQ(varnel::cp932::Cut(text, most), text.substr(0, length)) << text << " " << most;
  }
}
