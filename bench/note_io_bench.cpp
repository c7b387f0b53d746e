// Load and save of 50 full notes through our store, against raw reading and
// atomic writing of the same bytes, measured in the same run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "core/config/profile_store.h"
#include "core/features/alarm_table.h"
#include "core/note/note_content.h"
#include "bench_timing.h"
#include "note_generator.h"

using namespace varnel;
namespace fs = std::filesystem;

using bench::Median;
using bench::TimeMs;

int main() {
  const fs::path dir = fs::temp_directory_path() / "varnel_note_bench";
  fs::remove_all(dir);
  const auto bytes = bench::WriteNoteFolder(dir);
  std::vector<fs::path> files;
  for (int slot = 0; slot < 50; ++slot) {
    char name[32];
    std::snprintf(name, sizeof name, "Varnel%02d.dat", slot);
    files.push_back(dir / name);
  }
  StoreEnv env;
  env.programPath = dir / "Varnel.exe";
  AlarmTable alarms(AlarmClock{[] { return DateTime{}; }, [](const DateTime&) { return std::int64_t{0}; }});

  std::vector<double> rawLoad, ourLoad, rawSave, ourSave;
  int rows = 0;
  for (int round = 0; round < 7; ++round) {
    std::vector<std::string> contents(files.size());
    rawLoad.push_back(TimeMs([&] {
      for (std::size_t i = 0; i < files.size(); ++i) HostFileOps().read(files[i], contents[i]);
    }));
    rawSave.push_back(TimeMs([&] {
      for (std::size_t i = 0; i < files.size(); ++i) HostFileOps().replace(files[i], contents[i] + " ");
    }));
    for (std::size_t i = 0; i < files.size(); ++i) HostFileOps().replace(files[i], contents[i]);

    std::vector<std::unique_ptr<ProfileStore>> stores;
    std::vector<std::unique_ptr<NoteContent>> notes;
    ourLoad.push_back(TimeMs([&] {
      for (std::size_t i = 0; i < files.size(); ++i) {
        stores.push_back(std::make_unique<ProfileStore>());
        stores.back()->Open(env, false, "Default", &files[i], nullptr);
        notes.push_back(std::make_unique<NoteContent>());
        notes.back()->slot = static_cast<int>(i);
        notes.back()->alarms = &alarms;
        notes.back()->LoadItems(*stores.back());
      }
    }));
    rows = 0;
    for (auto& n : notes) rows += n->rows.Count();
    // A change in every note, so every save really writes its file.
    for (auto& n : notes) n->rows.At(1).text += round % 2 ? "x" : "y";
    ourSave.push_back(TimeMs([&] {
      for (std::size_t i = 0; i < files.size(); ++i) {
        ProfileStore::Batch batch(*stores[i]);
        stores[i]->WriteString("Update", "202612071030");
        notes[i]->SaveItems(*stores[i], 0);
      }
    }));
  }
  const double rl = Median(rawLoad), ol = Median(ourLoad), rs = Median(rawSave), os = Median(ourSave);
  std::printf("note files: 50 notes, %d rows, %ju bytes, median of 7 rounds\n", rows, bytes);
  std::printf("note load: raw read %.2f ms, store + rows %.2f ms, %.2fx of raw (goal 4x)\n", rl, ol, ol / rl);
  std::printf("note save: raw atomic write %.2f ms, rows + store %.2f ms, %.2fx of raw (goal 4x)\n", rs, os,
              os / rs);
  std::printf("note load+save: %.2fx of raw I/O\n", (ol + os) / (rl + rs));
  fs::remove_all(dir);
  return 0;
}
