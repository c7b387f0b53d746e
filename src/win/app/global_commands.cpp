#include "win/app/global_commands.h"

#include <windows.h>

#include "resource.h"
#include "win/app/app_state.h"

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
      // Help file or home page: a later piece.
      break;
    case IDM_ABOUT:
    case IDM_SETTINGS:
    case IDM_QUICKALARM:
      // The about, settings and quick alarm dialogs come with the dialogs, each
      // guarded by its busy flag and held in a ModalScope.
      break;
    default:
      // 205-210 and 601-610/621-630 go to every note; 224, 252 and the moves
      // 301-310 to every visible unfixed note; 227 AlignWidths, 228 redraw and
      // the arrangements 405-426 work on the notes' windows: all with the notes.
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
