#include "core/note/format_record.h"

#include <gtest/gtest.h>

#include <tuple>

namespace varnel {
namespace {

auto Fields(const FormatRecord& r) {
  return std::tie(r.inForce, r.ownText, r.textColour, r.ownHeight, r.height, r.bold, r.italic, r.ownBack,
                  r.backColour);
}

// A record goes through the dialogs as decode, edit, encode: what the file gets, and what reads back.
TEST(FormatRecord, EncodeWritesFlagsKeepingUnusedDigitsAndDecodeReadsThem) {
  const FormatRecord all{true, true, 0x0000FF, true, 20, true, true, true, 0xABCDEF},
      tall{true, true, 0x0000FF, true, 200, true, true, true, 0xABCDEF},
      small{false, false, 0, true, 2, false, false, false, 0},
      none;  // every box cleared: the colour digits stay, the flags go
  const std::tuple<const char*, FormatRecord, const char*> cases[] = {
      {"0000000000000000", all, "714B0000ffabcdef"},
      {"7148000011223344", none, "0140000011223344"},
      {"x0zZ000000000000", none, "00z0000000000000"},  // non-hex flag digits start from 0
      {"8004000000000000", tall, "F40F0000ffabcdef"},  // other bits kept, height bounded to 64
      {"", small, "10d0000000000000"},                 // short: zeros; height at least the minimum
      {"a3c4e5f6a7b8c9d0e1f2", none, "83c4e5f6a7b8c9d0"}};
  for (const auto& [spec, r, out] : cases) EXPECT_EQ(EncodeFormatRecord(spec, r, 13), out) << spec;
  // A zero or missing height reads as the default; heights are bounded 13..64.
  const std::tuple<const char*, int, FormatRecord> decoded[] = {
      {"0000000000000000", 14, {false, false, 0, false, 14, false, false, false, 0}},
      {"714B0000ffabcdef", 14, all},
      {"1ff2000000000000", 14, {false, false, 0, true, 64, false, true, false, 0}},
      {"1012000000000000", 14, {false, false, 0, true, 13, false, true, false, 0}},
      {"xyz", 16, {false, false, 0, false, 16, false, false, false, 0}}};
  for (const auto& [spec, height, r] : decoded)
    EXPECT_EQ(Fields(DecodeFormatRecord(spec, height, 13)), Fields(r)) << spec;
}

// The day edit of a state colour record, and what "CCDay%d" keeps so that it reads back.
TEST(FormatRecord, DayLimitTextAndStoredValue) {
  const std::tuple<const char*, int, const char*, int> cases[] = {
      // typed, day, shown, stored
      {"", kNeverDay, "", -100}, {"-150", -99, "-99", -99}, {"1500", 999, "999", 999},
      {"0", 0, "0", 0},          {"12", 12, "12", 12},      {"-", 0, "0", 0}};
  for (const auto& [typed, day, shown, stored] : cases) {
    EXPECT_EQ(std::make_tuple(ParseDayLimit(typed), DayLimitText(day), StoredDayLimit(day)),
              std::make_tuple(day, std::string(shown), stored))
        << typed;
  }
  EXPECT_EQ(DayLimitText(-100), "");
}

}  // namespace
}  // namespace varnel
