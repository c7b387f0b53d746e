// The text a run command starts, and the quoting of existing paths with spaces.
#include "core/features/run_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace varnel;

namespace {

TEST(RunText, SelectsTheTextToRun) {
  const struct {
    std::string text;
    int id;
    bool ok, shell;
    std::string run;
  } cases[] = {
      {"  notepad.exe a.txt", 258, true, false, "notepad.exe a.txt"},
      {"C:\\tools\\x.exe\r\nx.exe", 258, true, false, "C:\\tools\\x.exe"},
      {"\r\nsecond\tline", 258, true, false, "second"},
      // Whole characters are skipped: テ's second byte is 'e'.
      {"テスト cmd /c x", 258, true, false, "cmd /c x"},
      {"ｱｲ\tcalc", 258, true, false, "calc"},
      {"http://example.com/a b\tc", 258, true, true, "http://example.com/a b"},
      {" http://example.com", 258, true, false, "http://example.com"},
      {"  doc.txt\r\n", 259, true, true, "  doc.txt"},
      {"　テスト\r\n \t", 259, false, false, ""},
      {"", 258, false, false, ""},
  };
  for (const auto& c : cases) {
    const RunRequest r = SelectRunText(c.text, c.id);
    EXPECT_EQ(r.ok, c.ok) << c.text;
    EXPECT_EQ(r.openByShell, c.shell) << c.text;
    EXPECT_EQ(r.text, c.run) << c.text;
  }
  EXPECT_EQ(SelectRunText(std::string(299, ' ') + "x", 258).ok, false);  // read up to 299 bytes
}

TEST(RunText, QuotesTheLongestExistingPathWithSpaces) {
  const std::set<std::string> existing = {"C:\\Program Files\\x\\setup notes.txt",
                                          "C:\\Program Files\\x\\tool.exe", "C:\\Program", "C:\\My Docs",
                                          "C:\\My Docs\\表 a"};
  const auto exists = [&](std::string_view p) { return existing.count(std::string(p)) > 0; };
  const struct {
    std::string in, out;
  } cases[] = {
      {"C:\\Program Files\\x\\setup notes.txt", "\"C:\\Program Files\\x\\setup notes.txt\""},
      {"C:\\Program Files\\x\\tool.exe -a  b", "\"C:\\Program Files\\x\\tool.exe\" -a  b"},
      {"C:\\My Docs\\表 a b", "\"C:\\My Docs\\表 a\" b"},
      {"C:\\Program Files\\y.exe", "C:\\Program Files\\y.exe"},  // only a prefix without spaces exists
      {"notepad.exe a b.txt", "notepad.exe a b.txt"},
      {"\"C:\\My Docs\" x", "\"C:\\My Docs\" x"},
      {"C:\\Program", "C:\\Program"},
  };
  for (const auto& c : cases) EXPECT_EQ(QuoteExistingPath(c.in, exists), c.out) << c.in;
}

}  // namespace
