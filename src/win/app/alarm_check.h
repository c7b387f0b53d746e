// The alarm table's work on the main window's timer and the details it rings for.
#pragma once
#include <string>

#include "core/features/alarm_table.h"

namespace varnel::win {

// What the due check and the alarm window need from the notes.
AlarmDueActions NoteAlarmActions();
// Timer 101: the due check, and the alarm window for what came due.
void RunAlarmTick();
// The detail text of a table slot, or "" when its detail is gone.
std::string AlarmDetailText(int slotIndex);
// The quick alarm (command 212): refused while an alarm window is open.
void RunQuickAlarm();

}  // namespace varnel::win
