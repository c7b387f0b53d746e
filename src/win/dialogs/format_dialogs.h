// The state colour dialog "CCOLORDLG" (four records with their day limits) and
// the decoration dialog "PENDLG" (two records) of the style pages. Both edit
// a copy and hand it back only on OK.
#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "core/note/note_settings.h"

namespace varnel::win {

// true (records replaced) when closed with OK.
bool RunStateColourDialog(HWND owner, std::array<StateColour, 4>& records);
bool RunDecorationDialog(HWND owner, std::array<std::string, 2>& decorations);

}  // namespace varnel::win
