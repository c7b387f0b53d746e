// Any bytes as a note file: loading, saving and loading again must not crash,
// and the second load must give the same rows.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "core/config/profile_store.h"
#include "core/features/alarm_table.h"
#include "core/features/schedule.h"
#include "core/note/note_content.h"
#include "core/text/cp932.h"

using namespace varnel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("varnel_fuzz_note_" + std::to_string(getpid()));
  static StoreEnv env = [] {
    std::filesystem::create_directories(dir);
    StoreEnv e;
    e.programPath = dir / "Varnel.exe";
    return e;
  }();
  const std::filesystem::path file = dir / "Varnel00.dat";
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  AlarmTable alarms(AlarmClock{[] { return DateTime{}; }, [](const DateTime&) { return std::int64_t{0}; }});
  ProfileStore store;
  store.Open(env, false, "Default", &file, nullptr);
  // The schedule keys as the file gives them: read within bounds, and every
  // tick leaves a state the machine knows.
  NoteSchedule schedule = ReadSchedule(store);
  int unused = 0;
  ReadSchedule3(store, unused);
  for (int minute : {0, 719, 1439}) {
    EvaluateNoteSchedule(schedule, minute & 1, ScheduleMoment{9472, minute, false, true});
    const int s = schedule.state;
    if (!(s == -1 || s == 0 || s == 1 || s == 9 || (s >= 10 && s < 30) || s == 99)) __builtin_trap();
  }
  NoteContent first;
  first.alarms = &alarms;
  first.LoadItems(store);
  {
    ProfileStore::Batch batch(store);
    first.SaveItems(store, 0);
  }
  NoteContent second;
  second.alarms = &alarms;
  second.LoadItems(store);
  if (second.headingCount != first.headingCount) __builtin_trap();
  for (int h = 0; h < first.headingCount; ++h) {
    std::string a, b;
    first.ForEachRow(h, true,
                     [&](int row, std::uint32_t) { a += cp932::Cut(first.rows.At(row).text, 298) + '\x01'; });
    second.ForEachRow(h, true, [&](int row, std::uint32_t) { b += second.rows.At(row).text + '\x01'; });
    if (a != b) __builtin_trap();  // a text changed on its way through the file
  }
  return 0;
}
