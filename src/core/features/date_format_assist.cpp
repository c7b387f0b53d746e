#include "core/features/date_format_assist.h"

#include <algorithm>
#include <cstdio>

namespace varnel {
namespace {

int DigitAt(std::string_view text, std::size_t i) {
  const std::string_view fallback = kDefaultFmtDate;
  const char c = i < text.size() && text[i] >= '0' && text[i] <= '9' ? text[i] : fallback[i];
  return c - '0';
}

bool FlagAt(std::string_view text, std::size_t i) { return DigitAt(text, i) != 0; }

char Flag(bool on) { return on ? '1' : '0'; }

int YearDigitsFor(int digits, bool era) { return std::clamp(digits, 1, era ? 2 : 4); }

// What follows the year and the month ("年"/"月" when the separator is "年月日").
std::string Separator(int choice, const char* dateWord) {
  static const char* const kMarks[] = {"", nullptr, "/", "-", "."};
  if (choice == 1) return dateWord;
  return choice >= 0 && choice <= 4 ? kMarks[choice] : "";
}

std::string CountCode(char letter, bool back, const Date& d) {
  char text[32];
  std::snprintf(text, sizeof text, "%c\"%s%04d%02d%02d\"", letter, back ? "-" : "", d.year % 10000,
                d.month % 100, d.day % 100);
  return text;
}

}  // namespace

DateFormatAssist ParseFmtDate(std::string_view text) {
  DateFormatAssist a;
  a.forConversion = FlagAt(text, 0);
  a.separator = std::min(DigitAt(text, 1), 4);
  a.moveBack = FlagAt(text, 2);
  a.era = FlagAt(text, 3);
  a.monthTwoDigits = FlagAt(text, 4);
  a.dayTwoDigits = FlagAt(text, 5);
  a.english = FlagAt(text, 6);
  a.countBack = FlagAt(text, 7);
  a.firstCountBack = FlagAt(text, 8);
  a.yearDigits = YearDigitsFor(DigitAt(text, 9), a.era);
  a.parentheses = FlagAt(text, 10);
  a.moveDays = DigitAt(text, 11) * 100 + DigitAt(text, 12) * 10 + DigitAt(text, 13);
  return a;
}

std::string FormatFmtDate(const DateFormatAssist& a) {
  char days[8];
  std::snprintf(days, sizeof days, "%03d", std::clamp(a.moveDays, 0, 999));
  std::string text;
  text += Flag(a.forConversion);
  text += static_cast<char>('0' + std::clamp(a.separator, 0, 4));
  for (bool on :
       {a.moveBack, a.era, a.monthTwoDigits, a.dayTwoDigits, a.english, a.countBack, a.firstCountBack})
    text += Flag(on);
  text += static_cast<char>('0' + std::clamp(a.yearDigits, 1, 4));
  text += Flag(a.parentheses);
  return text + days;
}

std::string AssistCode(AssistRow row, const DateFormatAssist& a, const Date& countDate) {
  std::string code = a.forConversion ? "%%" : "%";
  switch (row) {
    case AssistRow::kMove:
      return code + (a.moveBack ? "-" : "+") + std::to_string(std::clamp(a.moveDays, 0, 999));
    case AssistRow::kYear:
      return code +
             std::string(static_cast<std::size_t>(YearDigitsFor(a.yearDigits, a.era)), a.era ? 'y' : 'Y') +
             Separator(a.separator, "年");
    case AssistRow::kMonth:
      return code + (a.monthTwoDigits ? "MM" : "M") + Separator(a.separator, "月");
    case AssistRow::kDay:
      return code + (a.dayTwoDigits ? "DD" : "D") + (a.separator == 1 ? "日" : "");
    case AssistRow::kWeekday:
      code += a.english ? "WW" : "W";
      return a.parentheses ? "(" + code + ")" : code;
    case AssistRow::kCount:
      return code + CountCode('C', a.countBack, countDate);
    case AssistRow::kFirstCount:
      return code + CountCode('c', a.firstCountBack, countDate);
    case AssistRow::kRowCount:
      break;
  }
  return std::string();
}

bool AppendAssistCode(std::string& format, std::string_view code) {
  if (format.size() + code.size() > kAssistFormatBytes) return false;
  format += code;
  return true;
}

std::string GenerateAssistFormat(unsigned tickedRows, const DateFormatAssist& a, const Date& countDate,
                                 const Date& firstCountDate) {
  std::string format;
  for (int r = 0; r < static_cast<int>(AssistRow::kRowCount); ++r) {
    if (!(tickedRows & (1u << r))) continue;
    const auto row = static_cast<AssistRow>(r);
    AppendAssistCode(format, AssistCode(row, a, row == AssistRow::kFirstCount ? firstCountDate : countDate));
  }
  return format;
}

}  // namespace varnel
