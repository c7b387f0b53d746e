// The settings of one note, section "Default" of its file: what the note
// object reads when it opens and what it writes back when it saves.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/config/global_options.h"
#include "core/features/calendar.h"

namespace varnel {

class ProfileStore;

enum class OpenMode { Existing = 0, New = 1, Restored = 2 };

struct StateColour {
  std::string spec;  // 16 hex digits
  int dayLimit = 36160;
};

struct RowFonts {
  int headingColour = 0, headingSize = 16;
  bool headingBold = true, headingItalic = false;
  int detailColour = 0, detailSize = 14;
  bool detailBold = false, detailItalic = false;
};

// Display schedule pairs of "SDT1", "SDT2" and "SDT4".
struct NoteSchedule {
  std::array<int, 3> first{-1, -1, -1};
  std::array<int, 3> second{-1, -1, -1};
  int state = 99;  // 99 = none; -1 = set, not yet evaluated
  bool Any() const { return state != 99; }
};

struct NoteSettings {
  int style = 1;
  bool hideHeadingRows = false;  // "Non"
  NotePlacement placement;
  int z = -2;
  std::uint8_t bar = 1;
  int barHeight = 18;
  int unfoldedHeight = 0;
  int barColour0 = 0x999999, barColour1 = 0xFFFFFE;
  int titleColour = 0;
  std::uint32_t titleShadow = 0xEEEEEE;  // bit 31 = "TShadow"
  int barBorder = 0;
  int gradientKind = 2;
  std::string fontFace;
  bool colourByState = false;
  std::array<StateColour, 4> stateColours;
  int background = 0x99FFCC;
  int alpha = 255, alpha2 = 255;
  RowFonts fonts;
  bool locked = false, fixed = false;
  int barStat = 0;
  int pos = 0;
  bool visible = true;
  NoteSchedule schedule;
};

// Groups of a note's own keys that WriteNoteSettings writes (bits).
enum NoteSettingKeys : unsigned {
  kNoteAlpha = 1,       // "Alpha"
  kNoteAlpha2 = 2,      // "Alpha2"
  kNoteFixed = 4,       // "Fix"
  kNoteLocked = 8,      // "Lock"
  kNoteZOrder = 16,     // "Z"
  kNoteBar = 32,        // "Bar" (with the fold bit)
  kNotePlacement = 64,  // "X", "Y", "W", "H"
  kNoteVisible = 128,   // "V"
};

// An opacity command (601..610 "Alpha", 621..630 "Alpha2"): 10% steps of 255.
struct OpacityStep {
  bool active = true;  // "Alpha", else "Alpha2"
  int value = 255;
};
OpacityStep OpacityOfCommand(int command);

NoteSchedule ReadSchedule(ProfileStore& note);
// "SDT3" read afresh, bounded -1..36160; second value -1 when unset.
int ReadSchedule3(ProfileStore& note, int& second);

// Everything of "Default" that opening a note reads (before its window exists).
NoteSettings ReadNoteSettings(GlobalOptions& options, ProfileStore& note, OpenMode mode);
// Writes the keys of s that keys names, in one replacement of the note file.
void WriteNoteSettings(ProfileStore& note, const NoteSettings& s, unsigned keys);
// "Pos", read fresh: a corner place (2..5) the note takes at open; 0 none.
int ReadCornerPlace(ProfileStore& note);
// "Update"/"Create" stamps and the title kept in the file.
void ReadNoteStamp(ProfileStore& note, DateTime& updated, std::string& title);
void WriteUpdateStamp(ProfileStore& note, const DateTime& updated);
void WriteCreateTime(ProfileStore& note, const DateTime& now);
// Colours, sizes and bits of heading and detail rows ("FixH"/"FixB" decide).
RowFonts ReadRowFonts(GlobalOptions& options, ProfileStore& note);

// "Update": year, month, day, hour, minute; false (stamp unchanged) when shorter than 8.
bool ParseUpdateStamp(std::string_view text, DateTime& stamp);
std::string FormatUpdateStamp(const DateTime& stamp);
std::string FormatCreateTime(const DateTime& now);  // "Create"

}  // namespace varnel
