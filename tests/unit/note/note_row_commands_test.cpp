// The row-changing note commands: copies, moves, conversions and their alarms. Outline() checks
// after each that the rows stay numbered and reachable, as a save and reload needs them.
#include "core/note/note_row_commands.h"

#include "test_support.h"

using namespace varnel;

namespace {

constexpr const char* kRecord = "103000800001";  // weekly, 10:30 on Mondays
constexpr RowEffect kNone = RowEffect::kNone, kStamp = RowEffect::kStamp;

class RowCommandsTest : public test::NoteRowsTest<> {
 protected:
  // A command's effect and the note's outline after it.
  void Expect(const RowCommandResult& r, RowEffect effect, const std::string& outline) {
    EXPECT_EQ(r.effect, effect) << outline;
    EXPECT_EQ(Outline(), outline);
  }
};

TEST_F(RowCommandsTest, DuplicatesLandBelowTheirSourceWithTheSuffix) {
  Build({{"A", "a1", "a2"}, {"B", "b1"}});
  c_.headingAttributes[0] |= kHeadingFormatConversion | kHeadingFolded;
  c_.MakeRoomAfter(0, Row(0, 1));  // a number left unused by an empty paste: the copy closes it
  const RowCommandResult r = DuplicateHeading(c_, 0);
  EXPECT_EQ(std::make_pair(r.effect, r.row), std::make_pair(kStamp, c_.HeadingRow(1)));
  EXPECT_EQ(c_.headingAttributes[1], c_.headingAttributes[0]);
  DeleteHeadingCommand(c_, 0);  // the source, with its gap
  const int copy = DuplicateDetail(c_, Row(0, 1)).row;
  EXPECT_EQ(copy, Row(0, 2));
  EXPECT_EQ(Outline(), "A_複写:a1,a1_複写,a2|B:b1");
  // Only details are copied at detail level.
  EXPECT_EQ(std::make_pair(DuplicateDetail(c_, c_.HeadingRow(0)).effect, DuplicateDetail(c_, 99).effect),
            std::make_pair(kNone, kNone));
}

TEST_F(RowCommandsTest, CopiesGetAlarmsOfTheirOwnOrStayOnUnarmed) {
  Build({{"A", "on", "off"}});
  const int original = Arm(0, 1);
  Status(0, 2) = std::string("00040004") + kRecord;  // an alarm that is off
  ASSERT_EQ(DuplicateHeading(c_, 0).message, RowMessage::kNone);
  const int number = StatusAlarmNumber(Status(1, 1));
  EXPECT_TRUE(number >= 1 && number != original) << number;
  EXPECT_EQ(std::make_pair(alarms_.Slot(number - 1).rowKey, Status(1, 2)),
            std::make_pair(c_.rows.At(Row(1, 1)).key, Status(0, 2)));
  // Removing the original ends only its own alarm; a copied detail's follows its row as it goes.
  DeleteHeadingCommand(c_, 0);
  const int copy = StatusAlarmNumber(c_.rows.At(DuplicateDetail(c_, Row(0, 1)).row).status);
  EXPECT_TRUE(copy >= 1 && copy != number) << copy;
  c_.DeleteDetailCommand(Row(0, 1), 0, rules_, now_);
  EXPECT_EQ(std::make_pair(c_.FindAlarmRow(copy, 0), alarms_.UsedCount()), std::make_pair(Row(0, 1), 1));
  // Without a free slot: still on, not armed, no number, the record kept; the original rings on.
  while (alarms_.RegisterAlarm(9, 1, kRecord) > 0) continue;
  const RowCommandResult r = DuplicateHeading(c_, 0);
  EXPECT_EQ(std::make_pair(r.effect, r.message), std::make_pair(kStamp, RowMessage::kAlarmNotSet));
  const std::string& unarmed = Status(1, 1);
  EXPECT_EQ(std::make_tuple(StatusDigit(unarmed, 3), StatusDigit(unarmed, 7) & 8, StatusAlarmNumber(unarmed),
                            unarmed.substr(8)),
            std::make_tuple(12, 0, 0, std::string(kRecord)));
  DeleteHeadingCommand(c_, 1);
  EXPECT_EQ(c_.FindAlarmRow(copy, 0), Row(0, 1));
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

TEST_F(RowCommandsTest, HeadingsMovePastHiddenNeighboursToTheNearestShownOne) {
  Build({{"S", "s1"}, {"H"}, {"X", "x1", "x2"}, {"T"}});
  c_.headingAttributes[1] |= kHeadingHidden;
  Expect(MoveHeadingUp(c_, 2), kStamp, "X:x1,x2|S:s1|H|T");
  Expect(MoveHeadingUp(c_, 0), kNone, "X:x1,x2|S:s1|H|T");
  Expect(MoveHeadingDown(c_, 1), kStamp, "X:x1,x2|H|T|S:s1");  // past hidden H, below T
  // Only hidden headings on the far side: nothing moves; a hidden one moves by the shown ones.
  c_.headingAttributes[0] |= kHeadingHidden;
  c_.headingAttributes[2] |= kHeadingHidden;
  Expect(MoveHeadingUp(c_, 3), kNone, "X:x1,x2|H|T|S:s1");
  Expect(MoveHeadingDown(c_, 1), kStamp, "X:x1,x2|T|S:s1|H");
  Expect(MoveHeadingDown(c_, 2), kNone, "X:x1,x2|T|S:s1|H");
}

TEST_F(RowCommandsTest, DetailsExchangePlacesWithinTheirHeading) {
  Build({{"A", "a1", "a2", "a3"}, {"B", "b1"}});
  const int a1 = Row(0, 1), a3 = Row(0, 3);
  for (const RowCommandResult& r : {MoveDetailUp(c_, a1), MoveDetailDown(c_, a3), MoveDetailUp(c_, Row(1, 1)),
                                    MoveDetailUp(c_, c_.HeadingRow(0))})
    Expect(r, kNone, "A:a1,a2,a3|B:b1");
  EXPECT_EQ(MoveDetailUp(c_, a3).row, a3);
  Expect(MoveDetailDown(c_, a1), kStamp, "A:a3,a1,a2|B:b1");
  // Past a number left unused, to the next detail that exists.
  c_.MakeRoomAfter(0, a1);
  EXPECT_EQ(MoveDetailDown(c_, a1).effect, kStamp);
  EXPECT_EQ(Row(0, 4), a1);
  EXPECT_EQ(MoveDetailUp(c_, a1).effect, kStamp);
  EXPECT_EQ(Row(0, 2), a1);
}

TEST_F(RowCommandsTest, FoldKeepsTheRestOfItsDigitAndDecorationNeedsAWholePresetAndADetail) {
  Build({{"A", "a1"}});
  Status(0, 0) = "00000005";
  for (const auto& [folded, status] : {std::pair(kHeadingFolded, "00000007"), std::pair(0u, "00000005")}) {
    ASSERT_TRUE(ToggleHeadingFold(c_, 0, Row(0, 0), false));
    EXPECT_EQ(std::make_pair(c_.headingAttributes[0] & kHeadingFolded, Status(0, 0)),
              std::make_pair(folded, std::string(status)));
  }
  EXPECT_FALSE(ToggleHeadingFold(c_, 0, Row(0, 0), true));  // the note hides its heading rows
  EXPECT_FALSE(ToggleHeadingFold(c_, 1, -1, false));
  EXPECT_EQ(DecorationPreset("short", "1000000000000000"), "1000000000000000");
  EXPECT_EQ(DecorateDetail(c_, Row(0, 1), "123").effect, kNone);
  EXPECT_EQ(DecorateDetail(c_, c_.HeadingRow(0), "3101f000ff000000").effect, kNone);
  EXPECT_EQ(DecorateDetail(c_, Row(0, 1), "3101f000ff000000trailing").effect, RowEffect::kRepaint);
  EXPECT_EQ(c_.rows.At(Row(0, 1)).format, "3101f000ff000000");
}

TEST_F(RowCommandsTest, DetailBecomesAHeadingTakingTheDetailsAfterIt) {
  Build({{"A", "d1", "d2", "d3"}, {"B", "b1"}});
  c_.rows.At(Row(0, 1)).format = "1140000000000000";
  const int d1 = Row(0, 1);
  EXPECT_EQ(TurnDetailIntoHeading(c_, d1).row, d1);
  EXPECT_EQ(Outline(), "A|d1:d2,d3|B:b1");
  EXPECT_EQ(std::make_pair(c_.headingAttributes[1], c_.rows.At(d1).format),
            std::make_pair(0u, std::string(kEmptyFormat)));
  // A middle detail, with its alarm freed: a heading row has none.
  Arm(1, 1);
  const int number = Arm(1, 2);
  Expect(TurnDetailIntoHeading(c_, Row(1, 2)), kStamp, "A|d1:d2|d3|B:b1");
  // Never for a heading row, and not without heading rows.
  Expect(TurnDetailIntoHeading(c_, c_.HeadingRow(0)), kNone, "A|d1:d2|d3|B:b1");
  c_.hideHeadingRows = true;
  Expect(TurnDetailIntoHeading(c_, Row(1, 1)), kNone, "A|d1:d2|d3|B:b1");
  EXPECT_EQ(c_.rows.At(c_.HeadingRow(2)).status, kNewStatus);
  EXPECT_EQ(std::make_pair(alarms_.UsedCount(), c_.FindAlarmRow(number, 0)), std::make_pair(1, -1));
}

TEST_F(RowCommandsTest, HeadingBecomesTheLastDetailsOfTheOneAbove) {
  Build({{"A", "a1"}, {"B", "b1", "b2"}, {"C"}, {"D"}});
  c_.rows.At(Row(1, 1)).status = "00000002";  // done
  // Folded, hidden, shown only with details, of a kind with bit 18, converting dates: read as a
  // status this is done, first line hidden, claiming an alarm record.
  c_.headingAttributes[3] = 0x01140003;
  c_.rows.At(c_.HeadingRow(3)).status = "01140003";
  const int b = c_.HeadingRow(1);
  Expect(TurnHeadingIntoDetails(c_, 0), kNone, "A:a1|B:b1,b2|C|D");
  Expect(TurnHeadingIntoDetails(c_, 1), kStamp, "A:a1,B,b1,b2|C|D");
  Expect(TurnHeadingIntoDetails(c_, 2), kStamp, "A:a1,B,b1,b2|C:D");
  EXPECT_EQ(Row(0, 2), b);
  EXPECT_EQ(DetailStateOf(Status(0, 3)), kDone) << "details keep their status";
  EXPECT_EQ(Status(1, 1), "00100000") << "only the date conversion bit carries over";
  // Row numbers are 16 bits: a merge that would run out is refused.
  c_.headingKeys[0] = MakeRowKey(KeyHeadingId(c_.headingKeys[0]), 0xFFFF);
  EXPECT_EQ(TurnHeadingIntoDetails(c_, 1).effect, kNone);
  EXPECT_EQ(c_.headingCount, 2);
}

TEST_F(RowCommandsTest, TwentyHeadingsLimitCopiesAndConversions) {
  for (int i = 0; i < kMaxHeadings; ++i) Build({{"h" + std::to_string(i), "d"}});
  const std::string before = Outline();
  const int rows = c_.rows.Count();
  const RowCommandResult copy = DuplicateHeading(c_, 0), split = TurnDetailIntoHeading(c_, Row(3, 1));
  EXPECT_EQ(std::make_pair(copy.effect, copy.message), std::make_pair(kNone, RowMessage::kNoMoreRows));
  EXPECT_EQ(std::make_pair(split.effect, split.message), std::make_pair(kNone, RowMessage::kNoMoreHeadings));
  EXPECT_EQ(std::make_pair(Outline(), c_.rows.Count()), std::make_pair(before, rows));
  TurnHeadingIntoDetails(c_, 19);
  EXPECT_EQ(DuplicateHeading(c_, 18).effect, kStamp);
  EXPECT_EQ(c_.headingCount, kMaxHeadings);
}

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
  EXPECT_EQ(std::make_pair(DetailStateOf(Status(0, 1)), DetailStateOf(Status(0, 2))), std::make_pair(1, 0));
  // Straight to deleted and removed at once: every detail is still visited, the heading row stays.
  rules_.ckType1 = rules_.ckType2 = false;
  rules_.autoDel = 2;
  Status(0, 1) = Status(0, 3) = Status(0, 4) = "00000000";
  ran.clear();
  RunHeadingRows(c_, 0, rules_, now_, run);
  EXPECT_EQ(ran, (std::vector<std::string>{"A", "run", "fails", "checked", "run too"}));
  EXPECT_EQ(Outline(), "A:fails|B:b1");
}

}  // namespace
