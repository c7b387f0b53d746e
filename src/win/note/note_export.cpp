// A note's lists as text: copied to the clipboard, handed to the mail program,
// and pasted back in as details.
#include "core/app/command_ids.h"
#include "core/features/text_export.h"
#include "win/app/app_state.h"
#include "win/app/message_box.h"
#include "win/note/check_wnd.h"
#include "win/platform/clipboard.h"
#include "win/platform/local_time.h"
#include "win/platform/shell.h"

namespace varnel::win {
namespace {

constexpr const char* kNoMoreHeadings = "これ以上は見出を追加できません。　　";

bool ClipboardHasText() {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

}  // namespace

int CCheckWnd::ExportText(int id, int heading, int row) {
  const DateTime now = LocalNow();
  std::string text;
  if (row >= 0) {
    if (!content_.rows.Valid(row)) return 0;
    text = DetailText(content_.rows.At(row), "", now);
  } else {
    const bool mail = id == kCmdMail;
    const MarkSet marks = ReadMarks(App().options->Store(), &store_, mail);
    text = heading >= 0 ? HeadingText(content_, heading, marks, now) : NoteText(content_, marks, now);
  }
  // A failed copy must never mail what another program left on the clipboard.
  if (!WriteClipboardText(window_, text)) {
    MessageBeep(MB_ICONWARNING);
    return 0;
  }
  if (id == kCmdMail) StartMailer(content_.title);
  return 1;
}

int CCheckWnd::PasteDetails(int heading) {
  if (!ClipboardHasText()) return 1;
  if (heading < 0 && content_.headingCount >= kMaxHeadings) {
    ShowMessage(nullptr, 0, kNoMoreHeadings);
    return 0;
  }
  std::string text;
  if (!ReadClipboardText(window_, text)) return 0;
  MarkSet marks;
  if (!settings_.hideHeadingRows) marks = ReadMarks(App().options->Store(), &store_, false);
  const PastedText pasted = ParsePastedText(text, marks, settings_.hideHeadingRows, heading < 0);
  if (ApplyPastedText(content_, heading, pasted) < 0) return 0;
  if (App().options->pasteSize) AutoSize(false);
  Stamp();
  return 1;
}

}  // namespace varnel::win
