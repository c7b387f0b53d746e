// The note's title: its own "Title", or one derived from the note number, the
// first heading, the first detail or the update time.
#include <cstdio>

#include "core/config/profile_store.h"
#include "core/features/date_codes.h"
#include "core/note/note_content.h"
#include "core/text/cp932.h"

namespace varnel {
namespace {

constexpr std::size_t kTitleBytes = 260;

// "TFmt" for the number title: %% -> %, %N/%n -> number, %NN/%nn -> two digits.
std::string NumberTitle(const std::string& format, int number) {
  std::string out;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (cp932::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < format.size()) {
      out += c;
      out += format[++i];
      continue;
    }
    if (c != '%') {
      out += c;
      continue;
    }
    if (i + 1 >= format.size()) break;  // a trailing '%' ends the text
    const char code = format[++i];
    char digits[16];
    if (code == 'N' || code == 'n') {
      const bool twice = i + 1 < format.size() && format[i + 1] == code;
      std::snprintf(digits, sizeof digits, twice ? "%02d" : "%d", number);
      if (twice) ++i;
      out += digits;
    } else {
      out += code;  // "%%" and any other character: the character itself
    }
  }
  return out;
}

// Mode 2: the first detail's text, after its first line when that is hidden,
// then cut at the first line break.
std::string DetailTitle(const Row& row) {
  std::string text = row.text;
  if (StatusDigit(row.status, 1) & 1) {
    const std::size_t br = text.find_first_of("\r\n");
    if (br != std::string::npos) {
      const std::size_t rest = text.find_first_not_of("\r\n", br);
      if (rest != std::string::npos) text.erase(0, rest);
    }
  }
  const std::size_t br = text.find_first_of("\r\n");
  if (br != std::string::npos) text.resize(br);
  return text;
}

}  // namespace

int NoteContent::UpdateTitle(int mode, const NoteRules& rules, const DateTime& now) {
  if (mode == 9) {
    updateStamp = now;
    if (titleMode == -1) return 0;
  } else if (mode == -1) {
    if (!title.empty()) {
      titleMode = -1;
      return 0;
    }
    titleMode = Clamp(rules.title, 0, 3);
  } else if (mode == -9) {
    // After a renumbering: the title shown stays the note's own until the next load.
    if (!title.empty()) titleMode = -1;
    return 0;
  } else if (mode >= 0 && mode <= 3) {
    if (titleMode == -1) return 0;
    titleMode = mode;
  } else {
    return 0;
  }

  std::string derived;
  int effective = titleMode;
  if (effective == 1 && hideHeadingRows) effective = 2;
  switch (effective) {
    case 0:
      if (rules.tFmt.empty()) {
        char text[32];
        std::snprintf(text, sizeof text, "(付箋%d)", slot + 1);
        derived = text;
      } else {
        derived = NumberTitle(rules.tFmt, slot + 1);
      }
      break;
    case 1:
      if (const int row = HeadingRow(0); row >= 0) derived = rows.At(row).text;
      break;
    case 2:
      if (headingCount > 0) {
        const int row = rows.Find(MakeRowKey(KeyHeadingId(headingKeys[0]), 1));
        if (row >= 0) derived = DetailTitle(rows.At(row));
      }
      break;
    case 3:
      if (rules.tFmt.empty()) {
        char text[32];
        std::snprintf(text, sizeof text, "%02d/%02d-%02d:%02d", updateStamp.month, updateStamp.day,
                      updateStamp.hour, updateStamp.minute);
        derived = text;
      } else {
        // The update time takes the time codes, not the day moves.
        DateTime stamp = updateStamp;
        derived = rules.tFmt;
        ExpandDateCodes(stamp, derived, kTimeCodes);
      }
      break;
  }
  title = cp932::Cut(derived, kTitleBytes);
  return 1;
}

}  // namespace varnel
