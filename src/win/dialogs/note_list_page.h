// The note list ("付箋一覧") and deleted notes ("削除付箋") pages of the settings
// dialog. Whatever they do acts on the notes and files at once; OK and Cancel
// of the dialog change nothing of it.
#pragma once
#include <memory>

#include "win/dialogs/dialog_base.h"

namespace varnel::win {

std::unique_ptr<DialogBase> MakeNoteListPage();
std::unique_ptr<DialogBase> MakeDeletedNotesPage();

// After a note was created or deleted: the visible page fills itself again
// (the note list not while it runs a command on several notes, it refills
// once after). False when neither page is visible.
bool RefreshNoteListPages();

}  // namespace varnel::win
