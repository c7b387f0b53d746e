// The row-changing note commands: copies, moves, conversions, their alarms and
// what survives a save and reload.
#include "core/note/note_row_commands.h"

#include <gtest/gtest.h>

#include "test_support.h"

using namespace varnel;

namespace {

constexpr const char* kRecord = "103000800001";  // weekly, 10:30 on Mondays

using RowCommandsTest = test::NoteRowsTest<>;
using RowCommandsFileTest = test::NoteTest;

// --- Duplicating -------------------------------------------------------------

TEST_F(RowCommandsTest, DuplicatesLandBelowTheirSourceWithTheSuffix) {
  Build({{"A", "a1", "a2"}, {"B", "b1"}});
  c_.headingAttributes[0] |= kHeadingFormatConversion | kHeadingFolded;
  c_.MakeRoomAfter(0, Row(0, 1));  // a number left unused by an empty paste: the copy closes it
  const RowCommandResult r = DuplicateHeading(c_, 0);
  EXPECT_EQ(r.effect, RowEffect::kStamp);
  EXPECT_EQ(r.row, c_.HeadingRow(1));
  EXPECT_EQ(c_.rows.At(Row(1, 2)).text, "a2");
  EXPECT_EQ(KeyNumber(c_.headingKeys[1]), 3u);
  EXPECT_EQ(c_.headingAttributes[1], c_.headingAttributes[0]);
  DeleteHeadingCommand(c_, 0);  // the source, with its gap
  const RowCommandResult d = DuplicateDetail(c_, Row(0, 1));
  EXPECT_EQ(d.row, Row(0, 2));
  EXPECT_EQ(Outline(), "A_複写:a1,a1_複写,a2|B:b1");
  // Only details are copied at detail level.
  EXPECT_EQ(DuplicateDetail(c_, c_.HeadingRow(0)).effect, RowEffect::kNone);
  EXPECT_EQ(DuplicateDetail(c_, 99).effect, RowEffect::kNone);
}

TEST_F(RowCommandsTest, CopiesGetAlarmsOfTheirOwn) {
  Build({{"A", "on", "off", "plain"}});
  const int original = Arm(0, 1);
  Status(0, 2) = std::string("00040004") + kRecord;  // an alarm that is off
  ASSERT_EQ(DuplicateHeading(c_, 0).message, RowMessage::kNone);
  const int number = StatusAlarmNumber(Status(1, 1));
  EXPECT_GE(number, 1);
  EXPECT_NE(number, original);
  EXPECT_EQ(StatusDigit(Status(1, 1), 7) & 12, 12);
  EXPECT_EQ(alarms_.Slot(number - 1).rowKey, c_.rows.At(Row(1, 1)).key);
  EXPECT_EQ(Status(1, 2), std::string("00040004") + kRecord);
  EXPECT_EQ(Status(1, 3), kNewStatus);
  // Removing the original ends only its own alarm.
  DeleteHeadingCommand(c_, 0);
  EXPECT_EQ(alarms_.UsedCount(), 1);
  EXPECT_EQ(c_.FindAlarmRow(number, 0), Row(0, 1));
  // So with a copied detail, which follows its row as the original goes.
  const RowCommandResult r = DuplicateDetail(c_, Row(0, 1));
  ASSERT_EQ(r.message, RowMessage::kNone);
  const int copy = StatusAlarmNumber(c_.rows.At(r.row).status);
  EXPECT_GE(copy, 1);
  EXPECT_NE(copy, number);
  c_.DeleteDetailCommand(Row(0, 1), 0, rules_, now_);
  EXPECT_EQ(alarms_.Slot(copy - 1).note, c_.slot);
  EXPECT_EQ(c_.FindAlarmRow(copy, 0), Row(0, 1));
}

TEST_F(RowCommandsTest, CopiedAlarmsWithoutAFreeSlotStayOnButUnarmed) {
  Build({{"A", "on1", "on2"}});
  const int first = Arm(0, 1), second = Arm(0, 2);
  while (alarms_.RegisterAlarm(9, 1, kRecord) > 0) {
  }
  const RowCommandResult heading = DuplicateHeading(c_, 0);
  EXPECT_EQ(heading.effect, RowEffect::kStamp);
  EXPECT_EQ(heading.message, RowMessage::kAlarmNotSet);  // once for the whole heading
  const RowCommandResult detail = DuplicateDetail(c_, Row(0, 2));
  EXPECT_EQ(detail.message, RowMessage::kAlarmNotSet);
  for (const std::string* copy : {&Status(1, 1), &Status(1, 2), &Status(0, 3)}) {
    EXPECT_EQ(StatusDigit(*copy, 3), 12) << "still on";
    EXPECT_EQ(StatusDigit(*copy, 7) & 8, 0) << "not armed";
    EXPECT_EQ(StatusAlarmNumber(*copy), 0);
    EXPECT_EQ(copy->substr(8), kRecord);
  }
  // Deleting an unarmed copy frees nothing; the originals keep ringing.
  c_.DeleteDetail(Row(1, 1), 1);
  c_.DeleteDetail(Row(0, 3), 0);
  EXPECT_EQ(alarms_.UsedCount(), kAlarmSlotCount);
  EXPECT_EQ(c_.FindAlarmRow(first, 0), Row(0, 1));
  EXPECT_EQ(c_.FindAlarmRow(second, 0), Row(0, 2));
}

TEST_F(RowCommandsTest, CopyTextKeepsTheSuffixWithinTheSavedLengthOnWholeCharacters) {
  // A copied heading's details keep their texts whole, as their sources do.
  const std::string fits = std::string(291, 'x') + "表";  // 293 bytes: room for the suffix
  const std::pair<std::string, std::string> cases[] = {
      {fits, fits + "_複写"},
      {std::string(292, 'x') + "表", std::string(292, 'x') + "_複写"},   // 表 would straddle byte 293
      {std::string(400, 'y') + "表", std::string(293, 'y') + "_複写"}};  // from a hand-edited file
  for (const auto& [text, copy] : cases) {
    c_ = NoteContent();
    Build({{text, text}});
    DuplicateHeading(c_, 0);
    DuplicateDetail(c_, Row(0, 1));
    EXPECT_EQ(Outline(), text + ":" + text + "," + copy + "|" + copy + ":" + text) << text.size();
  }
}

// --- Moving ------------------------------------------------------------------

TEST_F(RowCommandsTest, HeadingsMovePastHiddenNeighboursToTheNearestShownOne) {
  Build({{"S", "s1"}, {"H"}, {"X", "x1", "x2"}, {"T"}});
  c_.headingAttributes[1] |= kHeadingHidden;
  EXPECT_EQ(MoveHeadingUp(c_, 2).effect, RowEffect::kStamp);
  EXPECT_EQ(Outline(), "X:x1,x2|S:s1|H|T");
  EXPECT_EQ(MoveHeadingUp(c_, 0).effect, RowEffect::kNone);
  EXPECT_EQ(MoveHeadingDown(c_, 1).effect, RowEffect::kStamp);  // past hidden H, below T
  EXPECT_EQ(Outline(), "X:x1,x2|H|T|S:s1");
  // Only hidden headings on the far side: nothing moves either way.
  c_.headingAttributes[0] |= kHeadingHidden;
  c_.headingAttributes[2] |= kHeadingHidden;
  EXPECT_EQ(MoveHeadingUp(c_, 3).effect, RowEffect::kNone);
  EXPECT_EQ(MoveHeadingDown(c_, 1).effect, RowEffect::kStamp);  // a hidden one moves by the shown ones
  EXPECT_EQ(Outline(), "X:x1,x2|T|S:s1|H");
  EXPECT_EQ(MoveHeadingDown(c_, 2).effect, RowEffect::kNone);
  EXPECT_EQ(Outline(), "X:x1,x2|T|S:s1|H");
}

TEST_F(RowCommandsTest, DetailsExchangePlacesWithinTheirHeading) {
  Build({{"A", "a1", "a2", "a3"}, {"B", "b1"}});
  const int a1 = Row(0, 1), a3 = Row(0, 3);
  EXPECT_EQ(MoveDetailUp(c_, a1).effect, RowEffect::kNone);
  EXPECT_EQ(MoveDetailDown(c_, a3).effect, RowEffect::kNone);
  EXPECT_EQ(MoveDetailUp(c_, Row(1, 1)).effect, RowEffect::kNone);
  EXPECT_EQ(MoveDetailUp(c_, c_.HeadingRow(0)).effect, RowEffect::kNone);
  EXPECT_EQ(MoveDetailUp(c_, a3).row, a3);
  EXPECT_EQ(MoveDetailDown(c_, a1).effect, RowEffect::kStamp);
  EXPECT_EQ(Outline(), "A:a3,a1,a2|B:b1");
  // Past a number left unused, to the next detail that exists.
  c_.MakeRoomAfter(0, a1);
  EXPECT_EQ(MoveDetailDown(c_, a1).effect, RowEffect::kStamp);
  EXPECT_EQ(Row(0, 4), a1);
  EXPECT_EQ(MoveDetailUp(c_, a1).effect, RowEffect::kStamp);
  EXPECT_EQ(Row(0, 2), a1);
}

// --- Converting ----------------------------------------------------------------

TEST_F(RowCommandsTest, FoldingAHeadingKeepsTheRestOfItsFoldDigit) {
  Build({{"A", "a1"}});
  Status(0, 0) = "00000005";
  ASSERT_TRUE(ToggleHeadingFold(c_, 0, Row(0, 0), false));
  EXPECT_EQ(std::make_pair(c_.headingAttributes[0] & kHeadingFolded, Status(0, 0)),
            std::make_pair(std::uint32_t{kHeadingFolded}, std::string("00000007")));
  ASSERT_TRUE(ToggleHeadingFold(c_, 0, Row(0, 0), false));
  EXPECT_EQ(std::make_pair(c_.headingAttributes[0] & kHeadingFolded, Status(0, 0)),
            std::make_pair(std::uint32_t{0}, std::string("00000005")));
  EXPECT_FALSE(ToggleHeadingFold(c_, 0, Row(0, 0), true));  // the note hides its heading rows
  EXPECT_FALSE(ToggleHeadingFold(c_, 1, -1, false));
}

TEST_F(RowCommandsTest, DetailBecomesAHeadingTakingTheDetailsAfterIt) {
  Build({{"A", "d1", "d2", "d3"}, {"B", "b1"}});
  c_.rows.At(Row(0, 1)).format = "1140000000000000";
  const int d1 = Row(0, 1);
  EXPECT_EQ(TurnDetailIntoHeading(c_, d1).row, d1);
  EXPECT_EQ(Outline(), "A|d1:d2,d3|B:b1");
  EXPECT_EQ(c_.headingAttributes[1], 0u);
  EXPECT_EQ(c_.rows.At(d1).format, kEmptyFormat);
  // A middle detail, with its alarm freed: a heading row has none.
  Arm(1, 1);
  const int number = Arm(1, 2);
  ASSERT_EQ(TurnDetailIntoHeading(c_, Row(1, 2)).effect, RowEffect::kStamp);
  EXPECT_EQ(Outline(), "A|d1:d2|d3|B:b1");
  EXPECT_EQ(c_.rows.At(c_.HeadingRow(2)).status, kNewStatus);
  EXPECT_EQ(alarms_.UsedCount(), 1);
  EXPECT_EQ(c_.FindAlarmRow(number, 0), -1);
  // Not without heading rows, and never for a heading row.
  c_.hideHeadingRows = true;
  EXPECT_EQ(TurnDetailIntoHeading(c_, Row(1, 1)).effect, RowEffect::kNone);
  c_.hideHeadingRows = false;
  EXPECT_EQ(TurnDetailIntoHeading(c_, c_.HeadingRow(0)).effect, RowEffect::kNone);
  EXPECT_EQ(Outline(), "A|d1:d2|d3|B:b1");
}

TEST_F(RowCommandsTest, HeadingBecomesTheLastDetailsOfTheOneAbove) {
  Build({{"A", "a1"}, {"B", "b1", "b2"}, {"C"}});
  c_.rows.At(Row(1, 1)).status = "00000002";  // done
  EXPECT_EQ(TurnHeadingIntoDetails(c_, 0).effect, RowEffect::kNone);
  const int b = c_.HeadingRow(1);
  EXPECT_EQ(TurnHeadingIntoDetails(c_, 1).row, b);
  EXPECT_EQ(Outline(), "A:a1,B,b1,b2|C");
  EXPECT_EQ(DetailStateOf(Status(0, 3)), kDone) << "details keep their status";
  // Row numbers are 16 bits: a merge that would run out is refused.
  c_.headingKeys[0] = MakeRowKey(KeyHeadingId(c_.headingKeys[0]), 0xFFFF);
  EXPECT_EQ(TurnHeadingIntoDetails(c_, 1).effect, RowEffect::kNone);
  EXPECT_EQ(c_.headingCount, 2);
}

TEST_F(RowCommandsTest, FormerHeadingRowStartsAsAPlainDetail) {
  // Folded, hidden, shown only with details, of a kind with bit 18, converting dates:
  // read as a status this is done, first line hidden, claiming an alarm record.
  Build({{"A"}, {"B"}});
  c_.headingAttributes[1] = 0x01140003;
  c_.rows.At(c_.HeadingRow(1)).status = "01140003";
  TurnHeadingIntoDetails(c_, 1);
  EXPECT_EQ(Status(0, 1), "00100000") << "only the date conversion bit carries over";
}

TEST_F(RowCommandsTest, TwentyHeadingsLimitCopiesAndConversions) {
  for (int i = 0; i < kMaxHeadings; ++i) Build({{"h" + std::to_string(i), "d"}});
  const std::string before = Outline();
  const int rows = c_.rows.Count();
  const RowCommandResult copy = DuplicateHeading(c_, 0);
  EXPECT_EQ(copy.effect, RowEffect::kNone);
  EXPECT_EQ(copy.message, RowMessage::kNoMoreRows);
  const RowCommandResult split = TurnDetailIntoHeading(c_, Row(3, 1));
  EXPECT_EQ(split.effect, RowEffect::kNone);
  EXPECT_EQ(split.message, RowMessage::kNoMoreHeadings);
  EXPECT_EQ(Outline(), before);
  EXPECT_EQ(c_.rows.Count(), rows);
  TurnHeadingIntoDetails(c_, 19);
  EXPECT_EQ(DuplicateHeading(c_, 18).effect, RowEffect::kStamp);
  EXPECT_EQ(c_.headingCount, kMaxHeadings);
}

// --- Showing, decoration, runs -------------------------------------------------

TEST_F(RowCommandsTest, DeletingTheOnlyDetailHidesAnOnlyWithDetailsHeading) {
  Build({{"A", "a1"}, {"B", "b1"}});
  c_.headingAttributes[0] |= 1u << 24;  // display mode 1
  c_.DeleteDetailCommand(Row(0, 1), 0, rules_, now_);
  c_.DeleteDetailCommand(Row(1, 1), 1, rules_, now_);
  EXPECT_TRUE(c_.headingAttributes[0] & kHeadingHidden);
  EXPECT_FALSE(c_.headingAttributes[1] & kHeadingHidden) << "display mode 0 stays";
  ShowAllHeadings(c_);
  EXPECT_FALSE(c_.headingAttributes[0] & kHeadingHidden);
}

TEST_F(RowCommandsTest, DecorationNeedsAWholePresetAndADetail) {
  Build({{"A", "a1"}});
  EXPECT_EQ(DecorationPreset("short", "1000000000000000"), "1000000000000000");
  EXPECT_EQ(DecorateDetail(c_, Row(0, 1), "123").effect, RowEffect::kNone);
  EXPECT_EQ(DecorateDetail(c_, c_.HeadingRow(0), "3101f000ff000000").effect, RowEffect::kNone);
  EXPECT_EQ(DecorateDetail(c_, Row(0, 1), "3101f000ff000000trailing").effect, RowEffect::kRepaint);
  EXPECT_EQ(c_.rows.At(Row(0, 1)).format, "3101f000ff000000");
}

TEST_F(RowCommandsTest, RunAdvancesStartedUncheckedDetailsButNeverTheHeadingRow) {
  Build({{"A", "run", "fails", "checked", "run too"}, {"B", "b1"}});
  Status(0, 3) = "00000001";
  std::vector<std::string> ran;
  const auto run = [&](int row) {
    ran.push_back(c_.rows.At(row).text);
    return c_.rows.At(row).text != "fails";
  };
  EXPECT_EQ(RunHeadingRows(c_, 0, rules_, now_, run).effect, RowEffect::kRepaint);
  EXPECT_EQ(ran, (std::vector<std::string>{"A", "run", "fails", "run too"}));
  EXPECT_EQ(c_.rows.At(c_.HeadingRow(0)).status, kNewStatus);
  EXPECT_EQ(DetailStateOf(Status(0, 1)), kChecked);
  EXPECT_EQ(DetailStateOf(Status(0, 2)), kUnchecked);
  // Straight to deleted and removed at once: every detail is still visited, the heading row stays.
  rules_.ckType1 = rules_.ckType2 = false;
  rules_.autoDel = 2;
  Status(0, 1) = Status(0, 3) = Status(0, 4) = "00000000";
  ran.clear();
  RunHeadingRows(c_, 0, rules_, now_, run);
  EXPECT_EQ(ran, (std::vector<std::string>{"A", "run", "fails", "checked", "run too"}));
  EXPECT_EQ(Outline(), "A:fails|B:b1");
}

// --- Through the note file ---------------------------------------------------------

TEST_F(RowCommandsFileTest, OperationsSurviveSaveAndReload) {
  Load("[Default]\r\n");
  Build({{"A", "a1", "a2", "a3"}, {"B", "b1"}, {"C", "c1\r\nsecond", "c2"}, {"D"}});
  c_.headingAttributes[1] |= kHeadingHidden;
  Arm(0, 2);
  DuplicateHeading(c_, 0);                          // A_複写 with its own alarm on a2
  MoveHeadingUp(c_, 2);                             // hidden B above A_複写
  TurnDetailIntoHeading(c_, Row(0, 3));             // a3 heads its own heading
  MoveDetailDown(c_, Row(0, 1));                    // a2, a1
  DuplicateDetail(c_, Row(0, 1));                   // a2_複写 after a2
  TurnHeadingIntoDetails(c_, c_.headingCount - 1);  // D into C
  DuplicateHeading(c_, c_.headingCount - 1);
  const std::string before = Outline();
  EXPECT_EQ(alarms_.UsedCount(), 3);

  Save(rules_.autoDel);
  Reload();
  ASSERT_TRUE(loadOk_);
  EXPECT_EQ(Outline(), before);
  EXPECT_EQ(alarms_.UsedCount(), 3) << "each copy reloads with an alarm of its own";
  for (int h = 0; h < c_.headingCount; ++h)
    EXPECT_EQ(KeyHeadingId(c_.headingKeys[h]), static_cast<std::uint32_t>(h + 1));
}

}  // namespace
