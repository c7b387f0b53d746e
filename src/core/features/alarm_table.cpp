#include "core/features/alarm_table.h"

#include <cstdio>
#include <utility>

#include "core/config/profile_store.h"

namespace varnel {

AlarmRecord ParseAlarmRecord(std::string_view record) {
  auto field = [&](std::size_t at, int length, int asIs) {
    return at < record.size() ? ParseField(record.substr(at), length, asIs) : 0;
  };
  AlarmRecord r;
  r.hour = static_cast<int>(Clamp<std::int64_t>(field(0, 2, 1), 0, 23));
  r.minute = static_cast<int>(Clamp<std::int64_t>(field(2, 2, 1), 0, 59));
  r.second = static_cast<int>(Clamp<std::int64_t>(field(4, 2, 1), 0, 59));
  r.flags = static_cast<std::uint32_t>(field(6, 6, 0)) & 0xFFFFFFu;
  return r;
}

std::string FormatAlarmRecord(const AlarmRecord& record) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d%02d%02d%06x", Clamp(record.hour, 0, 23), Clamp(record.minute, 0, 59),
                Clamp(record.second, 0, 59), static_cast<unsigned>(record.flags & 0xFFFFFFu));
  return buf;
}

AlarmTable::AlarmTable(AlarmClock clock) : clock_(std::move(clock)) {
  DateTime midnight = clock_.localNow();
  midnight.hour = midnight.minute = midnight.second = midnight.milliseconds = 0;
  referenceMidnight_ = clock_.toAbsolute(midnight);
}

void AlarmTable::AdvanceReferenceMidnight(std::int64_t now) {
  if (now - referenceMidnight_ >= kSecondsPerDay)
    referenceMidnight_ += (now - referenceMidnight_) / kSecondsPerDay * kSecondsPerDay;
}

int AlarmTable::RegisterAlarm(int noteIndex, std::uint32_t rowKey, std::string_view record) {
  if (noteIndex < 0) return -1;  // -1 marks a free slot; no note can own it
  int index = 0;
  while (index < kAlarmSlotCount && slots_[index].note != -1) ++index;
  if (index == kAlarmSlotCount) return -1;

  const AlarmRecord r = ParseAlarmRecord(record);
  const DateTime nowLocal = clock_.localNow();
  DateTime due = nowLocal;
  due.hour = static_cast<std::uint16_t>(r.hour);
  due.minute = static_cast<std::uint16_t>(r.minute);
  due.second = static_cast<std::uint16_t>(r.second);
  due.milliseconds = 0;
  const bool weekly = (r.flags & kAlarmWeekly) != 0;
  if (!weekly) {
    const int year = 2000 + Clamp(static_cast<int>(r.flags & 0xFF), 0, 99);
    const int month = Clamp(static_cast<int>((r.flags >> 16) & 0xF), 1, 12);
    // A day past the month's end (a hand-edited file) stays in its month
    // instead of spilling into the next one through the conversion.
    const int day = Clamp(static_cast<int>((r.flags >> 8) & 0xFF), 1, DaysInMonth(year, month));
    due.year = static_cast<std::uint16_t>(year);
    due.month = static_cast<std::uint16_t>(month);
    due.day = static_cast<std::uint16_t>(day);
    due.dayOfWeek = static_cast<std::uint16_t>(WeekdayOfDate(year, month, day));
  }

  AlarmSlot& slot = slots_[index];
  slot.note = noteIndex;
  slot.rowKey = rowKey;
  slot.flags = r.flags;
  slot.lastRingDay = 0;
  slot.due = clock_.toAbsolute(due);
  if (weekly) {
    AdvanceReferenceMidnight(clock_.toAbsolute(nowLocal));
    slot.due -= referenceMidnight_;
  }
  return index + 1;
}

void AlarmTable::FreeAlarm(int slotNumber) {
  if (slotNumber < 1 || slotNumber > kAlarmSlotCount) return;
  slots_[slotNumber - 1] = AlarmSlot{};
}

const AlarmSlot& AlarmTable::Slot(int index) const {
  static const AlarmSlot kFree{};
  if (index < 0 || index >= kAlarmSlotCount) return kFree;
  return slots_[index];
}

int AlarmTable::UsedCount() const {
  int n = 0;
  for (const AlarmSlot& s : slots_) n += s.note != -1;
  return n;
}

void AlarmTable::FreeNote(int noteIndex) {
  if (noteIndex < 0) return;
  for (AlarmSlot& s : slots_)
    if (s.note == noteIndex) s = AlarmSlot{};
}

void AlarmTable::SwapNotes(int noteA, int noteB) {
  for (AlarmSlot& s : slots_) {
    if (s.note < 0) continue;
    if (s.note == noteA)
      s.note = noteB;
    else if (s.note == noteB)
      s.note = noteA;
  }
}

int AlarmDueWindow(int tickMilliseconds) {
  const std::int64_t twoTicks = (2 * static_cast<std::int64_t>(tickMilliseconds) + 999) / 1000;
  return static_cast<int>(Clamp<std::int64_t>(twoTicks, 60, kSecondsPerDay));
}

int AlarmTable::CheckAlarms(int tickMilliseconds, const AlarmDueActions& actions) {
  const DateTime local = clock_.localNow();
  const std::int64_t now = clock_.toAbsolute(local);
  const int window = AlarmDueWindow(tickMilliseconds);
  int result = -1;
  for (int i = 0; i < kAlarmSlotCount; ++i) {
    AlarmSlot& slot = slots_[i];
    if (slot.note == -1) continue;
    if (actions.noteExists && !actions.noteExists(slot.note)) {
      slot = AlarmSlot{};
      continue;
    }
    if ((slot.flags & kAlarmWeekly) || now < slot.due) continue;
    const bool missed = now - slot.due >= window;
    if (missed || ((slot.flags & kAlarmRunsCommand) && actions.runCommand && actions.runCommand(i))) {
      if (actions.markFired) actions.markFired(i);
      slot = AlarmSlot{};
    } else if (result == -1) {
      result = i;
    }
  }

  AdvanceReferenceMidnight(now);
  const std::int64_t s = now - referenceMidnight_;
  const int today = TodayDayNumber(local);
  const bool holiday = HolidayCode(today) >= 0;
  for (int i = 0; i < kAlarmSlotCount; ++i) {
    AlarmSlot& slot = slots_[i];
    if (slot.note == -1 || !(slot.flags & kAlarmWeekly) || slot.lastRingDay == today) continue;
    if (!DayBitsApply(slot.flags, today, holiday) || s < slot.due || s - slot.due >= window) continue;
    if ((slot.flags & kAlarmRunsCommand) && actions.runCommand && actions.runCommand(i)) {
      slot.lastRingDay = today;
    } else if (result == -1) {
      result = i;
      // Marked now rather than when the window opens, which may already be tomorrow.
      slot.lastRingDay = today;
    }
  }
  return result;
}

bool AlarmTable::OpenWindow(int slotIndex, const AlarmDueActions& actions) {
  if (windowSlot_ != kNoWindow) return false;
  windowSlot_ = slotIndex;
  if (slotIndex < 0 || slotIndex >= kAlarmSlotCount || slots_[slotIndex].note == -1) return true;
  AlarmSlot& slot = slots_[slotIndex];
  // A weekly alarm was marked as rung by the due check that found it.
  if (slot.flags & kAlarmWeekly) return true;
  if (actions.markFired) actions.markFired(slotIndex);
  slot = AlarmSlot{};
  return true;
}

void AlarmBell::Start(std::int64_t now, int alarmTime) {
  ringUntil = now + (alarmTime == 0 ? kSecondsPerDay : alarmTime < 0 ? 0 : alarmTime);
}

void AlarmBell::StopAndArm(std::int64_t now, int snooze) {
  ringUntil = -1;
  snoozeAt = now + snooze;
}

AlarmBell::Step AlarmBell::Tick(std::int64_t now, bool snoozeOn) const {
  if (Ringing()) return now >= ringUntil ? kStop : kKeep;
  return snoozeOn && snoozeAt >= 0 && now - snoozeAt >= 0 && now - snoozeAt < 60 ? kRing : kKeep;
}

}  // namespace varnel
