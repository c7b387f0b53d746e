#include "core/features/date_codes.h"

#include <cstddef>
#include <string_view>

namespace varnel {

namespace {

// Values have room for two characters; anything larger keeps its last two digits.
void AppendNumber(std::string& out, unsigned value, bool twoDigits) {
  value %= 100;
  if (twoDigits || value >= 10) out += static_cast<char>('0' + value / 10);
  out += static_cast<char>('0' + value % 10);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Plain decimal field: a non-digit ends it early.
int DecimalField(std::string_view field) {
  int value = 0;
  for (char c : field) {
    if (!IsDigit(c)) break;
    value = value * 10 + (c - '0');
  }
  return value;
}

class Expander {
 public:
  Expander(DateTime& dateTime, std::string_view in, int mode) : dt_(dateTime), in_(in), mode_(mode) {}

  int Run(std::string& out) {
    out.clear();
    out.reserve(in_.size());
    std::size_t i = 0;
    while (i < in_.size()) {
      if (in_[i] != '%') {
        out += in_[i++];
        continue;
      }
      i += Code(i, out);
    }
    return result_;
  }

 private:
  // The byte at k, or 0 past the end: no code letter, digit or quote is 0, so
  // every test below fails safely at the end of the text.
  char At(std::size_t k) const { return k < in_.size() ? in_[k] : '\0'; }

  // Expands the code starting at the '%' at i; returns the bytes consumed.
  std::size_t Code(std::size_t i, std::string& out) {
    const char c = At(i + 1);
    const bool doubled = c != '\0' && At(i + 2) == c;
    const bool time = (mode_ & kTimeCodes) != 0;
    const bool math = (mode_ & kDateMath) != 0;
    switch (c) {
      case '%':
        out += '%';
        return 2;
      case 'D':
      case 'd':
        AppendNumber(out, dt_.day, doubled);
        return doubled ? 3 : 2;
      case 'M':
      case 'm':
        AppendNumber(out, dt_.month, doubled);
        return doubled ? 3 : 2;
      case 'W':
      case 'w':
        out += doubled ? WeekdayNameEnglish(dt_.dayOfWeek) : WeekdayName(dt_.dayOfWeek);
        return doubled ? 3 : 2;
      case 'Y':
        return Year(i, out);
      case 'y':
        AppendNumber(out, static_cast<unsigned>(EraYear(dt_.year)), doubled);
        return doubled ? 3 : 2;
      case 'H':
      case 'h':
      case 'F':
      case 'f':
      case 'S':
      case 's':
        if (!time) break;
        AppendNumber(out, TimeField(c), doubled);
        return doubled ? 3 : 2;
      case 'a':
        if (!time) break;
        if (dt_.hour < 12) out += "am";
        return 2;
      case 'p':
        if (!time) break;
        if (dt_.hour >= 12) out += "pm";
        return 2;
      case 'A':
      case 'P':
        if (!time) break;
        return Quoted(i, c == 'A' ? dt_.hour < 12 : dt_.hour >= 12, out);
      case '+':
      case '-':
        if (!math) break;
        return Move(i, c == '+');
      case 'C':
      case 'c':
        if (!math) break;
        return Count(i, c == 'c', out);
      default:
        break;
    }
    return 1;  // the '%' is dropped; what follows is ordinary text
  }

  unsigned TimeField(char c) const {
    switch (c) {
      case 'H':
        return dt_.hour;
      case 'h':
        return dt_.hour % 12u;
      case 'F':
      case 'f':
        return dt_.minute;
      default:
        return dt_.second;
    }
  }

  std::size_t Year(std::size_t i, std::string& out) {
    std::size_t n = 1;
    while (n < 4 && At(i + 1 + n) == 'Y') ++n;
    const unsigned year = dt_.year % 10000u;
    const char digits[4] = {static_cast<char>('0' + year / 1000), static_cast<char>('0' + year / 100 % 10),
                            static_cast<char>('0' + year / 10 % 10), static_cast<char>('0' + year % 10)};
    out.append(digits + (4 - n), n);
    return 1 + n;
  }

  // "%A" / "%P" with 0..7 bytes of text in double quotes.
  std::size_t Quoted(std::size_t i, bool show, std::string& out) {
    if (At(i + 2) != '"') return 2;
    for (std::size_t len = 0; len <= 7; ++len) {
      if (At(i + 3 + len) == '"') {
        if (show) out.append(in_.substr(i + 3, len));
        return 4 + len;
      }
    }
    return 2;
  }

  std::size_t Move(std::size_t i, bool forward) {
    std::size_t n = 0;
    int days = 0;
    while (n < 6 && IsDigit(At(i + 2 + n))) {
      days = days * 10 + (At(i + 2 + n) - '0');
      ++n;
    }
    const int from = DayNumber(dt_.year, dt_.month, dt_.day);
    const int to = forward ? from + days : from - days;  // DayNumberToDate clamps
    SetDateOfDay(dt_, to);
    return 2 + n;
  }

  // "%C" / "%c", then "YYYYMMDD" or "-YYYYMMDD" in double quotes.
  std::size_t Count(std::size_t i, bool setsResult, std::string& out) {
    if (At(i + 2) != '"') return 2;
    const std::size_t sign = At(i + 3) == '-' ? 1 : 0;
    const std::size_t date = i + 3 + sign;
    if (At(date + 8) != '"') return 2;  // also false when the text is too short
    const int year = DecimalField(in_.substr(date, 4));
    const int month = DecimalField(in_.substr(date + 4, 2));
    const int day = DecimalField(in_.substr(date + 6, 2));
    const int count = DayNumber(year, month, day) - DayNumber(dt_.year, dt_.month, dt_.day);
    out += std::to_string(sign ? -count : count);
    if (setsResult && !haveResult_) {
      result_ = count;
      haveResult_ = true;
    }
    return 12 + sign;
  }

  DateTime& dt_;
  std::string_view in_;
  int mode_;
  int result_ = kNoDayCount;
  bool haveResult_ = false;
};

}  // namespace

int ExpandDateCodes(DateTime& dateTime, std::string& text, int mode) {
  const std::string in = text;
  return Expander(dateTime, in, mode).Run(text);
}

}  // namespace varnel
