#include "core/features/calendar.h"

#include <cstdint>

namespace varnel {

namespace {

constexpr bool IsLeapYear(std::int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Days since 1970-01-01 of a proleptic Gregorian date (month 1..12, day valid).
constexpr std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

Date CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return Date{static_cast<int>(yoe + era * 400 + (m <= 2)), m, d};
}

constexpr std::int64_t kDayZero = DaysFromCivil(2000, 12, 31);

// Month clamped to 1..12 and day to the month, so every input names a real date.
std::int64_t CivilDays(int year, int month, int day) {
  if (month < 1) month = 1;
  if (month > 12) month = 12;
  const int last = DaysInMonth(year, month);
  if (day > last) day = last;
  if (day < 1) day = 1;
  return DaysFromCivil(year, month, day);
}

bool IsNthMonday(int weekday, int day, int n) { return weekday == 1 && (day - 1) / 7 == n - 1; }

int EquinoxDay(int year, double base) {
  const int k = year - 1980;
  return static_cast<int>(0.242194 * k + base - k / 4);
}

// The Olympic years moved Marine, Sports and Mountain Day by special law.
bool IsOlympicShiftYear(int year) { return year == 2020 || year == 2021; }

int MountainDay(int year) { return year == 2020 ? 10 : (year == 2021 ? 8 : 11); }

int JulyHoliday(int year, int day, int weekday) {
  if (year == 2020) return day == 23 ? 11 : (day == 24 ? 14 : -1);
  if (year == 2021) return day == 22 ? 11 : (day == 23 ? 14 : -1);
  if (year >= 2003) return IsNthMonday(weekday, day, 3) ? 11 : -1;
  if (day == 20) return 11;
  if (day == 21 && weekday == 1) return 0;
  return -1;
}

int SeptemberHoliday(int year, int day, int weekday) {
  if (year >= 2003) {
    if (IsNthMonday(weekday, day, 3)) return 12;
  } else {
    if (day == 15) return 12;
    if (day == 16 && weekday == 1) return 0;
  }
  const int autumn = EquinoxDay(year, 23.2488);
  if (day == autumn) return 13;
  if (day == autumn + 1 && weekday == 1) return 0;
  // The Tuesday between Respect for the Aged Day and the equinox.
  if (day == autumn - 1 && weekday == 2 && autumn >= 17 && autumn <= 23 && year >= 2003) return 1;
  return -1;
}

}  // namespace

int DaysInMonth(int year, int month) {
  if (month == 2) return IsLeapYear(year) ? 29 : 28;
  if (month == 4 || month == 6 || month == 9 || month == 11) return 30;
  return 31;
}

int DayNumber(int year, int month, int day) {
  // Every date outside the supported years clamps to an end of the range.
  if (year < 2000) return 0;
  if (year > 2099) return kLastDayNumber;
  const std::int64_t n = CivilDays(year, month, day) - kDayZero;
  if (n < 0) return 0;
  return n > kLastDayNumber ? kLastDayNumber : static_cast<int>(n);
}

Date DayNumberToDate(int dayNumber) {
  if (dayNumber < 0) dayNumber = 0;
  if (dayNumber > kLastDayNumber) dayNumber = kLastDayNumber;
  return CivilFromDays(kDayZero + dayNumber);
}

int WeekdayOf(int dayNumber) {
  const int w = dayNumber % 7;
  return w < 0 ? w + 7 : w;
}

int WeekdayOfDate(int year, int month, int day) {
  // 1970-01-01 was a Thursday.
  const std::int64_t w = (CivilDays(year, month, day) + 4) % 7;
  return static_cast<int>(w < 0 ? w + 7 : w);
}

int WeekdayBit(int dayNumber) { return (WeekdayOf(dayNumber) + 6) % 7; }

bool DayBitsApply(unsigned bits, int dayNumber, bool holiday) {
  const bool weekday = (bits >> WeekdayBit(dayNumber)) & 1u;
  if (holiday) return (bits & kDaysOnHolidays) || (weekday && !(bits & kDaysNotOnHolidays));
  return weekday;
}

void SetDateOfDay(DateTime& t, int dayNumber) {
  const Date d = DayNumberToDate(dayNumber);
  t.year = static_cast<std::uint16_t>(d.year);
  t.month = static_cast<std::uint16_t>(d.month);
  t.day = static_cast<std::uint16_t>(d.day);
  t.dayOfWeek = static_cast<std::uint16_t>(WeekdayOf(DayNumber(d.year, d.month, d.day)));
}

int TodayDayNumber(const DateTime& now) { return DayNumber(now.year, now.month, now.day); }

MonthCarry AddMonths(int month, int delta) {
  const std::int64_t zeroBased = static_cast<std::int64_t>(month) - 1 + delta;
  std::int64_t years = zeroBased / 12;
  std::int64_t m = zeroBased % 12;
  if (m < 0) {
    m += 12;
    --years;
  }
  return MonthCarry{static_cast<int>(m + 1), static_cast<int>(years)};
}

int EraYear(int year) {
  if (year >= 2019) return year - 2018;
  if (year >= 1989) return year - 1988;
  if (year >= 1926) return year - 1925;
  if (year >= 1912) return year - 1911;
  if (year >= 1868) return year - 1867;
  return year;
}

int HolidayCode(int dayNumber) {
  const Date date = DayNumberToDate(dayNumber);
  const int y = date.year, d = date.day;
  const int w = WeekdayOfDate(y, date.month, d);
  const bool monday = w == 1;
  switch (date.month) {
    case 1:
      if (d == 1) return 3;
      if (d == 2 && monday) return 0;
      if (IsNthMonday(w, d, 2)) return 4;
      break;
    case 2:
      if (d == 11) return 5;
      if (d == 12 && monday) return 0;
      if (y >= 2020 && d == 23) return 2;
      if (y >= 2020 && d == 24 && monday) return 0;
      break;
    case 3: {
      const int spring = EquinoxDay(y, 20.8431);
      if (d == spring) return 6;
      if (d == spring + 1 && monday) return 0;
      break;
    }
    case 4:
      if (d == 29) return y < 2007 ? 9 : 7;
      if (d == 30 && monday) return 0;
      if (y == 2019 && d == 30) return 1;
      break;
    case 5:
      if (y == 2019 && d == 1) return 18;
      if (y == 2019 && d == 2) return 1;
      if (d == 3) return 8;
      // Before 2007 a Sunday between two holidays stayed a plain Sunday.
      if (d == 4) return y < 2007 ? (w == 0 ? -1 : 1) : 9;
      if (d == 5) return 10;
      if (d == 6 && monday) return 0;
      if (d == 6 && (w == 2 || w == 3) && y >= 2007) return 0;
      break;
    case 7:
      return JulyHoliday(y, d, w);
    case 8:
      if (y >= 2016) {
        if (d == MountainDay(y)) return 17;
        if (d == MountainDay(y) + 1 && monday) return 0;
      }
      break;
    case 9:
      return SeptemberHoliday(y, d, w);
    case 10:
      if (y == 2019 && d == 22) return 19;
      if (!IsOlympicShiftYear(y) && IsNthMonday(w, d, 2)) return 14;
      break;
    case 11:
      if (d == 3) return 15;
      if (d == 4 && monday) return 0;
      if (d == 23) return 16;
      if (d == 24 && monday) return 0;
      break;
    case 12:
      if (y <= 2018 && d == 23) return 2;
      if (y <= 2018 && d == 24 && monday) return 0;
      break;
    default:
      break;
  }
  return -1;
}

const char* HolidayName(int code, int year) {
  static const char* const kNames[kHolidayCodeCount] = {
      "振替休日",     "国民の休日",   "天皇誕生日", "元日",       "成人の日",
      "建国記念の日", "春分の日",     "昭和の日",   "憲法記念日", "みどりの日",
      "こどもの日",   "海の日",       "敬老の日",   "秋分の日",   "体育の日",
      "文化の日",     "勤労感謝の日", "山の日",     "即位の日",   "即位礼正殿の儀の行われる日"};
  if (code < 0 || code >= kHolidayCodeCount) return "";
  if (code == 14 && year >= 2020) return "スポーツの日";
  return kNames[code];
}

const char* WeekdayName(int weekday) {
  static const char* const kNames[7] = {"日", "月", "火", "水", "木", "金", "土"};
  return kNames[WeekdayOf(weekday)];
}

const char* WeekdayNameEnglish(int weekday) {
  static const char* const kNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  return kNames[WeekdayOf(weekday)];
}

}  // namespace varnel
