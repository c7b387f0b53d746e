#include "win/app/option_changes.h"

#include "core/app/command_table.h"
#include "win/app/app_state.h"
#include "win/app/note_menus.h"
#include "win/app/timers.h"
#include "win/note/check_wnd.h"
#include "win/platform/program_paths.h"

namespace varnel::win {
namespace {

WorkArea PrimaryWorkArea() {
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return WorkArea{r.left, r.top, r.right, r.bottom};
}

}  // namespace

void LoadGlobalOptions() {
  AppState& app = App();
  // This also creates the data folder.
  app.options = std::make_unique<GlobalOptions>(ProgramStoreEnv(), DataFolder(), PrimaryWorkArea());
  ReadShortcuts(app.options->Store(), app.options->shortcuts);
  app.options->onApplied = FollowOptionChanges;
}

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
