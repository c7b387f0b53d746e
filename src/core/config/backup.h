// Rolling backups of the data folder: copies of the global file and the note
// files in data/backup/YYYYMMDD-HHMMSS, made only when something changed,
// thinned out by age, listed for the restore dialog and copied back file by
// file. Unreadable data files found at start-up are set aside as "*.bad".
#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/file_ops.h"
#include "core/features/calendar.h"

namespace varnel {

constexpr int kKeptRecentBackups = 10;
constexpr int kKeptBackupDays = 30;

// "Varnel.ini" and "Varnel00.dat".."Varnel49.dat", in any letter case.
bool IsDataFileName(std::string_view name);
// The note slot of a note file name, or -1.
int SlotOfDataFile(std::string_view name);

// "YYYYMMDD-HHMMSS", with "-N" after it for a second backup in the same second.
std::string BackupName(const DateTime& time, int serial = 1);
bool ParseBackupName(std::string_view name, DateTime& time);

// Of the backups named (any order), those to remove at `now`: everything but
// the newest kKeptRecentBackups and the newest of each of the last
// kKeptBackupDays days.
std::vector<std::string> BackupsToRemove(std::vector<std::string> names, const DateTime& now);

// A file that cannot be the program's text: empty, or with NUL bytes (what a
// power cut leaves in a file cut short, and what binary data has).
bool LooksUnreadable(std::string_view bytes);

struct SetAsideFile {
  std::string name, badName;
  bool inBackup = false;  // an older backup holds a file of that name
};

struct StartupBackupResult {
  std::vector<SetAsideFile> setAside;  // unreadable files moved out of the way
  bool made = false;                   // a new backup was written
  bool failed = false;                 // one was due and could not be written
};

// Sets unreadable data files aside, then (with backUp) backs up the rest
// when it differs from the newest backup and thins the backups out. Nothing
// of the data files themselves is ever written.
StartupBackupResult BackUpDataFolder(const FileOps& ops, const std::filesystem::path& dataFolder,
                                     const DateTime& now, bool setAsideUnreadable, bool backUp = true);

struct BackupSummary {
  std::string name;
  DateTime time;
  int notes = 0;                    // notes listed as open in its global file
  std::vector<std::string> titles;  // the first few of their titles
};

// Every backup, newest first.
std::vector<BackupSummary> ListBackups(const FileOps& ops, const std::filesystem::path& dataFolder,
                                       std::size_t maxTitles);

// Copies the backup's files over the data folder's, each by an atomic
// replacement; every file is read before the first is replaced. False when
// the backup could not be read (nothing changed) or a replacement failed.
bool RestoreBackup(const FileOps& ops, const std::filesystem::path& dataFolder, const std::string& name);

}  // namespace varnel
