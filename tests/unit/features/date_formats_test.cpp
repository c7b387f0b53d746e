// The remembered date formats of the combo box, and the assistant that builds a format.
#include "core/features/date_formats.h"

#include <tuple>

#include "core/features/date_codes.h"
#include "core/features/date_format_assist.h"
#include "test_support.h"

namespace varnel {
namespace {

using Action = DateFormatList::Action;

// The list as "c b* a": registered entries marked.
std::string Texts(const DateFormatList& list) {
  std::string out;
  for (const auto& e : list.Entries()) out += (out.empty() ? "" : " ") + e.text + (e.registered ? "*" : "");
  return out;
}

TEST(DateFormatListTest, UsedFormatsMoveToTheTopAndDeleteNeedsASelection) {
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
      {1, "", Action::Delete, 0, "b* c"},
  };
  for (const auto& [selection, text, action, result, expected] : steps) {
    EXPECT_EQ(list.Use(selection, text, action), result) << text;
    EXPECT_EQ(Texts(list), expected) << text;
  }
  std::string text = "a";
  for (int i = 0; i < 30; ++i) text += "日";  // 61 bytes: cut to 49, as 50 would split a character
  list.Use(-1, text, Action::Insert);
  EXPECT_EQ(list.Entries()[0].text, text.substr(0, 49));
}

TEST(DateFormatListTest, HistoryStopsAt41AndNeverDropsARegisteredEntry) {
  DateFormatList list, registered;
  list.Use(-1, "r0", Action::Register);
  for (int i = 0; i < 20; ++i) list.Use(-1, "h" + std::to_string(i), Action::Insert);
  for (int i = 1; i <= 4; ++i) list.Use(-1, "r" + std::to_string(i), Action::Register);
  for (int i = 20; i < 37; ++i) list.Use(-1, "h" + std::to_string(i), Action::Insert);  // h0 goes
  list.Use(-1, "h5", Action::Insert);  // a known text moves up without pushing anything out
  const std::string texts = Texts(list);
  EXPECT_EQ(list.Entries().size(), 41u);
  EXPECT_EQ(texts.rfind("h5 h36 h35 ", 0), 0u);
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

TEST_F(DateFormatStoreTest, LoadReadsUpToTheFirstEmptyValueAndItsBound) {
  std::string lines = "Section=Mine\r\n[Mine]\r\n";
  for (int i = 0; i < 25; ++i) lines += "TWord" + std::to_string(i) + "=f" + std::to_string(i) + "\r\n";
  const DateFormatList first = Loaded(*Open("t.ini", (lines + "TWord25=\r\nTWord26=stale\r\n").c_str()));
  EXPECT_EQ(first.Entries().size(), 25u);
  EXPECT_EQ(Texts(first).substr(Texts(first).size() - 9), "f23* f24*");
  lines = "TWord0=a";
  for (int i = 0; i < 30; ++i) lines += "表";  // cut to 49 bytes, as 50 would split a character
  for (int i = 1; i < DateFormatList::kMaxStoredFormats + 50; ++i)
    lines += "\r\nTWord" + std::to_string(i) + "=x";
  const DateFormatList list = Loaded(*Open("t.ini", lines.c_str()));
  EXPECT_EQ(list.Entries().size(), static_cast<std::size_t>(DateFormatList::kMaxStoredFormats));
  EXPECT_EQ(list.Entries()[0].text.size(), 49u);
}

TEST_F(DateFormatStoreTest, SaveWritesRegisteredEntriesInOneReplacement) {
  int replacements = 0;
  env_.files.replace = [&](const std::filesystem::path& p, const std::string& c) {
    ++replacements;
    return HostFileOps().replace(p, c);
  };
  const auto store = Open("t.ini", "TWord0=old0\r\nTWord1=old1\r\nTWord2=old2\r\n");
  DateFormatList list = Loaded(*store);
  list.Use(-1, "%YYYY年", Action::Insert);  // history stays out of the file
  list.Use(2, "", Action::Delete);          // old1
  for (int i = 0; i < 30; ++i) list.Use(-1, "r" + std::to_string(i), Action::Register);
  list.Save(*store);
  list.Use(0, "", Action::Delete);  // fewer entries end the sequence earlier
  list.Save(*store);
  EXPECT_EQ(replacements, 2);
  std::string expected = Texts(list);
  expected.erase(expected.find("%YYYY年 "), std::string("%YYYY年 ").size());
  EXPECT_EQ(Texts(Loaded(*Open("t.ini"))), expected);  // all of them, past the twentieth, in order
}

TEST(DateFormatAssistTest, TickedRowsBuildTheirCodesInRowOrder) {
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
  std::string all = std::get<2>(cases[0]);
  DateTime monday = test::MakeDateTime(2011, 1, 10);
  EXPECT_EQ(ExpandDateCodes(monday, all, kDateMath), -16);  // counts from the moved day
  EXPECT_EQ(all, "11年1月17日月14-16");
  // A code is added whole or not at all, the format never passing its box.
  std::string format(96, 'x');
  EXPECT_TRUE(AppendAssistCode(format, "%YY/"));
  EXPECT_FALSE(AppendAssistCode(format, "%D"));
  EXPECT_EQ(format, std::string(96, 'x') + "%YY/");
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
