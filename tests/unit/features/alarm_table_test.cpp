#include "core/features/alarm_table.h"

#include <array>
#include <tuple>

#include "core/features/detail_alarm.h"
#include "test_support.h"

using varnel::test::MakeDateTime;
using namespace varnel;

namespace {

// A fixed clock: absolute seconds from an arbitrary epoch, as mktime gives them.
std::int64_t Absolute(const DateTime& t) {
  return 1000000000 + std::int64_t{TodayDayNumber(t)} * kSecondsPerDay + t.hour * 3600 + t.minute * 60 +
         t.second;
}
std::string Record(int h, int m, int s, std::uint32_t flags) { return FormatAlarmRecord({h, m, s, flags}); }
std::uint32_t OneShot(int year, int month, int day) {
  return static_cast<std::uint32_t>(month << 16 | day << 8 | year % 100);
}

// A table on a clock the test moves; the due check's actions are recorded.
struct DueCheck {
  explicit DueCheck(DateTime start = MakeDateTime(2011, 1, 10, 8, 0, 0)) : now(start) {}
  DateTime now;
  AlarmTable table{AlarmClock{[this] { return now; }, Absolute}};
  std::vector<int> fired, ran;
  bool commandRuns = true, noteExists = true;
  AlarmDueActions Actions() {
    return {[this](int) { return noteExists; }, [this](int i) { return ran.push_back(i), commandRuns; },
            [this](int i) { fired.push_back(i); }};
  }
  int At(const DateTime& t, int tickMs = 500) {
    now = t;
    return table.CheckAlarms(tickMs, Actions());
  }
};

TEST(AlarmTableTest, SlotsFollowTheirNotesAndDueTimesTheReferenceMidnight) {
  DueCheck f;
  AlarmTable& table = f.table;
  const std::string rec = Record(10, 30, 0, OneShot(2011, 3, 15));
  for (int i = 1; i <= kAlarmSlotCount; ++i) ASSERT_EQ(table.RegisterAlarm(4 + i % 3, 100 + i, rec), i);
  EXPECT_EQ(table.RegisterAlarm(0, 51, rec), -1);
  for (int n : {0, -1, 51, 50, 3, 2}) table.FreeAlarm(n);
  EXPECT_EQ(table.UsedCount(), kAlarmSlotCount - 3);
  EXPECT_EQ(table.RegisterAlarm(-1, 0, rec), -1);  // -1 marks a free slot: it cannot own one
  EXPECT_EQ(table.RegisterAlarm(9, 103, rec), 2);
  table.FreeNote(4);  // slots 6, 9, ... 48
  EXPECT_EQ(table.UsedCount(), kAlarmSlotCount - 17);
  // Two notes exchanging numbers take their alarms along, row keys unchanged.
  table.SwapNotes(9, 5);
  for (const auto& [slot, note] :
       {std::pair{0, 9}, {1, 5}, {2, -1}, {49, -1}, {-1, -1}, {kAlarmSlotCount, -1}})
    EXPECT_EQ(table.Slot(slot).note, note) << slot;
  EXPECT_EQ(table.Slot(1).rowKey, 103u);
  DueCheck g{MakeDateTime(2011, 1, 10, 15, 20, 0)};
  const std::int64_t midnight = Absolute(MakeDateTime(2011, 1, 10));
  EXPECT_EQ(g.table.ReferenceMidnight(), midnight);
  // A day past the month's end stays in that month; impossible fields clamp.
  const std::pair<std::string, std::int64_t> cases[] = {
      {Record(10, 30, 0, OneShot(2011, 3, 15) | kAlarmRunsCommand),
       Absolute(MakeDateTime(2011, 3, 15, 10, 30))},
      {Record(23, 59, 59, OneShot(2011, 2, 31)), Absolute(MakeDateTime(2011, 2, 28, 23, 59, 59))},
      {Record(12, 0, 0, 15u << 16 | 99u), Absolute(MakeDateTime(2099, 12, 1, 12))},
      {Record(7, 30, 0, kAlarmWeekly | 0x01), 7 * 3600 + 30 * 60}};
  for (const auto& [record, due] : cases) {
    const int n = g.table.RegisterAlarm(2, 55, record);
    EXPECT_EQ(g.table.Slot(n - 1).due, due) << record;
  }
  // Days later the midnight has moved by whole days only; exactly a day counts as the next.
  g.now = MakeDateTime(2011, 1, 12, 21, 0, 0);
  EXPECT_EQ(g.table.Slot(g.table.RegisterAlarm(1, 2, Record(23, 59, 59, kAlarmWeekly)) - 1).due, 86399);
  for (const auto& [now, after] : {std::pair{0, 2}, {3 * kSecondsPerDay, 3}, {4 * kSecondsPerDay - 1, 3}}) {
    g.table.AdvanceReferenceMidnight(midnight + now);
    EXPECT_EQ(g.table.ReferenceMidnight(), midnight + after * kSecondsPerDay) << now;
  }
}

TEST(AlarmDueTest, OneShotWindowRunCommandsGoneNotesAndTheOneWindow) {
  const int cases[][3] = {{0, 500, 1},    {59, 500, 1},    {60, 500, 0},   {-1, 500, 0},
                          {60, 60000, 1}, {119, 60000, 1}, {120, 60000, 0}};  // late seconds, tick, rings
  for (const auto& [late, tickMs, rings] : cases) {
    DueCheck f;
    f.table.RegisterAlarm(3, 7, Record(10, 0, 0, OneShot(2011, 1, 10)));
    const bool missed = late >= 0 && !rings;  // due, fired as missed, slots left
    EXPECT_EQ((std::tuple{f.At(MakeDateTime(2011, 1, 10, 9, 59, 60 + late), tickMs), f.fired.size(),
                          f.table.UsedCount()}),
              (std::tuple{rings ? 0 : -1, missed ? 1u : 0u, missed ? 0 : 1}))
        << late << " " << tickMs;
  }
  DueCheck f, g;
  f.table.RegisterAlarm(1, 1, Record(10, 0, 0, OneShot(2011, 1, 10) | kAlarmRunsCommand));
  f.table.RegisterAlarm(1, 2, Record(10, 0, 0, kAlarmWeekly | 0x7f | kAlarmRunsCommand));
  f.table.RegisterAlarm(1, 3, Record(10, 0, 0, OneShot(2011, 1, 10)));
  // The commands run: only the plain alarm opens a window. A failed run falls back to the window.
  EXPECT_EQ(f.At(MakeDateTime(2011, 1, 10, 10, 0, 1)), 2);
  EXPECT_EQ(f.ran, (std::vector<int>{0, 1}));
  EXPECT_EQ(f.fired, (std::vector<int>{0}));
  EXPECT_EQ(f.table.Slot(0).note, -1);
  g.commandRuns = false;
  g.table.RegisterAlarm(1, 1, Record(10, 0, 0, OneShot(2011, 1, 10) | kAlarmRunsCommand));
  EXPECT_EQ(g.At(MakeDateTime(2011, 1, 10, 10, 0, 1)), 0);
  ASSERT_TRUE(g.table.OpenWindow(0, g.Actions()));
  EXPECT_EQ(g.fired, (std::vector<int>{0}));
  EXPECT_EQ(g.table.UsedCount(), 0);
  EXPECT_FALSE(g.table.OpenWindow(-1, g.Actions()));  // no quick alarm while one is open
  g.table.CloseWindow();
  EXPECT_TRUE(g.table.OpenWindow(-1, g.Actions()));
  // A closed note's slots are freed by the check.
  f.noteExists = false;
  EXPECT_EQ(f.At(MakeDateTime(2011, 1, 10, 11, 0, 0)), -1);
  EXPECT_EQ(f.table.UsedCount(), 0);
}

TEST(AlarmDueTest, WeeklyDaysHolidayRulesAndOncePerDay) {
  constexpr std::uint32_t kMon = 0x01, kSun = 0x40, kOn = kAlarmOnHolidays, kNot = kAlarmNotOnHolidays;
  // Days, date, rings: 2026-02-23 a Monday holiday, 03-02 a plain Monday, 05-03 a Sunday holiday.
  const std::uint32_t cases[][4] = {{kMon | kNot, 2, 23, 0}, {kMon | kNot, 3, 2, 1}, {kMon, 2, 23, 1},
                                    {kMon, 3, 3, 0},         {kOn, 5, 3, 1},         {kMon | kOn, 5, 3, 1},
                                    {kSun | kNot, 5, 3, 0},  {kSun, 5, 10, 1},       {kOn, 5, 10, 0}};
  for (const auto& [days, m, d, rings] : cases) {
    DueCheck f{MakeDateTime(2026, m, d, 6)};
    f.table.RegisterAlarm(1, 1, Record(7, 0, 0, kAlarmWeekly | days));
    EXPECT_EQ(f.At(MakeDateTime(2026, m, d, 7, 0, 30)), rings ? 0 : -1) << m << "-" << d << " " << days;
  }
  // Due late in the day, it still rings once on each day; a tick slower than a minute catches it later.
  DueCheck f;
  f.table.RegisterAlarm(1, 1, Record(23, 59, 30, kAlarmWeekly | 0x7f));
  f.table.RegisterAlarm(1, 2, Record(8, 0, 0, kAlarmWeekly | 0x7f));
  const int ticks[][6] = {{10, 23, 59, 29, 500, -1}, {10, 23, 59, 30, 500, 0}, {10, 23, 59, 45, 500, -1},
                          {11, 0, 0, 10, 500, -1},   {11, 8, 1, 30, 60000, 1}, {11, 23, 59, 31, 500, 0},
                          {11, 23, 59, 59, 500, -1}, {12, 23, 59, 59, 500, 0}};
  for (const auto& [day, h, m, s, tickMs, expected] : ticks)
    EXPECT_EQ(f.At(MakeDateTime(2011, 1, day, h, m, s), tickMs), expected) << day << " " << h << ":" << s;
}

TEST(AlarmBellTest, RingingAndSnooze) {
  using B = AlarmBell;
  // The alarm time (0 a whole day, -1 a single play) and when the ringing stops.
  for (const auto& [alarmTime, stopsAt] :
       {std::pair{60, 1060}, {0, 1000 + kSecondsPerDay}, {-1, 1000}, {5, 1005}}) {
    AlarmBell bell;
    bell.Start(1000, alarmTime);
    EXPECT_EQ(bell.Tick(stopsAt - 1, true), B::kKeep);
    EXPECT_EQ(bell.Tick(stopsAt, true), B::kStop);
  }
  AlarmBell bell;
  bell.StopAndArm(1000, 180);
  EXPECT_FALSE(bell.Ringing());
  for (const auto& [at, step] :
       {std::pair{1179, B::kKeep}, {1180, B::kRing}, {1239, B::kRing}, {1240, B::kKeep}})
    EXPECT_EQ(bell.Tick(at, true), step) << at;
  EXPECT_EQ(bell.Tick(1200, false), B::kKeep);  // snooze off
}

using DetailAlarmTest = test::NoteRowsTest<>;

TEST_F(DetailAlarmTest, StatesSlotsAndTheFullTable) {
  Build({{"h", "d"}});
  const int row = Row(0, 1);
  const std::string rec = Record(10, 30, 0, OneShot(2011, 3, 15));
  std::string read;
  EXPECT_EQ(DetailAlarmState(c_, row, &read), kAlarmNone);
  EXPECT_EQ(read, "000000000000");
  // State, the row's status after, slots used.
  const std::tuple<int, std::string, int> steps[] = {{kAlarmOn, "000C010C" + rec, 1},
                                                     {kAlarmOff, "00040004" + rec, 0},
                                                     {kAlarmOn, "000C010C" + rec, 1},
                                                     {kAlarmNone, "00000000", 0}};
  for (const auto& [state, status, used] : steps)
    EXPECT_EQ((std::tuple{SetDetailAlarm(c_, row, rec, state), c_.rows.At(row).status, alarms_.UsedCount()}),
              (std::tuple{true, status, used}))
        << state;
  // The 51st ON alarm stays ON, unarmed, and says so.
  for (int i = 0; i < kAlarmSlotCount; ++i) alarms_.RegisterAlarm(9, 1, rec);
  EXPECT_FALSE(SetDetailAlarm(c_, row, rec, kAlarmOn));
  EXPECT_EQ(c_.rows.At(row).status, "000C0004" + rec);
  EXPECT_EQ(DetailAlarmState(c_, row, &read), kAlarmOn);
  EXPECT_EQ(read, rec);
  // The record alone (the properties page's way) leaves state and slot.
  EXPECT_TRUE(SetDetailAlarm(c_, row, "235959800041", -1));
  EXPECT_EQ(c_.rows.At(row).status, "000C0004235959800041");
}

TEST(AlarmRecordTest, RecordsDialogFormsAndTheDateRange) {
  const std::pair<const char*, const char*> records[] = {
      {"103000830f0b", "103000830f0b"}, {"997799", "235959000000"}, {"", "000000000000"}};
  for (const auto& [in, out] : records) EXPECT_EQ(FormatAlarmRecord(ParseAlarmRecord(in)), out);
  for (const char* record : {"103000030f0b", "070503800141", "000000c0007f", "235959430b19"})
    EXPECT_EQ(RecordOfAlarmForm(AlarmFormOfRecord(record)), record);
  EXPECT_EQ(RecordOfAlarmForm(AlarmFormOfRecord("")), "000000010100");  // dated, on the first day
  // Today, the last day offered.
  const int ranges[][6] = {
      {2026, 3, 1, 2027, 2, 28}, {2028, 2, 29, 2029, 2, 28}, {2026, 12, 31, 2027, 12, 30}};
  for (const auto& [y, m, d, lastY, lastM, lastD] : ranges) {
    Date first{}, end{};
    AlarmDateRange({y, m, d}, first, end);
    EXPECT_EQ((std::array{end.year, end.month, end.day}), (std::array{lastY, lastM, lastD})) << y << m << d;
  }
}

}  // namespace
