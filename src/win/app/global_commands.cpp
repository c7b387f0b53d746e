#include "win/app/global_commands.h"

#include <windows.h>

#include "resource.h"
#include "win/app/app_state.h"
#include "win/dialogs/about_dialog.h"
#include "win/note/check_wnd.h"

namespace varnel::win {

namespace {

void TrimWorkingSet() {
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

void DeletionBookkeeping(int slot) {
  if (slot < 0 || slot >= kSlotCount) return;  // not a slot: nothing to free
  App().options->slotFlags[static_cast<size_t>(slot)] = '0';
  // The deletion record, freeing the slot and refreshing the note list come
  // with the note object and the note list.
}

// Every note, visible or not, slot 0 to 49.
void ForEveryNote(int id) {
  for (CCheckWnd* note : App().slots)
    if (note && note->Window()) note->NoteCommand(id);
}

// Every note whose window is visible and that is not fixed.
void ForVisibleUnfixedNotes(int id) {
  for (CCheckWnd* note : App().slots)
    if (note && note->Window() && IsWindowVisible(note->Window()) && !note->Fixed()) note->NoteCommand(id);
}

void RedrawAllNotes() {
  for (CCheckWnd* note : App().slots)
    if (note && note->Window()) InvalidateRect(note->Window(), nullptr, FALSE);
}

}  // namespace

int RunGlobalCommand(unsigned int command) {
  AppState& app = App();
  // Once an exit is under way no new work (and no new modal window) starts.
  if (app.exitPending || app.tornDown) return -1;
  const unsigned int id = command & 0xFFFF;
  switch (id) {
    case IDM_EXIT:
      SendMessageW(app.mainWindow, WM_CLOSE, 0, 0);
      break;
    case IDM_DELETENOTE:
      DeletionBookkeeping(static_cast<int>(command >> 16));
      break;
    case IDM_NEWNOTE:
    case 3311:
      // NewNote (slot choice and opening a fresh note) comes with the note object.
      break;
    case IDM_HELP:
      ShowHelp();
      break;
    case IDM_ABOUT:
      ShowAboutDialog(app.mainWindow);
      break;
    case IDM_SETTINGS:
    case IDM_QUICKALARM:
      // The settings and quick alarm dialogs come with the dialogs, each
      // guarded by its busy flag and held in a ModalScope.
      break;
    case 228:
      RedrawAllNotes();
      break;
    default:
      if ((id >= 205 && id <= 210) || (id > 600 && id <= 610) || (id > 620 && id <= 630)) {
        ForEveryNote(static_cast<int>(id));
      } else if (id == IDM_AUTOSIZE || id == IDM_FOLD || (id > 300 && id <= 310 && id != 303 && id != 307)) {
        ForVisibleUnfixedNotes(static_cast<int>(id));
      }
      // 227 AlignWidths and the arrangements 405-426 come with the arrangement.
      break;
  }
  TrimWorkingSet();
  return -1;
}

void RunDoubleClickAction() {
  const int cmd = App().options->ReadNoteOption(nullptr, "Cmd");
  const int mode = cmd >> 8;
  if (mode == 2) {
    RunGlobalCommand(IDM_NEWNOTE);
    return;
  }
  if (mode != 1) return;
  if (cmd & 0x10) RunGlobalCommand(IDM_AUTOSIZE);
  // 0x80: AlignWidths comes with the arrangement piece.
  if (cmd & 0x20) RunGlobalCommand(IDM_FOLD);
  static const unsigned int kArrange[8] = {405, 421, 406, 422, 409, 425, 410, 426};
  const int index = cmd & 0x0F;
  if ((cmd & 0x40) && index < 8) RunGlobalCommand(kArrange[index]);
}

}  // namespace varnel::win
