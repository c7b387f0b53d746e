// A 16-digit format record as the colour dialogs edit it: the state colour
// records ("CColor%d" with "CCDay%d") and the decorations ("Pen0"/"Pen1").
#pragma once
#include <string>
#include <string_view>

namespace varnel {

constexpr int kNeverDay = 36160;  // day limit that is never reached

struct FormatRecord {
  bool inForce = false;  // char 3 bit 3 (state colour records)
  bool ownText = false;  // char 0 bit 1, colour in chars 4..9
  int textColour = 0;
  bool ownHeight = false;  // char 0 bit 0, height in chars 1..2
  int height = 0;
  bool bold = false, italic = false;  // char 3 bits 0, 1
  bool ownBack = false;               // char 0 bit 2, colour in chars 10..15
  int backColour = 0;
};

// A stored record as every reader takes it: its first 16 characters, or 16
// zeros when it has fewer.
std::string NormalisedRecord(std::string_view text);

// The record's fields; a zero height shows as defaultHeight; the height is
// bounded minHeight..64.
FormatRecord DecodeFormatRecord(std::string_view spec, int defaultHeight, int minHeight);
// spec with the fields of r written in: a colour or height that is not used
// keeps its digits, only its flag is cleared; flag digits go back in upper
// case, a flag digit that was not a hex digit starts from 0.
std::string EncodeFormatRecord(std::string_view spec, const FormatRecord& r, int minHeight);

// The day limit of a state colour record as its edit shows it (empty when
// outside -99..999) and as it is read back from the edit (empty = never).
std::string DayLimitText(int day);
int ParseDayLimit(std::string_view text);
// The value kept in "CCDay%d": never goes back as -100, which reads as never.
int StoredDayLimit(int day);

}  // namespace varnel
