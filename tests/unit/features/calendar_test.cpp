// Dates: calendar, holidays and era years, date codes, the display schedule, date formats and their
// assistant.
#include "core/features/calendar.h"

#include <array>
#include <climits>
#include <cstdio>
#include <tuple>

#include "config/hooked_files.h"
#include "core/features/date_codes.h"
#include "core/features/date_format_assist.h"
#include "core/features/date_formats.h"
#include "core/features/schedule.h"
#include "test_support.h"

using varnel::test::MakeDateTime;
using namespace varnel;

namespace {

TEST(DayNumberTest, AnchorsClampsLeapCenturiesMonthCarriesAndEraYears) {
  // Outside the range a date clamps to its ends (-1: the last day); a month or day past its end to the end.
  const std::array<int, 4> numbers[] = {
      {2001, 1, 1, 1},     {2000, 12, 31, 0},   {2011, 1, 1, 3653},
      {2000, 2, 29, 0},    {1999, 6, 1, 0},     {INT_MIN, INT_MIN, INT_MIN, 0},
      {2099, 12, 31, -1},  {2100, 1, 1, -1},    {INT_MAX, INT_MAX, INT_MAX, -1},
      {2011, 2, 31, 3711}, {2012, 2, 31, 4077}, {2011, 13, 5, 3991}};
  for (const auto& [y, m, d, n] : numbers)
    EXPECT_EQ(DayNumber(y, m, d), n < 0 ? kLastDayNumber : n) << y << "-" << m << "-" << d;
  // 2001-01-01 a Monday, 2000-12-30 a Saturday, 2000-02-29 a Tuesday before the range.
  EXPECT_EQ((std::array{WeekdayOf(1), WeekdayOf(-1), WeekdayOfDate(2000, 2, 29)}), (std::array{1, 6, 2}));
  EXPECT_EQ((std::array{DaysInMonth(2000, 2), DaysInMonth(2100, 2)}), (std::array{29, 28}));
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
  std::string expected = test::ReadBytes(VARNEL_SOURCE_DIR "/tests/unit/features/data/holidays_jp.txt"), got;
  expected.erase(0, expected.find("\n2001-") + 1);  // the comment lines
  for (int n = DayNumber(2001, 1, 1); n <= DayNumber(2050, 12, 31); ++n) {
    const Date d = DayNumberToDate(n);
    char line[80];
    std::snprintf(line, sizeof line, "%04d-%02d-%02d\t%s\n", d.year, d.month, d.day,
                  HolidayName(HolidayCode(n), d.year));
    if (line[11] != '\n') got += line;  // a day with a name
  }
  EXPECT_EQ(got, expected);
  // The ends of the range, a stray code or weekday never read outside the tables.
  for (int n : {-5, INT_MAX}) EXPECT_LT(HolidayCode(n), 0);
  EXPECT_STREQ(HolidayName(kHolidayCodeCount, 2011), "");
  EXPECT_STREQ(WeekdayName(7), "日");
  EXPECT_STREQ(WeekdayNameEnglish(-1), "Sat");
}

const DateTime kMonday = MakeDateTime(2011, 1, 10, 9, 5, 7);  // the working date of the examples
const DateTime kMarch5 = MakeDateTime(2019, 3, 5);
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
      {"%D", "23", kNone, 0, MakeDateTime(2019, 3, 123)},  // a day beyond two digits keeps its last two
      {"%Y|%YY|%YYY|%YYYY|%YYYYY|%y|%yy", "9|19|019|2019|2019Y|1|01", kNone, 0, kMarch5},  // Reiwa 1
      {"%W%w|%WW|%ww|%Ww", "火火|Tue|Tue|火w", kNone, 0, kMarch5},
      // Percent signs: "%%" survives one pass for a second expansion.
      {"%%D|%日|no codes 表示|%q%%%|100%", "%D|日|no codes 表示|q%|100"},
      // Time codes only in time mode; an %A text of eight bytes is too long.
      {"%H:%FF:%SS|%HH:%ff:%ss", "9:05:07|09:05:07", kNone, kTimeCodes},
      {"%h|%hh|%H", "3|03|15", kNone, kTimeCodes, MakeDateTime(2011, 1, 10, 15, 30, 45)},
      {"%h%a%p|%A\"午前\"%P\"午後\"", "0pm|午後", kNone, kTimeCodes, MakeDateTime(2011, 1, 10, 12)},
      {"%A\"午前\"%P\"午後\"|%H%F%S%a%p", "A\"午前\"P\"午後\"|HFSap"},
      {"%A\"\"x|%A\"1234567\"x|%A\"12345678\"x|%Ax\"ab\"", "x|1234567x|\"12345678\"x|x\"ab\"", kNone, kBoth},
      // Day moves add up and clamp to the calendar; six digits at most.
      {"%-10%YYYY/%M/%D(%W)", "2010/12/31(金)"},
      {"%+%D%-%D|%+0000001%D", "1010|110"},
      {"%-9999%YYYY-%MM-%DD %W|%+999999%YYYY-%MM-%DD %WW", "2000-12-31 日|2099-12-31 Thu"},
      {"%+7%D", "+710", kNone, kTimeCodes},
      // Day counts: the first "%c" sets the count, un-negated.
      {"%c\"20110111\"|%c\"20110101\"", "1|-9", 1},
      {"%C\"20110131\"%c\"20110105\"", "21-5", -5},
      {"%c\"-20110101\"", "9", -9},
      {"%+21%c\"20110131\"", "0", 0},
      {"%c\"2011013\"x%c\"20110112\"", "\"2011013\"x2", 2},               // malformed: "%c" dropped
      {"%C20110131|%C\"2011-1-1\"|%C\"19000101\"", "20110131|-9|-3662"},  // non-digits end a field
      {"%C\"21500101\"", last.c_str()},
      {"%c\"20110131\"", "c\"20110131\"", kNone, kTimeCodes},
      // Malformed codes at the end of the text.
      {"%", "", kNone, kBoth},
      {"%A\"ab", "\"ab", kNone, kBoth},
      {"%c\"-20110131", "\"-20110131", kNone, kBoth}};
  for (const Case& c : cases) {
    DateTime date = c.date;
    std::string text = c.in;
    EXPECT_EQ(ExpandDateCodes(date, text, c.mode), c.count) << c.in;
    EXPECT_EQ(text, c.out) << c.in;
  }
}

ScheduleMoment At(const char* when) {  // "YYYY-MM-DD HH:MM"
  int y, mo, d, h, mi;
  EXPECT_EQ(std::sscanf(when, "%d-%d-%d %d:%d", &y, &mo, &d, &h, &mi), 5) << when;
  return MomentOf(MakeDateTime(y, mo, d, h, mi));
}

TEST(ScheduleTest, TicksShowAndHideOnTransitionsOnly) {
  // Start and end ("YYYY-MM-DD HH:MM" or null), the window (from * 10000 + to, -1 none) and its days;
  // each tick: the moment, the window before it (v visible, h hidden: the user may have changed it)
  // and what the tick does (+ show, - hide, . nothing).
  const std::tuple<const char*, const char*, const char*, int, int, const char*> cases[] = {
      {"start hides before, user's show stays, shows at the start", "2011-05-01 10:00", nullptr, -1, 0,
       "2011-05-01 09:59 v- 2011-05-01 09:59 v. 2011-05-01 10:00 h+ 2011-05-02 08:00 h."},
      {"end hides once and for good", nullptr, "2011-05-01 17:00", -1, 0,
       "2011-05-01 16:59 v. 2011-05-01 17:00 v- 2011-05-01 18:00 v."},
      {"22:00-06:00 on Mondays, judged by Monday until 06:00", nullptr, nullptr, 13200360, 0x01,
       "2026-12-07 21:59 v- 2026-12-07 22:00 h+ 2026-12-08 00:00 v. 2026-12-08 05:59 v. 2026-12-08 06:00 v- "
       "2026-12-08 22:30 h."},
      {"inside a window the user's hide stays until the next day", nullptr, nullptr, 5401020, 0x1f,
       "2026-12-07 10:00 h+ 2026-12-07 11:00 h. 2026-12-07 17:00 h. 2026-12-08 09:00 h+"},
      {"from = to is the whole day; only the days decide", nullptr, nullptr, 1800180, 0x40,
       "2026-12-06 03:00 h+ 2026-12-07 02:59 v. 2026-12-07 03:00 v-"},
      {"a Monday holiday: 祝日を除く hides, 祝 shows", nullptr, nullptr, 0, 0x101,
       "2026-02-23 12:00 v- 2026-03-02 12:00 h+"},
      {"祝 shows on a Tuesday holiday", nullptr, nullptr, 0, 0x81, "2026-11-03 12:00 h+"},
      {"after a start the window is re-applied every tick", "2026-12-01 00:00", nullptr, 5401020, 0x1f,
       "2026-12-07 08:00 v- 2026-12-07 08:30 v- 2026-12-07 09:00 h+ 2026-12-07 09:30 h+"},
      {"the end wins over a start and a window", "2026-12-01 00:00", "2026-12-07 12:00", 0, 0x7f,
       "2026-12-07 11:59 h+ 2026-12-07 12:00 v- 2026-12-07 12:01 h."}};
  for (const auto& [name, start, end, window, days, ticks] : cases) {
    NoteSchedule s;
    s.state = -1;
    for (const auto& [point, i] : {std::pair{start, 0}, {end, 1}})
      if (point) std::tie(s.first[i], s.second[i]) = std::pair{At(point).today, At(point).minuteOfDay};
    s.first[2] = window;
    s.second[2] = window < 0 ? -1 : days;
    for (std::string all = ticks; !all.empty(); all.erase(0, 20)) {
      const std::string t = all.substr(0, 19);
      const auto expected = static_cast<ScheduleAction>(std::string(".+-").find(t[18]));  // none, show, hide
      EXPECT_EQ(EvaluateNoteSchedule(s, t[17] == 'v', At(t.c_str())), expected) << name << " at " << t;
    }
  }
}

using Action = DateFormatList::Action;

// The list as "c b* a": registered entries marked.
std::string Texts(const DateFormatList& list) {
  std::string out;
  for (const auto& e : list.Entries()) out += (out.empty() ? "" : " ") + e.text + (e.registered ? "*" : "");
  return out;
}

TEST(DateFormatListTest, UsedFormatsMoveUpDeleteNeedsASelectionAndHistoryStopsAt41) {
  DateFormatList list;
  EXPECT_EQ(list.ComboItems(), std::vector<std::string>{"%M月%D日(%W)"});  // the default, no entry
  // The selection, the typed text, the button, what Use returns and the list after.
  const std::tuple<int, const char*, Action, int, const char*> steps[] = {
      {0, "", Action::Insert, -1, ""},
      {0, "%M月%D日(%W)", Action::Delete, -1, ""},
      {0, "%M月%D日(%W)", Action::Insert, 0, "%M月%D日(%W)"},  // the shown default becomes history
      {0, "", Action::Delete, 0, ""},
      {-1, "a", Action::Insert, 0, "a"},
      {-1, "b", Action::Register, 0, "b* a"},
      {-1, "c", Action::Insert, 0, "c b* a"},
      {-1, "a", Action::Register, 0, "a* c b*"},  // typed text already there: moved up, registered
      {2, "b", Action::Insert, 0, "b* a* c"},     // the selection wins; it stays registered
      {-1, "b", Action::Delete, -1, "b* a* c"},   // typed text alone deletes nothing
      {3, "", Action::Delete, -1, "b* a* c"},
      {1, "", Action::Delete, 0, "b* c"}};
  for (const auto& [selection, text, action, result, expected] : steps) {
    EXPECT_EQ(list.Use(selection, text, action), result) << text;
    EXPECT_EQ(Texts(list), expected) << text;
  }
  const std::string text = "a" + std::string(60, '\x88');  // cut to 49, as 50 would split a character
  list.Use(-1, text, Action::Insert);
  EXPECT_EQ(list.Entries()[0].text, text.substr(0, 49));
  DateFormatList history, registered;
  history.Use(-1, "r0", Action::Register);
  for (int i = 0; i <= 40; ++i) history.Use(-1, "h" + std::to_string(i), Action::Insert);  // h0 goes
  history.Use(-1, "h5", Action::Insert);  // a known text moves up without pushing anything out
  const std::string texts = Texts(history);
  EXPECT_EQ(history.Entries().size(), 41u);
  EXPECT_EQ(texts.rfind("h5 h40 h39 ", 0), 0u);
  EXPECT_EQ(texts.substr(texts.size() - 9), "h2 h1 r0*");
  for (int i = 0; i < 45; ++i) registered.Use(-1, "r" + std::to_string(i), Action::Register);
  registered.Use(-1, "h", Action::Insert);
  EXPECT_EQ(registered.Entries().size(), 46u);  // nothing to drop: the list grows
}

using DateFormatStoreTest = test::StoreTest;

DateFormatList Loaded(ProfileStore& store) {
  DateFormatList list;
  list.Load(store);
  return list;
}

TEST_F(DateFormatStoreTest, LoadReadsUpToTheFirstEmptyValueAndSaveWritesInOneReplacement) {
  std::string lines = "Section=Mine\r\n[Mine]\r\n";
  for (int i = 0; i < 25; ++i) lines += "TWord" + std::to_string(i) + "=f" + std::to_string(i) + "\r\n";
  const DateFormatList first = Loaded(*Open("t.ini", (lines + "TWord25=\r\nTWord26=stale\r\n").c_str()));
  EXPECT_EQ(first.Entries().size(), 25u);
  EXPECT_EQ(Texts(first).substr(Texts(first).size() - 9), "f23* f24*");
  lines = "TWord0=a" + std::string(60, '\x88');  // cut to 49 bytes, as 50 would split a character
  for (int i = 1; i < DateFormatList::kMaxStoredFormats + 50; ++i)
    lines += "\r\nTWord" + std::to_string(i) + "=x";
  const DateFormatList list = Loaded(*Open("t.ini", lines.c_str()));
  EXPECT_EQ(list.Entries().size(), static_cast<std::size_t>(DateFormatList::kMaxStoredFormats));
  EXPECT_EQ(list.Entries()[0].text.size(), 49u);
  int writes = 0;  // replacements and removals
  env_.files = test::Hooked([&](int) { return ++writes > 0; });
  const auto store = Open("t.ini", "TWord0=old0\r\nTWord1=old1\r\nTWord2=old2\r\n");
  DateFormatList saved = Loaded(*store);
  saved.Use(-1, "%YYYY年", Action::Insert);  // history stays out of the file
  saved.Use(2, "", Action::Delete);          // old1
  for (int i = 0; i < 30; ++i) saved.Use(-1, "r" + std::to_string(i), Action::Register);
  saved.Save(*store);
  saved.Use(0, "", Action::Delete);  // fewer entries end the sequence earlier
  saved.Save(*store);
  EXPECT_EQ(writes, 2);
  std::string expected = Texts(saved);
  expected.erase(expected.find("%YYYY年 "), std::string("%YYYY年 ").size());
  EXPECT_EQ(Texts(Loaded(*Open("t.ini"))), expected);  // all of them, past the twentieth, in order
}

TEST(DateFormatAssistTest, TickedRowsBuildTheirCodesAndFmtDateBoundsEachPosition) {
  const Date count{2011, 1, 31}, first{2011, 1, 1};
  // FmtDate, the rows ticked (bit = row), the format. 和暦 bounds the year's digits to 2; no separator
  // follows the day.
  const std::tuple<const char*, unsigned, const char*> cases[] = {
      {"01000000020007", 0x7F, "%+7%YY年%M月%D日%W%C\"20110131\"%c\"20110101\""},
      {"11111111141123", 0x7F, "%%-123%%yy年%%MM月%%DD日(%%WW)%%C\"-20110131\"%%c\"-20110101\""},
      {kDefaultFmtDate, 0x0E, "%YY/%M/%D"},
      {"03000000040000", 0x06, "%YYYY-%M-"},
      {"04000000010000", 0x12, "%Y.%W"},
      {"00010000040000", 0x02, "%yy"}};
  for (const auto& [fmtDate, rows, format] : cases)
    EXPECT_EQ(GenerateAssistFormat(rows, ParseFmtDate(fmtDate), count, first), format) << fmtDate;
  // A code is added whole or not at all, the format never passing its box.
  std::string format(96, 'x');
  EXPECT_TRUE(AppendAssistCode(format, "%YY/"));
  EXPECT_FALSE(AppendAssistCode(format, "%D"));
  EXPECT_EQ(format, std::string(96, 'x') + "%YY/");
  const std::pair<const char*, const char*> fmtDates[] = {
      {"11111111141123", "11111111121123"},   // 和暦 keeps 1..2 year digits
      {"09000000090000", "04000000040000"},   // separator and digits bounded
      {"", kDefaultFmtDate},                  // missing positions take the default's
      {"000000000000099", "00000000010009"},  // one too many: the extra is ignored
      {"14000000040999", "14000000040999"},
      {"1x", "12000000020000"}};
  for (const auto& [stored, rewritten] : fmtDates)
    EXPECT_EQ(FormatFmtDate(ParseFmtDate(stored)), rewritten) << stored;
  DateFormatAssist a;
  a.moveDays = 5000;
  a.yearDigits = 0;
  EXPECT_EQ(FormatFmtDate(a), "02000000010999");
}

}  // namespace
