// RunGlobalCommand: the program-wide command ids of the tray menu, hot keys,
// the note list and a note's deletion report (500 + 65536 * slot).
#pragma once
#include <vector>

namespace varnel::win {

// The new slot for a successful new note, else -1.
int RunGlobalCommand(unsigned int command);

// Gives the pages back after a command (both limits -1).
void TrimWorkingSet();

// Opens a fresh note in the slot the deletion records choose; its slot, or -1.
int NewNote();

// An arrangement command (405 ...) on the visible unfixed notes of these slots.
void ArrangeSlots(int id, const std::vector<int>& slots);

// The tray icon's double-click action, from "Cmd" read fresh.
void RunDoubleClickAction();

}  // namespace varnel::win
