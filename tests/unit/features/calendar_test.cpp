#include "core/features/calendar.h"

#include <algorithm>
#include <array>
#include <climits>

#include "test_support.h"

using namespace varnel;

namespace {

std::array<int, 3> Ymd(const Date& d) { return {d.year, d.month, d.day}; }

TEST(DayNumberTest, AnchorsAndClampsOfTheRange) {
  // Outside the range a date clamps to its ends (-1: the last day).
  const std::array<int, 4> numbers[] = {
      {2001, 1, 1, 1},    {2000, 12, 31, 0}, {2011, 1, 1, 3653},
      {2000, 2, 29, 0},   {1999, 6, 1, 0},   {INT_MIN, INT_MIN, INT_MIN, 0},
      {2099, 12, 31, -1}, {2100, 1, 1, -1},  {INT_MAX, INT_MAX, INT_MAX, -1}};
  for (const auto& [y, m, d, n] : numbers)
    EXPECT_EQ(DayNumber(y, m, d), n < 0 ? kLastDayNumber : n) << y << "-" << m << "-" << d;
  // Impossible months and days name the nearest real date of that year.
  const std::array<int, 4> nearest[] = {{2011, 2, 31, 28}, {2012, 2, 31, 29}, {2011, 4, 31, 30},
                                        {2011, 0, 5, 5},   {2011, 13, 5, 5},  {2011, 3, 0, 1},
                                        {2011, 3, -40, 1}};
  for (const auto& [y, m, d, real] : nearest)
    EXPECT_EQ(DayNumber(y, m, d), DayNumber(y, std::clamp(m, 1, 12), real)) << m << "-" << d;
  for (int n : {-1, INT_MIN, kLastDayNumber + 1, INT_MAX})
    EXPECT_EQ(Ymd(DayNumberToDate(n)), (n < 0 ? std::array{2000, 12, 31} : std::array{2099, 12, 31})) << n;
  // 2001-01-01 a Monday, 2000-12-30 a Saturday, 2000-02-29 a Tuesday before the range.
  EXPECT_EQ((std::array{WeekdayOf(1), WeekdayOf(-1), WeekdayOfDate(2000, 2, 29)}), (std::array{1, 6, 2}));
  for (int n : {-7, -8, INT_MIN, INT_MAX}) EXPECT_TRUE(WeekdayOf(n) >= 0 && WeekdayOf(n) <= 6) << n;
  EXPECT_EQ(TodayDayNumber(test::MakeDateTime(2011, 1, 10)), 3662);
}

TEST(DayNumberTest, EveryDayRoundTripsAndFollowsTheDayBefore) {
  Date prev = DayNumberToDate(0);
  for (int n = 1; n <= kLastDayNumber; ++n) {
    const Date d = DayNumberToDate(n);
    ASSERT_EQ(DayNumber(d.year, d.month, d.day), n);
    ASSERT_EQ(WeekdayOf(n), (WeekdayOf(n - 1) + 1) % 7) << n;
    ASSERT_EQ(WeekdayOfDate(d.year, d.month, d.day), WeekdayOf(n)) << n;
    const bool monthEnd = prev.day == DaysInMonth(prev.year, prev.month),
               yearEnd = monthEnd && prev.month == 12;
    ASSERT_EQ(Ymd(d), (std::array<int, 3>{prev.year + yearEnd, yearEnd ? 1 : prev.month + monthEnd,
                                          monthEnd ? 1 : prev.day + 1}))
        << n;
    prev = d;
  }
  EXPECT_EQ(Ymd(prev), (std::array<int, 3>{2099, 12, 31}));
}

TEST(DayNumberTest, LeapCenturiesMonthCarriesAndEraYears) {
  EXPECT_EQ(DaysInMonth(2000, 2), 29);  // the range's own years are checked day by day above
  EXPECT_EQ(DaysInMonth(2100, 2), 28);
  const std::array<int, 4> carries[] = {
      {5, 0, 5, 0},    {12, 1, 1, 1}, {1, -1, 12, -1},  {1, -12, 1, -1},
      {12, 12, 12, 1}, {3, 25, 4, 2}, {3, -27, 12, -3}, {6, INT_MAX, 1, 178956971}};  // no overflow
  for (const auto& [month, delta, m, years] : carries) {
    const MonthCarry c = AddMonths(month, delta);
    EXPECT_EQ(std::make_pair(c.month, c.years), std::make_pair(m, years)) << month << "+" << delta;
  }
  const std::pair<int, int> eras[] = {{1867, 1867}, {1868, 1}, {1911, 44}, {1912, 1}, {1925, 14}, {1926, 1},
                                      {1988, 63},   {1989, 1}, {2018, 30}, {2019, 1}, {2024, 6}};
  for (const auto& [year, era] : eras) EXPECT_EQ(EraYear(year), era) << year;
}

TEST(HolidayTest, MatchesTheOfficialListOf2001To2050) {
  std::ifstream in(VARNEL_SOURCE_DIR "/tests/unit/features/data/holidays_jp.txt", std::ios::binary);
  std::vector<std::string> expected(kLastDayNumber + 1);  // by day number
  int count = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    ASSERT_GT(line.size(), 11u) << line;
    expected[DayNumber(std::stoi(line.substr(0, 4)), std::stoi(line.substr(5, 2)),
                       std::stoi(line.substr(8, 2)))] = line.substr(11);
    ++count;
  }
  ASSERT_GT(count, 800) << "fixture missing";
  for (int n = DayNumber(2001, 1, 1); n <= DayNumber(2050, 12, 31); ++n) {
    const Date d = DayNumberToDate(n);
    EXPECT_EQ(HolidayName(HolidayCode(n), d.year), expected[n]) << d.year << "-" << d.month << "-" << d.day;
  }
  // The ends of the range, a stray code or weekday never read outside the tables.
  for (int n : {-5, INT_MAX}) EXPECT_LT(HolidayCode(n), 0);
  EXPECT_STREQ(HolidayName(kHolidayCodeCount, 2011), "");
  EXPECT_STREQ(WeekdayName(7), "日");
  EXPECT_STREQ(WeekdayNameEnglish(-1), "Sat");
}

}  // namespace
