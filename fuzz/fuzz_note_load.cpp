// Any bytes as a note file: loading, saving and loading again must not crash,
// and the second load must give the same rows.
#include "core/features/alarm_table.h"
#include "core/features/schedule.h"
#include "core/note/note_content.h"
#include "core/text/cp932.h"
#include "fuzz_support.h"

using namespace varnel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryFile file(Bytes(data, size));
  const auto store = file.Open();
  AlarmTable alarms(AlarmClock{[] { return DateTime{}; }, [](const DateTime&) { return std::int64_t{0}; }});
  // The schedule keys as the file gives them: read within bounds, and every
  // tick leaves a state the machine knows.
  NoteSchedule schedule = ReadSchedule(*store);
  int unused = 0;
  ReadSchedule3(*store, unused);
  for (int minute : {0, 719, 1439}) {
    EvaluateNoteSchedule(schedule, minute & 1, ScheduleMoment{9472, minute, false, true});
    const int s = schedule.state;
    Check(s == -1 || s == 0 || s == 1 || s == 9 || (s >= 10 && s < 30) || s == 99);
  }
  NoteContent first, second;
  first.alarms = second.alarms = &alarms;
  first.LoadItems(*store);
  {
    ProfileStore::Batch batch(*store);
    first.SaveItems(*store, 0);
  }
  second.LoadItems(*store);
  Check(second.headingCount == first.headingCount);
  for (int h = 0; h < first.headingCount; ++h) {  // no text changes on its way through the file
    std::string a, b;
    first.ForEachRow(h, true,
                     [&](int row, std::uint32_t) { a += cp932::Cut(first.rows.At(row).text, 298) + '\x01'; });
    second.ForEachRow(h, true, [&](int row, std::uint32_t) { b += second.rows.At(row).text + '\x01'; });
    Check(a == b);
  }
  return 0;
}
