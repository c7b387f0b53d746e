// The plain text a note, a heading or a detail is copied and mailed as, the
// marks that show each detail's state in it, and the parse of such text back
// into details when it is pasted.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/features/calendar.h"

namespace varnel {

class NoteContent;
class ProfileStore;
struct Row;

// One mark per detail state and the prefix of a detail's further lines.
struct MarkSet {
  std::array<std::string, 4> marks;
  std::string pad;
  int length = 0;  // bytes per mark; 0: no marks (a note that hides its heading rows)
};

constexpr std::size_t kDetailExportBytes = 400;  // a detail's export text is cut here
constexpr int kMaxPasteLines = 1000;

// "Mark"/"MarkPad" (mail: "MarkMail"/"MarkPadMail") of the note, else the
// global store, else the defaults; note may be null.
MarkSet ReadMarks(ProfileStore& global, ProfileStore* note, bool mail);

// The detail's text as exported: first line dropped when hidden, date codes
// expanded when it converts formats, CRs dropped and further lines prefixed
// with pad. The copy of a single detail is this with an empty pad.
std::string DetailText(const Row& detail, std::string_view pad, const DateTime& now);
// The heading line, one marked line per detail, then an empty line; "" when
// the heading has no heading row. Marks are ignored when the note hides its
// heading rows.
std::string HeadingText(const NoteContent& content, int heading, const MarkSet& marks, const DateTime& now);
// Every heading that is not hidden, in order.
std::string NoteText(const NoteContent& content, const MarkSet& marks, const DateTime& now);

struct PastedDetail {
  std::string text;
  int state = 0;
};

struct PastedText {
  bool newHeading = false;  // a heading is added first (its text may be empty)
  std::string headingText;
  std::vector<PastedDetail> details;
};

// Splits pasted text into details, recognising marks; with newHeading the
// first line names the new heading (unless the note hides heading rows).
PastedText ParsePastedText(std::string_view text, const MarkSet& marks, bool hideHeadingRows,
                           bool newHeading);
// Adds what ParsePastedText found to the note: to heading `heading`, or to a
// new heading when the text asks for one. Returns the heading index, or -1
// when no heading could take the details (the note has 20 headings).
int ApplyPastedText(NoteContent& content, int heading, const PastedText& pasted);

// The text of one detail added from the clipboard: leading blanks skipped
// (nothing after a thousand of them), cut at limit bytes on a whole character,
// trailing blanks dropped. Empty when nothing is left to add.
std::string PastedDetailText(std::string_view clipboard, std::size_t limit);

}  // namespace varnel
