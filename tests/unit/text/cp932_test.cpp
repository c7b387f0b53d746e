#include "core/text/cp932.h"

#include <gtest/gtest.h>

using varnel::cp932::Cut;
using varnel::cp932::CutLength;

TEST(Cp932Cut, NeverSplitsADoubleByteCharacter) {
  const std::string text = "a表b";  // 表 = 0x95 0x5C
  ASSERT_EQ(text.size(), 4u);
  EXPECT_EQ(CutLength(text, 1), 1u);
  EXPECT_EQ(CutLength(text, 2), 1u);  // would split 表
  EXPECT_EQ(CutLength(text, 3), 3u);
  EXPECT_EQ(Cut(text, 10), text);
  EXPECT_EQ(Cut("", 0), "");
}

TEST(Cp932Cut, HalfWidthKatakanaIsSingleByte) {
  const std::string text = "ｱｲｳ";  // 0xB1 0xB2 0xB3
  ASSERT_EQ(text.size(), 3u);
  EXPECT_EQ(CutLength(text, 2), 2u);
}

TEST(Cp932Cut, DanglingLeadByteAtEndIsDropped) {
  const std::string text = std::string("ab") + '\x81';
  EXPECT_EQ(CutLength(text, 2), 2u);
  EXPECT_EQ(CutLength(text, 3), 3u);  // fits as given; nothing to cut
}
