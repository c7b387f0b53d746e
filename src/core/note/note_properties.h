// What the note properties pages edit: a heading's and a detail's stored
// form as page fields, the fixed position bounded by the frame, the display
// schedule keys and the font list.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/config/global_options.h"
#include "core/note/note_content.h"
#include "core/note/note_settings.h"

namespace varnel {

class ProfileStore;

// The own font and colours of a row (format string, 16 hex digits).
struct RowLook {
  bool ownFont = false;  // char 0 bit 0
  int height = 0;
  bool bold = false, italic = false;
  bool ownText = false, ownBack = false;  // char 0 bits 1, 2
  int textColour = 0, backColour = 0xFFFFFF;
  bool extra = false;  // char 0 bit 3 on a heading (明細部分を含む), char 3 bit 3 on a detail (状態別設定)
};
// The row's own values; without its own font the defaults (the note's font of that row kind) show.
RowLook ReadRowLook(std::string_view format, bool heading, int height, bool bold, bool italic);
// The format string with the look written in; the height bounded minHeight..64.
std::string WriteRowLook(std::string_view format, bool heading, const RowLook& look, int minHeight);

struct HeadingProperties {
  std::string text;
  bool shown = true, conversion = false;
  RowLook look;
  int display = 0, fold = 0, kind = 0;  // bits 24..25, 26..27, 16..19
};
HeadingProperties ReadHeadingProperties(const NoteContent& content, int heading, const RowFonts& fonts);
// Text, attribute text and flags; hidden also by display mode 2, or 1 without details.
void ApplyHeadingProperties(NoteContent& content, int heading, const HeadingProperties& p, int minHeight);

enum PageAlarmChoice { kPageAlarmNone = 0, kPageAlarmOn = 1, kPageAlarmOff = 2 };  // 1121..1123

struct DetailProperties {
  std::string text;
  bool conversion = false, hideFirstLine = false;
  RowLook look;
  int state = 0;  // the state shown: the detail's own, or the next in use
  int alarm = kPageAlarmNone;
};
DetailProperties ReadDetailProperties(const Row& row, const RowFonts& fonts, const NoteRules& rules);
// chosenState: the state the user picked, -1 when none was picked (the stored one stays).
void ApplyDetailProperties(Row& row, const DetailProperties& p, int chosenState, int minHeight);
// The state a page shows for a detail: its own when in use, else the next in use, else unchecked.
int ShownDetailState(int state, const NoteRules& rules);

// "固定": W 40..right-left, H 20..bottom-top, then X and Y so the note lies in the frame.
struct Frame {
  int left = 0, top = 0, right = 0, bottom = 0;
};
NotePlacement BoundFixedPlacement(NotePlacement p, const Frame& frame);

// The display schedule as the page edits it; each part off is "-1".
struct ScheduleEdit {
  bool start = false, end = false, remove = false, window = false;
  int startDay = 0, startMinutes = 0, endDay = 0, endMinutes = 0, removeDay = 0;
  int from = 0, to = 0;  // minutes after midnight
  unsigned days = 0;     // weekday bits
};
ScheduleEdit ReadScheduleEdit(ProfileStore& note);
// Writes "SDT1".."SDT4" and returns the schedule the next tick applies.
NoteSchedule WriteScheduleEdit(ProfileStore& note, const ScheduleEdit& edit);

// Font families in enumeration order: each exact name once (case-insensitive),
// and the current face kept even when the system did not list it.
std::vector<std::string> FontFaceList(const std::vector<std::string>& families, const std::string& current);

}  // namespace varnel
