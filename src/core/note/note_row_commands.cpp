#include "core/note/note_row_commands.h"

#include <string>
#include <utility>
#include <vector>

#include "core/features/alarm_table.h"
#include "core/text/cp932.h"

namespace varnel {
namespace {

constexpr std::size_t kStatusBytes = 298;  // a copied or re-read status or format string
constexpr std::size_t kAlarmRecordAt = 8, kAlarmRecordLength = 12;
constexpr std::size_t kPresetLength = 16;
constexpr std::uint32_t kMaxRowNumber = 0xFFFF;

RowCommandResult Result(RowEffect effect, int row = -1, RowMessage message = RowMessage::kNone) {
  return RowCommandResult{effect, message, row};
}

bool ValidHeading(const NoteContent& c, int heading) { return heading >= 0 && heading < c.headingCount; }

std::uint32_t& KeyOf(NoteContent& c, int heading) { return c.headingKeys[static_cast<std::size_t>(heading)]; }
std::uint32_t& AttributesOf(NoteContent& c, int heading) {
  return c.headingAttributes[static_cast<std::size_t>(heading)];
}

bool Shown(const NoteContent& c, int heading) {
  return (c.headingAttributes[static_cast<std::size_t>(heading)] & kHeadingHidden) == 0;
}

// The heading a detail row belongs to, or -1 for a heading row or a stray row.
int DetailHeading(const NoteContent& c, int row) {
  if (!c.rows.Valid(row) || KeyNumber(c.rows.At(row).key) == 0) return -1;
  return c.HeadingIndexOfId(KeyHeadingId(c.rows.At(row).key));
}

// Opens position `at` in both heading arrays; the later headings move down one.
void InsertHeadingSlot(NoteContent& c, int at, std::uint32_t attributes, std::uint32_t key) {
  for (int h = c.headingCount; h > at; --h) {
    AttributesOf(c, h) = AttributesOf(c, h - 1);
    KeyOf(c, h) = KeyOf(c, h - 1);
  }
  AttributesOf(c, at) = attributes;
  KeyOf(c, at) = key;
  ++c.headingCount;
}

void RemoveHeadingSlot(NoteContent& c, int heading) {
  for (int h = heading; h + 1 < c.headingCount; ++h) {
    AttributesOf(c, h) = AttributesOf(c, h + 1);
    KeyOf(c, h) = KeyOf(c, h + 1);
  }
  --c.headingCount;
  AttributesOf(c, c.headingCount) = 0;
  KeyOf(c, c.headingCount) = 0;
}

// Moves the heading at `from` to `to`; the headings in between close up behind it.
void MoveHeadingSlot(NoteContent& c, int from, int to) {
  const std::uint32_t attributes = AttributesOf(c, from), key = KeyOf(c, from);
  const int step = to < from ? -1 : 1;
  for (int h = from; h != to; h += step) {
    AttributesOf(c, h) = AttributesOf(c, h + step);
    KeyOf(c, h) = KeyOf(c, h + step);
  }
  AttributesOf(c, to) = attributes;
  KeyOf(c, to) = key;
}

// A copy's own text: the suffix always fits the saved length, so the source is
// cut first, on a whole character.
std::string CopyText(std::string_view text) {
  std::string copy = cp932::Cut(text, kRowTextBytes - kCopySuffix.size());
  copy += kCopySuffix;
  return copy;
}

// A copied detail's status never keeps its original's registration: freeing
// either row would end the other's alarm. An alarm that is on is registered
// anew for the copy; when no slot is left the copy stays on but not armed, as
// at load. Returns false when that happened.
bool RegisterCopiedAlarm(NoteContent& c, std::string& status, std::uint32_t key) {
  const int digit3 = StatusDigit(status, 3);
  int digit7 = StatusDigit(status, 7);
  if ((digit3 & 4) == 0 && (digit7 & 12) == 0 && StatusAlarmNumber(status) == 0) return true;
  int number = 0;
  bool ok = true;
  if ((digit3 & 4) && status.size() < kAlarmRecordAt + kAlarmRecordLength) {
    // No settings to register with: like a short record at load, no alarm.
    SetStatusDigit(status, 3, digit3 & ~12);
    digit7 &= ~12;
  } else {
    digit7 &= ~8;
    if ((digit3 & 12) == 12) {
      const std::string_view record = std::string_view(status).substr(kAlarmRecordAt, kAlarmRecordLength);
      const int registered = c.alarms ? c.alarms->RegisterAlarm(c.slot, key, record) : -1;
      if (registered > 0) {
        number = registered;
        digit7 |= 12;
      } else {
        ok = false;
      }
    }
  }
  SetStatusDigit(status, 7, digit7);
  SetStatusAlarmNumber(status, number);
  return ok;
}

void ExchangeKeys(NoteContent& c, int a, int b) {
  const std::uint32_t keyA = c.rows.At(a).key, keyB = c.rows.At(b).key;
  c.rows.SetKey(a, keyB);
  c.rows.SetKey(b, keyA);
}

}  // namespace

RowCommandResult ShowAllHeadings(NoteContent& content) {
  for (int h = 0; h < content.headingCount; ++h) AttributesOf(content, h) &= ~kHeadingHidden;
  return Result(RowEffect::kRepaint);
}

RowCommandResult ResetAllDetails(NoteContent& content, const NoteRules& rules, const DateTime& now) {
  for (int h = 0; h < content.headingCount; ++h) content.ResetDetails(h, rules, now);
  return Result(RowEffect::kRepaint);
}

RowCommandResult ShowHeading(NoteContent& content, int heading, bool show) {
  if (!ValidHeading(content, heading)) return Result(RowEffect::kNone);
  std::uint32_t& attributes = AttributesOf(content, heading);
  attributes = show ? attributes & ~kHeadingHidden : attributes | kHeadingHidden;
  return Result(RowEffect::kRepaint);
}

RowCommandResult DuplicateHeading(NoteContent& content, int heading) {
  if (!ValidHeading(content, heading)) return Result(RowEffect::kNone);
  if (content.headingCount >= kMaxHeadings) return Result(RowEffect::kNone, -1, RowMessage::kNoMoreRows);
  const auto id = static_cast<std::uint32_t>(content.nextHeadingId);
  // Collected first: appending may move the rows being read.
  std::vector<Row> copies;
  std::uint32_t details = 0;  // numbered without the gaps of the source
  bool alarmsOk = true;
  content.ForEachRow(heading, true, [&](int index, std::uint32_t r) {
    const Row& source = content.rows.At(index);
    Row copy;
    copy.key = MakeRowKey(id, r == 0 ? 0 : ++details);
    copy.text = r == 0 ? CopyText(source.text) : source.text;
    copy.format = source.format.substr(0, kStatusBytes);
    copy.status = source.status.substr(0, kStatusBytes);
    copies.push_back(std::move(copy));
  });
  int headingRow = -1;
  for (Row& copy : copies) {
    const bool isHeadingRow = KeyNumber(copy.key) == 0;
    if (!isHeadingRow && !RegisterCopiedAlarm(content, copy.status, copy.key)) alarmsOk = false;
    const int index = content.rows.Append(std::move(copy));
    if (isHeadingRow) headingRow = index;
  }
  InsertHeadingSlot(content, heading + 1, AttributesOf(content, heading), MakeRowKey(id, details + 1));
  ++content.nextHeadingId;
  return Result(RowEffect::kStamp, headingRow, alarmsOk ? RowMessage::kNone : RowMessage::kAlarmNotSet);
}

RowCommandResult MoveHeadingUp(NoteContent& content, int heading) {
  if (!ValidHeading(content, heading)) return Result(RowEffect::kNone);
  int to = heading - 1;
  while (to >= 0 && !Shown(content, to)) --to;
  // Only hidden headings above: the order a user sees cannot change, so nothing moves.
  if (to < 0) return Result(RowEffect::kNone);
  MoveHeadingSlot(content, heading, to);
  return Result(RowEffect::kStamp, content.HeadingRow(to));
}

RowCommandResult MoveHeadingDown(NoteContent& content, int heading) {
  if (!ValidHeading(content, heading)) return Result(RowEffect::kNone);
  int to = heading + 1;
  while (to < content.headingCount && !Shown(content, to)) ++to;
  if (to >= content.headingCount) return Result(RowEffect::kNone);
  MoveHeadingSlot(content, heading, to);
  return Result(RowEffect::kStamp, content.HeadingRow(to));
}

RowCommandResult ResetHeading(NoteContent& content, int heading, const NoteRules& rules,
                              const DateTime& now) {
  if (!ValidHeading(content, heading)) return Result(RowEffect::kNone);
  content.ResetDetails(heading, rules, now);
  return Result(RowEffect::kRepaint);
}

RowCommandResult DeleteHeadingCommand(NoteContent& content, int heading) {
  if (!ValidHeading(content, heading)) return Result(RowEffect::kNone);
  content.DeleteHeading(heading);  // frees the details' alarms
  return Result(RowEffect::kStamp);
}

RowCommandResult TurnHeadingIntoDetails(NoteContent& content, int heading) {
  if (heading < 1 || !ValidHeading(content, heading)) return Result(RowEffect::kNone);
  std::vector<std::pair<int, std::uint32_t>> moved;  // row index, row number
  content.ForEachRow(heading, true, [&](int index, std::uint32_t r) { moved.emplace_back(index, r); });
  std::uint32_t& target = KeyOf(content, heading - 1);
  if (KeyNumber(target) + moved.size() > kMaxRowNumber) return Result(RowEffect::kNone);
  const bool formatConversion = (AttributesOf(content, heading) & kHeadingFormatConversion) != 0;
  int first = -1;
  for (const auto& [index, r] : moved) {
    if (r == 0) {
      // A heading row's column 2 holds its attribute digits, which read as a
      // status would hide the first line (display mode 1), check or finish it
      // (hidden, folded) or claim an alarm record (kind bits). Only the format
      // conversion bit means the same in both.
      std::string status = kNewStatus;
      SetStatusDigit(status, 2, formatConversion ? 1 : 0);
      content.rows.At(index).status = std::move(status);
    }
    content.rows.SetKey(index, target++);
    if (first < 0) first = index;
  }
  RemoveHeadingSlot(content, heading);
  return Result(RowEffect::kStamp, first);
}

RowCommandResult RunHeadingRows(NoteContent& content, int heading, const NoteRules& rules,
                                const DateTime& now, const std::function<bool(int row)>& run) {
  if (!ValidHeading(content, heading) || !run) return Result(RowEffect::kNone);
  const std::uint32_t id = KeyHeadingId(KeyOf(content, heading));
  for (std::uint32_t r = 0;;) {
    // Looked up each time: an advance into the deleted state may remove a detail.
    const int h = content.HeadingIndexOfId(id);
    if (h < 0) break;
    const std::uint32_t next = KeyNumber(KeyOf(content, h));
    if (r >= next) break;
    const int row = content.rows.Find(MakeRowKey(id, r));
    if (row < 0 || r == 0) {
      // The heading row has no state: its digits are attributes, so it is never advanced.
      if (row >= 0) run(row);
      ++r;
      continue;
    }
    const std::string status = cp932::Cut(content.rows.At(row).status, 299);
    if (DetailStateOf(status) == kUnchecked && run(row)) {
      content.AdvanceDetailState(kUnchecked, row, status, rules, now);
      // A removed detail moved the next one into its number: visit that number again.
      const int after = content.HeadingIndexOfId(id);
      if (after >= 0 && KeyNumber(KeyOf(content, after)) < next) continue;
    }
    ++r;
  }
  return Result(RowEffect::kRepaint);
}

RowCommandResult DuplicateDetail(NoteContent& content, int row) {
  const int h = DetailHeading(content, row);
  if (h < 0 || KeyNumber(KeyOf(content, h)) >= kMaxRowNumber) return Result(RowEffect::kNone);
  Row copy;
  {
    const Row& source = content.rows.At(row);
    copy.text = CopyText(source.text);
    copy.format = source.format.substr(0, kStatusBytes);
    copy.status = source.status.substr(0, kStatusBytes);
  }
  copy.key = content.MakeRoomAfter(h, row) + 1;
  const bool alarmOk = RegisterCopiedAlarm(content, copy.status, copy.key);
  const int index = content.rows.Append(std::move(copy));
  return Result(RowEffect::kStamp, index, alarmOk ? RowMessage::kNone : RowMessage::kAlarmNotSet);
}

RowCommandResult MoveDetailUp(NoteContent& content, int row) {
  const int h = DetailHeading(content, row);
  if (h < 0) return Result(RowEffect::kNone);
  const std::uint32_t key = content.rows.At(row).key;
  // The nearest detail above, past numbers left unused by an empty paste.
  for (std::uint32_t r = KeyNumber(key) - 1; r >= 1; --r) {
    const int other = content.rows.Find(MakeRowKey(KeyHeadingId(key), r));
    if (other < 0) continue;
    ExchangeKeys(content, row, other);
    return Result(RowEffect::kStamp, row);
  }
  return Result(RowEffect::kNone);
}

RowCommandResult MoveDetailDown(NoteContent& content, int row) {
  const int h = DetailHeading(content, row);
  if (h < 0) return Result(RowEffect::kNone);
  const std::uint32_t key = content.rows.At(row).key;
  for (std::uint32_t r = KeyNumber(key) + 1; r < KeyNumber(KeyOf(content, h)); ++r) {
    const int other = content.rows.Find(MakeRowKey(KeyHeadingId(key), r));
    if (other < 0) continue;
    ExchangeKeys(content, row, other);
    return Result(RowEffect::kStamp, row);
  }
  return Result(RowEffect::kNone);
}

RowCommandResult TurnDetailIntoHeading(NoteContent& content, int row) {
  const int h = DetailHeading(content, row);
  if (h < 0 || content.hideHeadingRows) return Result(RowEffect::kNone);
  if (content.headingCount >= kMaxHeadings) return Result(RowEffect::kNone, -1, RowMessage::kNoMoreHeadings);
  const auto id = static_cast<std::uint32_t>(content.nextHeadingId);
  const std::uint32_t key = content.rows.At(row).key;
  const std::uint32_t oldId = KeyHeadingId(key), end = KeyNumber(KeyOf(content, h));
  Row& headingRow = content.rows.At(row);
  // A heading row has no alarm: the slot is freed and the marks go with the status.
  const int alarm = StatusAlarmNumber(std::string_view(headingRow.status).substr(0, 15));
  if (alarm >= 1 && content.alarms) content.alarms->FreeAlarm(alarm);
  headingRow.format = kEmptyFormat;
  headingRow.status = kNewStatus;
  content.rows.SetKey(row, MakeRowKey(id, 0));
  std::uint32_t number = 1;
  for (std::uint32_t r = KeyNumber(key) + 1; r < end; ++r) {
    const int index = content.rows.Find(MakeRowKey(oldId, r));
    if (index >= 0) content.rows.SetKey(index, MakeRowKey(id, number++));
  }
  KeyOf(content, h) = key;  // the old heading keeps the details before this one
  InsertHeadingSlot(content, h + 1, 0, MakeRowKey(id, number));
  ++content.nextHeadingId;
  return Result(RowEffect::kStamp, row);
}

std::string_view DecorationPreset(std::string_view notePreset, std::string_view globalPreset) {
  return notePreset.size() >= kPresetLength ? notePreset : globalPreset.substr(0, 299);
}

RowCommandResult DecorateDetail(NoteContent& content, int row, std::string_view preset) {
  if (DetailHeading(content, row) < 0 || preset.size() < kPresetLength) return Result(RowEffect::kNone);
  // The format string is 16 digits; anything after them would only be cut at save.
  content.rows.At(row).format.assign(preset.substr(0, kPresetLength));
  return Result(RowEffect::kRepaint, row);
}

RowCommandResult SetDetailStateCommand(NoteContent& content, int row, int state, const NoteRules& rules,
                                       const DateTime& now) {
  // A heading row's digits are its attributes, not a state.
  if (DetailHeading(content, row) < 0 || state < kUnchecked || state > kDeleted)
    return Result(RowEffect::kNone);
  content.SetDetailState(state, row, content.rows.At(row).status.substr(0, kStatusBytes), rules, now);
  return Result(RowEffect::kRepaint);
}

bool ToggleHeadingFold(NoteContent& content, int heading, int headingRow, bool hideHeadingRows) {
  if (hideHeadingRows || heading < 0 || heading >= content.headingCount) return false;
  std::uint32_t& attributes = content.headingAttributes[static_cast<std::size_t>(heading)];
  attributes ^= kHeadingFolded;
  if (content.rows.Valid(headingRow)) {
    std::string& status = content.rows.At(headingRow).status;
    const int digit = StatusDigit(status, 7);
    SetStatusDigit(status, 7, (attributes & kHeadingFolded) ? (digit | 2) : (digit & ~2));
  }
  return true;
}

}  // namespace varnel
