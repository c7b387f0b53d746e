// Any bytes as the alarm record of a detail, read as a note file would hand it
// over: parsing, registering, the due check over a day and the setting dialog's
// form must not crash and must keep their ranges.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/features/alarm_table.h"
#include "core/features/detail_alarm.h"
#include "core/note/note_content.h"

using namespace varnel;

namespace {

std::int64_t Absolute(const DateTime& t) {
  return static_cast<std::int64_t>(DayNumber(t.year, t.month, t.day)) * kSecondsPerDay + t.hour * 3600 +
         t.minute * 60 + t.second;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first two bytes pick the day the clock starts on.
  const int start = 1 + (data[0] | (data[1] << 8)) % kLastDayNumber;
  const std::string record(reinterpret_cast<const char*>(data + 2), size - 2);

  const AlarmRecord r = ParseAlarmRecord(record);
  const std::string formatted = FormatAlarmRecord(r);
  if (formatted.size() != 12) std::abort();
  const AlarmRecord again = ParseAlarmRecord(formatted);
  if (again.hour != r.hour || again.minute != r.minute || again.second != r.second || again.flags != r.flags)
    std::abort();
  if (RecordOfAlarmForm(AlarmFormOfRecord(record)).size() != 12) std::abort();

  DateTime now;
  SetDateOfDay(now, start);
  AlarmTable table(AlarmClock{[&] { return now; }, Absolute});
  NoteContent note;
  note.alarms = &table;
  note.AddHeading("h");
  const int row = note.InsertDetail(0, note.MakeRoomAfter(0, 0), "d");
  SetDetailAlarm(note, row, record, kAlarmOn);
  if (DetailAlarmState(note, row, nullptr) != kAlarmOn) std::abort();
  AlarmDueActions actions{[](int) { return true; }, [](int) { return false; },
                          [&](int i) { note.ClearAlarmMarks(i + 1, table.Slot(i).rowKey); }};
  for (int minute = 0; minute < 24 * 60; minute += 7) {
    now.hour = static_cast<std::uint16_t>(minute / 60);
    now.minute = static_cast<std::uint16_t>(minute % 60);
    const int due = table.CheckAlarms(500, actions);
    if (due < -1 || due >= kAlarmSlotCount) std::abort();
  }
  return 0;
}
