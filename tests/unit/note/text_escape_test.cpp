#include "core/note/text_escape.h"

#include <gtest/gtest.h>

#include <random>

using varnel::EscapeText;
using varnel::UnescapeText;

namespace {

TEST(TextEscape, ClassicFormForOrdinaryTexts) {
  // What every earlier file holds: these bytes must not change at a re-save.
  EXPECT_EQ(EscapeText("a\tb"), "a\\tb");
  EXPECT_EQ(EscapeText("line1\r\nline2"), "line1\\n\\rline2");
  EXPECT_EQ(EscapeText("x\\ny"), "x\\\\ny");  // a literal backslash-n
  EXPECT_EQ(EscapeText("C:\\Users\\x"), "C:\\Users\\x");
  EXPECT_EQ(EscapeText("表示"), "表示");  // 0x5C second byte, no escape
  EXPECT_EQ(EscapeText(""), "");
}

TEST(TextEscape, OldFilesReadAsBefore) {
  EXPECT_EQ(UnescapeText("a\\tb"), "a\tb");
  EXPECT_EQ(UnescapeText("1\\n\\r2"), "1\r\n2");
  EXPECT_EQ(UnescapeText("x\\\\ny"), "x\\ny");
  EXPECT_EQ(UnescapeText("\\\\server\\share"), "\\\\server\\share");  // doubled before other stays doubled
  EXPECT_EQ(UnescapeText("end\\"), "end\\");
  EXPECT_EQ(UnescapeText("\\x"), "\\x");
}

TEST(TextEscape, TextsTheClassicRulesLostSurvive) {
  for (const std::string text : {"C:\\temp\\test.txt", "\\\\nas\\share", "\\\\tokyo\\d", "dir\\", "a\\\\",
                                 "\\", "\\\\\\n", "a\\\tb", "x\\\r\ny", " leading", "trailing ", "\"quoted\"",
                                 "'q'", "\\|marker", "表\\n", "ソ\t能\\十", "\\r\\n literal"}) {
    const std::string stored = EscapeText(text);
    EXPECT_EQ(UnescapeText(stored), text) << stored;
    EXPECT_EQ(stored.find_first_of("\r\n\t"), std::string::npos) << stored;
    EXPECT_TRUE(stored.empty() || (stored.front() != ' ' && stored.back() != ' '))
        << stored;  // the reader trims
  }
}

TEST(TextEscape, DoubleByteSecondByteIsNeverABackslash) {
  // 表 = 95 5C: followed by 'n' it must not be taken for an escape.
  EXPECT_EQ(EscapeText("表n"), "表n");
  EXPECT_EQ(UnescapeText("表n"), "表n");
  EXPECT_EQ(UnescapeText("ソt"), "ソt");
  EXPECT_EQ(UnescapeText(EscapeText("十\\t")), "十\\t");
}

TEST(TextEscape, SecondBytesThatLookLikeFirstBytes) {
  // 亜 = 88 9F: its second byte is in the first-byte range. The 5C of ソ after
  // it is still a second byte; a backslash right after it is an escape.
  EXPECT_EQ(UnescapeText("亜ソn"), "亜ソn");
  EXPECT_EQ(UnescapeText("亜亜ソt\\t"), "亜亜ソt\t");
  EXPECT_EQ(UnescapeText("亜\\n"), "亜\r");
  EXPECT_EQ(UnescapeText("\\|亜ソs\\s"), "亜ソs ");
  for (const std::string text : {"亜ソ\r\n亜\\n", "亜亜\\ソ\\", "\x81\\n"})
    EXPECT_EQ(UnescapeText(EscapeText(text)), text) << EscapeText(text);
}

TEST(TextEscape, LoneLeadByteBeforeAControlIsASingleByte) {
  // A stray lead byte must not swallow a line break: the value would end up
  // split over two lines of the file. What is read back stays as it is.
  for (const std::string text : {"a\x81\r\nb", "\x81\t", "x\xE0\n", "\x9F\r", "\xFC", "\x81"}) {
    const std::string stored = EscapeText(text);
    EXPECT_EQ(stored.find_first_of("\r\n\t"), std::string::npos) << stored;
    const std::string loaded = UnescapeText(stored);
    EXPECT_EQ(UnescapeText(EscapeText(loaded)), loaded) << stored;
  }
  // Raw in a hand-edited file: it reads as '?' and comes back so.
  const std::string loaded = UnescapeText("h\\t\xEA\t=\x81");
  EXPECT_EQ(loaded, "h\t?\t=?");
  EXPECT_EQ(UnescapeText(EscapeText(loaded)), loaded);
}

TEST(TextEscape, RandomTextsRoundTrip) {
  std::mt19937 rng(12345);
  const std::string alphabet[] = {"\\", "n", "r",  "t",  "s",  "|",  "\t", "\r", "\n", " ", "\"",
                                  "'",  "a", "表", "ソ", "能", "十", "ｱ",  "=",  ";",  "亜"};
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int length = static_cast<int>(rng() % 12);
    for (int i = 0; i < length; ++i) text += alphabet[rng() % (sizeof alphabet / sizeof alphabet[0])];
    const std::string stored = EscapeText(text);
    ASSERT_EQ(UnescapeText(stored), text) << "stored: " << stored;
    ASSERT_EQ(stored.find_first_of("\r\n\t"), std::string::npos);
  }
}

}  // namespace
