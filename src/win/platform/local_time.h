// The local clock, handed to the core as values and function objects.
#pragma once
#include <windows.h>

#include "core/features/alarm_table.h"
#include "core/features/calendar.h"

namespace varnel::win {

varnel::DateTime LocalNow();
// The system's time record and the core's, both ways.
varnel::DateTime FromSystemTime(const SYSTEMTIME& st);
SYSTEMTIME ToSystemTime(const varnel::DateTime& t);
// Local time and its conversion to absolute seconds, for the alarm table.
varnel::AlarmClock LocalAlarmClock();

}  // namespace varnel::win
