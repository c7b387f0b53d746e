// The text a run command starts, and the quoting of existing paths with spaces.
#include "core/features/run_text.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

using namespace varnel;

namespace {

TEST(RunText, SelectsTheTextToRun) {
  // The row text, the command, what runs: "!" before a shell open, "" when nothing does.
  const std::tuple<std::string, int, std::string> cases[] = {
      {"  notepad.exe a.txt", 258, "notepad.exe a.txt"},
      {"\r\nC:\\tools\\x.exe\r\nx.exe", 258, "C:\\tools\\x.exe"},
      {"テスト cmd /c x", 258, "cmd /c x"},  // テ's second byte is 'e'
      {"ｱｲ\tcalc\tx", 258, "calc"},
      {"http://example.com/a b\tc", 258, "!http://example.com/a b"},
      {" http://example.com", 258, "http://example.com"},
      {"  doc.txt\r\n", 259, "!  doc.txt"},
      {"　テスト\r\n \t", 259, ""},
      {std::string(299, ' ') + "x", 258, ""},  // only 299 bytes are read
  };
  for (const auto& [text, id, expected] : cases) {
    const RunRequest r = SelectRunText(text, id);
    EXPECT_EQ(r.ok ? (r.openByShell ? "!" : "") + r.text : "", expected) << text;
  }
}

TEST(RunText, QuotesTheLongestExistingPathWithSpaces) {
  const std::set<std::string, std::less<>> existing = {
      "C:\\Program Files\\x\\setup notes.txt", "C:\\Program Files\\x\\tool.exe", "C:\\Program", "C:\\表 a"};
  const auto exists = [&](std::string_view p) { return existing.count(p) > 0; };
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Program Files\\x\\setup notes.txt", "\"C:\\Program Files\\x\\setup notes.txt\""},
      {"C:\\Program Files\\x\\tool.exe -a  b", "\"C:\\Program Files\\x\\tool.exe\" -a  b"},
      {"C:\\表 a b", "\"C:\\表 a\" b"},
      {"C:\\Program Files\\y.exe", "C:\\Program Files\\y.exe"},  // the prefix that exists has no space
      {"notepad.exe a b.txt", "notepad.exe a b.txt"},
      {"\"C:\\表 a\" x", "\"C:\\表 a\" x"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(QuoteExistingPath(in, exists), out) << in;
}

}  // namespace
