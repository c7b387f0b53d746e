#include "core/features/detail_alarm.h"

#include "core/config/profile_store.h"
#include "core/features/alarm_table.h"
#include "core/note/note_content.h"
#include "core/text/cp932.h"

namespace varnel {
namespace {

constexpr std::size_t kRecordAt = 8, kRecordLength = 12;

std::string RecordOfStatus(std::string_view status) {
  std::string record(status.size() > kRecordAt ? status.substr(kRecordAt, kRecordLength) : "");
  record.resize(kRecordLength, '0');
  return record;
}

int RowOf(const NoteContent& content, int row) {
  if (row < 0) row = content.dialogRow;
  return content.rows.Valid(row) ? row : -1;
}

}  // namespace

int DetailAlarmState(const NoteContent& content, int row, std::string* record) {
  row = RowOf(content, row);
  const std::string_view status = row >= 0 ? std::string_view(content.rows.At(row).status) : "";
  if (record) *record = RecordOfStatus(status);
  const int chosen = StatusDigit(status, 3) & 12;
  return chosen == 12 ? kAlarmOn : chosen == 4 ? kAlarmOff : kAlarmNone;
}

void DisarmDetailAlarm(NoteContent& content, int row) {
  row = RowOf(content, row);
  if (row < 0) return;
  std::string& status = content.rows.At(row).status;
  const int number = StatusAlarmNumber(status);
  if (number >= 1 && content.alarms) content.alarms->FreeAlarm(number);
  SetStatusDigit(status, 7, StatusDigit(status, 7) & ~12);
  SetStatusAlarmNumber(status, 0);
}

bool SetDetailAlarm(NoteContent& content, int row, std::string_view record, int state) {
  row = RowOf(content, row);
  if (row < 0) return true;
  Row& target = content.rows.At(row);
  std::string status = target.status.substr(0, kRecordAt);
  status.resize(kRecordAt, '0');
  std::string fixed(record.substr(0, kRecordLength));
  fixed.resize(kRecordLength, '0');
  status += fixed;
  if (state < 0) {
    // Only the record: a detail without an alarm keeps none in its file.
    target.status = std::move(status);
    return true;
  }
  int number = StatusAlarmNumber(status);
  if (number >= 1 && content.alarms) content.alarms->FreeAlarm(number);
  int digit3 = StatusDigit(status, 3) & ~12, digit7 = StatusDigit(status, 7) & ~12;
  number = 0;
  bool ok = true;
  if (state == kAlarmOn) {
    digit3 |= 12;
    const int registered =
        content.alarms ? content.alarms->RegisterAlarm(content.slot, target.key, fixed) : -1;
    ok = registered > 0;
    digit7 |= ok ? 12 : 4;
    number = ok ? registered : 0;
  } else if (state == kAlarmOff) {
    digit3 |= 4;
    digit7 |= 4;
  } else {
    status.resize(kRecordAt);
  }
  SetStatusDigit(status, 3, digit3);
  SetStatusDigit(status, 7, digit7);
  SetStatusAlarmNumber(status, number);
  target.status = std::move(status);
  return ok;
}

std::string AlarmWindowTitle(std::string_view detailText) {
  return detailText.empty() ? std::string("Varnel") : cp932::Cut(detailText, 299);
}

AlarmForm AlarmFormOfRecord(std::string_view record) {
  const AlarmRecord r = ParseAlarmRecord(record);
  AlarmForm f;
  f.hour = r.hour;
  f.minute = r.minute;
  f.second = r.second;
  f.dated = !(r.flags & kAlarmWeekly);
  f.runsCommand = (r.flags & kAlarmRunsCommand) != 0;
  if (f.dated) {
    const int year = 2000 + Clamp(static_cast<int>(r.flags & 0xFF), 0, 99);
    const int month = Clamp(static_cast<int>((r.flags >> 16) & 0xF), 1, 12);
    f.date = Date{year, month, Clamp(static_cast<int>((r.flags >> 8) & 0xFF), 1, DaysInMonth(year, month))};
  } else {
    f.days = r.flags & 0x1FF;
  }
  return f;
}

std::string RecordOfAlarmForm(const AlarmForm& f) {
  AlarmRecord r{f.hour, f.minute, f.second, 0};
  if (f.dated)
    r.flags = (static_cast<std::uint32_t>(f.date.month & 0xF) << 16) |
              (static_cast<std::uint32_t>(f.date.day & 0xFF) << 8) |
              static_cast<std::uint32_t>(((f.date.year % 100) + 100) % 100);
  else
    r.flags = kAlarmWeekly | (f.days & 0x1FF);
  if (f.runsCommand) r.flags |= kAlarmRunsCommand;
  return FormatAlarmRecord(r);
}

void AlarmDateRange(const Date& today, Date& first, Date& last) {
  first = today;
  // The same day of the month a year on, counted from the month's first day so
  // that 29 February ends on 28 February.
  last = DayNumberToDate(DayNumber(today.year + 1, today.month, 1) + today.day - 2);
}

}  // namespace varnel
