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
constexpr std::uint32_t kAlarmOnHolidays = kDaysOnHolidays, kAlarmNotOnHolidays = kDaysNotOnHolidays;
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
  // Weekly: the day number of the last ring, so an alarm due late in the day
  // (23:59) still rings on the next one; 0 = never rang.
  int lastRingDay = 0;
};

// What the due check needs from the notes.
struct AlarmDueActions {
  std::function<bool(int note)> noteExists;
  // A run-command alarm: runs the detail's command; true when it ran.
  std::function<bool(int slotIndex)> runCommand;
  // A one-shot alarm: ON becomes OFF and unarmed in its detail (the slot is freed after).
  std::function<void(int slotIndex)> markFired;
};

// Seconds after its due time within which an alarm still rings: a minute, or
// two periods of the due check when that is slower, so no tick is skipped over.
int AlarmDueWindow(int tickMilliseconds);

// The alarm window's ringing and snooze, on absolute seconds.
struct AlarmBell {
  std::int64_t ringUntil = -1;  // -1: silent
  std::int64_t snoozeAt = -1;   // the snooze picker's time
  bool Ringing() const { return ringUntil >= 0; }
  // alarmTime: seconds; 0 a whole day, -1 a single play (silent at the next tick).
  void Start(std::int64_t now, int alarmTime);
  // Silent, with the snooze armed `snooze` seconds ahead.
  void StopAndArm(std::int64_t now, int snooze);
  enum Step { kKeep, kStop, kRing };
  // Every tick: stop at the end of the ringing, ring again within a minute of the snooze time.
  Step Tick(std::int64_t now, bool snoozeOn) const;
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
  // Two notes exchanged their numbers: each one's alarms follow it.
  void SwapNotes(int noteA, int noteB);
  std::int64_t ReferenceMidnight() const { return referenceMidnight_; }
  // Moves the reference midnight forward by whole days while now is a day or
  // more past it.
  void AdvanceReferenceMidnight(std::int64_t now);

  // The due check of one tick: the slot index whose alarm window opens now, or -1.
  // Missed one-shot alarms are marked fired and freed; run-command alarms run.
  int CheckAlarms(int tickMilliseconds, const AlarmDueActions& actions);
  // The one alarm window: -1 the quick alarm, kNoWindow none.
  static constexpr int kNoWindow = -2;
  int WindowSlot() const { return windowSlot_; }
  // Opening for slot index (or -1): false while another window is open. A
  // one-shot alarm is marked fired and its slot freed.
  bool OpenWindow(int slotIndex, const AlarmDueActions& actions);
  void CloseWindow() { windowSlot_ = kNoWindow; }

 private:
  AlarmClock clock_;
  std::array<AlarmSlot, kAlarmSlotCount> slots_{};
  std::int64_t referenceMidnight_ = 0;
  int windowSlot_ = kNoWindow;
};

}  // namespace varnel
