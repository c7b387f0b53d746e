#include "core/features/schedule.h"

namespace varnel {

namespace {

// Pairs of NoteSchedule: start, end, window.
constexpr std::size_t kStart = 0, kEnd = 1, kWindow = 2;

bool Reached(int day, int minutes, const ScheduleMoment& m) {
  return day < m.today || (day == m.today && minutes <= m.minuteOfDay);
}

// Inside the window on a day its bits allow. A window across midnight (from >=
// to; from == to is the whole day) belongs before `to` to the day before.
bool ShowsByWindow(int value, unsigned bits, const ScheduleMoment& m) {
  const int from = value / 10000, to = value % 10000;
  if (from < to) {
    if (m.minuteOfDay < from || m.minuteOfDay >= to) return false;
    return DayBitsApply(bits, m.today, m.todayIsHoliday);
  }
  if (m.minuteOfDay < to) return DayBitsApply(bits, m.today - 1, m.yesterdayWasHoliday);
  if (m.minuteOfDay < from) return false;
  return DayBitsApply(bits, m.today, m.todayIsHoliday);
}

}  // namespace

ScheduleMoment MomentOf(const DateTime& now) {
  ScheduleMoment m;
  m.today = TodayDayNumber(now);
  m.minuteOfDay = now.hour * 60 + now.minute;
  m.todayIsHoliday = HolidayCode(m.today) >= 0;
  m.yesterdayWasHoliday = HolidayCode(m.today - 1) >= 0;
  return m;
}

ScheduleAction EvaluateNoteSchedule(NoteSchedule& s, bool visible, const ScheduleMoment& m) {
  int& state = s.state;
  if (state >= kScheduleEnded) return ScheduleAction::kNone;
  if (s.first[kEnd] >= 0 && Reached(s.first[kEnd], s.second[kEnd], m)) {
    state = kScheduleEnded;
    return visible ? ScheduleAction::kHide : ScheduleAction::kNone;
  }
  ScheduleAction action = ScheduleAction::kNone;
  if (s.first[kStart] >= 0) {
    if (!Reached(s.first[kStart], s.second[kStart], m)) {
      const bool hide = state == -1 && visible;
      state = kScheduleBeforeStart;
      return hide ? ScheduleAction::kHide : ScheduleAction::kNone;
    }
    if (state <= kScheduleBeforeStart && !visible) {
      action = ScheduleAction::kShow;
      visible = true;
    }
    state = kScheduleStarted;
  }
  if (s.first[kWindow] < 0) return action;
  const int day = m.today % 10;
  if (ShowsByWindow(s.first[kWindow], static_cast<unsigned>(s.second[kWindow]), m)) {
    if (!visible && state != 20 + day) action = ScheduleAction::kShow;
    state = 20 + day;
  } else {
    if (visible && state != 10 + day) action = ScheduleAction::kHide;
    state = 10 + day;
  }
  return action;
}

}  // namespace varnel
