#include "win/app/shutdown.h"

#include "win/app/app_state.h"
#include "win/app/note_menus.h"
#include "win/app/message_box.h"
#include "win/app/save_report.h"
#include "win/app/timers.h"
#include "win/note/check_wnd.h"

namespace varnel::win {

std::filesystem::path ShutdownSave() {
  AppState& app = App();
  QuietSaves quiet;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const bool occupied = SaveNoteOfSlot(slot);
    const bool reserved = app.failedAtStart[static_cast<size_t>(slot)];
    app.options->slotFlags[static_cast<size_t>(slot)] = occupied || reserved ? '1' : '0';
  }
  app.options->SaveSlotFlagsAndPalette();
  ReportSave(app.options->Store());
  return quiet.FirstFailure();
}

void Teardown() {
  AppState& app = App();
  if (app.tornDown) return;
  app.tornDown = true;
  RegisterHotKeys(false);
  SetTimers(false, nullptr);
  CloseNotesQuietly(app.mainWindow);
  app.help.CloseAll(app.mainWindow);
  RemoveActivationHook();
  app.tray.Remove();
  if (app.menus.popup) DestroyMenu(app.menus.popup);
  app.menus = AppMenus{};
  DestroyWindow(app.mainWindow);
}

}  // namespace varnel::win
