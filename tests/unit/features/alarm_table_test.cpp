#include "core/features/alarm_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

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
  EXPECT_FALSE(s.firedToday);

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

}  // namespace
