#include "core/features/date_codes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "test_support.h"

using varnel::test::MakeDateTime;
using varnel::test::ReadBytes;
using varnel::test::WriteBytes;

using namespace varnel;

namespace {

const DateTime kMonday = MakeDateTime(2011, 1, 10);  // the working date of the examples

struct Result {
  std::string text;
  int count;
  DateTime date;
};

Result Expand(const std::string& text, int mode = kDateMath, DateTime date = kMonday) {
  std::string t = text;
  const int count = ExpandDateCodes(date, t, mode);
  return Result{t, count, date};
}

std::string Text(const std::string& text, int mode = kDateMath, DateTime date = kMonday) {
  return Expand(text, mode, date).text;
}

TEST(DateCodesTest, ExamplesOfTheMonday2011_01_10) {
  EXPECT_EQ(Text("%M月%D日(%W)"), "1月10日(月)");
  EXPECT_EQ(Text("%YYYY/%MM/%DD"), "2011/01/10");
  EXPECT_EQ(Text("(%WW)"), "(Mon)");
  EXPECT_EQ(Text("%+7%M/%D"), "1/17");
  EXPECT_EQ(Text("平成%y年"), "平成23年");
  const Result left = Expand("残り%c\"20110131\"日");
  EXPECT_EQ(left.text, "残り21日");
  EXPECT_EQ(left.count, 21);
  EXPECT_EQ(Text("%C\"20110101\""), "-9");
  EXPECT_EQ(Text("%C\"-20110101\""), "9");
}

TEST(DateCodesTest, DigitsAndDoubledLetters) {
  const DateTime march5 = MakeDateTime(2019, 3, 5);
  EXPECT_EQ(Text("%D/%DD/%d/%dd", 0, march5), "5/05/5/05");
  EXPECT_EQ(Text("%M/%MM/%m/%mm", 0, march5), "3/03/3/03");
  EXPECT_EQ(Text("%Dd|%dD", 0, march5), "5d|5D");  // only the same letter doubles
  EXPECT_EQ(Text("%Y|%YY|%YYY|%YYYY", 0, march5), "9|19|019|2019");
  EXPECT_EQ(Text("%YYYYY", 0, march5), "2019Y");
  EXPECT_EQ(Text("%y|%yy", 0, march5), "1|01");  // Reiwa 1
  EXPECT_EQ(Text("%W%w|%WW|%ww|%Ww", 0, march5), "火火|Tue|Tue|火w");
  // A date handed in beyond two digits keeps its last two.
  DateTime odd = march5;
  odd.day = 123;
  EXPECT_EQ(Text("%D", 0, odd), "23");
}

TEST(DateCodesTest, PercentSigns) {
  EXPECT_EQ(Text("%%D"), "%D");  // survives one pass for a second expansion
  EXPECT_EQ(Text(Text("%%D")), "10");
  EXPECT_EQ(Text("100%"), "100");
  EXPECT_EQ(Text("%"), "");
  EXPECT_EQ(Text("%q%%%"), "q%");
  EXPECT_EQ(Text("%日"), "日");
  EXPECT_EQ(Text("no codes 表示"), "no codes 表示");
}

TEST(DateCodesTest, TimeCodesOnlyInTimeMode) {
  const DateTime morning = MakeDateTime(2011, 1, 10, 9, 5, 7);
  const DateTime afternoon = MakeDateTime(2011, 1, 10, 15, 30, 45);
  const DateTime noon = MakeDateTime(2011, 1, 10, 12, 0, 0);
  EXPECT_EQ(Text("%H:%FF:%SS", kTimeCodes, morning), "9:05:07");
  EXPECT_EQ(Text("%HH:%ff:%ss", kTimeCodes, morning), "09:05:07");
  EXPECT_EQ(Text("%h|%hh|%H", kTimeCodes, afternoon), "3|03|15");
  EXPECT_EQ(Text("%h%a%p", kTimeCodes, noon), "0pm");
  EXPECT_EQ(Text("%a%p", kTimeCodes, morning), "am");

  const std::string ampm = "%A\"午前\"%P\"午後\"";
  EXPECT_EQ(Text(ampm, kTimeCodes, morning), "午前");
  EXPECT_EQ(Text(ampm, kTimeCodes, afternoon), "午後");
  EXPECT_EQ(Text(ampm, kTimeCodes, noon), "午後");
  EXPECT_EQ(Text(ampm, kDateMath, morning), "A\"午前\"P\"午後\"");
  EXPECT_EQ(Text("%H%F%S%a%p", kDateMath, morning), "HFSap");

  EXPECT_EQ(Text("%A\"\"x", kTimeCodes, morning), "x");
  EXPECT_EQ(Text("%A\"1234567\"x", kTimeCodes, morning), "1234567x");
  EXPECT_EQ(Text("%A\"12345678\"x", kTimeCodes, morning), "\"12345678\"x");  // text too long
  EXPECT_EQ(Text("%Ax\"ab\"", kTimeCodes, morning), "x\"ab\"");
}

TEST(DateCodesTest, DayMovesAddUpAndClamp) {
  Result r = Expand("%+7%+7%D");
  EXPECT_EQ(r.text, "24");
  EXPECT_EQ(r.date.day, 24);
  EXPECT_EQ(r.date.dayOfWeek, 1);
  EXPECT_EQ(Text("%-10%YYYY/%M/%D(%W)"), "2010/12/31(金)");
  EXPECT_EQ(Text("%+%D%-%D"), "1010");    // no digits: no move
  EXPECT_EQ(Text("%+0000001%D"), "110");  // six digits at most; the seventh is text

  r = Expand("%-9999%YYYY-%MM-%DD %W");
  EXPECT_EQ(r.text, "2000-12-31 日");
  EXPECT_EQ(r.date.dayOfWeek, 0);
  r = Expand("%+999999%YYYY-%MM-%DD %WW");
  EXPECT_EQ(r.text, "2099-12-31 Thu");
  EXPECT_EQ(r.date.year, 2099);
  // Time of day survives a move; moves need date mode.
  r = Expand("%+1%H", kTimeCodes | kDateMath, MakeDateTime(2011, 1, 10, 15));
  EXPECT_EQ(r.text, "15");
  EXPECT_EQ(r.date.day, 11);
  r = Expand("%+7%D", kTimeCodes);
  EXPECT_EQ(r.text, "+710");
  EXPECT_EQ(r.date.day, 10);
}

TEST(DateCodesTest, DayCounts) {
  Result r = Expand("%c\"20110111\"|%c\"20110101\"");
  EXPECT_EQ(r.text, "1|-9");
  EXPECT_EQ(r.count, 1);  // the first "%c"
  r = Expand("%C\"20110131\"");
  EXPECT_EQ(r.text, "21");
  EXPECT_EQ(r.count, kNoDayCount);
  r = Expand("%C\"20110131\"%c\"20110105\"");
  EXPECT_EQ(r.count, -5);
  r = Expand("%c\"-20110101\"");
  EXPECT_EQ(r.text, "9");
  EXPECT_EQ(r.count, -9);  // un-negated
  r = Expand("%+21%c\"20110131\"");
  EXPECT_EQ(r.text, "0");
  EXPECT_EQ(r.count, 0);

  // Malformed forms drop "%C" and keep the rest; a later good "%c" still counts.
  r = Expand("%c\"2011013\"x%c\"20110112\"");
  EXPECT_EQ(r.text, "\"2011013\"x2");
  EXPECT_EQ(r.count, 2);
  EXPECT_EQ(Text("%C20110131"), "20110131");
  EXPECT_EQ(Text("%C\"2011-1-1\""), "-9");  // non-digits end a field: 2011-01-01 after clamping
  // Dates beyond the calendar clamp to its ends.
  EXPECT_EQ(Text("%C\"21500101\""), std::to_string(kLastDayNumber - 3662));
  EXPECT_EQ(Text("%C\"19000101\""), "-3662");
  r = Expand("%c\"20110131\"", kTimeCodes);
  EXPECT_EQ(r.text, "c\"20110131\"");
  EXPECT_EQ(r.count, kNoDayCount);
}

TEST(DateCodesTest, MalformedCodesAtTheEndOfTheText) {
  const DateTime morning = MakeDateTime(2011, 1, 10, 9);
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"%", ""},
      {"x%Y", "x1"},
      {"%A", ""},
      {"%A\"", "\""},
      {"%A\"ab", "\"ab"},
      {"%P\"1234567", "\"1234567"},
      {"%C", ""},
      {"%C\"", "\""},
      {"%C\"2011", "\"2011"},
      {"%c\"-2011013", "\"-2011013"},
      {"%c\"-20110131", "\"-20110131"},
      {"%c\"-", "\"-"},
      {"%+", ""},
      {"%-12", ""},
      {"%D", "10"},
      {"%DD", "10"},
      {"%WW", "Mon"},
      {"%HH", "09"},
  };
  for (const Case& c : cases) {
    const Result r = Expand(c.in, kTimeCodes | kDateMath, morning);
    EXPECT_EQ(r.text, c.out) << c.in;
    EXPECT_LE(r.text.size(), std::string(c.in).size()) << c.in;
    EXPECT_EQ(r.count, kNoDayCount) << c.in;
  }
}

TEST(DateCodesTest, OutputNeverLongerThanTheText) {
  // Random runs of code fragments: the expansion must fit in the caller's buffer.
  const std::vector<std::string> pieces = {"%", "%%", "D", "DD",   "Y",    "W",  "WW", "y",
                                           "A", "P",  "a", "p",    "H",    "\"", "C",  "c",
                                           "-", "+",  "9", "2011", "0131", "日", "ｱ",  "x"};
  std::mt19937 rng(12345);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int n = static_cast<int>(rng() % 12);
    for (int k = 0; k < n; ++k) text += pieces[rng() % pieces.size()];
    const int mode = static_cast<int>(rng() % 4);
    DateTime date = MakeDateTime(2001 + static_cast<int>(rng() % 99), 1 + static_cast<int>(rng() % 12),
                                 1 + static_cast<int>(rng() % 28), static_cast<int>(rng() % 24));
    std::string out = text;
    const int count = ExpandDateCodes(date, out, mode);
    ASSERT_LE(out.size(), text.size()) << text;
    if (text.find("%c") == std::string::npos) {
      ASSERT_EQ(count, kNoDayCount) << text;
    }
    ASSERT_GE(date.year, 2000) << text;
    ASSERT_LE(date.year, 2099) << text;
  }
}

}  // namespace
