// Any bytes as pasted text (lines within the row limit, exported within the detail budget), as a run
// text, and dropped: texts cut on a whole character, a file's row with its first line hidden, alarm off.
#include "core/features/drop_text.h"
#include "core/features/run_text.h"
#include "core/features/text_export.h"
#include "core/note/note_content.h"
#include "core/note/note_row_commands.h"
#include "core/text/cp932.h"
#include "fuzz_support.h"

using namespace varnel;

// Layout: flags, then the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const bool hide = data[0] & 1, newHeading = data[0] & 2, mail = data[0] & 4;
  const std::string text = Bytes(data, size, 1);
  const MarkSet marks = ReadMarks(*MemoryFile("").Open(), nullptr, mail);  // the defaults

  const PastedText pasted = ParsePastedText(text, marks, hide, newHeading);
  Check(pasted.details.size() <= static_cast<std::size_t>(kMaxPasteLines));
  Check(pasted.headingText.size() <= kRowTextBytes && (pasted.newHeading || pasted.headingText.empty()));
  for (const PastedDetail& d : pasted.details)
    Check(d.state >= 0 && d.state <= 3 && d.text.size() <= kRowTextBytes &&
          d.text.find_first_of("\r\n") == std::string::npos);
  NoteContent note;
  if (!newHeading) note.AddHeading("h");
  const int h = ApplyPastedText(note, newHeading ? -1 : 0, pasted);
  if (h >= 0) {
    Check(note.DetailCount(h) == static_cast<int>(pasted.details.size()));
    DateTime now;
    SetDateOfDay(now, 3662);
    Check(!HeadingText(note, h, marks, now).empty());
    Row row{MakeRowKey(1, 1), text, kEmptyFormat, std::string(data[0] & 8 ? "01100000" : "00000000"), {}};
    Check(DetailText(row, marks.pad, now).size() < kDetailExportBytes + 2 + marks.pad.size());
  }
  const RunRequest run = SelectRunText(text, data[0] & 16 ? 259 : 258);
  Check(run.text.size() <= 299 && (run.ok || run.text.empty()));
  QuoteExistingPath(run.text, [&](std::string_view p) { return p.size() % 3 == 0; });

  const std::string dropped = DroppedText(text), withName = DroppedFileText(text, true),
                    bare = DroppedFileText(text, false);
  for (const std::string& row : {dropped, withName, bare})  // within the row limit, on a whole character
    Check(row.size() <= kRowTextBytes && cp932::CutLength(row, row.size()) == row.size());
  Check(dropped.find('\0') == std::string::npos && text.compare(0, dropped.size(), dropped) == 0);
  Check(withName.compare(0, bare.size(), bare) == 0);
  const std::string_view name = FileNameOf(text);
  Check(name.size() <= text.size() && text.compare(text.size() - name.size(), name.size(), name) == 0);
  const Row edited{MakeRowKey(1, 1), "x", text.substr(0, size / 2), text.substr(size / 2), {}};
  const Row row = DroppedFileRow(edited, MakeRowKey(1, 2), withName);
  Check(row.status.size() >= 8 && row.status.size() <= 598 && row.format.size() <= 598);
  Check((StatusDigit(row.status, 1) & 1) && !(StatusDigit(row.status, 3) & 8) &&
        !(StatusDigit(row.status, 7) & 8) && StatusAlarmNumber(row.status) == 0);
  return 0;
}
