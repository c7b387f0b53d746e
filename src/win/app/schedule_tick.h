// The display schedule's tick over every note, the deletion of notes past
// their delete date at start-up, and the redraw when the day changes.
#pragma once

namespace varnel::win {

// Every note's schedule now, then FollowNewDay.
void RunScheduleTick();
// Once the date has changed since the last look: repaints every note, so
// date codes show the new day, and backs up the data folder. The first look
// only records the day.
void FollowNewDay(int today);
// Start-up, after the notes and before the first tick: a note whose delete
// date has come is deleted as the delete command does.
void DeleteExpiredNotes();

}  // namespace varnel::win
