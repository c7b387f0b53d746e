// Loading and saving a note's rows: sections "1".."20", keys "%dS" (the
// attribute record) and "%dL" (the escaped text), numbered from 0 per heading.
#include <string>
#include <string_view>
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
  std::string key = std::to_string(number);
  key += kind;
  return key;
}

std::string SectionName(int number) { return std::to_string(number); }

std::string_view Field(std::string_view record, std::size_t offset, std::size_t length) {
  if (offset >= record.size()) return {};
  return record.substr(offset, length);
}

// Chars 8..23 as fields of 1, 2, 1, 6 and 6 hex digits, always 16 characters.
std::string FormatOfRecord(std::string_view record) {
  std::string text(16, '0');
  std::size_t at = 0;
  const auto field = [&](std::size_t offset, std::size_t length) {
    auto value =
        static_cast<std::uint32_t>(ParseField(Field(record, offset, length), static_cast<int>(length), 0));
    for (std::size_t i = length; i-- > 0; value >>= 4) text[at + i] = "0123456789abcdef"[value & 0xF];
    at += length;
  };
  field(8, 1);
  field(9, 2);
  field(11, 1);
  field(12, 6);
  field(18, 6);
  return text;
}

// The "%uS" and "%uL" values of one heading's section by row number, read in
// one pass over the section instead of two lookups a row. The first of
// repeated names counts and values are cut to the read buffers, as a read by
// name does it.
class SectionRows {
 public:
  SectionRows(ProfileStore& store, const std::string& section) : store_(store), section_(section) {
    listed_ = store.ForEachKey(section.c_str(), [this](std::string_view name, std::string_view value) {
      std::uint32_t number = 0;
      bool text = false;
      if (RowKey(name, number, text)) found_.push_back({number, text, value});
    });
    // Row r is reached only past r records under distinct names, so no number
    // at or beyond the count of row keys is ever read.
    slots_.resize(found_.size());
    for (const Found& f : found_) {
      if (f.number >= slots_.size()) continue;
      Slot& slot = slots_[f.number];
      if (!slot.has[f.text]) {
        slot.has[f.text] = true;
        slot.value[f.text] = f.value;
      }
    }
  }
  std::string_view Record(std::uint32_t r) { return Value(r, false, kRecordBuffer, recordRead_); }
  std::string_view Text(std::uint32_t r) { return Value(r, true, kTextBuffer, textRead_); }

 private:
  struct Found {
    std::uint32_t number;
    bool text;
    std::string_view value;
  };
  struct Slot {
    bool has[2] = {false, false};
    std::string_view value[2];
  };

  // Only the spelling Key() writes, in either case: digits without leading
  // zeros, then S or L.
  static bool RowKey(std::string_view name, std::uint32_t& number, bool& text) {
    if (name.size() < 2 || name.size() > 6) return false;
    const char kind = name.back();
    if (kind == 'S' || kind == 's')
      text = false;
    else if (kind == 'L' || kind == 'l')
      text = true;
    else
      return false;
    name.remove_suffix(1);
    if (name.size() > 1 && name[0] == '0') return false;
    number = 0;
    for (char c : name) {
      if (c < '0' || c > '9') return false;
      number = number * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return true;
  }

  std::string_view Value(std::uint32_t r, bool text, std::size_t buffer, std::string& read) {
    if (!listed_) {
      // A back end that cannot list its keys: read this one by name.
      read = store_.ReadString(Key(r, text ? 'L' : 'S').c_str(), "", buffer, section_.c_str());
      return read;
    }
    if (r >= slots_.size() || !slots_[r].has[text]) return {};
    const std::string_view value = slots_[r].value[text];
    return value.substr(0, cp932::CutLength(value, buffer - 1));
  }

  ProfileStore& store_;
  const std::string& section_;
  bool listed_ = false;
  std::vector<Found> found_;
  std::vector<Slot> slots_;
  std::string recordRead_, textRead_;
};

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
    SectionRows values(store, section);
    std::string_view record = values.Record(0);
    if (record.size() < 8) continue;
    std::uint32_t attributes = static_cast<std::uint32_t>(ParseField(record, 8, 0)) & ~0xFF00u;
    const auto id = static_cast<std::uint32_t>(nextHeadingId++);
    std::uint32_t r = 0;
    for (;;) {
      Row row;
      row.key = MakeRowKey(id, r);
      row.text = UnescapeText(values.Text(r));
      row.format = FormatOfRecord(record);
      row.status.assign(record.substr(0, 8));
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
        // Written only when it changes, so the stored letter case stays.
        if (digit7 != StatusDigit(row.status, 7)) SetStatusDigit(row.status, 7, digit7);
        SetStatusAlarmNumber(row.status, number);
      }
      rows.Append(std::move(row));
      ++r;
      if (r >= 0xFFFF) break;  // row numbers are 16 bits
      record = values.Record(r);
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
      std::string status = Fixed(row.status, 8);
      if (r > 0 && (StatusDigit(status, 3) & 4)) {
        // The table number and the armed bit are rebuilt at every load: kept
        // as "00" and as the chosen state, so a note that did not change is not
        // written again (a rewrite waits on the disk at every hide and exit).
        if (StatusAlarmNumber(status) != 0) SetStatusAlarmNumber(status, 0);
        const int digit7 = (StatusDigit(status, 7) & ~8) | (StatusDigit(status, 3) & 8);
        if (digit7 != StatusDigit(status, 7)) SetStatusDigit(status, 7, digit7);
      }
      std::string record = status + Fixed(row.format, 16);
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
