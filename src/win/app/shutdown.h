// The shutdown save and the teardown of the main window.
#pragma once
#include <filesystem>

namespace varnel::win {

// Slot flags from the slots, every note saved, then "List" and the palette.
// Shows nothing; returns the first file that could not be written (empty when
// everything was saved). What failed stays in memory for the next save.
std::filesystem::path ShutdownSave();
// Hot keys, timers, notes, help, hook, tray, menus, then DestroyWindow.
void Teardown();

}  // namespace varnel::win
