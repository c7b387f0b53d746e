// The menu page "ﾒﾆｭｰ" of the settings dialog: the note, heading and detail
// menus, the global hot keys, the note shortcut keys and the default
// (double-click) items of the three menus.
#pragma once
#include <memory>
#include <string>

#include "win/dialogs/dialog_base.h"

namespace varnel::win {

std::unique_ptr<DialogBase> MakeMenuPage();

// "Ctrl + Shift + Alt + " as held in keyWord (high byte), then the key's name;
// at most 15 characters (CP932).
std::string KeyNameText(int keyWord);

}  // namespace varnel::win
