// A note's copy and paste through the clipboard, the mail program's command line, and drops onto
// a detail being edited, through IDropTarget with the system's data object.
#include <ole2.h>

#include "core/app/command_ids.h"
#include "core/note/note_content.h"
#include "win/note/drop_target.h"
#include "win/platform/shell.h"
#include "win_check.h"

POINTL CentreOf(HWND window) {
  const RECT r = RectOf(window);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void CheckCopyAndPaste(CCheckWnd& note) {
  CHECK(note.HeadingCommand(kCmdCopy, 0, note.Content().HeadingRow(0)) == 1 &&
        ClipboardBlock() == std::string("Shop\r\n\t□ milk\r\n\t■ bread\r\n\r\n") + '\0');
  CHECK(note.DetailCommand(kCmdCopy, 0, note.Content().rows.Find(MakeRowKey(1, 2))) == 1 &&
        ClipboardBlock() == std::string("bread") + '\0');
  // A clipboard another window holds: no copy, so nothing could be mailed.
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  OpenClipboard(other);
  CHECK(note.NoteCommand(kCmdMail) == 0);
  CloseClipboard();
  DestroyWindow(other);
  const int headings = note.Content().headingCount;
  PutOnClipboard(CF_DIB, "x", 1);
  // No text: nothing, and no message.
  CHECK(note.NoteCommand(kCmdAddDetailsClip) == 1 && note.Content().headingCount == headings);
}

// The '"' of a title would add an argument; a long title is cut to what a command line holds.
void CheckMailerCommandLine() {
  const std::filesystem::path mailer = L"C:\\v\\Postrel.exe";
  CHECK(MailerCommandLine(mailer, "a\" -x \"b") == L"\"C:\\v\\Postrel.exe\" -c -s\"Varnel(a -x b)\"");
  const std::wstring longLine = MailerCommandLine(mailer, std::string(70000, '\x88'));  // 35000 characters
  CHECK(longLine.size() < 32767 && longLine.size() > 32760 && longLine.substr(longLine.size() - 2) == L")\"");
}

// Drops onto the edit box of detail milk: text is copied or moved by the keys, only over the box, and
// replaces its text up to the block's end; anything else is refused. Files: the end-to-end case.
void CheckDrops(CCheckWnd& note) {
  NoteContent& c = note.Content();
  const std::uint32_t key = MakeRowKey(KeyHeadingId(c.headingKeys[0]), 1);
  CHECK(note.DetailCommand(kCmdEdit, 0, c.rows.Find(key)) == 1 && note.EditKind() == 1);
  HWND edit = GetDlgItem(note.Window(), 105);
  auto* target = new NoteDropTarget(note.Slot(), edit);
  PutOnClipboard(CF_TEXT, "dropped\0tail", 12);
  ComPtr<IDataObject> text, other;  // the clipboard as the system's data object, as a drag source gives it
  CHECK(SUCCEEDED(OleGetClipboard(text.Out())));
  const std::tuple<POINTL, DWORD, DWORD, DWORD> drags[] = {
      {CentreOf(edit), 0, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY},
      {CentreOf(edit), MK_SHIFT, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE},
      {CentreOf(edit), MK_SHIFT, DROPEFFECT_COPY, DROPEFFECT_COPY},
      {POINTL{5, 5}, 0, DROPEFFECT_COPY, DROPEFFECT_NONE},
  };
  for (const auto& [point, keys, allowed, expected] : drags) {
    DWORD effect = allowed;
    target->DragEnter(text.Get(), keys, point, &effect);
    CHECK_AT(effect == expected, std::to_string(keys) + "/" + std::to_string(allowed));
    target->DragLeave();
  }
  DWORD effect = DROPEFFECT_COPY;
  CHECK(target->Drop(text.Get(), 0, CentreOf(edit), &effect) == S_OK && effect == DROPEFFECT_COPY);
  PutOnClipboard(CF_DIB, "x", 1);
  CHECK(SUCCEEDED(OleGetClipboard(other.Out())));
  target->DragEnter(other.Get(), 0, CentreOf(edit), &effect);
  CHECK(effect == DROPEFFECT_NONE);
  effect = DROPEFFECT_COPY;
  CHECK(target->Drop(other.Get(), 0, CentreOf(edit), &effect) == S_OK && effect == DROPEFFECT_NONE);
  target->Release();
  note.EndEdit();
  CHECK(note.EditKind() == 0 && c.rows.At(c.rows.Find(key)).text == "dropped");
}

int main() {
  OleInitialize(nullptr);
  const std::string row = "000000000000000000000000\r\n";
  StartTestProgram({{"Varnel.ini", "[Default]\r\nList=1\r\n"},
                    {"Varnel00.dat",
                     "[Default]\r\nX=100\r\nY=100\r\nW=300\r\nH=200\r\n[1]\r\n0S=00000000\r\n0L=Shop\r\n1S=" +
                         row + "1L=milk\r\n2S=00000002" + row.substr(8) + "2L=bread\r\n"}});
  CheckCopyAndPaste(*App().slots[0]);
  CheckDrops(*App().slots[0]);
  CheckMailerCommandLine();
  CloseNotesQuietly(App().mainWindow);
  OleUninitialize();
  return Finish();
}
