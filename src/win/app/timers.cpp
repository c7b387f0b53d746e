#include "win/app/timers.h"

#include "win/app/app_state.h"
#include "win/app/message_box.h"

namespace varnel::win {

void SetTimers(bool on, HWND owner) {
  AppState& app = App();
  HWND window = app.mainWindow;
  if (!window) return;
  KillTimer(window, kAlarmTimer);
  if (on) {
    const int tenths = app.options->ReadNoteOption(nullptr, "Timer");
    if (tenths <= 0)
      ShowMessage(owner, 1, "タイマー割込をオフにしました。　　");
    else
      SetTimer(window, kAlarmTimer, static_cast<UINT>(tenths) * 100, nullptr);
  }
  KillTimer(window, kScheduleTimer);
  if (on && !app.exitPending) {
    const int seconds = app.options->ReadNoteOption(nullptr, "STimer");
    if (seconds > 0) SetTimer(window, kScheduleTimer, static_cast<UINT>(seconds) * 1000, nullptr);
  }
}

}  // namespace varnel::win
