#include "core/note/note_properties.h"

#include "core/features/schedule.h"
#include "core/note/format_record.h"
#include "test_support.h"

using namespace varnel;

namespace {

auto Fields(const FormatRecord& r) {
  return std::tie(r.inForce, r.ownText, r.textColour, r.ownHeight, r.height, r.bold, r.italic, r.ownBack,
                  r.backColour);
}

// A record goes through the dialogs as decode, edit, encode: what the file gets, and what reads back.
TEST(FormatRecord, EncodeKeepsUnusedDigitsDecodeBoundsAndDayLimitsReadBack) {
  const FormatRecord all{true, true, 0x0000FF, true, 20, true, true, true, 0xABCDEF},
      tall{true, true, 0x0000FF, true, 200, true, true, true, 0xABCDEF},
      small{false, false, 0, true, 2, false, false, false, 0},
      none;  // every box cleared: the colour digits stay, the flags go
  const std::tuple<const char*, FormatRecord, const char*> cases[] = {
      {"0000000000000000", all, "714B0000ffabcdef"},
      {"7148000011223344", none, "0140000011223344"},
      {"x0zZ000000000000", none, "00z0000000000000"},  // non-hex flag digits start from 0
      {"8004000000000000", tall, "F40F0000ffabcdef"},  // other bits kept, height bounded to 64
      {"", small, "10d0000000000000"},                 // short: zeros; height at least the minimum
      {"a3c4e5f6a7b8c9d0e1f2", none, "83c4e5f6a7b8c9d0"}};
  for (const auto& [spec, r, out] : cases) EXPECT_EQ(EncodeFormatRecord(spec, r, 13), out) << spec;
  // A zero or missing height reads as the default; heights are bounded 13..64.
  const std::tuple<const char*, int, FormatRecord> decoded[] = {
      {"0000000000000000", 14, {false, false, 0, false, 14, false, false, false, 0}},
      {"714B0000ffabcdef", 14, all},
      {"1ff2000000000000", 14, {false, false, 0, true, 64, false, true, false, 0}},
      {"1012000000000000", 14, {false, false, 0, true, 13, false, true, false, 0}},
      {"xyz", 16, {false, false, 0, false, 16, false, false, false, 0}}};
  for (const auto& [spec, height, r] : decoded)
    EXPECT_EQ(Fields(DecodeFormatRecord(spec, height, 13)), Fields(r)) << spec;
  // The day edit of a state colour record, and what "CCDay%d" keeps so that it reads back.
  const std::tuple<const char*, int, const char*, int> days[] = {
      // typed, day, shown, stored
      {"", kNeverDay, "", -100}, {"-150", -99, "-99", -99}, {"1500", 999, "999", 999},
      {"0", 0, "0", 0},          {"12", 12, "12", 12},      {"-", 0, "0", 0}};
  for (const auto& [typed, day, shown, stored] : days)
    EXPECT_EQ(std::make_tuple(ParseDayLimit(typed), DayLimitText(day), StoredDayLimit(day)),
              std::make_tuple(day, std::string(shown), stored))
        << typed;
  EXPECT_EQ(DayLimitText(-100), "");
}

TEST(RowLookTest, FieldsRoundTripAndUnusedValuesKeepTheirDigits) {
  const std::tuple<bool, const char*, RowLook, const char*> cases[] = {
      // heading, before, look, after
      {false, "0000000000000000", {true, 20, true, true, true, false, 0x0000FF, 0, true}, "314B0000ff000000"},
      {true, "F10a0000ff123456", {false, 0, false, false, false, true, 0, 0xABCDE, true}, "C10A0000ff0abcde"},
      {true, "0", {true, 99, false, false, false, false, 0, 0, false}, "1400000000000000"},  // height bounded
      {false, "1050", {true, 5, false, false, false, false, 0, 0, false}, "10d0000000000000"}};
  for (const auto& [heading, before, look, after] : cases) {
    const std::string written = WriteRowLook(before, heading, look, 13);
    EXPECT_EQ(written, after) << before;
    const RowLook back = ReadRowLook(written, heading, 14, false, false);
    EXPECT_EQ(std::make_tuple(back.ownFont, back.extra, back.textColour),
              std::make_tuple(look.ownFont, look.extra, look.ownText ? look.textColour : back.textColour))
        << before;
  }
  // Without an own font the page shows the note's defaults.
  const RowLook defaults = ReadRowLook("0143000000000000", false, 14, true, false);
  EXPECT_EQ(std::make_pair(defaults.height, defaults.bold), std::make_pair(14, true));
}

class RowPagesTest : public test::NoteRowsTest<> {
 protected:
  void SetUp() override { Build({{"見出", "明細"}}); }
  RowFonts fonts;
};

TEST_F(RowPagesTest, HeadingFlagsGoToTheRunTimeWordAndTheStoredOne) {
  const std::tuple<int, int, int, bool, bool, bool, bool, const char*> cases[] = {
      // display, fold, kind, shown, conversion, no details left; hidden, status
      {0, 0, 0, true, false, false, false, "00000000"},
      {0, 2, 1, false, true, false, true, "08110001"},
      {2, 1, 0, true, false, false, true, "06000001"},   // always hidden
      {1, 0, 0, true, false, false, false, "01000000"},  // shown while it has details
      {1, 0, 0, true, false, true, true, "01000001"}};
  for (const auto& [display, fold, kind, shown, conversion, empty, hidden, status] : cases) {
    if (empty) c_.DeleteDetail(Row(0, 1), 0);
    HeadingProperties p = ReadHeadingProperties(c_, 0, fonts);
    p.text = "新しい見出";
    p.display = display, p.fold = fold, p.kind = kind, p.shown = shown, p.conversion = conversion;
    ApplyHeadingProperties(c_, 0, p, 13);
    EXPECT_EQ(
        std::make_pair(c_.rows.At(c_.HeadingRow(0)).status, (c_.headingAttributes[0] & kHeadingHidden) != 0),
        std::make_pair(std::string(status), hidden));
    const HeadingProperties back = ReadHeadingProperties(c_, 0, fonts);
    EXPECT_EQ(std::make_tuple(back.text, back.kind, back.fold), std::make_tuple("新しい見出", kind, fold));
  }
}

TEST_F(RowPagesTest, ADetailKeepsAStateOutOfUseUnlessTheUserPicksOne) {
  NoteRules rules;
  rules.ckType2 = false;  // "done" is not in use
  varnel::Row& row = c_.rows.At(Row(0, 1));
  row.status = "000C000E" + std::string(12, '0');  // done, with an armed alarm
  DetailProperties p = ReadDetailProperties(row, fonts, rules);
  EXPECT_EQ(std::make_pair(p.state, p.alarm),
            std::make_pair(int{kDeleted}, int{kPageAlarmOn}));  // the next in use
  p.text = "変更";
  p.hideFirstLine = p.conversion = true;
  ApplyDetailProperties(row, p, -1, 13);
  EXPECT_EQ(row.status.substr(0, 8), "011C000E");  // still done, alarm bits untouched
  ApplyDetailProperties(row, p, kChecked, 13);
  EXPECT_EQ(row.status[7], 'D');
  const std::array<int, 5> states[] = {
      {1, 1, 1, 2, 2}, {0, 0, 0, 3, 0}, {0, 1, 0, 1, 2}};  // ck1..3, state, shown
  for (const auto& [ck1, ck2, ck3, state, shown] : states) {
    rules.ckType1 = ck1, rules.ckType2 = ck2, rules.ckType3 = ck3;
    EXPECT_EQ(ShownDetailState(state, rules), shown) << ck1 << ck2 << ck3 << state;
  }
}

TEST(FixedPlacementTest, StaysInsideTheFrame) {
  const std::tuple<NotePlacement, Frame, std::array<int, 4>> cases[] = {
      // place, frame, placed
      {{100, 100, 200, 150}, {0, 0, 1024, 768}, {100, 100, 200, 150}},
      {{500, 10, 5000, 100}, {0, 0, 1024, 768}, {0, 10, 1024, 100}},  // too wide: W = right - left, X = left
      {{-50, -50, 10, 5}, {0, 0, 1024, 768}, {0, 0, 40, 20}},
      {{1000, 700, 200, 150}, {0, 0, 1024, 768}, {824, 618, 200, 150}},
      {{5, 5, 100, 100}, {0, 0, 30, 10}, {0, 0, 40, 20}}};  // a frame smaller than the least note
  for (const auto& [in, frame, out] : cases) {
    const NotePlacement p = BoundFixedPlacement(in, frame);
    EXPECT_EQ((std::array<int, 4>{p.x, p.y, p.w, p.h}), out) << in.x;
  }
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
  EXPECT_EQ(Read("n.dat"), "[Default]\r\nSDT1=-1\r\nSDT3=4000\r\nSDT2=3700,1020\r\nSDT4=5401020,009f\r\n");
  const NoteSchedule reread = ReadSchedule(*note);
  EXPECT_EQ(std::make_pair(reread.first, reread.second), std::make_pair(s.first, s.second));
  // A Monday 10:00 inside the window shows a hidden note.
  EXPECT_EQ(EvaluateNoteSchedule(s, false, MomentOf(test::MakeDateTime(2011, 1, 17, 10))),
            ScheduleAction::kShow);
  EXPECT_EQ(WriteScheduleEdit(*note, ScheduleEdit{}).state, kScheduleNone);
  EXPECT_NE(Read("n.dat").find("SDT4=-1\r\n"), std::string::npos);
  // A file saying both "on" and "not on" holidays reads as on them.
  EXPECT_EQ(ReadScheduleEdit(*Open("h.dat", "SDT4=5401020,0180\r\n")).days, kDaysOnHolidays);
}

TEST(FontFaceListTest, ExactNamesOnceAndTheCurrentFaceKept) {
  EXPECT_EQ(FontFaceList({"Meiryo UI", "Meiryo", "meiryo", "ＭＳ ゴシック", ""}, "Own Font"),
            (std::vector<std::string>{"Meiryo UI", "Meiryo", "ＭＳ ゴシック", "Own Font"}));
  EXPECT_EQ(FontFaceList({"Arial"}, "ARIAL"), std::vector<std::string>{"Arial"});
}

}  // namespace
