// The local clock, handed to the core as values and function objects.
#pragma once
#include "core/features/alarm_table.h"
#include "core/features/calendar.h"

namespace varnel::win {

varnel::DateTime LocalNow();
// Local time and its conversion to absolute seconds, for the alarm table.
varnel::AlarmClock LocalAlarmClock();

}  // namespace varnel::win
