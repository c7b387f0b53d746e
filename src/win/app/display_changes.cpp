#include "win/app/display_changes.h"

#include "win/app/app_state.h"
#include "win/note/check_wnd.h"
#include "win/platform/display.h"

namespace varnel::win {

void PutFrameInForce() {
  GlobalOptions& o = *App().options;
  const WorkArea& user = o.userFrame;
  const FrameRange f = FrameInForce({user.left, user.top, user.right, user.bottom}, DisplayMonitors());
  o.fx1 = f.left, o.fy1 = f.top, o.fx2 = f.right, o.fy2 = f.bottom;
}

void KeepNotesOnScreen() {
  const std::vector<MonitorArea> monitors = DisplayMonitors();
  for (CCheckWnd* note : App().slots)
    if (note) note->KeepOnScreen(monitors);
}

void FollowDisplayChange() {
  if (!App().options) return;
  PutFrameInForce();
  KeepNotesOnScreen();
}

}  // namespace varnel::win
