// Any bytes as a date format: expansion never grows the text (but for wider weekday names) and keeps
// the date in the calendar; as an alarm record: parse, register, a day of due checks and the form.
#include <cstring>

#include "core/features/alarm_table.h"
#include "core/features/calendar.h"
#include "core/features/date_codes.h"
#include "core/features/detail_alarm.h"
#include "core/note/note_content.h"
#include "fuzz_support.h"

using namespace varnel;

// Layout: mode, two bytes of day number, hour, minute, then the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  const int mode = data[0] & 3;
  DateTime dt;
  SetDateOfDay(dt, (data[1] << 8 | data[2]) % (kLastDayNumber + 1));
  dt.hour = data[3] % 24;
  dt.minute = data[4] % 60;
  const DateTime before = dt;
  const std::string input = Bytes(data, size, 5);

  const std::string formatted = FormatAlarmRecord(ParseAlarmRecord(input));
  Check(formatted.size() == 12 && FormatAlarmRecord(ParseAlarmRecord(formatted)) == formatted);
  Check(RecordOfAlarmForm(AlarmFormOfRecord(input)).size() == 12);
  DateTime now = dt;
  const auto seconds = [](const DateTime& t) {  // the clock as seconds from the first day
    return std::int64_t{TodayDayNumber(t)} * kSecondsPerDay + t.hour * 3600 + t.minute * 60 + t.second;
  };
  AlarmTable table(AlarmClock{[&] { return now; }, seconds});
  NoteContent note;
  note.alarms = &table;
  note.AddHeading("h");
  const int row = note.InsertDetail(0, note.MakeRoomAfter(0, 0), "d");
  SetDetailAlarm(note, row, input, kAlarmOn);
  Check(DetailAlarmState(note, row, nullptr) == kAlarmOn);
  AlarmDueActions actions{[](int) { return true; }, [](int) { return false; },
                          [&](int i) { note.ClearAlarmMarks(i + 1, table.Slot(i).rowKey); }};
  for (int minute = 0; minute < 24 * 60; minute += 7) {
    now.hour = static_cast<std::uint16_t>(minute / 60);
    now.minute = static_cast<std::uint16_t>(minute % 60);
    const int due = table.CheckAlarms(500, actions);
    Check(due >= -1 && due < kAlarmSlotCount);
  }

  std::string text = input;
  const int count = ExpandDateCodes(dt, text, mode);
  // Literal bytes depend on the compiler: allow for wider weekday names.
  const std::size_t extra = std::strlen(WeekdayName(0)) > 2 ? std::strlen(WeekdayName(0)) - 2 : 0;
  std::size_t percents = 0;
  for (char c : input) percents += c == '%';
  Check(text.size() <= input.size() + extra * percents && (percents > 0 || text == input));
  if (input.find("%c") == std::string::npos || !(mode & kDateMath)) Check(count == kNoDayCount);
  if (count != kNoDayCount) Check(count >= -kLastDayNumber && count <= kLastDayNumber);
  const int moved = DayNumber(dt.year, dt.month, dt.day);
  const Date back = DayNumberToDate(moved);
  Check(back.year == dt.year && back.month == dt.month && back.day == dt.day &&
        dt.dayOfWeek == WeekdayOf(moved));
  Check(dt.hour == before.hour && dt.minute == before.minute && dt.second == before.second);
  if (!(mode & kDateMath)) Check(moved == DayNumber(before.year, before.month, before.day));
  return 0;
}
