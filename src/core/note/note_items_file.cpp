// Loading and saving a note's rows: sections "1".."20", keys "%dS" (the
// attribute record) and "%dL" (the escaped text), numbered from 0 per heading.
#include <cstdio>
#include <vector>

#include "core/config/profile_store.h"
#include "core/features/alarm_table.h"
#include "core/note/note_content.h"
#include "core/note/text_escape.h"
#include "core/text/cp932.h"

namespace varnel {
namespace {

constexpr std::size_t kRecordBuffer = 64;     // "%dS" read with at most 63 characters
constexpr std::size_t kTextBuffer = 1200;     // "%dL" read with at most 1199 characters
constexpr std::size_t kSavedTextBytes = 298;  // a row text is saved with at most 298 bytes
constexpr std::size_t kAlarmRecordLength = 12;
constexpr std::size_t kRecordWithAlarm = 24 + kAlarmRecordLength;

std::string Key(std::uint32_t number, char kind) {
  char key[16];
  std::snprintf(key, sizeof key, "%u%c", number, kind);
  return key;
}

std::string SectionName(int number) { return std::to_string(number); }

std::string_view Field(std::string_view record, std::size_t offset, std::size_t length) {
  if (offset >= record.size()) return {};
  return record.substr(offset, length);
}

// Chars 8..23 as fields of 1, 2, 1, 6 and 6 hex digits, always 16 characters.
std::string FormatOfRecord(std::string_view record) {
  const auto field = [&](std::size_t offset, int length) {
    return static_cast<unsigned>(
        ParseField(Field(record, offset, static_cast<std::size_t>(length)), length, 0));
  };
  char text[32];
  std::snprintf(text, sizeof text, "%01x%02x%01x%06x%06x", field(8, 1) & 0xF, field(9, 2) & 0xFF,
                field(11, 1) & 0xF, field(12, 6) & 0xFFFFFF, field(18, 6) & 0xFFFFFF);
  return text;
}

// A text of exactly `length` characters: cut, or filled with '0'.
std::string Fixed(std::string_view text, std::size_t length) {
  std::string out(text.substr(0, length));
  out.resize(length, '0');
  return out;
}

}  // namespace

bool NoteContent::LoadItems(ProfileStore& store) {
  // A reload must not leave the old rows' alarms in the table.
  if (alarms) alarms->FreeNote(slot);
  // One look at the file for the whole load instead of one per key; nothing is written.
  ProfileStore::Batch batch(store);
  rows.Clear();
  headingCount = 0;
  nextHeadingId = 1;
  headingAttributes.fill(0);
  headingKeys.fill(0);
  editedRow = dialogRow = pointerHeadingRow = -1;
  bool alarmsOk = true;

  for (int s = 1; s <= kMaxHeadings; ++s) {
    const std::string section = SectionName(s);
    std::string record = store.ReadString("0S", "", kRecordBuffer, section.c_str());
    if (record.size() < 8) continue;
    std::uint32_t attributes = static_cast<std::uint32_t>(ParseField(record, 8, 0)) & ~0xFF00u;
    const auto id = static_cast<std::uint32_t>(nextHeadingId++);
    std::uint32_t r = 0;
    for (;;) {
      Row row;
      row.key = MakeRowKey(id, r);
      row.text = UnescapeText(store.ReadString(Key(r, 'L').c_str(), "", kTextBuffer, section.c_str()));
      row.format = FormatOfRecord(record);
      row.status = record.substr(0, 8);
      if (r > 0 && (StatusDigit(row.status, 3) & 4)) {
        int digit3 = StatusDigit(row.status, 3), digit7 = StatusDigit(row.status, 7);
        int number = 0;
        if (record.size() < kRecordWithAlarm) {
          // Too short to hold the alarm's settings: the detail has no alarm.
          SetStatusDigit(row.status, 3, digit3 & ~12);
          digit7 &= ~12;
        } else {
          digit7 &= ~8;
          if ((digit3 & 12) == 12) {
            const int registered =
                alarms ? alarms->RegisterAlarm(slot, row.key, Field(record, 24, kAlarmRecordLength)) : -1;
            if (registered > 0) {
              digit7 |= 12;
              number = registered;
            } else {
              alarmsOk = false;
            }
          }
          row.status += record.substr(24, kAlarmRecordLength);
        }
        SetStatusDigit(row.status, 7, digit7);
        SetStatusAlarmNumber(row.status, number);
      }
      rows.Append(std::move(row));
      ++r;
      if (r >= 0xFFFF) break;  // row numbers are 16 bits
      record = store.ReadString(Key(r, 'S').c_str(), "", kRecordBuffer, section.c_str());
      if (record.size() < 8) break;
    }
    const bool hasDetails = r > 1;
    const int display = HeadingDisplayMode(attributes);
    attributes &= ~kHeadingHidden;
    if (display == 2 || (display == 1 && !hasDetails)) attributes |= kHeadingHidden;
    const int fold = HeadingFoldMode(attributes);
    if (fold == 2)
      attributes |= kHeadingFolded;
    else if (fold != 1)
      attributes &= ~kHeadingFolded;
    headingKeys[static_cast<std::size_t>(headingCount)] = MakeRowKey(id, r);
    headingAttributes[static_cast<std::size_t>(headingCount)] = attributes;
    ++headingCount;
  }
  return alarmsOk;
}

void NoteContent::SaveItems(ProfileStore& store, int autoDel) const {
  for (int h = 0; h < headingCount; ++h) {
    const std::string section = SectionName(h + 1);
    const bool keepDeleted = (headingAttributes[static_cast<std::size_t>(h)] & kHeadingKindMask) != 0;
    std::vector<std::string> written;
    std::uint32_t n = 0;
    ForEachRow(h, true, [&](int index, std::uint32_t r) {
      const Row& row = rows.At(index);
      if (r > 0 && DetailStateOf(row.status) == kDeleted && autoDel == 1 && !keepDeleted) return;
      // Fixed fields, so a record saved behind the format string never shifts.
      std::string record = Fixed(row.status, 8) + Fixed(row.format, 16);
      if (StatusDigit(row.status, 3) & 4)
        record += Fixed(Field(row.status, 8, kAlarmRecordLength), kAlarmRecordLength);
      const std::string text = EscapeText(cp932::Cut(row.text, kSavedTextBytes));
      written.push_back(Key(n, 'S'));
      store.WriteString(written.back().c_str(), record.c_str(), section.c_str());
      written.push_back(Key(n, 'L'));
      store.WriteString(written.back().c_str(), text.c_str(), section.c_str());
      ++n;
    });
    store.RetainKeys(section.c_str(), written);
  }
  for (int s = headingCount + 1; s <= kMaxHeadings; ++s) store.ClearSection(SectionName(s).c_str());
}

}  // namespace varnel
