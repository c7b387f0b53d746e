// Arbitrary bytes as a date format: expansion never grows the text (beyond wider
// weekday literals of a build) and keeps the working date inside the calendar.
#include <cstring>

#include "core/features/calendar.h"
#include "core/features/date_codes.h"
#include "fuzz_support.h"

using namespace varnel;

// Layout: mode, two bytes of day number, hour, minute, then the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  const int mode = data[0] & 3;
  DateTime dt;
  SetDateOfDay(dt, (data[1] << 8 | data[2]) % (kLastDayNumber + 1));
  dt.hour = data[3] % 24;
  dt.minute = data[4] % 60;
  const DateTime before = dt;
  const std::string input = Bytes(data, size, 5);
  std::string text = input;
  const int count = ExpandDateCodes(dt, text, mode);

  // Literal bytes depend on the compiler: allow for wider weekday names.
  const std::size_t extra = std::strlen(WeekdayName(0)) > 2 ? std::strlen(WeekdayName(0)) - 2 : 0;
  std::size_t percents = 0;
  for (char c : input) percents += c == '%';
  Check(text.size() <= input.size() + extra * percents && (percents > 0 || text == input));
  if (input.find("%c") == std::string::npos || !(mode & kDateMath)) Check(count == kNoDayCount);
  if (count != kNoDayCount) Check(count >= -kLastDayNumber && count <= kLastDayNumber);
  const int moved = DayNumber(dt.year, dt.month, dt.day);
  const Date back = DayNumberToDate(moved);
  Check(back.year == dt.year && back.month == dt.month && back.day == dt.day &&
        dt.dayOfWeek == WeekdayOf(moved));
  Check(dt.hour == before.hour && dt.minute == before.minute && dt.second == before.second);
  if (!(mode & kDateMath)) Check(moved == DayNumber(before.year, before.month, before.day));

  // The calendar itself on the same bytes: always inside its range.
  const int y = static_cast<std::int8_t>(data[1]) * 40, m = static_cast<std::int8_t>(data[2]),
            d = static_cast<std::int8_t>(data[3]);
  const int dn = DayNumber(y, m, d);
  const int w = WeekdayOf(dn - 100000 * m);
  Check(dn >= 0 && dn <= kLastDayNumber && w >= 0 && w <= 6);
  HolidayCode(dn + d * 1000);
  return 0;
}
