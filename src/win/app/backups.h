// The rolling backups of the data folder in the running program: at start-up,
// once a day, and the restore of one of them.
#pragma once
#include <windows.h>

#include <string>

namespace varnel::win {

// Start-up, before anything is written: unreadable data files are set aside
// as "*.bad" (their notes stay closed; an unreadable global file means the
// options are read again), then the data folder is backed up if it changed.
void BackUpAtStart();
// After the notes opened: one message naming the files set aside, if any.
void ReportSetAsideFiles();
// The first look at a new day while running.
void BackUpDaily();
// Saves everything and backs it up, closes every note quietly, copies the
// backup's files in and reopens the notes as at start-up. Tells the user
// (owner) what went wrong; false when the restore did not run or failed.
bool RestoreFromBackup(HWND owner, const std::string& name);

}  // namespace varnel::win
