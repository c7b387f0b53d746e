// Any bytes as a detail's alarm record: parsing, registering, the due check over
// a day and the setting dialog's form keep their ranges.
#include "core/features/alarm_table.h"
#include "core/features/detail_alarm.h"
#include "core/note/note_content.h"
#include "fuzz_support.h"

using namespace varnel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string record = Bytes(data, size, 2);
  const std::string formatted = FormatAlarmRecord(ParseAlarmRecord(record));
  Check(formatted.size() == 12 && FormatAlarmRecord(ParseAlarmRecord(formatted)) == formatted);
  Check(RecordOfAlarmForm(AlarmFormOfRecord(record)).size() == 12);

  DateTime now;
  SetDateOfDay(now, 1 + (data[0] | (data[1] << 8)) % kLastDayNumber);  // the first two bytes pick the day
  AlarmTable table(AlarmClock{[&] { return now; },
                              [](const DateTime& t) {
                                return std::int64_t{DayNumber(t.year, t.month, t.day)} * kSecondsPerDay +
                                       t.hour * 3600 + t.minute * 60 + t.second;
                              }});
  NoteContent note;
  note.alarms = &table;
  note.AddHeading("h");
  const int row = note.InsertDetail(0, note.MakeRoomAfter(0, 0), "d");
  SetDetailAlarm(note, row, record, kAlarmOn);
  Check(DetailAlarmState(note, row, nullptr) == kAlarmOn);
  AlarmDueActions actions{[](int) { return true; }, [](int) { return false; },
                          [&](int i) { note.ClearAlarmMarks(i + 1, table.Slot(i).rowKey); }};
  for (int minute = 0; minute < 24 * 60; minute += 7) {
    now.hour = static_cast<std::uint16_t>(minute / 60);
    now.minute = static_cast<std::uint16_t>(minute % 60);
    const int due = table.CheckAlarms(500, actions);
    Check(due >= -1 && due < kAlarmSlotCount);
  }
  return 0;
}
