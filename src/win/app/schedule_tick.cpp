#include "win/app/schedule_tick.h"

#include "core/app/command_ids.h"
#include "core/features/schedule.h"
#include "win/app/app_state.h"
#include "win/app/backups.h"
#include "win/note/check_wnd.h"
#include "win/platform/local_time.h"

namespace varnel::win {

void RunScheduleTick() {
  const ScheduleMoment moment = MomentOf(LocalNow());
  for (CCheckWnd* note : App().slots)
    if (note) note->RunSchedule(moment);
  FollowNewDay(moment.today);
}

void FollowNewDay(int today) {
  AppState& app = App();
  const bool changed = app.shownDay >= 0 && app.shownDay != today;
  app.shownDay = today;
  if (!changed) return;
  for (CCheckWnd* note : app.slots)
    if (note) RedrawWindow(note->Window(), nullptr, nullptr, RDW_INVALIDATE);
  BackUpDaily();
}

void DeleteExpiredNotes() {
  const int today = TodayDayNumber(LocalNow());
  AppState& app = App();
  for (CCheckWnd* note : app.slots) {
    int day = -1, unused = 0;
    if (note && note->GetSchedule(3, day, unused) && day <= today) note->NoteCommand(kCmdDeleteNote);
  }
}

}  // namespace varnel::win
