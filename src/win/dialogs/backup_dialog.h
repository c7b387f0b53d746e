// The restore dialog "BACKUPDLG": the backups of the data folder, one chosen
// and confirmed, then restored.
#pragma once
#include <windows.h>

namespace varnel::win {

// Modal, owned by owner; refused while another modal window is open, since a
// restore closes every note.
void RunRestoreDialog(HWND owner);

}  // namespace varnel::win
