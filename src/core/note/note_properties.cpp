#include "core/note/note_properties.h"

#include <algorithm>
#include <cstdio>

#include "core/config/profile_store.h"
#include "core/features/schedule.h"

namespace varnel {
namespace {

constexpr std::size_t kFormatLength = 16;

std::string Normalised(std::string_view format) {
  std::string f(format.substr(0, std::min(format.size(), kFormatLength)));
  f.resize(kFormatLength, '0');
  return f;
}

int Hex(std::string_view text, std::size_t offset, int length) {
  return static_cast<int>(ParseField(text.substr(offset, static_cast<std::size_t>(length)), length, 0));
}

void PutHex(std::string& text, std::size_t offset, int length, int value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%0*x", length, static_cast<unsigned>(value));
  text.replace(offset, static_cast<std::size_t>(length), digits, static_cast<std::size_t>(length));
}

int SetBit(int digit, int bit, bool on) { return on ? digit | bit : digit & ~bit; }

bool EqualNoCaseAscii(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

std::string DayAndMinutes(int day, int minutes) {
  char text[32];
  std::snprintf(text, sizeof text, "%d,%04d", day, minutes);
  return text;
}

}  // namespace

RowLook ReadRowLook(std::string_view format, bool heading, int height, bool bold, bool italic) {
  const std::string f = Normalised(format);
  const int flags = StatusDigit(f, 0), style = StatusDigit(f, 3);
  RowLook look;
  look.ownFont = flags & 1;
  look.height = look.ownFont ? Hex(f, 1, 2) : height;
  look.bold = look.ownFont ? (style & 1) != 0 : bold;
  look.italic = look.ownFont ? (style & 2) != 0 : italic;
  look.ownText = flags & 2;
  look.ownBack = flags & 4;
  look.textColour = Hex(f, 4, 6);
  look.backColour = Hex(f, 10, 6);
  look.extra = heading ? (flags & 8) != 0 : (style & 8) != 0;
  return look;
}

std::string WriteRowLook(std::string_view format, bool heading, const RowLook& look, int minHeight) {
  std::string f = Normalised(format);
  int flags = StatusDigit(f, 0), style = StatusDigit(f, 3);
  flags = SetBit(SetBit(SetBit(flags, 1, look.ownFont), 2, look.ownText), 4, look.ownBack);
  if (heading) flags = SetBit(flags, 8, look.extra);
  if (look.ownFont) {
    PutHex(f, 1, 2, std::clamp(look.height, std::min(minHeight, 64), 64));
    style = SetBit(SetBit(style, 1, look.bold), 2, look.italic);
  }
  if (!heading) style = SetBit(style, 8, look.extra);
  if (look.ownText) PutHex(f, 4, 6, look.textColour & 0xFFFFFF);
  if (look.ownBack) PutHex(f, 10, 6, look.backColour & 0xFFFFFF);
  SetStatusDigit(f, 0, flags);
  SetStatusDigit(f, 3, style);
  return f;
}

HeadingProperties ReadHeadingProperties(const NoteContent& content, int heading, const RowFonts& fonts) {
  HeadingProperties p;
  if (heading < 0 || heading >= content.headingCount) return p;
  const std::uint32_t a = content.headingAttributes[static_cast<std::size_t>(heading)];
  const int row = content.HeadingRow(heading);
  if (content.rows.Valid(row)) {
    p.text = content.rows.At(row).text;
    p.look = ReadRowLook(content.rows.At(row).format, true, fonts.headingSize, fonts.headingBold,
                         fonts.headingItalic);
  }
  p.shown = !(a & kHeadingHidden);
  p.conversion = (a & kHeadingFormatConversion) != 0;
  p.display = HeadingDisplayMode(a);
  p.fold = HeadingFoldMode(a);
  p.kind = (a & kHeadingKindMask) ? 1 : 0;
  return p;
}

void ApplyHeadingProperties(NoteContent& content, int heading, const HeadingProperties& p, int minHeight) {
  if (heading < 0 || heading >= content.headingCount) return;
  const int row = content.HeadingRow(heading);
  if (!content.rows.Valid(row)) return;
  bool hasDetails = false;
  content.ForEachRow(heading, false, [&](int, std::uint32_t) { hasDetails = true; });
  std::uint32_t& a = content.headingAttributes[static_cast<std::size_t>(heading)];
  a &= ~(kHeadingHidden | kHeadingFormatConversion | kHeadingKindMask | 0x0F000000u | 0xFF00u);
  if (!p.shown || p.display == 2 || (p.display == 1 && !hasDetails)) a |= kHeadingHidden;
  if (p.conversion) a |= kHeadingFormatConversion;
  a |= static_cast<std::uint32_t>(p.display & 3) << 24 | static_cast<std::uint32_t>(p.fold & 3) << 26 |
       static_cast<std::uint32_t>(p.kind & 15) << 16;
  Row& r = content.rows.At(row);
  r.text = p.text;
  r.format = WriteRowLook(r.format, true, p.look, minHeight);
  char flags[16];
  std::snprintf(flags, sizeof flags, "%08x", a);
  r.status = flags;
}

int ShownDetailState(int state, const NoteRules& rules) {
  const bool inUse[4] = {true, rules.ckType1, rules.ckType2, rules.ckType3};
  for (int s = state & 3; s <= 3; ++s)
    if (inUse[s]) return s;
  return kUnchecked;
}

DetailProperties ReadDetailProperties(const Row& row, const RowFonts& fonts, const NoteRules& rules) {
  DetailProperties p;
  p.text = row.text;
  p.hideFirstLine = StatusDigit(row.status, 1) & 1;
  p.conversion = StatusDigit(row.status, 2) & 1;
  p.look = ReadRowLook(row.format, false, fonts.detailSize, fonts.detailBold, fonts.detailItalic);
  p.state = ShownDetailState(DetailStateOf(row.status), rules);
  const int alarm = StatusDigit(row.status, 3) & 12;
  p.alarm = alarm == 12 ? kPageAlarmOn : alarm == 4 ? kPageAlarmOff : kPageAlarmNone;
  return p;
}

void ApplyDetailProperties(Row& row, const DetailProperties& p, int chosenState, int minHeight) {
  row.text = p.text;
  row.format = WriteRowLook(row.format, false, p.look, minHeight);
  if (row.status.size() < 8) row.status.resize(8, '0');
  SetStatusDigit(row.status, 1, SetBit(StatusDigit(row.status, 1), 1, p.hideFirstLine));
  SetStatusDigit(row.status, 2, SetBit(StatusDigit(row.status, 2), 1, p.conversion));
  if (chosenState >= 0) SetStatusDigit(row.status, 7, (StatusDigit(row.status, 7) & 12) | (chosenState & 3));
}

NotePlacement BoundFixedPlacement(NotePlacement p, const Frame& f) {
  p.w = std::clamp(p.w, 40, std::max(40, f.right - f.left));
  p.h = std::clamp(p.h, 20, std::max(20, f.bottom - f.top));
  p.x = std::clamp(p.x, f.left, std::max(f.left, f.right - p.w));
  p.y = std::clamp(p.y, f.top, std::max(f.top, f.bottom - p.h));
  return p;
}

ScheduleEdit ReadScheduleEdit(ProfileStore& note) {
  const NoteSchedule s = ReadSchedule(note);
  ScheduleEdit e;
  int unused = 0;
  e.remove = (e.removeDay = ReadSchedule3(note, unused)) >= 0;
  e.start = s.first[0] >= 0;
  e.startDay = s.first[0];
  e.startMinutes = s.second[0];
  e.end = s.first[1] >= 0;
  e.endDay = s.first[1];
  e.endMinutes = s.second[1];
  e.window = s.first[2] >= 0;
  e.from = s.first[2] / 10000;
  e.to = s.first[2] % 10000;
  e.days = static_cast<unsigned>(std::max(s.second[2], 0));
  if (e.days & kDaysOnHolidays) e.days &= ~kDaysNotOnHolidays;
  return e;
}

NoteSchedule WriteScheduleEdit(ProfileStore& note, const ScheduleEdit& e) {
  NoteSchedule s;
  s.state = kScheduleNone;
  char window[32];
  std::snprintf(window, sizeof window, "%d,%04x", e.from * 10000 + e.to, e.days & 0xFFFF);
  const struct {
    const char* key;
    bool on;
    std::string value;
  } parts[] = {
      {"SDT1", e.start, DayAndMinutes(e.startDay, e.startMinutes)},
      {"SDT2", e.end, DayAndMinutes(e.endDay, e.endMinutes)},
      {"SDT3", e.remove, std::to_string(e.removeDay)},
      {"SDT4", e.window, window},
  };
  ProfileStore::Batch batch(note);
  for (const auto& part : parts) note.WriteString(part.key, part.on ? part.value.c_str() : "-1");
  const bool on[3] = {e.start, e.end, e.window};
  const int first[3] = {e.startDay, e.endDay, e.from * 10000 + e.to};
  const int second[3] = {e.startMinutes, e.endMinutes, static_cast<int>(e.days & 0xFFFF)};
  for (std::size_t i = 0; i < 3; ++i) {
    if (!on[i]) continue;
    s.first[i] = first[i];
    s.second[i] = second[i];
    s.state = -1;
  }
  return s;
}

std::vector<std::string> FontFaceList(const std::vector<std::string>& families, const std::string& current) {
  std::vector<std::string> faces;
  auto listed = [&](const std::string& name) {
    return std::any_of(faces.begin(), faces.end(),
                       [&](const std::string& f) { return EqualNoCaseAscii(f, name); });
  };
  for (const std::string& name : families)
    if (!name.empty() && !listed(name)) faces.push_back(name);
  if (!current.empty() && !listed(current)) faces.push_back(current);
  return faces;
}

}  // namespace varnel
