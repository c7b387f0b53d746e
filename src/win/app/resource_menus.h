// The menus of the "POPUPMENU" resource that the shell keeps.
#pragma once
#include <windows.h>

namespace varnel::win {

// Loads the resource, takes Main, ListW and ListH, and attaches the shared
// popups. False when the resource cannot be loaded.
bool LoadResourceMenus(HINSTANCE instance);

}  // namespace varnel::win
