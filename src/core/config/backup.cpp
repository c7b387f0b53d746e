#include "core/config/backup.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "core/config/global_options.h"
#include "core/config/profile_store.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;
using FileMap = std::map<std::string, std::string>;  // data file name -> bytes

constexpr const char* kBackupFolder = "backup";
constexpr const char* kGlobalFile = "Varnel.ini";
constexpr char kTempPrefix = '~';  // a backup being written; never listed as one
// The sizes and times the data files had when a backup copied them: a start
// that finds them all the same need not compare the contents.
constexpr const char* kStampsFile = "stamps.txt";

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int Number(std::string_view s, std::size_t at, std::size_t n) {
  int v = 0;
  for (std::size_t i = at; i < at + n; ++i) v = v * 10 + (s[i] - '0');
  return v;
}

// Every data file of a folder, read whole; a file that cannot be read is left
// out. stamps (when given) gets each file's size and time, taken before it is read.
FileMap ReadDataFiles(const FileOps& ops, const fs::path& folder, bool* complete = nullptr,
                      FileMap* stamps = nullptr) {
  FileMap files;
  std::vector<FolderEntry> entries;
  const bool listed = ops.list(folder, entries);
  if (complete) *complete = listed;
  for (const FolderEntry& e : entries) {
    if (e.folder || !IsDataFileName(e.name)) continue;
    if (stamps) {
      const FileStamp st = ops.stamp(folder / e.name);
      (*stamps)[e.name] = std::to_string(st.size) + "\t" + std::to_string(st.mtime);
    }
    std::string bytes;
    if (ops.read(folder / e.name, bytes))
      files.emplace(e.name, std::move(bytes));
    else if (complete)
      *complete = false;
  }
  return files;
}

// Backup folder names, oldest first (names sort by time).
std::vector<std::string> BackupNames(const std::vector<FolderEntry>& entries) {
  std::vector<std::string> names;
  DateTime unused;
  for (const FolderEntry& e : entries)
    if (e.folder && ParseBackupName(e.name, unused)) names.push_back(e.name);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    // "-N" sorts after the plain name of the same second.
    return a.substr(0, 15) != b.substr(0, 15) ? a < b : a.size() != b.size() ? a.size() < b.size() : a < b;
  });
  return names;
}

bool RemoveTree(const FileOps& ops, const fs::path& folder) {
  std::vector<FolderEntry> entries;
  ops.list(folder, entries);
  for (const FolderEntry& e : entries) {
    if (e.folder)
      RemoveTree(ops, folder / e.name);
    else
      ops.remove(folder / e.name);
  }
  return ops.remove(folder);
}

// A free "*.bad" name beside the file; an older one is never overwritten.
bool MoveAside(const FileOps& ops, const fs::path& folder, const std::string& name, std::string& badName) {
  for (int n = 1; n < 100; ++n) {
    badName = n == 1 ? name + ".bad" : name + "." + std::to_string(n) + ".bad";
    if (ops.stamp(folder / badName).exists) continue;
    if (ops.rename(folder / name, folder / badName)) return true;
  }
  return false;
}

// Writes the files into a temporary folder and renames it into place, so a
// backup folder is there whole or not at all.
bool WriteBackup(const FileOps& ops, const fs::path& root, const FileMap& files, const std::string& stamps,
                 const DateTime& now) {
  const fs::path temp = root / (std::string(1, kTempPrefix) + BackupName(now) + ".tmp");
  RemoveTree(ops, temp);
  if (!ops.makeFolder(temp)) return false;
  bool ok = ops.write(temp / kStampsFile, stamps);
  for (const auto& [name, bytes] : files) ok = ok && ops.write(temp / name, bytes);
  if (ok) {
    ok = false;
    for (int serial = 1; serial < 100 && !ok; ++serial) ok = ops.rename(temp, root / BackupName(now, serial));
  }
  if (!ok) RemoveTree(ops, temp);
  return ok;
}

}  // namespace

int SlotOfDataFile(std::string_view name) {
  if (name.size() != 12 || !EqualNoCase(name.substr(0, 6), "Varnel") ||
      !EqualNoCase(name.substr(8), ".dat") || !IsDigit(name[6]) || !IsDigit(name[7]))
    return -1;
  const int slot = Number(name, 6, 2);
  return slot < kSlotCount ? slot : -1;
}

bool IsDataFileName(std::string_view name) {
  return EqualNoCase(name, kGlobalFile) || SlotOfDataFile(name) >= 0;
}

std::string BackupName(const DateTime& t, int serial) {
  char name[40];
  std::snprintf(name, sizeof name, "%04u%02u%02u-%02u%02u%02u", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return serial > 1 ? std::string(name) + "-" + std::to_string(serial) : std::string(name);
}

bool ParseBackupName(std::string_view name, DateTime& time) {
  if (name.size() < 15 || name[8] != '-') return false;
  for (std::size_t i = 0; i < 15; ++i)
    if (i != 8 && !IsDigit(name[i])) return false;
  if (name.size() > 15) {
    if (name[15] != '-' || name.size() == 16 || name.size() > 18) return false;
    for (std::size_t i = 16; i < name.size(); ++i)
      if (!IsDigit(name[i])) return false;
  }
  const int y = Number(name, 0, 4), mo = Number(name, 4, 2), d = Number(name, 6, 2);
  const int h = Number(name, 9, 2), mi = Number(name, 11, 2), s = Number(name, 13, 2);
  // The calendar's range: a clock outside it names no backup the program can sort by day.
  if (y < 2001 || y > 2099 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) || h > 23 || mi > 59 ||
      s > 59)
    return false;
  time = DateTime{};
  SetDateOfDay(time, DayNumber(y, mo, d));
  time.hour = static_cast<std::uint16_t>(h);
  time.minute = static_cast<std::uint16_t>(mi);
  time.second = static_cast<std::uint16_t>(s);
  return true;
}

std::vector<std::string> BackupsToRemove(std::vector<std::string> names, const DateTime& now) {
  std::vector<FolderEntry> entries;
  for (std::string& n : names) entries.push_back({std::move(n), true});
  const std::vector<std::string> sorted = BackupNames(entries);  // oldest first
  const int today = DayNumber(now.year, now.month, now.day);
  std::set<int> daysKept;
  std::vector<std::string> remove;
  for (std::size_t i = sorted.size(); i-- > 0;) {
    DateTime t;
    ParseBackupName(sorted[i], t);
    const int day = DayNumber(t.year, t.month, t.day);
    const bool recent = sorted.size() - i <= static_cast<std::size_t>(kKeptRecentBackups);
    // The first seen of a day is its newest.
    const bool dayKept = day <= today && day > today - kKeptBackupDays && daysKept.insert(day).second;
    if (!recent && !dayKept) remove.push_back(sorted[i]);
  }
  return remove;
}

bool LooksUnreadable(std::string_view bytes) {
  return bytes.empty() || bytes.find('\0') != std::string_view::npos;
}

StartupBackupResult BackUpDataFolder(const FileOps& ops, const fs::path& dataFolder, const DateTime& now,
                                     bool setAsideUnreadable, bool backUp) {
  StartupBackupResult result;
  FileMap stampOf;
  FileMap files = ReadDataFiles(ops, dataFolder, nullptr, &stampOf);
  for (auto it = files.begin(); setAsideUnreadable && it != files.end();) {
    std::string badName;
    if (LooksUnreadable(it->second) && MoveAside(ops, dataFolder, it->first, badName)) {
      result.setAside.push_back({it->first, badName});
      stampOf.erase(it->first);
      it = files.erase(it);
    } else {
      ++it;
    }
  }

  const fs::path root = dataFolder / kBackupFolder;
  std::vector<FolderEntry> entries;
  ops.list(root, entries);
  for (const FolderEntry& e : entries)
    if (e.folder && !e.name.empty() && e.name[0] == kTempPrefix) RemoveTree(ops, root / e.name);  // a crash's
  std::vector<std::string> names = BackupNames(entries);

  std::string stamps;
  for (const auto& [name, stamp] : stampOf)
    if (files.count(name)) stamps += name + "\t" + stamp + "\r\n";
  bool unchanged = files.empty() || !backUp;
  if (!unchanged && !names.empty()) {
    std::string last;
    unchanged = ops.read(root / names.back() / kStampsFile, last) && last == stamps;
    if (!unchanged) {
      bool complete = false;
      unchanged = ReadDataFiles(ops, root / names.back(), &complete) == files && complete;
      // Touched but the same: the next start need not compare the contents again.
      if (unchanged) ops.replace(root / names.back() / kStampsFile, stamps);
    }
  }
  if (!unchanged) {
    ops.makeFolder(root);
    result.made = WriteBackup(ops, root, files, stamps, now);
    result.failed = !result.made;
    if (result.made) {
      std::vector<FolderEntry> after;
      ops.list(root, after);
      names = BackupNames(after);
    }
  }
  for (const std::string& old : backUp ? BackupsToRemove(names, now) : std::vector<std::string>{}) {
    RemoveTree(ops, root / old);
    names.erase(std::find(names.begin(), names.end(), old));
  }
  for (SetAsideFile& f : result.setAside)
    for (const std::string& name : names) f.inBackup = f.inBackup || ops.stamp(root / name / f.name).exists;
  return result;
}

std::vector<BackupSummary> ListBackups(const FileOps& ops, const fs::path& dataFolder,
                                       std::size_t maxTitles) {
  const fs::path root = dataFolder / kBackupFolder;
  std::vector<FolderEntry> entries;
  ops.list(root, entries);
  std::vector<std::string> names = BackupNames(entries);
  std::vector<BackupSummary> list;
  StoreEnv env;
  env.programPath = dataFolder.parent_path() / "Varnel.exe";
  env.files = ops;
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    BackupSummary b;
    b.name = *name;
    ParseBackupName(b.name, b.time);
    const fs::path folder = root / b.name;
    ProfileStore global;
    const fs::path globalFile = folder / kGlobalFile;
    global.Open(env, false, "Default", &globalFile, nullptr);
    const std::string flags = global.ReadString("List", "", kSlotCount + 1);
    for (std::size_t slot = 0; slot < flags.size(); ++slot) {
      if (flags[slot] != '1') continue;
      char file[16];
      std::snprintf(file, sizeof file, "Varnel%02u.dat", static_cast<unsigned>(slot));
      const fs::path notePath = folder / file;
      if (!ops.stamp(notePath).exists) continue;
      ++b.notes;
      if (b.titles.size() >= maxTitles) continue;
      ProfileStore note;
      note.Open(env, false, "Default", &notePath, nullptr);
      b.titles.push_back(note.ReadString("Title", "", 261));
    }
    list.push_back(std::move(b));
  }
  return list;
}

bool RestoreBackup(const FileOps& ops, const fs::path& dataFolder, const std::string& name) {
  DateTime unused;
  if (!ParseBackupName(name, unused)) return false;
  bool complete = false;
  const FileMap files = ReadDataFiles(ops, dataFolder / kBackupFolder / name, &complete);
  if (!complete || files.empty()) return false;
  // Copies cut short by a power cut during the backup would replace good files.
  for (const auto& entry : files)
    if (LooksUnreadable(entry.second)) return false;
  bool ok = true;
  // The global file last: its list of open notes then names notes already back.
  for (const auto& [file, bytes] : files)
    if (!EqualNoCase(file, kGlobalFile)) ok = ops.replace(dataFolder / file, bytes) && ok;
  for (const auto& [file, bytes] : files)
    if (EqualNoCase(file, kGlobalFile)) ok = ops.replace(dataFolder / file, bytes) && ok;
  return ok;
}

}  // namespace varnel
