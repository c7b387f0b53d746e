#include "win/app/global_commands.h"

#include <windows.h>

#include <array>
#include <new>
#include <vector>

#include "core/app/arrangement.h"
#include "core/app/command_table.h"
#include "core/app/slot_choice.h"
#include "resource.h"
#include "win/app/alarm_check.h"
#include "win/app/app_state.h"
#include "win/app/message_box.h"
#include "win/dialogs/about_dialog.h"
#include "win/dialogs/backup_dialog.h"
#include "win/dialogs/note_list_page.h"
#include "win/dialogs/settings_dialog.h"
#include "win/note/check_wnd.h"
#include "win/platform/local_time.h"

namespace varnel::win {

void TrimWorkingSet() {
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

namespace {

void DeletionBookkeeping(int slot) {
  if (slot < 0 || slot >= kSlotCount) return;  // not a slot: nothing to free
  AppState& app = App();
  app.options->slotFlags[static_cast<size_t>(slot)] = '0';
  if (app.slots[static_cast<size_t>(slot)]) {
    WriteDeleteTime(app.options->Store(), slot, LocalNow());
    app.slots.Retire(static_cast<size_t>(slot));  // the note closes its window next
  }
  // "List" at once: a note deleted is deleted even if the program dies next.
  app.options->SaveSlotFlagsAndPalette();
  if (!RefreshNoteListPages()) SetForegroundWindow(app.mainWindow);
}

ArrangeNote ArrangeNoteOf(int slot, CCheckWnd& note) {
  ArrangeNote a;
  a.slot = slot;
  a.window = WindowRectOf(note.Window());
  RECT c{};
  GetClientRect(note.Window(), &c);
  a.clientWidth = c.right - c.left;
  a.clientHeight = c.bottom - c.top;
  a.visible = IsWindowVisible(note.Window()) != FALSE;
  a.fixed = note.Fixed();
  a.bar = note.BarFlags();
  return a;
}

void ApplyMoves(const std::vector<NoteMove>& moves) {
  for (const NoteMove& m : moves) {
    CCheckWnd* note = App().slots[static_cast<std::size_t>(m.slot)];
    if (!note || !note->Window()) continue;
    SetWindowPos(note->Window(), nullptr, m.window.left, m.window.top, m.window.right - m.window.left,
                 m.window.bottom - m.window.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// The visible unfixed notes in ascending slots (or every note) as the arrangement sees them.
std::vector<ArrangeNote> CollectNotes(bool visibleUnfixedOnly) {
  std::vector<ArrangeNote> notes;
  AppState& app = App();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    CCheckWnd* note = app.slots[static_cast<std::size_t>(slot)];
    if (!note || !note->Window()) continue;
    ArrangeNote a = ArrangeNoteOf(slot, *note);
    if (visibleUnfixedOnly && (!a.visible || a.fixed)) continue;
    notes.push_back(a);
  }
  return notes;
}

// Every note, visible or not, slot 0 to 49.
void ForEveryNote(int id) {
  for (CCheckWnd* note : App().slots)
    if (note && note->Window()) note->NoteCommand(id);
}

// Hide all: the active note goes last, so hiding it cannot hand the activation
// (and with it the focus) to a note that is still to be hidden.
void HideEveryNote() {
  const HWND active = GetActiveWindow();
  CCheckWnd* last = nullptr;
  for (CCheckWnd* note : App().slots) {
    if (!note || !note->Window()) continue;
    if (note->Window() == active)
      last = note;
    else
      note->NoteCommand(kCmdHide);
  }
  if (last) last->NoteCommand(kCmdHide);
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

void ArrangeSlots(int id, const std::vector<int>& slots) {
  std::vector<ArrangeNote> notes;
  for (int slot : slots) {
    CCheckWnd* note = App().slots[static_cast<std::size_t>(slot)];
    if (!note || !note->Window()) continue;
    const ArrangeNote a = ArrangeNoteOf(slot, *note);
    if (a.visible && !a.fixed) notes.push_back(a);
  }
  ApplyMoves(ArrangeNotes(id, notes, NoteFrame(*App().options)));
}

int NewNote() {
  AppState& app = App();
  std::array<bool, kSlotCount> occupied{}, hasFile{};
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const auto i = static_cast<std::size_t>(slot);
    occupied[i] = app.slots[i] != nullptr;
    // A free slot's file is a deleted note, or a note that nothing lists any more.
    std::error_code ec;
    hasFile[i] = !occupied[i] && std::filesystem::exists(NoteFilePath(slot), ec);
  }
  const int slot = ChooseNewNoteSlot(app.options->Store(), occupied, app.failedAtStart, hasFile);
  if (slot < 0) {
    ShowMessage(nullptr, 0, kNoMoreNotesMessage);
    return -1;
  }
  auto note = std::make_unique<CCheckWnd>();
  // Only a note that really opened takes the slot, so no caller runs a command on a missing one.
  if (!note->Open(app.mainWindow, slot, OpenMode::New, app.mainWindow)) return -1;
  app.slots.Put(static_cast<std::size_t>(slot), std::move(note));
  app.options->slotFlags[static_cast<std::size_t>(slot)] = '1';
  app.options->SaveSlotFlagsAndPalette();
  RefreshNoteListPages();
  return slot;
}

int RunGlobalCommand(unsigned int command) {
  AppState& app = App();
  // Once an exit is under way no new work (and no new modal window) starts.
  if (app.exitPending || app.tornDown) return -1;
  const unsigned int id = command & 0xFFFF;
  switch (id) {
    case kCmdExit:
      SendMessageW(app.mainWindow, WM_CLOSE, 0, 0);
      break;
    case kCmdDeleteNote:
      DeletionBookkeeping(static_cast<int>(command >> 16));
      break;
    case kCmdNewNote:
    case kCmdNewItem: {
      const int slot = NewNote();
      if (slot >= 0) return slot;  // a fresh note keeps its working set
      break;
    }
    case kCmdAlignWidths:
      ApplyMoves(AlignWidths(CollectNotes(false)));
      break;
    case kCmdHelp:
      ShowHelp();
      break;
    case kCmdAbout:
      ShowAboutDialog(app.mainWindow);
      break;
    case kCmdProperties:
      RunSettingsDialog(app.mainWindow);
      break;
    case kCmdAlarm:
      RunQuickAlarm();
      break;
    case kCmdRestoreBackup:
      RunRestoreDialog(app.mainWindow);
      break;
    case kCmdRedraw:
      RedrawAllNotes();
      break;
    default:
      if (id == kCmdHide) {
        HideEveryNote();
      } else if ((id >= kCmdShow && id <= kCmdSave) || IsAlphaCommand(static_cast<int>(id))) {
        ForEveryNote(static_cast<int>(id));
      } else if (id == kCmdAutoSize || id == kCmdFold || IsMoveCommand(static_cast<int>(id))) {
        ForVisibleUnfixedNotes(static_cast<int>(id));
      }
      if (IsArrangeCommand(static_cast<int>(id)))
        ApplyMoves(ArrangeNotes(static_cast<int>(id), CollectNotes(true), NoteFrame(*app.options)));
      break;
  }
  TrimWorkingSet();
  return -1;
}

void RunDoubleClickAction() {
  const int cmd = App().options->ReadNoteOption(nullptr, "Cmd");
  const int mode = cmd >> 8;
  if (mode == 2) {
    RunGlobalCommand(kCmdNewNote);
    return;
  }
  if (mode != 1) return;
  if (cmd & 0x10) RunGlobalCommand(kCmdAutoSize);
  if (cmd & 0x80) RunGlobalCommand(kCmdAlignWidths);
  if (cmd & 0x20) RunGlobalCommand(kCmdFold);
  static const unsigned int kArrange[8] = {kCmdArrangeTopRightDown,    kCmdArrangeTopRightAcross,
                                           kCmdArrangeTopLeftDown,     kCmdArrangeTopLeftAcross,
                                           kCmdArrangeBottomRightDown, kCmdArrangeBottomRightAcross,
                                           kCmdArrangeBottomLeftDown,  kCmdArrangeBottomLeftAcross};
  const int index = cmd & 0x0F;
  if ((cmd & 0x40) && index < 8) RunGlobalCommand(kArrange[index]);
}

}  // namespace varnel::win
