#include "core/note/note_settings.h"

#include <cstdio>

#include "core/config/profile_store.h"
#include "core/note/format_record.h"

namespace varnel {
namespace {

int Digits(std::string_view text, std::size_t offset, int length, int low, int high) {
  if (offset >= text.size()) return low;  // a missing part reads as 0, bounded
  return Clamp(static_cast<int>(ParseField(text.substr(offset, static_cast<std::size_t>(length)), length, 1)),
               low, high);
}

}  // namespace

NoteSchedule ReadSchedule(ProfileStore& note) {
  NoteSchedule schedule;
  const char* keys[3] = {"SDT1", "SDT2", "SDT4"};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::string text = note.ReadString(keys[i], "-1", 64);
    const bool weekly = i == 2;
    const int first =
        static_cast<int>(Clamp<std::int64_t>(ParseNumber(text), -1, weekly ? 14391439 : kNeverDay));
    schedule.first[i] = first;
    if (first < 0) {
      schedule.second[i] = -1;
      continue;
    }
    schedule.state = -1;
    const std::size_t comma = text.find(',');
    schedule.second[i] = comma == std::string::npos
                             ? 0
                             : static_cast<int>(ParseField(text.substr(comma + 1), 4, weekly ? 0 : 1));
  }
  return schedule;
}

int ReadSchedule3(ProfileStore& note, int& second) {
  const std::string text = note.ReadString("SDT3", "-1", 64);
  const int first = static_cast<int>(Clamp<std::int64_t>(ParseNumber(text), -1, kNeverDay));
  const std::size_t comma = text.find(',');
  second =
      first < 0
          ? -1
          : (comma == std::string::npos ? 0 : static_cast<int>(ParseField(text.substr(comma + 1), 4, 1)));
  return first;
}

RowFonts ReadRowFonts(GlobalOptions& options, ProfileStore& note) {
  RowFonts f;
  ProfileStore* heading = note.ReadBool("FixH", "0") ? &note : nullptr;
  ProfileStore* detail = note.ReadBool("FixB", "0") ? &note : nullptr;
  f.headingColour = options.ReadNoteOption(heading, "TxtColorH");
  f.headingSize = options.ReadNoteOption(heading, "SizeH");
  const int fontH = options.ReadNoteOption(heading, "FontH");
  f.headingBold = fontH & 1;
  f.headingItalic = fontH & 2;
  f.detailColour = options.ReadNoteOption(detail, "TxtColorB");
  f.detailSize = options.ReadNoteOption(detail, "SizeB");
  const int fontB = options.ReadNoteOption(detail, "FontB");
  f.detailBold = fontB & 1;
  f.detailItalic = fontB & 2;
  return f;
}

NoteSettings ReadNoteSettings(GlobalOptions& options, ProfileStore& note, OpenMode mode) {
  NoteSettings s;
  s.schedule = ReadSchedule(note);
  s.style = options.ReadNoteOption(&note, "Style");
  s.hideHeadingRows = note.ReadBool("Non", "0");
  s.placement = options.ReadNotePlacement(&note);
  s.z = note.ReadInt("Z", "-2", -2, 1);
  s.bar = static_cast<std::uint8_t>(options.ReadNoteOption(&note, "Bar") & 3);
  s.barHeight = options.ReadNoteOption(nullptr, "Theight");
  s.unfoldedHeight = s.placement.h;
  s.barColour0 = options.ReadNoteOption(&note, "BColor0");
  s.barColour1 = options.ReadNoteOption(&note, "BColor1");
  s.titleColour = options.ReadNoteOption(&note, "TColor0");
  s.titleShadow = static_cast<std::uint32_t>(options.ReadNoteOption(&note, "TColor1")) & 0xFFFFFF;
  if (options.ReadNoteOption(&note, "TShadow") == 1) s.titleShadow |= 0x80000000u;
  s.barBorder = options.ReadNoteOption(&note, "TBorder");
  s.gradientKind = options.ReadNoteOption(&note, "TDiv");

  s.fontFace = options.ReadNoteText(&note, "Font", 32, 1);
  s.colourByState =
      mode == OpenMode::New ? options.Store().ReadBool("CColor", "0") : note.ReadBool("CColor", "0");
  for (int i = 0; i < 4; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "CColor%d", i);
    std::string spec = note.ReadString(key, "", 20);
    s.stateColours[static_cast<std::size_t>(i)].spec = spec.size() < 16 ? "0000000000000000" : spec;
    std::snprintf(key, sizeof key, "CCDay%d", i);
    const int day = note.ReadInt(key, "-100", -100, 999);
    s.stateColours[static_cast<std::size_t>(i)].dayLimit = day < -99 ? kNeverDay : day;
  }
  s.background = options.ReadNoteOption(&note, "BkColor");
  s.alpha = options.ReadNoteOption(&note, "Alpha");
  s.alpha2 = options.ReadNoteOption(&note, "Alpha2");
  if (s.alpha2 < 0) s.alpha2 = s.alpha;
  s.fonts = ReadRowFonts(options, note);
  s.locked = note.ReadInt("Lock", "0", 0, 1) == 1;
  s.fixed = note.ReadInt("Fix", "0", 0, 1) == 1;
  s.barStat = note.ReadInt("BarStat", "0", 0, 2);
  s.pos = ReadCornerPlace(note);
  s.visible = note.ReadBool("V", "1");
  return s;
}

void WriteNoteSettings(ProfileStore& note, const NoteSettings& s, unsigned keys) {
  const struct {
    unsigned group;
    const char* key;
    int value;
  } table[] = {
      {kNoteAlpha, "Alpha", s.alpha},
      {kNoteAlpha2, "Alpha2", s.alpha2},
      {kNoteFixed, "Fix", s.fixed ? 1 : 0},
      {kNoteLocked, "Lock", s.locked ? 1 : 0},
      {kNoteZOrder, "Z", s.z},
      {kNoteBar, "Bar", s.bar},
      {kNotePlacement, "X", s.placement.x},
      {kNotePlacement, "Y", s.placement.y},
      {kNotePlacement, "W", s.placement.w},
      {kNotePlacement, "H", s.placement.h},
      {kNoteVisible, "V", s.visible ? 1 : 0},
  };
  ProfileStore::Batch batch(note);
  for (const auto& row : table)
    if (keys & row.group) note.WriteInt(row.key, row.value);
}

int ReadCornerPlace(ProfileStore& note) { return note.ReadInt("Pos", "0", 0, 5); }

void ReadNoteStamp(ProfileStore& note, DateTime& updated, std::string& title) {
  ParseUpdateStamp(note.ReadString("Update", "", 32), updated);
  title = note.ReadString("Title", "", 261);
}

void WriteUpdateStamp(ProfileStore& note, const DateTime& updated) {
  note.WriteString("Update", FormatUpdateStamp(updated).c_str());
}

void WriteCreateTime(ProfileStore& note, const DateTime& now) {
  note.WriteString("Create", FormatCreateTime(now).c_str());
}

bool ParseUpdateStamp(std::string_view text, DateTime& stamp) {
  if (text.size() < 8) return false;
  const int year = Digits(text, 0, 4, 2000, 2099);
  const int month = Digits(text, 4, 2, 1, 12);
  const int day = Digits(text, 6, 2, 1, DaysInMonth(year, month));
  stamp.year = static_cast<std::uint16_t>(year);
  stamp.month = static_cast<std::uint16_t>(month);
  stamp.day = static_cast<std::uint16_t>(day);
  stamp.dayOfWeek = static_cast<std::uint16_t>(WeekdayOf(DayNumber(year, month, day)));
  stamp.hour = static_cast<std::uint16_t>(Digits(text, 8, 2, 0, 23));
  stamp.minute = static_cast<std::uint16_t>(Digits(text, 10, 2, 0, 59));
  stamp.second = 0;
  stamp.milliseconds = 0;
  return true;
}

std::string FormatUpdateStamp(const DateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d", t.year % 10000, t.month % 100, t.day % 100,
                t.hour % 100, t.minute % 100);
  return text;
}

std::string FormatCreateTime(const DateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d", t.year % 10000, t.month % 100, t.day % 100,
                t.hour % 100, t.minute % 100);
  return text;
}

}  // namespace varnel
