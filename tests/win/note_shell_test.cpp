// Text through the clipboard (the piece itself and a note's copy and paste), the mail
// program's command line, and drops onto a detail being edited, driven through IDropTarget
// with the system's own data object on clipboard contents.
#include <ole2.h>

#include "core/app/command_ids.h"
#include "core/note/note_content.h"
#include "win/note/drop_target.h"
#include "win/platform/shell.h"
#include "win_check.h"

using namespace varnel;
using namespace varnel::win;

namespace {

// The clipboard as the system's data object, as a drag source hands it over.
ComPtr<IDataObject> ClipboardObject() {
  ComPtr<IDataObject> data;
  CHECK(SUCCEEDED(OleGetClipboard(data.Out())));
  return data;
}

POINTL CentreOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void CheckCopyAndPaste(CCheckWnd& note) {
  const std::string expected = "Shop\r\n\t□ milk\r\n\t■ bread\r\n\r\n";
  CHECK(note.HeadingCommand(kCmdCopy, 0, note.Content().HeadingRow(0)) == 1);
  CHECK(ClipboardBlock() == expected + '\0');
  CHECK(note.DetailCommand(kCmdCopy, 0, note.Content().rows.Find(MakeRowKey(1, 2))) == 1);
  CHECK(ClipboardBlock() == std::string("bread") + '\0');
  // A clipboard another window holds: no copy, so nothing could be mailed.
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  OpenClipboard(other);
  CHECK(note.NoteCommand(kCmdMail) == 0);
  CloseClipboard();
  DestroyWindow(other);
  const int headings = note.Content().headingCount;
  PutOnClipboard(CF_DIB, "x", 1);
  CHECK(note.NoteCommand(kCmdAddDetailsClip) == 1);  // no text: nothing, and no message
  CHECK(note.Content().headingCount == headings);
}

// The '"' of a title would add an argument; a long title is cut to what a command line holds.
void CheckMailerCommandLine() {
  const std::filesystem::path mailer = L"C:\\v\\Postrel.exe";
  CHECK(MailerCommandLine(mailer, "a\" -x \"b") == L"\"C:\\v\\Postrel.exe\" -c -s\"Varnel(a -x b)\"");
  const std::wstring longLine = MailerCommandLine(mailer, std::string(20000, '\x88'));
  CHECK(longLine.size() < 32767 && longLine.substr(longLine.size() - 2) == L")\"");
}

// Drops onto the edit box of detail milk: text is taken, copied or moved by the keys and only
// over the box, and replaces the box's text, bounded by its block; anything else is refused.
// Files dropped from another process are the end-to-end drop case's.
void CheckDrops(CCheckWnd& note) {
  NoteContent& c = note.Content();
  const std::uint32_t key = MakeRowKey(KeyHeadingId(c.headingKeys[0]), 1);
  CHECK(note.DetailCommand(kCmdEdit, 0, c.rows.Find(key)) == 1 && note.EditKind() == 1);
  HWND edit = GetDlgItem(note.Window(), 105);
  auto* target = new NoteDropTarget(note.Slot(), edit);
  PutOnClipboard(CF_TEXT, "dropped\0tail", 12);
  ComPtr<IDataObject> text = ClipboardObject();
  const struct {
    POINTL point;
    DWORD keys, allowed, effect;
  } drags[] = {
      {CentreOf(edit), 0, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY},
      {CentreOf(edit), MK_SHIFT, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE},
      {CentreOf(edit), MK_SHIFT, DROPEFFECT_COPY, DROPEFFECT_COPY},
      {POINTL{5, 5}, 0, DROPEFFECT_COPY, DROPEFFECT_NONE},
  };
  for (const auto& d : drags) {
    DWORD effect = d.allowed;
    target->DragEnter(text.Get(), d.keys, d.point, &effect);
    CHECK_AT(effect == d.effect, std::to_string(d.keys) + "/" + std::to_string(d.allowed));
    target->DragLeave();
  }
  DWORD effect = DROPEFFECT_COPY;
  CHECK(target->Drop(text.Get(), 0, CentreOf(edit), &effect) == S_OK && effect == DROPEFFECT_COPY);
  PutOnClipboard(CF_DIB, "x", 1);
  ComPtr<IDataObject> other = ClipboardObject();
  target->DragEnter(other.Get(), 0, CentreOf(edit), &effect);
  CHECK(effect == DROPEFFECT_NONE);
  effect = DROPEFFECT_COPY;
  CHECK(target->Drop(other.Get(), 0, CentreOf(edit), &effect) == S_OK && effect == DROPEFFECT_NONE);
  target->Release();
  note.EndEdit();
  CHECK(note.EditKind() == 0 && c.rows.At(c.rows.Find(key)).text == "dropped");
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  const std::string row = "000000000000000000000000\r\n";
  const bool started = StartTestProgram(
      {{"Varnel.ini", "[Default]\r\nList=1\r\n"},
       {"Varnel00.dat",
        "[Default]\r\nX=100\r\nY=100\r\nW=300\r\nH=200\r\n[1]\r\n0S=00000000\r\n0L=Shop\r\n1S=" + row +
            "1L=milk\r\n2S=00000002" + row.substr(8) + "2L=bread\r\n"}});
  CCheckWnd* note = App().slots[0];
  CHECK(started && note);
  if (note) {
    CheckCopyAndPaste(*note);
    CheckDrops(*note);
  }
  CheckMailerCommandLine();
  CloseNotesQuietly(App().mainWindow);
  OleUninitialize();
  return Finish();
}
