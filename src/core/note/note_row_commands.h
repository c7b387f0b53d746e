// The note, heading and detail commands that move, copy, convert, show or
// change rows. The shell's command handlers check the edit lock and any open
// edit, call one of these, then repaint or stamp and show the message the
// result names (the message texts stay with the shell).
#pragma once
#include <functional>
#include <string_view>

#include "core/note/note_content.h"

namespace varnel {

enum class RowEffect {
  kNone,     // nothing changed
  kRepaint,  // states, visibility or decoration changed: repaint only
  kStamp,    // rows were added, removed or moved: stamp the update time, then repaint
};

enum class RowMessage {
  kNone,
  kNoMoreRows,      // "これ以上は追加できません。　　" (a 21st heading by duplicating)
  kNoMoreHeadings,  // "これ以上は見出を追加できません。　　"
  kAlarmNotSet,  // "アラームセットに失敗しました。　　" (shown once, the copy is still made)
};

struct RowCommandResult {
  RowEffect effect = RowEffect::kNone;
  RowMessage message = RowMessage::kNone;
  int row = -1;  // the row created or moved (a new heading's heading row), -1 when none
};

// The suffix a duplicated heading or detail gets; a copy's text still fits the
// 298 bytes a row text is saved with.
constexpr std::string_view kCopySuffix = "_複写";
constexpr std::size_t kRowTextBytes = 298;

// Note level.
RowCommandResult ShowAllHeadings(NoteContent& content);                                               // 251
RowCommandResult ResetAllDetails(NoteContent& content, const NoteRules& rules, const DateTime& now);  // 249

// Heading level; `heading` is a display position.
// Folds or unfolds a heading: its attribute and the fold digit of its row.
// False when the note hides its heading rows or there is no such heading.
bool ToggleHeadingFold(NoteContent& content, int heading, int headingRow, bool hideHeadingRows);
RowCommandResult ShowHeading(NoteContent& content, int heading, bool show);  // 205, 206
// 246: the copy, with its own alarm registrations, lands directly below.
RowCommandResult DuplicateHeading(NoteContent& content, int heading);
// 247 / 248: past hidden headings to the nearest shown one; nothing when there is none.
RowCommandResult MoveHeadingUp(NoteContent& content, int heading);
RowCommandResult MoveHeadingDown(NoteContent& content, int heading);
RowCommandResult ResetHeading(NoteContent& content, int heading, const NoteRules& rules,
                              const DateTime& now);                        // 249
RowCommandResult DeleteHeadingCommand(NoteContent& content, int heading);  // 250
// 255: the heading row and its details become the last details of the heading above.
RowCommandResult TurnHeadingIntoDetails(NoteContent& content, int heading);
// 258 / 259: `run` starts a row's command (true when it started). Every
// unchecked detail that starts is advanced; the heading row is started too
// but never advanced, so no run can turn it into a detail state or remove it.
RowCommandResult RunHeadingRows(NoteContent& content, int heading, const NoteRules& rules,
                                const DateTime& now, const std::function<bool(int row)>& run);

// Detail level; `row` is a detail's row index and its own heading is used.
RowCommandResult DuplicateDetail(NoteContent& content, int row);  // 246
RowCommandResult MoveDetailUp(NoteContent& content, int row);     // 247
RowCommandResult MoveDetailDown(NoteContent& content, int row);   // 248
// 256: the detail starts a new heading below its own, taking the details after it.
RowCommandResult TurnDetailIntoHeading(NoteContent& content, int row);
// 261 / 262: the note's "Pen0"/"Pen1" when it has 16 characters, else the global one.
std::string_view DecorationPreset(std::string_view notePreset, std::string_view globalPreset);
RowCommandResult DecorateDetail(NoteContent& content, int row, std::string_view preset);
// 291..294: state 0..3.
RowCommandResult SetDetailStateCommand(NoteContent& content, int row, int state, const NoteRules& rules,
                                       const DateTime& now);

}  // namespace varnel
