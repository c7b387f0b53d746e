#include "core/features/date_codes.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>

#include "test_support.h"

using varnel::test::MakeDateTime;
using namespace varnel;

namespace {

const DateTime kMonday = MakeDateTime(2011, 1, 10, 9, 5, 7);  // the working date of the examples
const DateTime kMarch5 = MakeDateTime(2019, 3, 5);
const DateTime kAfternoon = MakeDateTime(2011, 1, 10, 15, 30, 45);
const DateTime kNoon = MakeDateTime(2011, 1, 10, 12, 0, 0);
constexpr int kBoth = kTimeCodes | kDateMath, kNone = kNoDayCount;

struct Case {
  const char* in;
  const char* out;
  int count = kNone;
  int mode = kDateMath;
  DateTime date = kMonday;
};

TEST(DateCodesTest, Expansions) {
  const std::string last = std::to_string(kLastDayNumber - 3662);
  const Case cases[] = {
      {"%M月%D日(%W)", "1月10日(月)"},
      {"%YYYY/%MM/%DD", "2011/01/10"},
      {"(%WW)", "(Mon)"},
      {"%+7%M/%D", "1/17"},
      {"平成%y年", "平成23年"},
      {"残り%c\"20110131\"日", "残り21日", 21},
      {"%C\"20110101\"", "-9"},
      {"%C\"-20110101\"", "9"},
      // Digits and doubled letters; only the same letter doubles.
      {"%D/%DD/%d/%dd", "5/05/5/05", kNone, 0, kMarch5},
      {"%M/%MM/%m/%mm", "3/03/3/03", kNone, 0, kMarch5},
      {"%Dd|%dD", "5d|5D", kNone, 0, kMarch5},
      {"%Y|%YY|%YYY|%YYYY", "9|19|019|2019", kNone, 0, kMarch5},
      {"%YYYYY", "2019Y", kNone, 0, kMarch5},
      {"%y|%yy", "1|01", kNone, 0, kMarch5},  // Reiwa 1
      {"%W%w|%WW|%ww|%Ww", "火火|Tue|Tue|火w", kNone, 0, kMarch5},
      // Percent signs: "%%" survives one pass for a second expansion.
      {"%%D", "%D"},
      {"100%", "100"},
      {"%q%%%", "q%"},
      {"%日", "日"},
      {"no codes 表示", "no codes 表示"},
      // Time codes only in time mode.
      {"%H:%FF:%SS", "9:05:07", kNone, kTimeCodes},
      {"%HH:%ff:%ss", "09:05:07", kNone, kTimeCodes},
      {"%h|%hh|%H", "3|03|15", kNone, kTimeCodes, kAfternoon},
      {"%h%a%p", "0pm", kNone, kTimeCodes, kNoon},
      {"%a%p", "am", kNone, kTimeCodes},
      {"%A\"午前\"%P\"午後\"", "午前", kNone, kTimeCodes},
      {"%A\"午前\"%P\"午後\"", "午後", kNone, kTimeCodes, kNoon},
      {"%A\"午前\"%P\"午後\"", "A\"午前\"P\"午後\""},
      {"%H%F%S%a%p", "HFSap"},
      {"%A\"\"x", "x", kNone, kTimeCodes},
      {"%A\"1234567\"x", "1234567x", kNone, kTimeCodes},
      {"%A\"12345678\"x", "\"12345678\"x", kNone, kTimeCodes},  // text too long
      {"%Ax\"ab\"", "x\"ab\"", kNone, kTimeCodes},
      // Day moves add up and clamp to the calendar; six digits at most.
      {"%-10%YYYY/%M/%D(%W)", "2010/12/31(金)"},
      {"%+%D%-%D", "1010"},
      {"%+0000001%D", "110"},
      {"%-9999%YYYY-%MM-%DD %W", "2000-12-31 日"},
      {"%+999999%YYYY-%MM-%DD %WW", "2099-12-31 Thu"},
      {"%+7%D", "+710", kNone, kTimeCodes},
      // Day counts: the first "%c" sets the count, un-negated.
      {"%c\"20110111\"|%c\"20110101\"", "1|-9", 1},
      {"%C\"20110131\"%c\"20110105\"", "21-5", -5},
      {"%c\"-20110101\"", "9", -9},
      {"%+21%c\"20110131\"", "0", 0},
      {"%c\"2011013\"x%c\"20110112\"", "\"2011013\"x2", 2},  // malformed: "%c" dropped
      {"%C20110131", "20110131"},
      {"%C\"2011-1-1\"", "-9"},  // non-digits end a field
      {"%C\"21500101\"", last.c_str()},
      {"%C\"19000101\"", "-3662"},
      {"%c\"20110131\"", "c\"20110131\"", kNone, kTimeCodes},
      // Malformed codes at the end of the text.
      {"%", "", kNone, kBoth},
      {"x%Y", "x1", kNone, kBoth},
      {"%A", "", kNone, kBoth},
      {"%A\"", "\"", kNone, kBoth},
      {"%A\"ab", "\"ab", kNone, kBoth},
      {"%P\"1234567", "\"1234567", kNone, kBoth},
      {"%C", "", kNone, kBoth},
      {"%C\"", "\"", kNone, kBoth},
      {"%C\"2011", "\"2011", kNone, kBoth},
      {"%c\"-20110131", "\"-20110131", kNone, kBoth},
      {"%+", "", kNone, kBoth},
      {"%DD", "10", kNone, kBoth},
  };
  for (const Case& c : cases) {
    DateTime date = c.date;
    std::string text = c.in;
    EXPECT_EQ(ExpandDateCodes(date, text, c.mode), c.count) << c.in;
    EXPECT_EQ(text, c.out) << c.in;
  }
}

TEST(DateCodesTest, MovesChangeTheWorkingDateOnly) {
  DateTime odd = kMarch5;
  odd.day = 123;  // a date handed in beyond two digits keeps its last two
  // The date handed in, the text, the mode, the date after it as year, month, day, weekday, hour.
  const std::tuple<DateTime, const char*, int, std::array<int, 5>> cases[] = {
      {MakeDateTime(2011, 1, 10, 15), "%+7%+7", kBoth, {2011, 1, 24, 1, 15}},  // the time of day survives
      {MakeDateTime(2011, 1, 10, 15), "%+7%+7", kTimeCodes, {2011, 1, 10, 1, 15}},
      {kMonday, "%+999999", kDateMath, {2099, 12, 31, 4, 9}},
      {kMonday, "%-99999", kDateMath, {2000, 12, 31, 0, 9}},
      {odd, "%+0", kDateMath, {2019, 3, 31, 0, 0}}};
  for (auto [date, in, mode, after] : cases) {
    std::string text = in;
    ExpandDateCodes(date, text, mode);
    EXPECT_EQ((std::array<int, 5>{date.year, date.month, date.day, date.dayOfWeek, date.hour}), after) << in;
  }
  std::string text = "%D";
  ExpandDateCodes(odd, text, 0);
  EXPECT_EQ(text, "23");
}

}  // namespace
