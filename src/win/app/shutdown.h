// The shutdown save and the teardown of the main window.
#pragma once

namespace varnel::win {

// Slot flags from the slots, every note saved, then "List" and the palette.
void ShutdownSave();
// Hot keys, timers, notes, help, hook, tray, menus, then DestroyWindow.
void Teardown();

}  // namespace varnel::win
