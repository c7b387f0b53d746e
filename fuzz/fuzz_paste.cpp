// Arbitrary bytes as pasted text: lines within the row limit and without breaks,
// exported again within the detail budget; and as a row's run text and export.
#include "core/features/run_text.h"
#include "core/features/text_export.h"
#include "core/note/note_content.h"
#include "core/note/note_row_commands.h"
#include "fuzz_support.h"

using namespace varnel;

// Layout: flags, then the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const bool hide = data[0] & 1, newHeading = data[0] & 2, mail = data[0] & 4;
  const std::string text = Bytes(data, size, 1), all = mail ? "　□　◎　■　済" : "\t□ \t◎ \t■ \t済 ";
  MarkSet marks{{}, mail ? "　　" : "\t", static_cast<int>(all.size() / 4)};
  for (std::size_t i = 0; i < 4; ++i) marks.marks[i] = all.substr(i * marks.length, marks.length);

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
  return 0;
}
