// The display schedule of a note: shown from a start, hidden for good after
// an end, shown inside a daily window on chosen days. It acts on transitions,
// so what the user shows or hides by hand stays until the next one.
#pragma once
#include "core/features/calendar.h"
#include "core/note/note_settings.h"

namespace varnel {

// The schedule states besides -1 (fresh) and 10/20 + day mod 10.
constexpr int kScheduleBeforeStart = 0, kScheduleStarted = 1, kScheduleNone = 9, kScheduleEnded = 99;

struct ScheduleMoment {
  int today = 0;        // day number
  int minuteOfDay = 0;  // 0..1439
  bool todayIsHoliday = false, yesterdayWasHoliday = false;
};
ScheduleMoment MomentOf(const DateTime& now);

enum class ScheduleAction { kNone, kShow, kHide };

// One tick for one note: moves its state on and says what to do with a window
// that is visible or not.
ScheduleAction EvaluateNoteSchedule(NoteSchedule& schedule, bool visible, const ScheduleMoment& moment);

}  // namespace varnel
