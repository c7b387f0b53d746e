// Export text of notes, headings and details, the marks, and the parse of
// pasted text back into details.
#include "core/features/text_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/config/profile_store.h"
#include "core/note/note_content.h"
#include "test_support.h"

using namespace varnel;
using varnel::test::MakeDateTime;

namespace {

const DateTime kNow = MakeDateTime(2011, 1, 10);

struct Detail {
  std::string text;
  std::string status = kNewStatus;
};

// Appends a heading with its details the way a loaded note holds them.
int AddHeading(NoteContent& note, const std::string& name, const std::vector<Detail>& details,
               std::uint32_t attributes = 0) {
  note.AddHeading(name);
  const int h = note.headingCount - 1;
  note.headingAttributes[h] = attributes;
  for (const Detail& d : details)
    note.rows.Append(Row{note.headingKeys[h]++, d.text, kEmptyFormat, d.status, {}});
  return h;
}

MarkSet Marks(const std::string& all, const std::string& pad) {
  MarkSet set;
  set.length = static_cast<int>(all.size() / 4);
  for (std::size_t i = 0; i < 4; ++i) set.marks[i] = all.substr(i * set.length, set.length);
  set.pad = pad;
  return set;
}
const MarkSet kClip = Marks("\t□ \t◎ \t■ \t済 ", "\t");
const MarkSet kMail = Marks("　□　◎　■　済", "　　");

std::string Describe(const PastedText& p) {
  std::string out = p.newHeading ? "[" + p.headingText + "]" : "";
  for (const auto& d : p.details) out += d.text + ":" + std::to_string(d.state) + "|";
  return out;
}

TEST(TextExport, HeadingsAsThePartsLayThemOut) {
  const struct {
    std::vector<Detail> details;
    std::uint32_t attributes;
    bool mail;
    std::string expected;
  } cases[] = {
      {{{"milk"}, {"bread", "00000002"}}, 0, false, "Shop\r\n\t□ milk\r\n\t■ bread\r\n\r\n"},
      {{{"milk"}, {"bread", "00000002"}}, 0, true, "Shop\r\n　□milk\r\n　■bread\r\n\r\n"},
      {{{"a\r\nb", "00000001"}, {"x", "00000003"}}, 0, false, "Shop\r\n\t◎ a\r\n\tb\r\n\t済 x\r\n\r\n"},
      {{{"a\r\nb"}}, 0, true, "Shop\r\n　□a\r\n　　b\r\n\r\n"},
      // Hidden first line; one with nothing after it stays whole.
      {{{"C:\\d\\表.txt\r\n\r\n表.txt", "01000000"}, {"only\r", "01000000"}},
       0,
       false,
       "Shop\r\n\t□ 表.txt\r\n\t□ only\r\n\r\n"},
      // Date codes with day moves, per row from the same time; the heading's own flag.
      {{{"%+1%D日", "00100000"}, {"%D日", "00100000"}, {"%D", "00000000"}},
       kHeadingFormatConversion,
       false,
       "Shop10\r\n\t□ 11日\r\n\t□ 10日\r\n\t□ %D\r\n\r\n"},
  };
  for (const auto& c : cases) {
    NoteContent note;
    const int h = AddHeading(note, c.attributes ? "Shop%D" : "Shop", c.details, c.attributes);
    EXPECT_EQ(HeadingText(note, h, c.mail ? kMail : kClip, kNow), c.expected) << c.expected;
  }
}

TEST(TextExport, NoteSkipsHiddenHeadingsAndHidingRowsDropsMarks) {
  NoteContent note;
  AddHeading(note, "A", {{"1"}});
  AddHeading(note, "B", {{"2"}}, kHeadingHidden);
  AddHeading(note, "C", {{"3", "00000002"}});
  EXPECT_EQ(NoteText(note, kClip, kNow), "A\r\n\t□ 1\r\n\r\nC\r\n\t■ 3\r\n\r\n");
  note.hideHeadingRows = true;
  note.rows.At(note.HeadingRow(0)).text.clear();
  EXPECT_EQ(HeadingText(note, 0, kClip, kNow), "\r\n1\r\n\r\n");
  EXPECT_EQ(HeadingText(note, 7, kClip, kNow), "");
}

// A detail is cut once 400 bytes are written, between characters; a heading
// of long details with long marks is exported whole.
TEST(TextExport, LongDetailsAreCutOnAWholeCharacterAndNeverDropped) {
  NoteContent note;
  std::string wide = "x";
  for (int i = 0; i < 300; ++i) wide += "あ";
  std::string lines;
  for (int i = 0; i < 300; ++i) lines += "\n";
  const MarkSet longMarks = Marks(std::string(40, 'M'), std::string(15, 'P'));
  const int h = AddHeading(note, wide, std::vector<Detail>(12, Detail{lines}));
  note.rows.Append(Row{note.headingKeys[h]++, wide, kEmptyFormat, kNewStatus, {}});
  EXPECT_EQ(DetailText(note.rows.At(note.rows.Count() - 1), "", kNow), wide.substr(0, 401));
  std::string padded;  // 24 line breaks of 17 bytes pass 400
  for (int i = 0; i < 24; ++i) padded += "\r\n" + longMarks.pad;
  EXPECT_EQ(DetailText(note.rows.At(1), longMarks.pad, kNow), padded);
  const std::string out = HeadingText(note, h, longMarks, kNow);
  EXPECT_EQ(out.substr(0, 601), wide.substr(0, 599) + "\r\n");
  EXPECT_EQ(out.size(), 601 + 12 * (10 + 408 + 2) + (10 + 401 + 2) + 2);
}

class MarksTest : public ::testing::Test {
 protected:
  MarkSet Read(const std::string& global, const std::string& noteFile, bool mail) {
    test::WriteBytes(dir_.Path() / "Varnel.ini", "[Default]\r\n" + global);
    test::WriteBytes(dir_.Path() / "Varnel00.dat", "[Default]\r\n" + noteFile);
    env_.programPath = dir_.Path() / "Varnel.exe";
    const auto notePath = dir_.Path() / "Varnel00.dat";
    globalStore_.Open(env_, false, "Default", nullptr, nullptr);
    noteStore_.Open(env_, false, "Default", &notePath, nullptr);
    return ReadMarks(globalStore_, &noteStore_, mail);
  }
  test::TempFolder dir_{"varnel_marks"};
  StoreEnv env_;
  ProfileStore globalStore_, noteStore_;
};

TEST_F(MarksTest, NoteOverGlobalOverDefault) {
  const std::string forty = "0123456789abcdefghijABCDEFGHIJ!!!!!!!!!!";
  const struct {
    std::string global, note;
    bool mail;
    std::array<std::string, 4> marks;
    std::string pad;
  } cases[] = {
      {"", "", false, {"\t□ ", "\t◎ ", "\t■ ", "\t済 "}, "\t"},
      {"", "", true, {"　□", "　◎", "　■", "　済"}, "　　"},
      {"Mark=\\t[]\\t()\\t##\\t%%\r\nMarkPad=\\t\\t\r\n",
       "Mark=abc\r\n",
       false,
       {"\t[]", "\t()", "\t##", "\t%%"},
       "\t\t"},
      {"Mark=abc\r\n", "MarkPad=>>\r\n", false, {"\t□ ", "\t◎ ", "\t■ ", "\t済 "}, ">>"},
      {"MarkMail=xxxxxxxx\r\n",
       "MarkMail=" + forty + "\r\nMarkPadMail=-\r\n",
       true,
       {"0123456789", "abcdefghij", "ABCDEFGHIJ", "!!!!!!!!!!"},
       "-"},
      {"",
       "Mark=" + forty + forty.substr(0, 20) + "\r\n",
       false,
       {"0123456789", "abcdefghij", "ABCDEFGHIJ", "!!!!!!!!!!"},
       "\t"},
      {"Mark=abcd\r\n", "", false, {"a", "b", "c", "d"}, "\t"},
  };
  for (const auto& c : cases) {
    const MarkSet set = Read(c.global, c.note, c.mail);
    EXPECT_EQ(set.marks, c.marks) << c.global << c.note;
    EXPECT_EQ(set.pad, c.pad) << c.global << c.note;
    EXPECT_EQ(set.length, static_cast<int>(c.marks[0].size()));
  }
}

TEST(PasteText, LinesMarksAndHeadings) {
  std::string long_ = "x";
  for (int i = 0; i < 200; ++i) long_ += "あ";
  const struct {
    std::string text;
    const MarkSet* marks;
    bool hide, newHeading;
    std::string expected;
  } cases[] = {
      {"\r\n  \r\n\t Shop\r\n\t□ milk\r\n\t◎ egg\r\n\t■ bread\r\n\t済 tea\r\n\r\n", &kClip, false, true,
       "[Shop]milk:0|egg:1|bread:2|tea:3|"},
      // The done mark's TAB is missing: not a mark.
      {"Shop\r\n■ bread\r\n", &kClip, false, true, "[Shop]■ bread:0|"},
      // At the very start there is no TAB before the line to match.
      {"□ a\n\t□ b", &kClip, false, false, "□ a:0|b:0|"},
      {"\t■ a\r\n  \t■ b\n\t■", &kClip, false, false, "a:2|b:2|■:0|"},
      {"　■a\r\n　　b\r\n", &kMail, false, false, "a:2|　　b:0|"},
      {"\r\n\tmilk\r\n\t■ x", &kClip, true, true, "[]milk:0|■ x:0|"},
      {" \r\n\t ", &kClip, false, true, ""},
      {"S\r\n" + long_, &kClip, false, true, "[S]" + long_.substr(0, 297) + ":0|"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Describe(ParsePastedText(c.text, *c.marks, c.hide, c.newHeading)), c.expected) << c.text;
}

TEST(PasteText, TakesAtMostAThousandLines) {
  std::string text;
  for (int i = 0; i < 1001; ++i) text += "\t□ " + std::to_string(i) + "\r\n";
  const PastedText intoHeading = ParsePastedText(text, kClip, false, false);
  ASSERT_EQ(intoHeading.details.size(), 1000u);
  EXPECT_EQ(intoHeading.details.back().text, "999");
  const PastedText newHeading = ParsePastedText(text, kClip, false, true);
  EXPECT_EQ(newHeading.headingText, "□ 0");  // a heading takes no mark
  EXPECT_EQ(newHeading.details.size(), 999u);
}

TEST(PasteText, AppliesToANewOrAnExistingHeading) {
  NoteContent note;
  note.colourByState = true;
  AddHeading(note, "A", {{"1"}});
  EXPECT_EQ(ApplyPastedText(note, 0, ParsePastedText("\t■ 2", kClip, false, false)), 0);
  const int row = note.rows.Find(MakeRowKey(KeyHeadingId(note.headingKeys[0]), 2));
  ASSERT_GE(row, 0);
  EXPECT_EQ(note.rows.At(row).text, "2");
  EXPECT_EQ(note.rows.At(row).status, "00000002");
  EXPECT_EQ(note.rows.At(row).format, kStateFormat);
  EXPECT_EQ(ApplyPastedText(note, -1, ParsePastedText("", kClip, false, true)), -1);
  while (note.headingCount < kMaxHeadings) note.AddHeading("h");
  EXPECT_EQ(ApplyPastedText(note, -1, ParsePastedText("N\r\nx", kClip, false, true)), -1);
  EXPECT_EQ(note.headingCount, kMaxHeadings);
}

// Copying a heading and pasting it at note level gives it back, first lines
// and states kept, further lines as unchecked details.
TEST(PasteText, CopyThenPasteRoundTrip) {
  {
    const MarkSet* marks = &kClip;  // mail marks keep the pad on further lines
    NoteContent from, to;
    AddHeading(from, "買い物",
               {{"牛乳"}, {"パン\r\n二斤", "00000002"}, {"卵", "00000001"}, {"茶", "00000003"}});
    const int h =
        ApplyPastedText(to, -1, ParsePastedText(HeadingText(from, 0, *marks, kNow), *marks, false, true));
    ASSERT_EQ(h, 0);
    EXPECT_EQ(HeadingText(to, h, kClip, kNow),
              "買い物\r\n\t□ 牛乳\r\n\t■ パン\r\n\t□ 二斤\r\n\t◎ 卵\r\n\t済 茶\r\n\r\n");
  }
}

}  // namespace
