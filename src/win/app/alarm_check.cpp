#include "win/app/alarm_check.h"

#include "core/app/command_ids.h"
#include "win/app/app_state.h"
#include "win/dialogs/alarm_dialog.h"
#include "win/note/check_wnd.h"

namespace varnel::win {
namespace {

// The note and list row of a table slot; row -1 when the detail is gone.
CCheckWnd* NoteOfSlot(int slotIndex, int& row) {
  row = -1;
  AppState& app = App();
  const AlarmSlot& slot = app.alarms->Slot(slotIndex);
  if (slot.note < 0 || slot.note >= kSlotCount) return nullptr;
  CCheckWnd* note = app.slots[static_cast<std::size_t>(slot.note)];
  if (note) row = note->Content().FindAlarmRow(slotIndex + 1, slot.rowKey);
  return note;
}

}  // namespace

AlarmDueActions NoteAlarmActions() {
  AlarmDueActions a;
  a.noteExists = [](int note) {
    return note >= 0 && note < kSlotCount && App().slots[static_cast<std::size_t>(note)] != nullptr;
  };
  a.runCommand = [](int slotIndex) {
    int row = -1;
    CCheckWnd* note = NoteOfSlot(slotIndex, row);
    return note && row >= 0 && note->RunRow(kCmdRunCommand, row);
  };
  a.markFired = [](int slotIndex) {
    const AlarmSlot& slot = App().alarms->Slot(slotIndex);
    int row = -1;
    if (CCheckWnd* note = NoteOfSlot(slotIndex, row);
        note && note->Content().ClearAlarmMarks(slotIndex + 1, slot.rowKey))
      note->Repaint();
  };
  return a;
}

std::string AlarmDetailText(int slotIndex) {
  int row = -1;
  CCheckWnd* note = NoteOfSlot(slotIndex, row);
  return note && row >= 0 ? note->Content().rows.At(row).text : std::string();
}

void RunAlarmTick() {
  AppState& app = App();
  if (!app.alarms || app.alarms->WindowSlot() != AlarmTable::kNoWindow || app.exitPending || app.tornDown)
    return;
  const int tenths = app.options->ReadNoteOption(nullptr, "Timer");
  const int due = app.alarms->CheckAlarms(tenths * 100, NoteAlarmActions());
  if (due >= 0) ShowAlarmWindow(app.mainWindow, due);
}

void RunQuickAlarm() {
  AppState& app = App();
  if (app.busy.quickAlarm || app.alarms->WindowSlot() != AlarmTable::kNoWindow) return;
  app.busy.quickAlarm = true;
  ShowAlarmWindow(app.mainWindow, -1);
  app.busy.quickAlarm = false;
}

}  // namespace varnel::win
