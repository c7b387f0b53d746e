#include "core/note/note_content.h"

#include <cstdio>

#include "core/config/profile_store.h"
#include "core/features/alarm_table.h"

namespace varnel {

int StatusDigit(std::string_view status, std::size_t i) {
  if (i >= status.size()) return 0;
  const char c = status[i];
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

void SetStatusDigit(std::string& status, std::size_t i, int value) {
  if (status.size() <= i) status.resize(i + 1, '0');
  status[i] = "0123456789ABCDEF"[value & 15];  // flag digits go back in upper case
}

int StatusAlarmNumber(std::string_view status) {
  if (status.size() < 5) return 0;
  return static_cast<int>(ParseField(status.substr(4), 2, 1));
}

void SetStatusAlarmNumber(std::string& status, int number) {
  if (status.size() < 6) status.resize(6, '0');
  number = Clamp(number, 0, 99);
  status[4] = static_cast<char>('0' + number / 10);
  status[5] = static_cast<char>('0' + number % 10);
}

int NoteContent::HeadingIndexOfId(std::uint32_t headingId) const {
  for (int h = 0; h < headingCount; ++h)
    if (KeyHeadingId(headingKeys[static_cast<std::size_t>(h)]) == headingId) return h;
  return -1;
}

int NoteContent::HeadingRow(int heading) const {
  if (heading < 0 || heading >= headingCount) return -1;
  return rows.Find(MakeRowKey(KeyHeadingId(headingKeys[static_cast<std::size_t>(heading)]), 0));
}

int NoteContent::DetailCount(int heading) const {
  if (heading < 0 || heading >= headingCount) return 0;
  const int next = static_cast<int>(KeyNumber(headingKeys[static_cast<std::size_t>(heading)]));
  return next > 0 ? next - 1 : 0;
}

std::uint32_t NoteContent::GetRowKey(int row) const {
  if (row == -1) row = dialogRow;
  return rows.Valid(row) ? rows.At(row).key : 0;
}

void NoteContent::FreeRowAlarm(const std::string& status) {
  const int number = StatusAlarmNumber(std::string_view(status).substr(0, 15));
  if (number >= 1 && alarms) alarms->FreeAlarm(number);
}

void NoteContent::EraseRow(int row) {
  rows.Erase(row);
  // Indices after the erased row move down, as in a list control.
  for (int* index : {&editedRow, &dialogRow, &pointerHeadingRow}) {
    if (*index == row)
      *index = -1;
    else if (*index > row)
      --*index;
  }
}

int NoteContent::AddHeading(std::string text) {
  if (headingCount >= kMaxHeadings) return -1;
  const auto id = static_cast<std::uint32_t>(nextHeadingId);
  headingAttributes[static_cast<std::size_t>(headingCount)] = 0;
  headingKeys[static_cast<std::size_t>(headingCount)] = MakeRowKey(id, 1);
  const int row = rows.Append(Row{MakeRowKey(id, 0), std::move(text), kEmptyFormat, kNewStatus, {}});
  ++nextHeadingId;
  ++headingCount;
  return row;
}

std::uint32_t NoteContent::MakeRoomAfter(int heading, int row) {
  if (!rows.Valid(row)) return 0;
  const std::uint32_t key = rows.At(row).key;
  const int h = HeadingIndexOfId(KeyHeadingId(key));
  if (h < 0) return key;
  (void)heading;  // the row's own heading decides, whatever the caller thought
  auto& headingKey = headingKeys[static_cast<std::size_t>(h)];
  if (KeyNumber(headingKey) >= 0xFFFF) return key;  // row numbers are 16 bits
  const std::uint32_t id = KeyHeadingId(key);
  for (std::uint32_t r = KeyNumber(headingKey) - 1; r > KeyNumber(key); --r) {
    const int index = rows.Find(MakeRowKey(id, r));
    if (index >= 0) rows.SetKey(index, MakeRowKey(id, r + 1));
  }
  ++headingKey;
  return key;
}

int NoteContent::InsertDetail(int heading, std::uint32_t key, std::string text) {
  (void)heading;
  if (HeadingIndexOfId(KeyHeadingId(key)) < 0 || rows.Find(key + 1) >= 0) return -1;
  return rows.Append(
      Row{key + 1, std::move(text), colourByState ? kStateFormat : kEmptyFormat, kNewStatus, {}});
}

int NoteContent::DeleteDetail(int row, int heading) {
  (void)heading;
  if (!rows.Valid(row)) return 0;
  const std::uint32_t key = rows.At(row).key;
  const int h = HeadingIndexOfId(KeyHeadingId(key));
  FreeRowAlarm(rows.At(row).status);
  EraseRow(row);
  if (h < 0) return 0;
  auto& headingKey = headingKeys[static_cast<std::size_t>(h)];
  const std::uint32_t id = KeyHeadingId(key);
  for (std::uint32_t r = KeyNumber(key) + 1; r < KeyNumber(headingKey); ++r) {
    const int index = rows.Find(MakeRowKey(id, r));
    if (index >= 0) rows.SetKey(index, MakeRowKey(id, r - 1));
  }
  if (KeyNumber(headingKey) > 1) --headingKey;
  return static_cast<int>(KeyNumber(headingKey));
}

void NoteContent::ClearDetails(int heading) {
  if (heading < 0 || heading >= headingCount) return;
  auto& headingKey = headingKeys[static_cast<std::size_t>(heading)];
  const std::uint32_t id = KeyHeadingId(headingKey);
  for (std::uint32_t r = KeyNumber(headingKey); r-- > 1;) {
    const int index = rows.Find(MakeRowKey(id, r));
    if (index < 0) continue;
    FreeRowAlarm(rows.At(index).status);  // a removed detail never keeps its alarm
    EraseRow(index);
  }
  headingKey = MakeRowKey(id, 1);
}

void NoteContent::RemoveHeadingSlot(int heading) {
  for (int h = heading; h + 1 < headingCount; ++h) {
    headingAttributes[static_cast<std::size_t>(h)] = headingAttributes[static_cast<std::size_t>(h) + 1];
    headingKeys[static_cast<std::size_t>(h)] = headingKeys[static_cast<std::size_t>(h) + 1];
  }
  --headingCount;
  headingAttributes[static_cast<std::size_t>(headingCount)] = 0;
  headingKeys[static_cast<std::size_t>(headingCount)] = 0;
}

void NoteContent::DeleteHeading(int heading) {
  if (heading < 0 || heading >= headingCount) return;
  ClearDetails(heading);
  const int row = HeadingRow(heading);
  if (row >= 0) EraseRow(row);
  RemoveHeadingSlot(heading);
}

void NoteContent::DeleteNewRow() {
  const int row = editedRow >= 0 ? editedRow : dialogRow;
  if (!rows.Valid(row)) return;
  const std::uint32_t key = rows.At(row).key;
  const int h = HeadingIndexOfId(KeyHeadingId(key));
  if (h < 0) return;
  if (KeyNumber(key) != 0) {
    DeleteDetail(row, h);
    return;
  }
  // A just-created heading: it has no details yet.
  ClearDetails(h);
  const int headingRow = HeadingRow(h);
  if (headingRow >= 0) EraseRow(headingRow);
  RemoveHeadingSlot(h);
}

void NoteContent::SetDetailState(int state, int row, std::string status, const NoteRules& rules,
                                 const DateTime& now) {
  if (!rows.Valid(row)) return;
  SetStatusDigit(status, 7, (StatusDigit(status, 7) & 12) | (state & 3));
  rows.At(row).status = std::move(status);
  if ((state & 3) == kDeleted && rules.autoDel == 2) DeleteDetailCommand(row, pointerHeading, rules, now);
}

bool NoteContent::AdvanceDetailState(int from, int row, const std::string& status, const NoteRules& rules,
                                     const DateTime& now) {
  const bool takesPart[4] = {false, rules.ckType1, rules.ckType2, rules.ckType3};
  for (int t = from + 1; t <= 3; ++t) {
    if (t < 1 || !takesPart[t]) continue;
    SetDetailState(t, row, status, rules, now);
    return true;
  }
  return false;
}

void NoteContent::ResetDetails(int heading, const NoteRules& rules, const DateTime& now) {
  ForEachRow(heading, false, [&](int row, std::uint32_t) {
    SetDetailState(kUnchecked, row, rows.At(row).status.substr(0, 127), rules, now);
  });
}

void NoteContent::DeleteDetailCommand(int row, int heading, const NoteRules& rules, const DateTime& now) {
  (void)heading;
  if (!rows.Valid(row) || KeyNumber(rows.At(row).key) == 0) return;
  const int h = HeadingIndexOfId(KeyHeadingId(rows.At(row).key));
  DeleteDetail(row, h);
  if (h >= 0 && HeadingDisplayMode(headingAttributes[static_cast<std::size_t>(h)]) == 1 &&
      DetailCount(h) == 0)
    headingAttributes[static_cast<std::size_t>(h)] |= kHeadingHidden;
  UpdateTitle(9, rules, now);
}

int NoteContent::FindAlarmRow(int number, std::uint32_t key) const {
  if (number < 1) return -1;  // "00" marks every unarmed detail
  const auto matches = [&](int row) { return row >= 0 && StatusAlarmNumber(rows.At(row).status) == number; };
  const int direct = rows.Find(key);
  if (matches(direct) && KeyNumber(key) != 0) return direct;
  const int h = HeadingIndexOfId(KeyHeadingId(key));
  int found = -1;
  ForEachRow(h, false, [&](int row, std::uint32_t) {
    if (found < 0 && matches(row)) found = row;
  });
  if (found >= 0) return found;
  // Moved to another heading: the number is unique in the table, so any detail holding it is the one.
  for (int row = 0; row < rows.Count(); ++row)
    if (KeyNumber(rows.At(row).key) != 0 && matches(row)) return row;
  return -1;
}

bool NoteContent::ClearAlarmMarks(int number, std::uint32_t key) {
  const int row = FindAlarmRow(number, key);
  if (row < 0) return false;
  std::string& status = rows.At(row).status;
  SetStatusDigit(status, 3, StatusDigit(status, 3) & ~8);
  SetStatusDigit(status, 7, StatusDigit(status, 7) & ~8);
  SetStatusAlarmNumber(status, 0);
  return true;
}

}  // namespace varnel
