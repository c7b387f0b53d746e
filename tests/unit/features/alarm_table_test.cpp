#include "core/features/alarm_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <vector>
#include <memory>
#include <string>

#include "core/features/detail_alarm.h"
#include "core/note/note_content.h"
#include "test_support.h"

using varnel::test::MakeDateTime;
using varnel::test::ReadBytes;
using varnel::test::WriteBytes;

using namespace varnel;

namespace {

// A fixed clock: absolute seconds count from an arbitrary epoch, as mktime does.
constexpr std::int64_t kEpoch = 1000000000;
std::int64_t Absolute(const DateTime& t) {
  return kEpoch + static_cast<std::int64_t>(DayNumber(t.year, t.month, t.day)) * kSecondsPerDay +
         t.hour * 3600 + t.minute * 60 + t.second;
}

DateTime Plus(const DateTime& t, int seconds) {
  const std::int64_t at = Absolute(t) + seconds - kEpoch;
  const Date d = DayNumberToDate(static_cast<int>(at / kSecondsPerDay));
  const int s = static_cast<int>(at % kSecondsPerDay);
  return MakeDateTime(d.year, d.month, d.day, s / 3600, s / 60 % 60, s % 60);
}

struct Fixture {
  std::shared_ptr<DateTime> now = std::make_shared<DateTime>(MakeDateTime(2011, 1, 10, 8, 0, 0));
  AlarmClock Clock() const {
    auto n = now;
    return AlarmClock{[n] { return *n; }, [](const DateTime& t) { return Absolute(t); }};
  }
};

std::string Record(const char* time, std::uint32_t flags) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%06x", static_cast<unsigned>(flags));
  return std::string(time) + buf;
}

std::uint32_t OneShot(int year, int month, int day) {
  return (static_cast<std::uint32_t>(month) << 16) | (static_cast<std::uint32_t>(day) << 8) |
         static_cast<std::uint32_t>(year % 100);
}

TEST(AlarmRecordTest, ParseAndFormat) {
  const AlarmRecord r = ParseAlarmRecord("103000830f0b");
  EXPECT_EQ(r.hour, 10);
  EXPECT_EQ(r.minute, 30);
  EXPECT_EQ(r.second, 0);
  EXPECT_EQ(r.flags, 0x830f0bu);
  EXPECT_EQ(FormatAlarmRecord(r), "103000830f0b");
  // Out-of-range and missing fields.
  const AlarmRecord bad = ParseAlarmRecord("997799");
  EXPECT_EQ(bad.hour, 23);
  EXPECT_EQ(bad.minute, 59);
  EXPECT_EQ(bad.second, 59);
  EXPECT_EQ(bad.flags, 0u);
  const AlarmRecord empty = ParseAlarmRecord("");
  EXPECT_EQ(empty.hour, 0);
  EXPECT_EQ(empty.flags, 0u);
  EXPECT_EQ(FormatAlarmRecord(AlarmRecord{7, 5, 3, kAlarmWeekly | 0x41}), "070503800041");
}

TEST(AlarmTableTest, SlotsFillFromTheLowestFreeOne) {
  Fixture f;
  AlarmTable table(f.Clock());
  const std::string rec = Record("103000", OneShot(2011, 3, 15));
  EXPECT_EQ(table.RegisterAlarm(4, 100, rec), 1);
  EXPECT_EQ(table.RegisterAlarm(4, 101, rec), 2);
  EXPECT_EQ(table.RegisterAlarm(7, 102, rec), 3);
  table.FreeAlarm(2);
  EXPECT_EQ(table.Slot(1).note, -1);
  EXPECT_EQ(table.RegisterAlarm(9, 103, rec), 2);
  EXPECT_EQ(table.Slot(1).note, 9);
  EXPECT_EQ(table.Slot(1).rowKey, 103u);
  EXPECT_EQ(table.UsedCount(), 3);

  table.FreeNote(4);
  EXPECT_EQ(table.UsedCount(), 2);
  EXPECT_EQ(table.Slot(0).note, -1);
  EXPECT_EQ(table.Slot(2).note, 7);
  // -1 marks a free slot: it cannot own one.
  EXPECT_EQ(table.RegisterAlarm(-1, 0, rec), -1);
  EXPECT_EQ(table.UsedCount(), 2);
  // Two notes exchanging numbers take their alarms along, row keys unchanged.
  table.SwapNotes(9, 7);
  EXPECT_EQ(table.Slot(1).note, 7);
  EXPECT_EQ(table.Slot(1).rowKey, 103u);
  EXPECT_EQ(table.Slot(2).note, 9);
  EXPECT_EQ(table.Slot(0).note, -1);
}

TEST(AlarmTableTest, FullTableAndSlotNumbersOutOfRange) {
  Fixture f;
  AlarmTable table(f.Clock());
  const std::string rec = Record("000000", kAlarmWeekly | 1);
  for (int i = 1; i <= kAlarmSlotCount; ++i) ASSERT_EQ(table.RegisterAlarm(0, i, rec), i);
  EXPECT_EQ(table.RegisterAlarm(0, 51, rec), -1);
  for (int n : {0, -1, 51, 1000}) table.FreeAlarm(n);
  EXPECT_EQ(table.UsedCount(), kAlarmSlotCount);
  table.FreeAlarm(50);
  EXPECT_EQ(table.RegisterAlarm(3, 77, rec), 50);
  EXPECT_EQ(table.Slot(-1).note, -1);
  EXPECT_EQ(table.Slot(kAlarmSlotCount).note, -1);
}

TEST(AlarmTableTest, OneShotDueIsTheRecordedLocalDateAndTime) {
  Fixture f;
  AlarmTable table(f.Clock());
  EXPECT_EQ(table.ReferenceMidnight(), Absolute(MakeDateTime(2011, 1, 10, 0, 0, 0)));

  const std::uint32_t flags = OneShot(2011, 3, 15) | kAlarmRunsCommand;
  const int n = table.RegisterAlarm(2, 55, Record("103000", flags));
  ASSERT_EQ(n, 1);
  const AlarmSlot& s = table.Slot(0);
  EXPECT_EQ(s.due, Absolute(MakeDateTime(2011, 3, 15, 10, 30, 0)));
  EXPECT_EQ(s.flags, flags);
  EXPECT_EQ(s.lastRingDay, 0);

  // A day past the month's end stays in that month; impossible fields clamp.
  table.RegisterAlarm(2, 56, Record("235959", OneShot(2011, 2, 31)));
  EXPECT_EQ(table.Slot(1).due, Absolute(MakeDateTime(2011, 2, 28, 23, 59, 59)));
  table.RegisterAlarm(2, 57, Record("120000", (15u << 16) | (0u << 8) | 99u));
  EXPECT_EQ(table.Slot(2).due, Absolute(MakeDateTime(2099, 12, 1, 12, 0, 0)));
}

TEST(AlarmTableTest, WeeklyDueIsSecondsAfterTheReferenceMidnight) {
  Fixture f;
  *f.now = MakeDateTime(2011, 1, 10, 15, 20, 0);
  AlarmTable table(f.Clock());
  const std::int64_t midnight = table.ReferenceMidnight();
  EXPECT_EQ(midnight, Absolute(MakeDateTime(2011, 1, 10, 0, 0, 0)));

  table.RegisterAlarm(1, 1, Record("073000", kAlarmWeekly | 0x01));
  EXPECT_EQ(table.Slot(0).due, 7 * 3600 + 30 * 60);

  // Two days and a few hours later the midnight has moved by whole days only.
  *f.now = MakeDateTime(2011, 1, 12, 21, 0, 0);
  table.RegisterAlarm(1, 2, Record("235959", kAlarmWeekly | kAlarmNotOnHolidays | 0x7f));
  EXPECT_EQ(table.ReferenceMidnight(), midnight + 2 * kSecondsPerDay);
  EXPECT_EQ(table.Slot(1).due, 86399);

  // Exactly one day after midnight counts as the next day.
  *f.now = MakeDateTime(2011, 1, 13, 0, 0, 0);
  table.AdvanceReferenceMidnight(Absolute(*f.now));
  EXPECT_EQ(table.ReferenceMidnight(), midnight + 3 * kSecondsPerDay);
  table.AdvanceReferenceMidnight(Absolute(*f.now) + kSecondsPerDay - 1);
  EXPECT_EQ(table.ReferenceMidnight(), midnight + 3 * kSecondsPerDay);
}

// The due check over a table with a clock the test moves; it records what the
// check asked of the notes.
struct DueCheck : Fixture {
  AlarmTable table{Clock()};
  std::vector<int> fired, ran;
  bool commandRuns = true, noteExists = true;
  AlarmDueActions Actions() {
    return AlarmDueActions{[this](int) { return noteExists; },
                           [this](int i) {
                             ran.push_back(i);
                             return commandRuns;
                           },
                           [this](int i) { fired.push_back(i); }};
  }
  int At(const DateTime& t, int tickMs = 500) {
    *now = t;
    return table.CheckAlarms(tickMs, Actions());
  }
};

TEST(AlarmDueTest, OneShotRingsWithinItsWindowElseTurnsOffSilently) {
  const struct {
    int lateSeconds, tickMs;
    bool rings;
  } cases[] = {{0, 500, true},    {59, 500, true},    {60, 500, false},   {-1, 500, false},
               {60, 60000, true}, {119, 60000, true}, {120, 60000, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.lateSeconds << "s late, tick " << c.tickMs);
    DueCheck f;
    f.table.RegisterAlarm(3, 7, Record("100000", OneShot(2011, 1, 10)));
    EXPECT_EQ(f.At(Plus(MakeDateTime(2011, 1, 10, 10, 0, 0), c.lateSeconds), c.tickMs), c.rings ? 0 : -1);
    const bool missed = c.lateSeconds >= 0 && !c.rings;
    EXPECT_EQ(f.fired.size(), missed ? 1u : 0u);
    EXPECT_EQ(f.table.UsedCount(), missed ? 0 : 1);
  }
}

TEST(AlarmDueTest, WeeklyDaysAndHolidayRules) {
  constexpr std::uint32_t kMon = 0x01, kSun = 0x40;
  const struct {
    std::uint32_t days;
    int y, m, d;  // 2026-02-23 a Monday holiday, 2026-03-02 a plain Monday, 2026-05-03 a Sunday holiday
    bool rings;
  } cases[] = {
      {kMon | kAlarmNotOnHolidays, 2026, 2, 23, false},
      {kMon | kAlarmNotOnHolidays, 2026, 3, 2, true},
      {kMon, 2026, 2, 23, true},
      {kMon, 2026, 3, 3, false},
      {kAlarmOnHolidays, 2026, 5, 3, true},
      {kMon | kAlarmOnHolidays, 2026, 5, 3, true},
      {kSun | kAlarmNotOnHolidays, 2026, 5, 3, false},
      {kSun, 2026, 5, 10, true},
      {kAlarmOnHolidays, 2026, 5, 10, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d << " days " << c.days);
    DueCheck f;
    *f.now = MakeDateTime(c.y, c.m, c.d, 6, 0, 0);
    f.table.RegisterAlarm(1, 1, Record("070000", kAlarmWeekly | c.days));
    EXPECT_EQ(f.At(MakeDateTime(c.y, c.m, c.d, 7, 0, 30)), c.rings ? 0 : -1);
  }
}

TEST(AlarmDueTest, WeeklyRingsOncePerDayEvenAtTheDaysEnd) {
  DueCheck f;
  f.table.RegisterAlarm(1, 1, Record("235930", kAlarmWeekly | 0x7f));
  const struct {
    int day, h, m, s;
    int expected;
  } ticks[] = {{10, 23, 59, 29, -1}, {10, 23, 59, 30, 0},  {10, 23, 59, 45, -1}, {11, 0, 0, 10, -1},
               {11, 23, 59, 31, 0},  {11, 23, 59, 59, -1}, {12, 23, 59, 59, 0}};
  for (const auto& t : ticks)
    EXPECT_EQ(f.At(MakeDateTime(2011, 1, t.day, t.h, t.m, t.s)), t.expected) << t.day << " " << t.s;
  // A tick slower than a minute still catches it, later than a minute.
  DueCheck slow;
  slow.table.RegisterAlarm(1, 1, Record("080000", kAlarmWeekly | 0x7f));
  EXPECT_EQ(slow.At(MakeDateTime(2011, 1, 10, 8, 1, 30), 60000), 0);
}

TEST(AlarmDueTest, RunCommandsGoneNotesAndTheOneWindow) {
  DueCheck f;
  f.table.RegisterAlarm(1, 1, Record("100000", OneShot(2011, 1, 10) | kAlarmRunsCommand));
  f.table.RegisterAlarm(1, 2, Record("100000", kAlarmWeekly | 0x7f | kAlarmRunsCommand));
  f.table.RegisterAlarm(1, 3, Record("100000", OneShot(2011, 1, 10)));
  // The commands run: only the plain alarm opens a window.
  EXPECT_EQ(f.At(MakeDateTime(2011, 1, 10, 10, 0, 1)), 2);
  EXPECT_EQ(f.ran, (std::vector<int>{0, 1}));
  EXPECT_EQ(f.fired, (std::vector<int>{0}));
  EXPECT_EQ(f.table.Slot(0).note, -1);
  // A failed run falls back to the window.
  DueCheck g;
  g.commandRuns = false;
  g.table.RegisterAlarm(1, 1, Record("100000", OneShot(2011, 1, 10) | kAlarmRunsCommand));
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

TEST(AlarmBellTest, RingingAndSnooze) {
  const struct {
    int alarmTime;
    std::int64_t stopsAt;
  } lengths[] = {{60, 1060}, {0, 1000 + kSecondsPerDay}, {-1, 1000}, {5, 1005}};
  for (const auto& l : lengths) {
    AlarmBell bell;
    bell.Start(1000, l.alarmTime);
    if (l.stopsAt > 1000) {
      EXPECT_EQ(bell.Tick(l.stopsAt - 1, true), AlarmBell::kKeep);
    }
    EXPECT_EQ(bell.Tick(l.stopsAt, true), AlarmBell::kStop);
  }
  AlarmBell bell;
  bell.StopAndArm(1000, 180);
  EXPECT_FALSE(bell.Ringing());
  for (auto [at, on, step] : {std::tuple{1179, true, AlarmBell::kKeep},
                              {1180, true, AlarmBell::kRing},
                              {1239, true, AlarmBell::kRing},
                              {1240, true, AlarmBell::kKeep},
                              {1200, false, AlarmBell::kKeep}})
    EXPECT_EQ(bell.Tick(at, on), step) << at;
}

TEST(DetailAlarmTest, StatesSlotsAndTheFullTable) {
  Fixture f;
  AlarmTable table(f.Clock());
  NoteContent c;
  c.slot = 4;
  c.alarms = &table;
  c.AddHeading("h");
  const std::uint32_t key = c.MakeRoomAfter(0, 0);
  const int row = c.InsertDetail(0, key, "d");
  const std::string rec = Record("103000", OneShot(2011, 3, 15));
  std::string read;
  EXPECT_EQ(DetailAlarmState(c, row, &read), kAlarmNone);
  EXPECT_EQ(read, "000000000000");

  const struct {
    int state;
    const char* status;  // what the row holds afterwards
    int used;
  } steps[] = {{kAlarmOn, "000C010C103000030f0b", 1},
               {kAlarmOff, "0004000410300003 0f0b", 0},
               {kAlarmOn, "000C010C103000030f0b", 1},
               {kAlarmNone, "00000000", 0}};
  for (const auto& s : steps) {
    EXPECT_TRUE(SetDetailAlarm(c, row, rec, s.state));
    std::string expected = s.status;
    expected.erase(std::remove(expected.begin(), expected.end(), ' '), expected.end());
    EXPECT_EQ(c.rows.At(row).status, expected) << s.state;
    EXPECT_EQ(table.UsedCount(), s.used);
  }
  // The 51st ON alarm stays ON, unarmed, and says so.
  for (int i = 0; i < kAlarmSlotCount; ++i) table.RegisterAlarm(9, 1, rec);
  EXPECT_FALSE(SetDetailAlarm(c, row, rec, kAlarmOn));
  EXPECT_EQ(c.rows.At(row).status, "000C0004" + rec);
  EXPECT_EQ(DetailAlarmState(c, row, &read), kAlarmOn);
  EXPECT_EQ(read, rec);
  // The record alone (the properties page's way) leaves state and slot.
  EXPECT_TRUE(SetDetailAlarm(c, row, "235959800041", -1));
  EXPECT_EQ(c.rows.At(row).status, "000C0004235959800041");
}

TEST(DetailAlarmTest, DialogFormsAndTheDateRange) {
  for (const char* record : {"103000030f0b", "070503800141", "000000c0007f", "235959430b19"}) {
    EXPECT_EQ(RecordOfAlarmForm(AlarmFormOfRecord(record)), record);
  }
  // The window's title ends on a whole character.
  const std::string a298(298, 'a');
  for (auto [text, title] : {std::pair{a298 + "あい", a298},
                             {a298 + "a" + "あ", a298 + "a"},
                             {std::string(), std::string("Varnel")}})
    EXPECT_EQ(AlarmWindowTitle(text), title);
  const AlarmForm none = AlarmFormOfRecord("");
  EXPECT_TRUE(none.dated);
  EXPECT_EQ(RecordOfAlarmForm(none), "000000010100");
  const struct {
    Date today, last;
  } ranges[] = {{{2026, 3, 15}, {2027, 3, 14}},
                {{2026, 3, 1}, {2027, 2, 28}},
                {{2028, 2, 29}, {2029, 2, 28}},
                {{2026, 12, 31}, {2027, 12, 30}}};
  for (const auto& r : ranges) {
    Date first{}, last{};
    AlarmDateRange(r.today, first, last);
    EXPECT_EQ(DayNumber(first.year, first.month, first.day),
              DayNumber(r.today.year, r.today.month, r.today.day));
    EXPECT_EQ(DayNumber(last.year, last.month, last.day), DayNumber(r.last.year, r.last.month, r.last.day));
  }
}

}  // namespace
