// Calendar arithmetic for date codes, alarms and the display schedule: day
// numbers, weekdays, month lengths, the Japanese era year and public holidays.
// Pure functions; the current date is always handed in.
#pragma once
#include <cstdint>

namespace varnel {

struct DateTime {  // SYSTEMTIME layout
  std::uint16_t year = 2001, month = 1, dayOfWeek = 1, day = 1, hour = 0, minute = 0, second = 0,
                milliseconds = 0;
};

struct Date {
  int year, month, day;
};

// Day 0 = 2000-12-31, day 1 = 2001-01-01 (a Monday).
constexpr int kLastDayNumber = 36159;  // 2099-12-31

// Gregorian month length; months outside 1..12 count as 31 days.
int DaysInMonth(int year, int month);
// The day is clamped to the month, so 2011-02-31 counts as 2011-02-28. Dates
// outside the supported range give 0 or kLastDayNumber, never anything beyond.
int DayNumber(int year, int month, int day);
Date DayNumberToDate(int dayNumber);  // input clamped into 0..kLastDayNumber
int WeekdayOf(int dayNumber);         // 0 Sunday .. 6 Saturday, never negative
// Weekday of any Gregorian date (month and day clamped as by DayNumber).
int WeekdayOfDate(int year, int month, int day);
int TodayDayNumber(const DateTime& now);
// Gives t the date and weekday of a day number (clamped as DayNumberToDate); its time stays.
void SetDateOfDay(DateTime& t, int dayNumber);

struct MonthCarry {
  int month;
  int years;
};
// month + delta brought into 1..12 and the years carried (negative going back).
MonthCarry AddMonths(int month, int delta);

// Year within its Japanese era (Reiwa, Heisei, Showa, Taisho, Meiji); the year
// itself before 1868.
int EraYear(int year);

// Holiday codes: 0 substitute holiday, 1 citizens' holiday, 2..16 the fixed
// and moving holidays, 17 Mountain Day, 18 and 19 the enthronement days of 2019.
constexpr int kHolidayCodeCount = 20;
int HolidayCode(int dayNumber);  // >= 0 holiday, negative otherwise
// CP932 name of a holiday code in a given year (code 14 was renamed in 2020);
// "" for an unknown code.
const char* HolidayName(int code, int year);

// Weekday bits of alarms and display windows: bit 0 Monday .. 6 Sunday,
// then "祝" (on holidays) and "祝日を除く" (not on holidays).
constexpr unsigned kDaysOnHolidays = 0x80, kDaysNotOnHolidays = 0x100;
int WeekdayBit(int dayNumber);  // 0 Monday .. 6 Sunday
// Whether a day with these bits applies: a holiday by "祝", or by its weekday
// unless "祝日を除く"; any other day by its weekday.
bool DayBitsApply(unsigned bits, int dayNumber, bool holiday);

const char* WeekdayName(int weekday);         // "日".."土"
const char* WeekdayNameEnglish(int weekday);  // "Sun".."Sat"

}  // namespace varnel
