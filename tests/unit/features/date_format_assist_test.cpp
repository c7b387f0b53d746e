#include "core/features/date_format_assist.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/features/date_codes.h"
#include "test_support.h"

namespace varnel {
namespace {

using R = AssistRow;

TEST(DateFormatAssistTest, RowButtonsBuildTheirCodes) {
  const Date count{2011, 1, 31};
  const std::tuple<const char*, R, const char*> cases[] = {
      {kDefaultFmtDate, R::kMove, "%+0"},
      {"00100000000003", R::kMove, "%-3"},
      {"10000000000010", R::kMove, "%%+10"},
      {kDefaultFmtDate, R::kYear, "%YY/"},
      {"01000000040000", R::kYear, "%YYYY年"},
      {"00010000040000", R::kYear, "%yy"},  // 和暦 bounds the digits to 2
      {"04000000010000", R::kYear, "%Y."},
      {kDefaultFmtDate, R::kMonth, "%M/"},
      {"03001000000000", R::kMonth, "%MM-"},
      {"01000000000000", R::kMonth, "%M月"},
      {kDefaultFmtDate, R::kDay, "%D"},  // no separator follows the day
      {"01000100000000", R::kDay, "%DD日"},
      {kDefaultFmtDate, R::kWeekday, "%W"},
      {"00000010001000", R::kWeekday, "(%WW)"},
      {"10000000001000", R::kWeekday, "(%%W)"},
      {kDefaultFmtDate, R::kCount, "%C\"20110131\""},
      {"00000001000000", R::kCount, "%C\"-20110131\""},
      {"00000000100000", R::kFirstCount, "%c\"-20110131\""},
      {"10000000000000", R::kFirstCount, "%%c\"20110131\""},
  };
  for (const auto& [fmtDate, row, code] : cases)
    EXPECT_EQ(AssistCode(row, ParseFmtDate(fmtDate), count), code) << fmtDate << " row " << int(row);
}

TEST(DateFormatAssistTest, GeneratedFormatsExpandAsTheUserMeantThem) {
  const Date count{2011, 1, 31}, first{2011, 1, 1};
  const unsigned ymd = 1u << int(R::kYear) | 1u << int(R::kMonth) | 1u << int(R::kDay);
  DateFormatAssist slashes = ParseFmtDate("02001100040000");
  EXPECT_EQ(GenerateAssistFormat(ymd, slashes, count, first), "%YYYY/%MM/%DD");
  DateFormatAssist parens = ParseFmtDate(kDefaultFmtDate);
  parens.parentheses = true;
  EXPECT_EQ(GenerateAssistFormat(1u << int(R::kWeekday), parens, count, first), "(%W)");
  // Rows go in their own order, whatever was ticked first.
  std::string all = GenerateAssistFormat(0x7F, ParseFmtDate("01000000020007"), count, first);
  EXPECT_EQ(all, "%+7%YY年%M月%D日%W%C\"20110131\"%c\"20110101\"");
  DateTime monday = test::MakeDateTime(2011, 1, 10);
  EXPECT_EQ(ExpandDateCodes(monday, all, kDateMath), -16);  // counts from the moved day
  EXPECT_EQ(all, "11年1月17日月14-16");
}

TEST(DateFormatAssistTest, CodesNeverGrowTheFormatPastItsBox) {
  std::string format(96, 'x');
  EXPECT_TRUE(AppendAssistCode(format, "%YY/"));
  EXPECT_EQ(format.size(), kAssistFormatBytes);
  EXPECT_FALSE(AppendAssistCode(format, "%D"));
  EXPECT_EQ(format.size(), kAssistFormatBytes);
}

TEST(DateFormatAssistTest, FmtDateRoundTripsAndBoundsEachPosition) {
  const std::pair<const char*, const char*> cases[] = {
      {kDefaultFmtDate, kDefaultFmtDate},
      {"11111111141123", "11111111121123"},  // 和暦 keeps 1..2 year digits
      {"14000000040999", "14000000040999"},
      {"09000000090000", "04000000040000"},  // separator and digits bounded
      {"", kDefaultFmtDate},                 // missing positions take the default's
      {"1x", "12000000020000"},
      {"000000000000099", "00000000010009"},  // one too many: the extra is ignored
  };
  for (const auto& [stored, rewritten] : cases)
    EXPECT_EQ(FormatFmtDate(ParseFmtDate(stored)), rewritten) << stored;
  DateFormatAssist a;
  a.moveDays = 5000;
  a.yearDigits = 0;
  EXPECT_EQ(FormatFmtDate(a), "02000000010999");
}

}  // namespace
}  // namespace varnel
