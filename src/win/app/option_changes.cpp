#include "win/app/option_changes.h"

#include "core/app/command_table.h"
#include "win/app/app_state.h"
#include "win/app/note_menus.h"
#include "win/app/timers.h"
#include "win/note/check_wnd.h"

namespace varnel::win {

void FollowOptionChanges(unsigned effects) {
  AppState& app = App();
  // The timer message belongs to the window the change came from (a topmost
  // settings dialog would hide a box owned by the hidden main window).
  if (effects & kOptionTimers) SetTimers(true, GetActiveWindow() ? GetActiveWindow() : app.mainWindow);
  if (effects & kOptionMenus) BuildNoteMenus();
  if (effects & kOptionHotKeys) {
    ReadShortcuts(app.options->Store(), app.options->shortcuts);
    RegisterHotKeys(true);
  }
  if (effects & kOptionNotes)
    for (CCheckWnd* note : app.slots)
      if (note) note->ReadOptions();
}

}  // namespace varnel::win
