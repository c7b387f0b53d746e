#include "core/note/text_escape.h"

#include <gtest/gtest.h>

using varnel::EscapeText;
using varnel::UnescapeText;

namespace {

TEST(TextEscape, StoredFormsOfEarlierFilesReadAndWriteAsBefore) {
  // 表 = 95 5C and ソ = 83 5C end in a backslash byte; 亜 = 88 9F ends in a lead byte.
  const struct {
    const char* text;
    const char* stored;
    bool written;  // also what the writer gives; otherwise only read so
  } cases[] = {
      {"a\tb", "a\\tb", true},
      {"line1\r\nline2", "line1\\n\\rline2", true},
      {"x\\ny", "x\\\\ny", true},  // a literal backslash-n
      {"C:\\Users\\x", "C:\\Users\\x", true},
      {"表示", "表示", true},
      {"表n", "表n", true},
      {"", "", true},
      {"\\\\server\\share", "\\\\server\\share", false},  // doubled before other stays doubled
      {"end\\", "end\\", false},
      {"\\x", "\\x", false},
      {"ソt", "ソt", false},
      {"亜ソn", "亜ソn", false},
      {"亜亜ソt\t", "亜亜ソt\\t", false},  // a backslash right after ソ is an escape
      {"亜\r", "亜\\n", false},
      {"亜ソs ", "\\|亜ソs\\s", false},
      {"h\t?\t=?", "h\\t\xEA\t=\x81", false},  // a lone lead byte in a hand-edited file reads as '?'
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UnescapeText(c.stored), c.text) << c.stored;
    if (c.written) {
      EXPECT_EQ(EscapeText(c.text), c.stored) << c.stored;
    }
  }
}

TEST(TextEscape, EveryTextSurvivesOnOneTrimmedLine) {
  // What the reader would trim or split: blanks at the ends, line breaks, tabs; and stray lead
  // bytes, which must not swallow a line break.
  for (const std::string text : {"C:\\temp\\test.txt",
                                 "\\\\nas\\share",
                                 "\\\\tokyo\\d",
                                 "dir\\",
                                 "a\\\\",
                                 "\\",
                                 "\\\\\\n",
                                 "a\\\tb",
                                 "x\\\r\ny",
                                 " leading",
                                 "trailing ",
                                 "\"quoted\"",
                                 "'q'",
                                 "\\|marker",
                                 "表\\n",
                                 "ソ\t能\\十",
                                 "\\r\\n literal",
                                 "十\\t",
                                 "亜ソ\r\n亜\\n",
                                 "亜亜\\ソ\\",
                                 "\x81\\n",
                                 "h\t?\t=?"}) {
    const std::string stored = EscapeText(text);
    EXPECT_EQ(UnescapeText(stored), text) << stored;
    EXPECT_EQ(stored.find_first_of("\r\n\t"), std::string::npos) << stored;
    EXPECT_TRUE(stored.empty() || (stored.front() != ' ' && stored.back() != ' ')) << stored;
  }
  for (const std::string text : {"a\x81\r\nb", "\x81\t", "x\xE0\n", "\x9F\r", "\xFC", "\x81"}) {
    const std::string stored = EscapeText(text);
    EXPECT_EQ(stored.find_first_of("\r\n\t"), std::string::npos) << stored;
    const std::string loaded = UnescapeText(stored);
    EXPECT_EQ(UnescapeText(EscapeText(loaded)), loaded) << stored;
  }
}

}  // namespace
