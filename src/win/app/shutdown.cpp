#include "win/app/shutdown.h"

#include "win/app/app_state.h"
#include "win/app/message_box.h"
#include "win/app/timers.h"

namespace varnel::win {

void ShutdownSave() {
  AppState& app = App();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const bool occupied = app.slots[static_cast<size_t>(slot)] != nullptr;
    app.options->slotFlags[static_cast<size_t>(slot)] = occupied ? '1' : '0';
    // Saving each note to its file comes with the note object.
  }
  app.options->SaveSlotFlagsAndPalette();
}

void Teardown() {
  AppState& app = App();
  if (app.tornDown) return;
  app.tornDown = true;
  // RegisterHotKeys(off) comes with the hot keys.
  SetTimers(false, nullptr);
  // Each note window gets WM_CLOSE(16, main window) to close without a second
  // save; that comes with the note window.
  app.help.CloseAll(app.mainWindow);
  RemoveActivationHook();
  app.tray.Remove();
  if (app.menus.popup) DestroyMenu(app.menus.popup);
  app.menus = AppMenus{};
  DestroyWindow(app.mainWindow);
}

}  // namespace varnel::win
