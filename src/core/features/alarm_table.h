// The program-wide table of armed alarms (50 slots) and the alarm record kept
// in a detail's status string. The clock is handed in by the shell.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/features/calendar.h"

namespace varnel {

constexpr int kAlarmSlotCount = 50;

// AlarmFlags, 24 bits. One-shot: bits 0-7 year - 2000, 8-15 day, 16-19 month.
// Weekly: bits 0-6 Monday..Sunday, 7 ring on holidays, 8 not on holidays.
constexpr std::uint32_t kAlarmWeekly = 0x800000, kAlarmRunsCommand = 0x400000;
constexpr std::uint32_t kAlarmOnHolidays = 0x80, kAlarmNotOnHolidays = 0x100;
constexpr int kSecondsPerDay = 86400;

// AlarmRecord: "HHMMSS" followed by the flags as "%06x" (12 characters).
struct AlarmRecord {
  int hour = 0, minute = 0, second = 0;
  std::uint32_t flags = 0;
};
// Missing or malformed fields read as 0; times are clamped to 0-23, 0-59, 0-59.
AlarmRecord ParseAlarmRecord(std::string_view record);
std::string FormatAlarmRecord(const AlarmRecord& record);

struct AlarmSlot {
  int note = -1;  // -1: the slot is free
  std::uint32_t rowKey = 0;
  // One-shot: absolute time in seconds; weekly: seconds after local midnight.
  std::int64_t due = 0;
  std::uint32_t flags = 0;
  bool firedToday = false;
};

// The shell hands in local time and the conversion of a local date-time to absolute seconds (mktime).
struct AlarmClock {
  std::function<DateTime()> localNow;
  std::function<std::int64_t(const DateTime&)> toAbsolute;
};

class AlarmTable {
 public:
  explicit AlarmTable(AlarmClock clock);  // referenceMidnight = today 00:00:00 through the clock
  int RegisterAlarm(int noteIndex, std::uint32_t rowKey, std::string_view record);  // 1..50, or -1 when full
  void FreeAlarm(int slotNumber);          // below 1 (or above 50) ignored
  const AlarmSlot& Slot(int index) const;  // 0..49; a free slot for any other index
  int UsedCount() const;
  void FreeNote(int noteIndex);  // frees every slot of that note (used when a note is reloaded or closed)
  std::int64_t ReferenceMidnight() const { return referenceMidnight_; }
  // Moves the reference midnight forward by whole days while now is a day or
  // more past it.
  void AdvanceReferenceMidnight(std::int64_t now);

 private:
  AlarmClock clock_;
  std::array<AlarmSlot, kAlarmSlotCount> slots_{};
  std::int64_t referenceMidnight_ = 0;
};

}  // namespace varnel
