// The start-up backup of 50 full notes through the Windows file operations:
// a full backup (the first, or one after a change) and the check of a start
// without a change, against loading the same notes through the store and the
// row model, the file work every start does anyway. Prints medians and ratios;
// fails only when it cannot run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/bench_timing.h"
#include "bench/note_generator.h"
#include "core/config/backup.h"
#include "core/config/profile_store.h"
#include "core/features/alarm_table.h"
#include "core/note/note_content.h"
#include "win/platform/win_file_ops.h"

namespace fs = std::filesystem;
using namespace varnel;

using bench::Median;
using bench::TimeMs;

int main() {
  const fs::path data = fs::absolute("backup_bench") / "data";
  std::error_code ec;
  fs::remove_all(data.parent_path(), ec);
  const std::uintmax_t bytes = bench::WriteNoteFolder(data, 7, 0);
  std::ofstream(data / "Varnel.ini", std::ios::binary)
      << "[Default]\r\nList=" << std::string(50, '1') << "\r\n";
  StoreEnv env;
  env.programPath = data.parent_path() / "Varnel.exe";
  env.files = win::WinFileOps();
  AlarmTable alarms(AlarmClock{[] { return DateTime{}; }, [](const DateTime&) { return std::int64_t{0}; }});
  DateTime now;
  now.year = 2026, now.month = 12, now.day = 8, now.hour = 9;

  std::vector<double> load, full, unchanged;
  for (int round = 0; round < 7; ++round) {
    std::vector<std::unique_ptr<ProfileStore>> stores;
    std::vector<std::unique_ptr<NoteContent>> notes;
    load.push_back(TimeMs([&] {
      for (int slot = 0; slot < 50; ++slot) {
        char name[32];
        std::snprintf(name, sizeof name, "Varnel%02d.dat", slot);
        const fs::path file = data / name;
        stores.push_back(std::make_unique<ProfileStore>());
        stores.back()->Open(env, false, "Default", &file, nullptr);
        notes.push_back(std::make_unique<NoteContent>());
        notes.back()->slot = slot;
        notes.back()->alarms = &alarms;
        notes.back()->LoadItems(*stores.back());
      }
    }));
    fs::remove_all(data / "backup", ec);
    bool made = false, again = true;
    full.push_back(TimeMs([&] { made = BackUpDataFolder(win::WinFileOps(), data, now, true).made; }));
    unchanged.push_back(TimeMs([&] { again = BackUpDataFolder(win::WinFileOps(), data, now, true).made; }));
    if (!made || again) {
      std::printf("backup bench: the backup was %s\n", made ? "made again without a change" : "not made");
      return 1;
    }
  }
  const double l = Median(load), f = Median(full), u = Median(unchanged);
  std::printf("start-up backup: 50 notes, %ju bytes, median of 7 rounds\n", bytes);
  std::printf("  notes loaded (store + rows)   %8.2f ms\n", l);
  std::printf("  full backup                   %8.2f ms   backup ratio %.2fx of the load\n", f, (l + f) / l);
  std::printf("  no change, nothing written    %8.2f ms   backup ratio %.2fx of the load\n", u, (l + u) / l);
  fs::remove_all(data.parent_path(), ec);
  return 0;
}
