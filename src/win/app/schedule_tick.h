// The display schedule's tick over every note, the deletion of notes past
// their delete date at start-up, and the redraw when the day changes.
#pragma once

namespace varnel::win {

// Every note's schedule now, then RedrawOnNewDay.
void RunScheduleTick();
// Repaints every note once the date has changed since the last look, so date
// codes show the new day; the first look only records the day.
void RedrawOnNewDay(int today);
// Start-up, after the notes and before the first tick: a note whose delete
// date has come is deleted as the delete command does.
void DeleteExpiredNotes();

}  // namespace varnel::win
