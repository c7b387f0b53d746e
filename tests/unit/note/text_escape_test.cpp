#include "core/note/text_escape.h"

#include <gtest/gtest.h>

#include <tuple>

using varnel::EscapeText;
using varnel::UnescapeText;

namespace {

TEST(TextEscape, StoredFormsOfEarlierFilesReadAndWriteAsBefore) {
  // 表 = 95 5C and ソ = 83 5C end in a backslash byte; 亜 = 88 9F ends in a lead byte. Doubled before
  // another character stays doubled, a backslash right after ソ is an escape, a lone lead byte in a
  // hand-edited file reads as '?'.
  const std::tuple<const char*, const char*, bool> cases[] = {
      // text, stored, also what the writer gives
      {"a\tb", "a\\tb", true},
      {"line1\r\nline2", "line1\\n\\rline2", true},
      {"x\\ny", "x\\\\ny", true},
      {"C:\\Users\\x", "C:\\Users\\x", true},
      {"表示", "表示", true},
      {"表n", "表n", true},
      {"", "", true},
      {"\\\\server\\share", "\\\\server\\share", false},
      {"end\\", "end\\", false},
      {"\\x", "\\x", false},
      {"ソt", "ソt", false},
      {"亜ソn", "亜ソn", false},
      {"亜亜ソt\t", "亜亜ソt\\t", false},
      {"亜\r", "亜\\n", false},
      {"亜ソs ", "\\|亜ソs\\s", false},
      {"h\t?\t=?", "h\\t\xEA\t=\x81", false}};
  for (const auto& [text, stored, written] : cases) {
    EXPECT_EQ(UnescapeText(stored), text) << stored;
    EXPECT_EQ(written ? EscapeText(text) : stored, stored) << text;
  }
}

TEST(TextEscape, EveryTextSurvivesOnOneTrimmedLine) {
  // What the reader would trim or split: blanks and matching quotes at the ends, line breaks, tabs; and stray
  // lead bytes, which must not swallow a line break and read back as they were read.
  const auto check = [](const std::string& text, bool exact) {
    const std::string stored = EscapeText(text), loaded = UnescapeText(stored);
    EXPECT_EQ(stored.find_first_of("\r\n\t"), std::string::npos) << stored;
    const bool quoted =
        stored.size() > 1 && (stored[0] == '"' || stored[0] == '\'') && stored.back() == stored[0];
    EXPECT_TRUE(stored.empty() || (stored.front() != ' ' && stored.back() != ' ' && !quoted)) << stored;
    EXPECT_EQ(UnescapeText(EscapeText(loaded)), loaded) << stored;
    EXPECT_EQ(exact ? loaded : text, text) << stored;
  };
  for (const std::string text :
       {"C:\\temp\\test.txt", "\\\\nas\\share", "\\\\tokyo\\d", "dir\\", "a\\\\", "\\", "\\\\\\n", "a\\\tb",
        "x\\\r\ny", " leading", "trailing ", "\"quoted\"", "'q'"})
    check(text, true);
  for (const std::string text : {"\\|marker", "表\\n", "ソ\t能\\十", "\\r\\n literal", "十\\t",
                                 "亜ソ\r\n亜\\n", "亜亜\\ソ\\", "\x81\\n", "h\t?\t=?"})
    check(text, true);
  for (const std::string text : {"a\x81\r\nb", "\x81\t", "\x9F\r", "\xFC", "\x81", "x\xE0\n"})
    check(text, false);
}

}  // namespace
