#include "core/features/calendar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <fstream>
#include <map>
#include <string>
#include <vector>

using namespace varnel;

namespace {

bool SameDate(const Date& a, int y, int m, int d) { return a.year == y && a.month == m && a.day == d; }

TEST(DayNumberTest, AnchorsAndClampsOfTheRange) {
  // Outside the range a date clamps to its ends.
  const std::array<int, 4> numbers[] = {{2001, 1, 1, 1},
                                        {2000, 12, 31, 0},
                                        {2011, 1, 1, 3653},
                                        {2099, 12, 31, kLastDayNumber},
                                        {2000, 12, 30, 0},
                                        {2000, 2, 29, 0},
                                        {1999, 6, 1, 0},
                                        {0, 0, 0, 0},
                                        {INT_MIN, INT_MIN, INT_MIN, 0},
                                        {2100, 1, 1, kLastDayNumber},
                                        {65535, 12, 31, kLastDayNumber},
                                        {INT_MAX, INT_MAX, INT_MAX, kLastDayNumber}};
  for (const auto& [y, m, d, n] : numbers) EXPECT_EQ(DayNumber(y, m, d), n) << y << "-" << m << "-" << d;
  // Impossible months and days name the nearest real date of that year.
  const std::array<int, 4> nearest[] = {{2011, 2, 31, 28}, {2012, 2, 31, 29}, {2011, 4, 31, 30},
                                        {2011, 0, 5, 5},   {2011, 13, 5, 5},  {2011, 3, 0, 1},
                                        {2011, 3, -40, 1}};
  for (const auto& [y, m, d, real] : nearest)
    EXPECT_EQ(DayNumber(y, m, d), DayNumber(y, std::clamp(m, 1, 12), real)) << m << "-" << d;
  for (int n : {-1, INT_MIN}) EXPECT_TRUE(SameDate(DayNumberToDate(n), 2000, 12, 31)) << n;
  for (int n : {kLastDayNumber + 1, INT_MAX}) EXPECT_TRUE(SameDate(DayNumberToDate(n), 2099, 12, 31)) << n;

  EXPECT_EQ(WeekdayOf(1), 1);     // Monday
  EXPECT_EQ(WeekdayOf(3653), 6);  // Saturday
  EXPECT_EQ(WeekdayOf(-1), 6);    // 2000-12-30 was a Saturday
  for (int n : {-6, -7, -8, INT_MIN, INT_MAX}) {
    EXPECT_GE(WeekdayOf(n), 0) << n;
    EXPECT_LE(WeekdayOf(n), 6) << n;
  }
  DateTime now;
  now.year = 2011;
  now.month = 1;
  now.day = 10;
  EXPECT_EQ(TodayDayNumber(now), 3662);
}

TEST(DayNumberTest, EveryDayRoundTripsAndWeekdaysStepByOne) {
  Date prev = DayNumberToDate(0);
  ASSERT_TRUE(SameDate(prev, 2000, 12, 31));
  for (int n = 1; n <= kLastDayNumber; ++n) {
    const Date d = DayNumberToDate(n);
    ASSERT_EQ(DayNumber(d.year, d.month, d.day), n) << n;
    ASSERT_EQ(WeekdayOf(n), (WeekdayOf(n - 1) + 1) % 7) << n;
    ASSERT_EQ(WeekdayOfDate(d.year, d.month, d.day), WeekdayOf(n)) << n;
    // The next calendar day, worked out by hand.
    const bool monthEnd = prev.day == DaysInMonth(prev.year, prev.month);
    const bool yearEnd = monthEnd && prev.month == 12;
    const Date expected{yearEnd ? prev.year + 1 : prev.year,
                        yearEnd ? 1 : (monthEnd ? prev.month + 1 : prev.month), monthEnd ? 1 : prev.day + 1};
    ASSERT_TRUE(SameDate(d, expected.year, expected.month, expected.day)) << n;
    prev = d;
  }
  EXPECT_TRUE(SameDate(prev, 2099, 12, 31));
}

TEST(DayNumberTest, MonthLengthsFollowTheGregorianRule) {
  const std::array<int, 3> cases[] = {{2000, 2, 29}, {2100, 2, 28}, {1900, 2, 28}, {2012, 2, 29},
                                      {2011, 2, 28}, {2011, 9, 30}, {2011, 12, 31}};
  for (const auto& [y, m, days] : cases) EXPECT_EQ(DaysInMonth(y, m), days) << y << "-" << m;
  EXPECT_EQ(WeekdayOfDate(2000, 2, 29), 2);  // a Tuesday
  EXPECT_EQ(WeekdayOfDate(2000, 3, 1), 3);
}

TEST(AddMonthsTest, CarriesYearsBothWays) {
  const std::array<int, 4> cases[] = {
      {5, 0, 5, 0},    {12, 1, 1, 1}, {1, -1, 12, -1},  {1, -12, 1, -1},
      {12, 12, 12, 1}, {3, 25, 4, 2}, {3, -27, 12, -3}, {6, INT_MAX, 1, 178956971}};  // no overflow
  for (const auto& [month, delta, m, years] : cases) {
    const MonthCarry c = AddMonths(month, delta);
    EXPECT_EQ(std::make_pair(c.month, c.years), std::make_pair(m, years)) << month << "+" << delta;
  }
}

TEST(EraYearTest, EraBoundaries) {
  const std::pair<int, int> cases[] = {{1867, 1867}, {1868, 1},  {1911, 44}, {1912, 1},
                                       {1925, 14},   {1926, 1},  {1988, 63}, {1989, 1},
                                       {2011, 23},   {2018, 30}, {2019, 1},  {2024, 6}};
  for (const auto& [year, era] : cases) EXPECT_EQ(EraYear(year), era) << year;
}

// The fixture's holiday names (UTF-8) and the code each must get.
int FixtureCode(const std::string& date, const std::string& name) {
  static const std::map<std::string, int> kCodes = {
      {u8"休日", 1},          {u8"天皇誕生日", 2},
      {u8"元日", 3},          {u8"成人の日", 4},
      {u8"建国記念の日", 5},  {u8"春分の日", 6},
      {u8"昭和の日", 7},      {u8"憲法記念日", 8},
      {u8"みどりの日", 9},    {u8"こどもの日", 10},
      {u8"海の日", 11},       {u8"敬老の日", 12},
      {u8"秋分の日", 13},     {u8"体育の日", 14},
      {u8"スポーツの日", 14}, {u8"体育の日（スポーツの日）", 14},
      {u8"文化の日", 15},     {u8"勤労感謝の日", 16},
      {u8"山の日", 17}};
  const std::string substitute = u8" 振替休日";
  if (name.size() > substitute.size() &&
      name.compare(name.size() - substitute.size(), substitute.size(), substitute) == 0)
    return 0;
  if (name == u8"休日（祝日扱い）") return date == "2019-05-01" ? 18 : (date == "2019-10-22" ? 19 : -100);
  auto it = kCodes.find(name);
  return it == kCodes.end() ? -100 : it->second;
}

TEST(HolidayTest, MatchesTheOfficialListOf2001To2050) {
  std::ifstream in(VARNEL_SOURCE_DIR "/tests/unit/features/data/holidays_jp.txt", std::ios::binary);
  ASSERT_TRUE(in) << "fixture missing";
  std::map<int, int> expected;  // day number -> code
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    ASSERT_GT(line.size(), 11u) << line;
    const std::string date = line.substr(0, 10);
    const int n =
        DayNumber(std::stoi(date.substr(0, 4)), std::stoi(date.substr(5, 2)), std::stoi(date.substr(8, 2)));
    const int code = FixtureCode(date, line.substr(11));
    ASSERT_GE(code, 0) << "unknown fixture name: " << line;
    expected[n] = code;
  }
  ASSERT_GT(expected.size(), 800u);

  std::vector<std::string> wrong;
  for (int n = DayNumber(2001, 1, 1); n <= DayNumber(2050, 12, 31); ++n) {
    const int got = HolidayCode(n);
    auto it = expected.find(n);
    const int want = it == expected.end() ? -1 : it->second;
    if ((got >= 0) != (want >= 0) || (want >= 0 && got != want)) {
      const Date d = DayNumberToDate(n);
      wrong.push_back(std::to_string(d.year) + "-" + std::to_string(d.month) + "-" + std::to_string(d.day) +
                      " got " + std::to_string(got) + " want " + std::to_string(want));
    }
  }
  std::string all;
  for (const auto& w : wrong) all += w + "\n";
  EXPECT_TRUE(wrong.empty()) << all;
}

TEST(HolidayTest, NamesByCodeAndYear) {
  EXPECT_LT(HolidayCode(-5), 0);  // the ends of the range never fail
  EXPECT_LT(HolidayCode(INT_MAX), 0);
  EXPECT_STREQ(HolidayName(14, 2019), "体育の日");
  EXPECT_STREQ(HolidayName(14, 2020), "スポーツの日");
  EXPECT_STREQ(HolidayName(19, 2019), "即位礼正殿の儀の行われる日");
  EXPECT_STREQ(HolidayName(-1, 2011), "");
  EXPECT_STREQ(HolidayName(kHolidayCodeCount, 2011), "");
  // A stray weekday never reads outside the name tables.
  EXPECT_STREQ(WeekdayName(7), "日");
  EXPECT_STREQ(WeekdayNameEnglish(-1), "Sat");
}

}  // namespace
