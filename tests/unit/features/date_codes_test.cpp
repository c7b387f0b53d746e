#include "core/features/date_codes.h"

#include <array>

#include "test_support.h"

using varnel::test::MakeDateTime;
using namespace varnel;

namespace {

const DateTime kMonday = MakeDateTime(2011, 1, 10, 9, 5, 7);  // the working date of the examples
const DateTime kMarch5 = MakeDateTime(2019, 3, 5);
const DateTime kNoon = MakeDateTime(2011, 1, 10, 12, 0, 0);
const DateTime kOdd = MakeDateTime(2019, 3, 123);  // a day beyond two digits keeps its last two
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
      {"%M月%D日(%W)|%YYYY/%MM/%DD|(%WW)|平成%y年|%+7%M/%D", "1月10日(月)|2011/01/10|(Mon)|平成23年|1/17"},
      {"残り%c\"20110131\"日|%C\"20110101\"|%C\"-20110101\"", "残り21日|-9|9", 21},
      // Digits and doubled letters; only the same letter doubles.
      {"%D/%DD/%d/%dd|%M/%MM/%m/%mm|%Dd|%dD", "5/05/5/05|3/03/3/03|5d|5D", kNone, 0, kMarch5},
      {"%D", "23", kNone, 0, kOdd},
      {"%Y|%YY|%YYY|%YYYY|%YYYYY|%y|%yy", "9|19|019|2019|2019Y|1|01", kNone, 0, kMarch5},  // Reiwa 1
      {"%W%w|%WW|%ww|%Ww", "火火|Tue|Tue|火w", kNone, 0, kMarch5},
      // Percent signs: "%%" survives one pass for a second expansion.
      {"%%D|%日|no codes 表示|100%", "%D|日|no codes 表示|100"},
      {"%q%%%", "q%"},
      // Time codes only in time mode.
      {"%H:%FF:%SS|%HH:%ff:%ss", "9:05:07|09:05:07", kNone, kTimeCodes},
      {"%h|%hh|%H", "3|03|15", kNone, kTimeCodes, MakeDateTime(2011, 1, 10, 15, 30, 45)},
      {"%h%a%p", "0pm", kNone, kTimeCodes, kNoon},
      {"%A\"午前\"%P\"午後\"", "午後", kNone, kTimeCodes, kNoon},
      {"%A\"午前\"%P\"午後\"", "A\"午前\"P\"午後\""},
      {"%H%F%S%a%p", "HFSap"},
      {"%A\"\"x|%A\"1234567\"x", "x|1234567x", kNone, kTimeCodes},
      {"%A\"12345678\"x", "\"12345678\"x", kNone, kTimeCodes},  // text too long
      {"%Ax\"ab\"", "x\"ab\"", kNone, kTimeCodes},
      // Day moves add up and clamp to the calendar; six digits at most.
      {"%-10%YYYY/%M/%D(%W)", "2010/12/31(金)"},
      {"%+%D%-%D|%+0000001%D", "1010|110"},
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
      {"%A\"ab", "\"ab", kNone, kBoth},
      {"%C\"2011", "\"2011", kNone, kBoth},
      {"%c\"-20110131", "\"-20110131", kNone, kBoth},
      {"%+", "", kNone, kBoth},
  };
  for (const Case& c : cases) {
    DateTime date = c.date;
    std::string text = c.in;
    EXPECT_EQ(ExpandDateCodes(date, text, c.mode), c.count) << c.in;
    EXPECT_EQ(text, c.out) << c.in;
  }
}

TEST(DateCodesTest, MovesChangeTheWorkingDateOnly) {
  // The time of day survives; a day past the month's end is brought back into it.
  DateTime date = MakeDateTime(2011, 1, 10, 15), odd = kOdd;
  std::string twice = "%+7%+7", zero = "%+0";
  ExpandDateCodes(date, twice, kBoth);
  ExpandDateCodes(odd, zero, kDateMath);
  EXPECT_EQ((std::array<int, 5>{date.year, date.month, date.day, date.dayOfWeek, date.hour}),
            (std::array{2011, 1, 24, 1, 15}));
  EXPECT_EQ((std::array<int, 3>{odd.year, odd.month, odd.day}), (std::array{2019, 3, 31}));
}

}  // namespace
