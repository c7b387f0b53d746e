// A detail's alarm as its status string holds it (position 3 the chosen
// state, 4-5 the table number, 7 present/armed, 8-19 the record), and the
// rules of the alarm setting dialog.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/features/calendar.h"

namespace varnel {

class NoteContent;

enum AlarmState { kAlarmNone = 0, kAlarmOn = 1, kAlarmOff = 2 };

// State of the detail at list row `row` (-1: the dialog row); record gets its
// 12 characters, zeros where the status holds none.
int DetailAlarmState(const NoteContent& content, int row, std::string* record);
// Stores record in the detail; with state >= 0 also frees its slot and applies
// the state, registering anew for ON. False only when an ON alarm found no
// free slot (it stays ON, unarmed); the caller shows the message and redraws.
bool SetDetailAlarm(NoteContent& content, int row, std::string_view record, int state);
// Disarms a detail's alarm (the properties page opening it): slot freed, unarmed.
void DisarmDetailAlarm(NoteContent& content, int row);

// The alarm window's title: the detail's text cut to 299 bytes on a whole
// character, or the program's name when there is none.
std::string AlarmWindowTitle(std::string_view detailText);

// What the alarm setting dialog shows and returns.
struct AlarmForm {
  int hour = 0, minute = 0, second = 0;
  bool dated = true;       // "日付"
  Date date{2000, 1, 1};   // the date picker's day
  std::uint32_t days = 0;  // the nine weekday boxes, bits 0-8
  bool runsCommand = false;
};
AlarmForm AlarmFormOfRecord(std::string_view record);
std::string RecordOfAlarmForm(const AlarmForm& form);
// The date picker's range: today up to the day before the same date a year on.
void AlarmDateRange(const Date& today, Date& first, Date& last);

}  // namespace varnel
