#include "core/note/note_properties.h"

#include <gtest/gtest.h>

#include "core/features/schedule.h"
#include "test_support.h"

namespace varnel {
namespace {

TEST(RowLookTest, FieldsRoundTripAndUnusedValuesKeepTheirDigits) {
  struct Case {
    bool heading;
    const char* before;
    RowLook look;
    const char* after;
  } cases[] = {
      {false, "0000000000000000", {true, 20, true, true, true, false, 0x0000FF, 0, true}, "314B0000ff000000"},
      {true,
       "F10a0000ff123456",
       {false, 0, false, false, false, true, 0, 0xABCDEF, true},
       "C10A0000ffabcdef"},
      {true, "0", {true, 99, false, false, false, false, 0, 0, false}, "1400000000000000"},  // height bounded
      {false, "1050", {true, 5, false, false, false, false, 0, 0, false}, "10d0000000000000"},
  };
  for (const Case& c : cases) {
    const std::string written = WriteRowLook(c.before, c.heading, c.look, 13);
    EXPECT_EQ(written, c.after) << c.before;
    const RowLook back = ReadRowLook(written, c.heading, 14, false, false);
    EXPECT_EQ(back.ownFont, c.look.ownFont);
    EXPECT_EQ(back.extra, c.look.extra);
    if (c.look.ownText) {
      EXPECT_EQ(back.textColour, c.look.textColour);
    }
  }
  // Without an own font the page shows the note's defaults.
  const RowLook defaults = ReadRowLook("0143000000000000", false, 14, true, false);
  EXPECT_EQ(defaults.height, 14);
  EXPECT_TRUE(defaults.bold);
}

class RowPagesTest : public test::NoteRowsTest<> {
 protected:
  void SetUp() override { Build({{"見出", "明細"}}); }
  RowFonts fonts;
};

TEST_F(RowPagesTest, HeadingFlagsGoToTheRunTimeWordAndTheStoredOne) {
  struct Case {
    int display, fold, kind;
    bool shown, conversion, emptyHeading, hidden;
    const char* status;
  } cases[] = {
      {0, 0, 0, true, false, false, false, "00000000"}, {0, 2, 1, false, true, false, true, "08110001"},
      {2, 1, 0, true, false, false, true, "06000001"},   // always hidden
      {1, 0, 0, true, false, false, false, "01000000"},  // shown while it has details
      {1, 0, 0, true, false, true, true, "01000001"},
  };
  for (const Case& c : cases) {
    if (c.emptyHeading) c_.DeleteDetail(Row(0, 1), 0);
    HeadingProperties p = ReadHeadingProperties(c_, 0, fonts);
    p.text = "新しい見出";
    p.display = c.display, p.fold = c.fold, p.kind = c.kind, p.shown = c.shown, p.conversion = c.conversion;
    ApplyHeadingProperties(c_, 0, p, 13);
    EXPECT_EQ(c_.rows.At(c_.HeadingRow(0)).status, c.status);
    EXPECT_EQ((c_.headingAttributes[0] & kHeadingHidden) != 0, c.hidden);
    const HeadingProperties back = ReadHeadingProperties(c_, 0, fonts);
    EXPECT_EQ(back.text, "新しい見出");
    EXPECT_EQ(back.kind, c.kind);
    EXPECT_EQ(back.fold, c.fold);
  }
}

TEST_F(RowPagesTest, ADetailKeepsAStateOutOfUseUnlessTheUserPicksOne) {
  NoteRules rules;
  rules.ckType2 = false;  // "done" is not in use
  varnel::Row& row = c_.rows.At(Row(0, 1));
  row.status = "0000000E" + std::string(12, '0');  // done, with an armed alarm
  row.status[3] = 'C';
  DetailProperties p = ReadDetailProperties(row, fonts, rules);
  EXPECT_EQ(p.state, kDeleted);  // shown with the next state in use
  EXPECT_EQ(p.alarm, kPageAlarmOn);
  p.text = "変更";
  p.hideFirstLine = p.conversion = true;
  ApplyDetailProperties(row, p, -1, 13);
  EXPECT_EQ(row.status.substr(0, 8), "011C000E");  // still done, alarm bits untouched
  ApplyDetailProperties(row, p, kChecked, 13);
  EXPECT_EQ(DetailStateOf(row.status), kChecked);
  EXPECT_EQ(row.status[7], 'D');
  struct {
    bool ck1, ck2, ck3;
    int state, shown;
  } states[] = {{true, true, true, 2, 2}, {false, false, false, 3, 0}, {false, true, false, 1, 2}};
  for (const auto& s : states) {
    NoteRules r;
    r.ckType1 = s.ck1, r.ckType2 = s.ck2, r.ckType3 = s.ck3;
    EXPECT_EQ(ShownDetailState(s.state, r), s.shown);
  }
}

TEST(FixedPlacementTest, StaysInsideTheFrame) {
  const Frame frame{0, 0, 1024, 768};
  struct {
    NotePlacement in, out;
  } cases[] = {
      {{100, 100, 200, 150}, {100, 100, 200, 150}},
      {{500, 10, 5000, 100}, {0, 10, 1024, 100}},  // too wide: W = right - left, X = left
      {{-50, -50, 10, 5}, {0, 0, 40, 20}},
      {{1000, 700, 200, 150}, {824, 618, 200, 150}},
  };
  for (const auto& c : cases) {
    const NotePlacement p = BoundFixedPlacement(c.in, frame);
    EXPECT_EQ((std::array<int, 4>{p.x, p.y, p.w, p.h}),
              (std::array<int, 4>{c.out.x, c.out.y, c.out.w, c.out.h}));
  }
  const NotePlacement narrow = BoundFixedPlacement({5, 5, 100, 100}, {0, 0, 30, 10});
  EXPECT_EQ(narrow.w, 40);
  EXPECT_EQ(narrow.x, 0);
}

using SchedulePageTest = test::StoreTest;

TEST_F(SchedulePageTest, OkWritesEveryKeyAndTheNextTickAppliesThem) {
  auto note = Open("n.dat", "SDT1=3660,0600\r\nSDT3=4000\r\n");
  ScheduleEdit e = ReadScheduleEdit(*note);
  EXPECT_TRUE(e.start && e.remove && !e.end && !e.window);
  EXPECT_EQ(e.startMinutes, 600);
  e.start = false;
  e.end = true, e.endDay = 3700, e.endMinutes = 1020;
  e.window = true, e.from = 540, e.to = 1020, e.days = 0x1F | kDaysOnHolidays;
  NoteSchedule s = WriteScheduleEdit(*note, e);
  EXPECT_EQ(s.state, -1);
  const std::string file = Read("n.dat");
  for (const char* line : {"SDT1=-1\r\n", "SDT2=3700,1020\r\n", "SDT3=4000\r\n", "SDT4=5401020,009f\r\n"})
    EXPECT_NE(file.find(line), std::string::npos) << line;
  const NoteSchedule reread = ReadSchedule(*note);
  EXPECT_EQ(reread.first, s.first);
  EXPECT_EQ(reread.second, s.second);
  // A Monday 10:00 inside the window shows a hidden note.
  EXPECT_EQ(EvaluateNoteSchedule(s, false, MomentOf(test::MakeDateTime(2011, 1, 17, 10))),
            ScheduleAction::kShow);
  EXPECT_EQ(WriteScheduleEdit(*note, ScheduleEdit{}).state, kScheduleNone);
  EXPECT_NE(Read("n.dat").find("SDT4=-1\r\n"), std::string::npos);
}

TEST(FontFaceListTest, ExactNamesOnceAndTheCurrentFaceKept) {
  EXPECT_EQ(FontFaceList({"Meiryo UI", "Meiryo", "meiryo", "ＭＳ ゴシック", ""}, "Own Font"),
            (std::vector<std::string>{"Meiryo UI", "Meiryo", "ＭＳ ゴシック", "Own Font"}));
  EXPECT_EQ(FontFaceList({"Arial"}, "ARIAL"), std::vector<std::string>{"Arial"});
}

}  // namespace
}  // namespace varnel
