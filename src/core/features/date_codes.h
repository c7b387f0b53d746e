// Date code expansion: "%M月%D日(%W)" and friends, written into item texts and
// the note's update time. The working date is handed in and changed by day moves.
#pragma once
#include <string>

#include "core/features/calendar.h"

namespace varnel {

// Mode bits.
constexpr int kTimeCodes = 1;  // hour, minute, second, am/pm codes
constexpr int kDateMath = 2;   // day moves and day counts
constexpr int kNoDayCount = -9999;

// Replaces every code in text by its value. The result is never longer than the
// text, so the caller may keep using a buffer of the original size. Returns the
// (un-negated) day count of the first "%c" code, or kNoDayCount.
int ExpandDateCodes(DateTime& dateTime, std::string& text, int mode);

}  // namespace varnel
