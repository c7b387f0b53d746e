// The date format assistant: the boxes it keeps in "FmtDate" and the date
// codes its row buttons append to the format being built.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "core/features/calendar.h"

namespace varnel {

// The assistant's boxes, one character each in "FmtDate" (14 characters).
struct DateFormatAssist {
  bool forConversion = false;  // write every code with a doubled '%'
  int separator = 2;           // 0 none, 1 "年月日", 2 '/', 3 '-', 4 '.'
  bool moveBack = false;
  bool era = false;  // 和暦: "%y", 1..2 digits
  bool monthTwoDigits = false, dayTwoDigits = false;
  bool english = false;                            // "%WW"
  bool countBack = false, firstCountBack = false;  // the "-" of the "%C" and "%c" rows
  int yearDigits = 2;                              // 1..4, 1..2 with era
  bool parentheses = false;                        // "(%W)"
  int moveDays = 0;                                // 0..999
};

constexpr const char* kDefaultFmtDate = "02000000020000";
constexpr std::size_t kAssistFormatBytes = 100;

// Each position read with its own bound; a missing or bad one takes the default's.
DateFormatAssist ParseFmtDate(std::string_view text);
std::string FormatFmtDate(const DateFormatAssist& a);

// The rows of the assistant, in the order "選択生成" presses their buttons.
enum class AssistRow { kMove, kYear, kMonth, kDay, kWeekday, kCount, kFirstCount, kRowCount };

// The code one row button appends; countDate is that row's picker (count rows only).
std::string AssistCode(AssistRow row, const DateFormatAssist& a, const Date& countDate = {2001, 1, 1});
// Appends code when the whole of it fits in kAssistFormatBytes; false leaves format as it was.
bool AppendAssistCode(std::string& format, std::string_view code);
// "選択生成": the codes of the ticked rows (bit = row) in row order, each one that fits.
std::string GenerateAssistFormat(unsigned tickedRows, const DateFormatAssist& a, const Date& countDate,
                                 const Date& firstCountDate);

}  // namespace varnel
