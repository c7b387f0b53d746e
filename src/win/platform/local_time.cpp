#include "win/platform/local_time.h"

#include <windows.h>

#include <ctime>

namespace varnel::win {

varnel::DateTime LocalNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return FromSystemTime(st);
}

SYSTEMTIME ToSystemTime(const varnel::DateTime& t) {
  return SYSTEMTIME{t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.milliseconds};
}

varnel::DateTime FromSystemTime(const SYSTEMTIME& st) {
  varnel::DateTime t;
  t.year = st.wYear;
  t.month = st.wMonth;
  t.dayOfWeek = st.wDayOfWeek;
  t.day = st.wDay;
  t.hour = st.wHour;
  t.minute = st.wMinute;
  t.second = st.wSecond;
  t.milliseconds = st.wMilliseconds;
  return t;
}

varnel::AlarmClock LocalAlarmClock() {
  return varnel::AlarmClock{LocalNow, [](const varnel::DateTime& t) {
                              std::tm tm{};
                              tm.tm_year = t.year - 1900;
                              tm.tm_mon = t.month - 1;
                              tm.tm_mday = t.day;
                              tm.tm_hour = t.hour;
                              tm.tm_min = t.minute;
                              tm.tm_sec = t.second;
                              tm.tm_isdst = -1;
                              return static_cast<std::int64_t>(std::mktime(&tm));
                            }};
}

}  // namespace varnel::win
