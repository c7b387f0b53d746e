// The texts a note gives and takes: export with marks, paste, dropped texts and files, run commands.
#include "core/features/text_export.h"

#include <set>
#include <tuple>

#include "core/features/drop_text.h"
#include "core/features/run_text.h"
#include "core/note/note_row_commands.h"
#include "test_support.h"

using namespace varnel;

namespace {

const DateTime kNow = test::MakeDateTime(2011, 1, 10);

// Details as text and status; a heading as a loaded note holds it.
using Details = std::vector<std::pair<std::string, std::string>>;
int AddHeading(NoteContent& note, const std::string& name, const Details& details,
               std::uint32_t attributes = 0) {
  note.AddHeading(name);
  const int h = note.headingCount - 1;
  note.headingAttributes[h] = attributes;
  for (const auto& [text, status] : details)
    note.rows.Append(Row{note.headingKeys[h]++, text, "", status, {}});
  return h;
}

MarkSet Marks(const std::string& all, const std::string& pad) {
  MarkSet set{{}, pad, static_cast<int>(all.size() / 4)};
  for (std::size_t i = 0; i < 4; ++i) set.marks[i] = all.substr(i * set.length, set.length);
  return set;
}
const MarkSet kClip = Marks("\t□ \t◎ \t■ \t済 ", "\t"), kMail = Marks("　□　◎　■　済", "　　");

std::string Pasted(const std::string& text, const MarkSet& marks, bool hide, bool newHeading) {
  const PastedText p = ParsePastedText(text, marks, hide, newHeading);
  std::string out = p.newHeading ? "[" + p.headingText + "]" : "";
  for (const auto& d : p.details) out += d.text + ":" + std::to_string(d.state) + "|";
  return out;
}

TEST(TextExport, NoteSkipsHiddenHeadingsAndHidingRowsDropsMarks) {
  // Marks by state; hidden first lines, one with nothing after it whole; date codes from one time.
  NoteContent note;
  AddHeading(note, "Shop",
             {{"milk", "00000000"}, {"a\r\nb", "00000001"}, {"x", "00000002"}, {"y", "00000003"}});
  AddHeading(note, "B", {{"2", "00000000"}}, kHeadingHidden);
  AddHeading(note, "C", {{"C:\\d\\表.txt\r\n\r\n表.txt", "01000000"}, {"only\r", "01000000"}});
  AddHeading(note, "A%D", {{"%+1%D日", "00100000"}, {"%D日", "00100000"}, {"%D", "00000000"}},
             kHeadingFormatConversion);
  EXPECT_EQ(NoteText(note, kClip, kNow),
            "Shop\r\n\t□ milk\r\n\t◎ a\r\n\tb\r\n\t■ x\r\n\t済 y\r\n\r\nC\r\n\t□ 表.txt\r\n\t□ only\r\n\r\n"
            "A10\r\n\t□ 11日\r\n\t□ 10日\r\n\t□ %D\r\n\r\n");
  note.hideHeadingRows = true;
  EXPECT_EQ(HeadingText(note, 0, kClip, kNow), "Shop\r\nmilk\r\na\r\nb\r\nx\r\ny\r\n\r\n");
  EXPECT_EQ(HeadingText(note, 7, kClip, kNow), "");
}

// A detail is cut between characters once 400 bytes are written; a heading of them is exported whole.
TEST(TextExport, LongDetailsAreCutOnAWholeCharacterAndNeverDropped) {
  const std::string wide = "x" + std::string(600, '\x88');  // 300 double-byte characters after the x
  std::string padded;
  const MarkSet marks = Marks(std::string(40, 'M'), std::string(15, 'P'));
  for (int i = 0; i < 24; ++i) padded += "\r\n" + marks.pad;  // 24 line breaks of 17 bytes pass 400
  NoteContent note;
  const int h = AddHeading(note, wide, Details(12, {std::string(300, '\n'), "0"}));
  note.rows.Append(Row{note.headingKeys[h]++, wide, "", "0", {}});
  EXPECT_EQ(DetailText(note.rows.At(note.rows.Count() - 1), "", kNow), wide.substr(0, 401));
  EXPECT_EQ(DetailText(note.rows.At(1), marks.pad, kNow), padded);
  const std::string out = HeadingText(note, h, marks, kNow);
  EXPECT_EQ(out.substr(0, 601), wide.substr(0, 599) + "\r\n");
  EXPECT_EQ(out.size(), 601 + 12 * (10 + 408 + 2) + (10 + 401 + 2) + 2);
}

using MarksTest = test::StoreTest;

TEST_F(MarksTest, MarksOfTheNoteOverTheGlobalOnesOverTheDefaults) {
  const std::string forty = "0123456789abcdefghijABCDEFGHIJ!!!!!!!!!!",
                    tens = "0123456789|abcdefghij|ABCDEFGHIJ|!!!!!!!!!!|";
  // Global lines, note lines, mail, the marks and the pad read, joined by "|".
  const std::tuple<std::string, std::string, bool, std::string> cases[] = {
      {"", "", false, "\t□ |\t◎ |\t■ |\t済 |\t"},
      {"", "", true, "　□|　◎|　■|　済|　　"},
      {"Mark=\\t[]\\t()\\t##\\t%%\r\nMarkPad=\\t\\t\r\n", "Mark=abc\r\n", false, "\t[]|\t()|\t##|\t%%|\t\t"},
      {"Mark=abc\r\n", "MarkPad=>>\r\n", false, "\t□ |\t◎ |\t■ |\t済 |>>"},
      {"MarkMail=xxxxxxxx\r\n", "MarkMail=" + forty + "\r\nMarkPadMail=-\r\n", true, tens + "-"},
      {"Mark=abcd\r\n", "Mark=" + forty + forty.substr(0, 20) + "\r\n", false, tens + "\t"},
      {"Mark=abcd\r\n", "", false, "a|b|c|d|\t"}};
  for (const auto& [global, note, mail, expected] : cases) {
    const MarkSet m =
        ReadMarks(*Open("Varnel.ini", global.c_str()), Open("Varnel00.dat", note.c_str()).get(), mail);
    EXPECT_EQ(m.marks[0] + "|" + m.marks[1] + "|" + m.marks[2] + "|" + m.marks[3] + "|" + m.pad, expected)
        << global << note;
  }
}

TEST(PasteText, LinesMarksAndHeadings) {
  // Text, marks, hide the heading rows, as a new heading, the details parsed.
  const std::tuple<std::string, const MarkSet&, bool, bool, std::string> cases[] = {
      {"\r\n  \r\n\t Shop\r\n\t□ milk\r\n\t◎ egg\r\n\t■ bread\r\n\t済 tea\r\n\r\n", kClip, false, true,
       "[Shop]milk:0|egg:1|bread:2|tea:3|"},
      {"Shop\r\n■ bread\r\n", kClip, false, true, "[Shop]■ bread:0|"},  // its TAB is missing
      {"□ a\n\t□ b", kClip, false, false, "□ a:0|b:0|"},                // no TAB before the text's start
      {"\t■ a\r\n  \t■ b\n\t■", kClip, false, false, "a:2|b:2|■:0|"},
      {"　■a\r\n　　b\r\n", kMail, false, false, "a:2|　　b:0|"},
      {"\r\n\tmilk\r\n\t■ x", kClip, true, true, "[]milk:0|■ x:0|"},
      {" \r\n\t ", kClip, false, true, ""},
      {"S\r\nx" + std::string(600, '\x88'), kClip, false, true, "[S]x" + std::string(296, '\x88') + ":0|"}};
  for (const auto& [text, marks, hide, newHeading, expected] : cases)
    EXPECT_EQ(Pasted(text, marks, hide, newHeading), expected) << text;
  std::string lines, first;
  for (int i = 0; i < 1001; ++i) lines += "\t□ " + std::to_string(i) + "\r\n";
  for (int i = 0; i < 1000; ++i) first += std::to_string(i) + ":0|";
  EXPECT_EQ(Pasted(lines, kClip, false, false), first);
  EXPECT_EQ(Pasted(lines, kClip, false, true), "[□ 0]" + first.substr(4));
}

// A copied heading pasted at note level comes back with its states; a full note takes no new heading.
TEST(PasteText, CopyThenPasteRoundTripAndOneDetailFromTheClipboard) {
  NoteContent from, to;
  to.colourByState = true;
  AddHeading(from, "買", {{"牛乳", "0"}, {"パン", "00000002"}, {"卵", "00000001"}, {"茶", "00000003"}});
  const std::string copied = HeadingText(from, 0, kClip, kNow);
  ASSERT_EQ(ApplyPastedText(to, -1, ParsePastedText(copied, kClip, false, true)), 0);
  EXPECT_EQ(HeadingText(to, 0, kClip, kNow), copied);
  EXPECT_EQ(to.rows.At(2).status + to.rows.At(2).format, std::string("00000002") + kStateFormat);
  while (to.headingCount < kMaxHeadings) to.AddHeading("h");
  EXPECT_EQ(ApplyPastedText(to, -1, ParsePastedText("N\r\nx", kClip, false, true)), -1);
  EXPECT_EQ(ApplyPastedText(to, 0, ParsePastedText("x", kClip, false, false)), 0);
  EXPECT_EQ(to.DetailCount(0), 5);
  // One detail from the clipboard, trimmed and cut at 5 bytes (the last would split 表).
  const std::pair<std::string, std::string> cases[] = {{" \t\r\n牛乳 \r\n", "牛乳"},
                                                       {"a\r\nb", "a\r\nb"},
                                                       {" \r\n\t", ""},
                                                       {std::string(999, ' ') + "x", "x"},
                                                       {std::string(1000, ' ') + "x", ""},
                                                       {"abcd表示", "abcd"}};
  for (const auto& [clip, text] : cases) EXPECT_EQ(PastedDetailText(clip, 5), text) << clip.size();
}

TEST(DropText, FileTextsAndFurtherFileRows) {
  const std::string longDir = "C:\\" + std::string(290, 'd') + "\\", d270 = "C:\\" + std::string(270, 'd'),
                    name = "\\表表表表表表.txt";
  const std::tuple<std::string, bool, std::string> cases[] = {
      {"C:\\work\\plan.txt", false, "C:\\work\\plan.txt"},
      {"C:\\work\\plan.txt", true, "C:\\work\\plan.txt\r\nplan.txt"},
      {"C:\\d\\表.txt", true, "C:\\d\\表.txt\r\n表.txt"},  // 表 ends in 0x5C
      {"C:\\folder\\", true, "C:\\folder\\"},              // no name to add
      {longDir + "name.txt", true, (longDir + "name.txt").substr(0, 298)},
      {d270 + name, true, d270 + name + "\r\n表表表"},        // the name cut on a character
      {d270 + "ddddd" + name, true, d270 + "ddddd" + name}};  // no room for one character
  for (const auto& [path, withName, expected] : cases)
    EXPECT_EQ(DroppedFileText(path, withName), expected) << path;
  EXPECT_EQ(DroppedText(std::string_view("ab\0cd", 5)), "ab");  // a text stops at a zero or the row limit
  EXPECT_EQ(DroppedText("a" + std::string(300, '\x88')), "a" + std::string(296, '\x88'));
  // A further file's row copies the edited row, its first line hidden and no alarm.
  const Row edited{MakeRowKey(1, 2), "x", "0008ff0000000000", "0a08120900000000", {}};
  const Row row = DroppedFileRow(edited, MakeRowKey(1, 3), "C:\\a.txt\r\na.txt");
  EXPECT_EQ(row.key, MakeRowKey(1, 3));
  EXPECT_EQ(row.text + row.format + row.status, "C:\\a.txt\r\na.txt0008ff00000000000B00000100000000");
  EXPECT_EQ(DroppedFileRow(Row{}, 7, "t").status, "01000000");
}

TEST(RunText, SelectsTheTextToRunAndQuotesTheLongestExistingPath) {
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
      {std::string(299, ' ') + "x", 258, ""}};  // only 299 bytes are read
  for (const auto& [text, id, expected] : cases) {
    const RunRequest r = SelectRunText(text, id);
    EXPECT_EQ(r.ok ? (r.openByShell ? "!" : "") + r.text : "", expected) << text;
  }
  const std::set<std::string, std::less<>> existing = {
      "C:\\Program Files\\x\\setup notes.txt", "C:\\Program Files\\x\\tool.exe", "C:\\Program", "C:\\表 a"};
  const auto exists = [&](std::string_view p) { return existing.count(p) > 0; };
  // A prefix that exists but has no space is left alone.
  const std::pair<std::string, std::string> quoted[] = {
      {"C:\\Program Files\\x\\setup notes.txt", "\"C:\\Program Files\\x\\setup notes.txt\""},
      {"C:\\Program Files\\x\\tool.exe -a  b", "\"C:\\Program Files\\x\\tool.exe\" -a  b"},
      {"C:\\表 a b", "\"C:\\表 a\" b"},
      {"C:\\Program Files\\y.exe", "C:\\Program Files\\y.exe"},
      {"\"C:\\表 a\" x", "\"C:\\表 a\" x"}};
  for (const auto& [in, out] : quoted) EXPECT_EQ(QuoteExistingPath(in, exists), out) << in;
}

}  // namespace
