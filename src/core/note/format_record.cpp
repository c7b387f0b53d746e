#include "core/note/format_record.h"

#include <algorithm>
#include <cstdio>

#include "core/config/profile_store.h"
#include "core/note/note_content.h"
#include "core/note/note_layout.h"

namespace varnel {
namespace {

constexpr std::size_t kRecordLength = 16;


void PutHex(std::string& spec, std::size_t at, const char* format, int value) {
  char digits[8];
  std::snprintf(digits, sizeof digits, format, static_cast<unsigned>(value));
  spec.replace(at, std::char_traits<char>::length(digits), digits);
}

}  // namespace

std::string NormalisedRecord(std::string_view text) {
  if (text.size() < kRecordLength) return kEmptyFormat;
  return std::string(text.substr(0, kRecordLength));
}

FormatRecord DecodeFormatRecord(std::string_view spec, int defaultHeight, int minHeight) {
  const RowFormat f = ParseRowFormat(spec);
  FormatRecord r;
  r.inForce = f.byState;
  r.ownText = f.ownText;
  r.textColour = f.textColour;
  r.ownHeight = f.ownHeight;
  r.height = std::clamp(f.height == 0 ? defaultHeight : f.height, std::min(minHeight, 64), 64);
  r.bold = f.bold;
  r.italic = f.italic;
  r.ownBack = f.ownBack;
  r.backColour = f.backColour;
  return r;
}

std::string EncodeFormatRecord(std::string_view spec, const FormatRecord& r, int minHeight) {
  std::string out = NormalisedRecord(spec);
  int c0 = StatusDigit(out, 0), c3 = StatusDigit(out, 3);
  const auto flag = [](int& digit, int bit, bool on) { digit = on ? digit | bit : digit & ~bit; };
  flag(c0, 2, r.ownText);
  if (r.ownText) PutHex(out, 4, "%06x", r.textColour & 0xFFFFFF);
  flag(c0, 1, r.ownHeight);
  if (r.ownHeight) PutHex(out, 1, "%02x", std::clamp(r.height, std::min(minHeight, 64), 64));
  flag(c3, 1, r.bold);
  flag(c3, 2, r.italic);
  flag(c3, 8, r.inForce);
  flag(c0, 4, r.ownBack);
  if (r.ownBack) PutHex(out, 10, "%06x", r.backColour & 0xFFFFFF);
  SetStatusDigit(out, 0, c0);
  SetStatusDigit(out, 3, c3);
  return out;
}

std::string DayLimitText(int day) {
  if (day < -99 || day > 999) return std::string();
  char text[8];
  std::snprintf(text, sizeof text, "%d", day);
  return text;
}

int ParseDayLimit(std::string_view text) {
  if (text.empty()) return kNeverDay;
  return static_cast<int>(Clamp<std::int64_t>(ParseNumber(text), -99, 999));
}

int StoredDayLimit(int day) { return day < -99 || day > 999 ? -100 : day; }

}  // namespace varnel
