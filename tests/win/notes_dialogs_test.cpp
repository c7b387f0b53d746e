// A running program's dialogs (number filter, frame dialog, a note's style page, title mode), a
// note's clipboard, mail command line and drops, and its row commands: their effects, the lock's
// refusals and greying, the note list's refused transfers, typed text kept by an add command.
#include "win_check.h"

#include <commctrl.h>
#include <functional>
#include <ole2.h>
#include <thread>

#include "core/app/command_ids.h"
#include "core/note/note_content.h"
#include "resource.h"
#include "win/app/option_changes.h"
#include "win/app/note_menus.h"
#include "win/app/note_transfer.h"
#include "win/dialogs/dialog_controls.h"
#include "win/dialogs/frame_dialog.h"
#include "win/dialogs/style_page.h"
#include "win/note/drop_target.h"
#include "win/platform/shell.h"

// What the edge boxes take, at the caret.
void CheckSignedNumberFilter() {
  const std::tuple<const wchar_t*, DWORD, wchar_t, bool> keys[] = {
      {L"", 0, L'5', true},     {L"12", 2, L'3', true},  {L"", 0, L'-', true},    {L"12", 0, L'-', true},
      {L"-12", 0, L'-', false}, {L"12", 1, L'-', false}, {L"-1", 0, L'4', false}, {L"-1", 1, L'4', true},
      {L"1", 1, L'a', false},   {L"1", 1, L'.', false},  {L"1", 1, L'+', false},  {L"", 0, L'５', false},
  };
  for (const auto& [text, pos, ch, taken] : keys)
    CHECK_AT(SignedNumberAccepts(text, pos, ch) == taken, std::to_string(ch) + " at " + std::to_string(pos));
}

// The visible top-level dialog with this caption, waited for up to 10 s.
HWND WaitWindow(const wchar_t* caption) {
  for (int i = 0; i < 200; ++i, Sleep(50))
    if (HWND h = FindWindowW(L"#32770", caption); h && IsWindowVisible(h)) return h;
  return nullptr;
}

void SetEdges(HWND dialog, const std::vector<std::string>& edges) {
  for (int i = 0; i < 4; ++i) SetControlText(dialog, IDC_FRAME_LEFT + i, edges[static_cast<std::size_t>(i)]);
}

void Press(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Runs the dialog on range while user() drives it from a second thread; the dialog's result.
bool Drive(FrameRange& range, const std::function<void(HWND)>& user) {
  std::thread driver([&] { user(WaitWindow(L"座標範囲設定")); });  // none: the checks fail
  const bool ok = RunFrameDialog(nullptr, range);
  driver.join();
  return ok;
}

// The edges shown; 39 wide refused with its message while the dialog stays; edges bounded on
// OK; the work-area line copied by a double-click; Cancel keeps the caller's range.
void CheckFrameDialog() {
  FrameRange range{1, 2, 300, 400};
  std::string message;
  CHECK(Drive(range, [&](HWND dialog) {
    CHECK(GetControlText(dialog, IDC_FRAME_LEFT, 8) == "1" &&
          GetControlText(dialog, IDC_FRAME_BOTTOM, 8) == "400");
    SetEdges(dialog, {"0", "0", "39", "20"});
    Press(dialog, IDC_OK);
    if (HWND box = WaitWindow(L"Varnel")) {
      message = GetControlText(box, 0xFFFF, 256);
      Press(box, IDOK);
      for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(50);
    }
    CHECK(IsWindowVisible(dialog));
    SetEdges(dialog, {"-99999", "-50", "99999", "-30"});
    Press(dialog, IDC_OK);
  }));
  CHECK(message == "座標範囲を広げてください。　　");
  CHECK(range == (FrameRange{-9999, -50, 9999, -30}));

  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  CHECK(!Drive(range, [&](HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_FRAME_MONITORS);
    CHECK(SendMessageW(list, LB_GETCOUNT, 0, 0) >= 2);  // the work area and at least one monitor
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FRAME_MONITORS, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    const LONG edges[4] = {work.left, work.top, work.right, work.bottom};
    for (int i = 0; i < 4; ++i)
      CHECK(GetControlText(dialog, IDC_FRAME_LEFT + i, 8) == std::to_string(edges[i]));
    Press(dialog, IDC_CANCEL);
  }));
  CHECK(range == (FrameRange{-9999, -50, 9999, -30}));
}

// The style page in a stand-in host closed with OK twice: what it shows and writes, then nothing new.
void CheckNotePage(CCheckWnd& note, const std::filesystem::path& file) {
  std::string after;
  for (const bool edit : {true, false}) {
    HWND host =
        CreateWindowExW(0, L"#32770", L"", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr, nullptr, nullptr);
    auto page = MakeNoteStylePage(note);
    HWND w = page->CreateChild(L"PDLGW", host);
    CHECK(w != nullptr);
    if (w && edit) {
      CHECK(IsChecked(w, IDC_STYLE_OPEN) &&
            GetControlText(w, IDC_STYLE_TITLE, 260) == "own");                     // no "BarStat"
      CHECK(IsChecked(w, IDC_STYLE_BOLD_H) && !IsChecked(w, IDC_STYLE_ITALIC_H));  // "FontH" 0x01
      SetControlText(w, IDC_STYLE_FONT, "IPAGothic");
      SetChecked(w, IDC_STYLE_NON, true);
      SetChecked(w, IDC_STYLE_ITALIC_B, true);
    }
    if (w) SendMessageW(w, WM_COMMAND, MAKEWPARAM(11, BN_CLICKED), 0);
    DestroyWindow(host);
    CHECK(edit || FileText(file) == after);
    after = FileText(file);
  }
  for (const char* line :
       {"Font=IPAGothic", "Non=1", "BarStat=0", "FontB=2", "FontH=1", "Pen1=2001000000000000", "Title=own"})
    CHECK_AT(after.find(line + std::string("\r\n")) != std::string::npos, line);
  CHECK(after.find("Pen0=") == std::string::npos);  // a decoration of zeros goes
  CHECK(note.Settings().fontFace == "IPAGothic" && note.Settings().hideHeadingRows);
}

void CheckTitleFollowsMode(CCheckWnd& note) {
  OptionValues next = *App().options;
  for (const auto& [mode, title] : {std::pair{1, "A"}, {0, "(付箋4)"}}) {
    next.title = mode;
    App().options->Apply(next);
    CHECK_AT(note.Content().title == title, title);
  }
}

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

// The row of detail n of heading h, -1 when there is none.
int DetailRow(NoteContent& c, int h, int n) {
  return c.rows.Find(
      MakeRowKey(KeyHeadingId(c.headingKeys[static_cast<std::size_t>(h)]), static_cast<std::uint32_t>(n)));
}

// entry N note, H heading h, D detail n of heading h; expected rows, nullptr: as at the start.
struct Step {
  char entry;
  int id, heading, detail;
  const char* expected = nullptr;
};
std::string Run(CCheckWnd& note, const Step& s) {
  NoteContent& c = note.Content();
  if (s.entry == 'N') note.NoteCommand(s.id);
  if (s.entry == 'H') note.HeadingCommand(s.id, s.heading, c.HeadingRow(s.heading));
  if (s.entry == 'D') note.DetailCommand(s.id, s.heading, DetailRow(c, s.heading, s.detail));
  if (note.Editing()) note.EndEdit();
  return std::string(1, s.entry) + std::to_string(s.id);
}

// Each add command at note, heading and detail level while the first detail is being edited:
// the typed text must end up in that detail.
void CheckAddsKeepTypedText(CCheckWnd& note) {
  NoteContent& c = note.Content();
  note.NoteCommand(kCmdAddDetail);  // an empty note: heading "見出項目" and a first detail
  SetWindowTextA(GetDlgItem(note.Window(), 105), "first");
  note.EndEdit();
  for (const char entry : {'N', 'H', 'D'})
    for (const int id : {241, 243, 244, 253}) {
      if (id == 241 && entry != 'N') continue;
      note.DetailCommand(kCmdEdit, 0, DetailRow(c, 0, 1));
      const std::string typed = "typed " + std::string(1, entry) + std::to_string(id);
      SetWindowTextA(GetDlgItem(note.Window(), 105), typed.c_str());
      Run(note, {entry, id, 0, 1});
      const int row = DetailRow(c, 0, 1);
      CHECK_AT(row >= 0 && c.rows.At(row).text == typed, typed);
    }
}

// Commands one after another on "A[a1 a2] B[b1]"; then under the lock, which refuses what
// adds, deletes, copies or moves rows and greys it in the note menu, while states still change.
void CheckEffects(CCheckWnd& note) {
  const std::string start = "A[a1:0 a2:0] B[b1:0]";
  const Step steps[] = {{'D', 292, 0, 1, "A[a1:1 a2:0] B[b1:0]"},
                        {'D', 294, 0, 2, "A[a1:1 a2:3] B[b1:0]"},
                        {'H', 249, 0, 0, nullptr},
                        {'D', 293, 1, 1, "A[a1:0 a2:0] B[b1:2]"},
                        {'N', 249, 0, 0, nullptr},
                        {'D', 248, 0, 1, "A[a2:0 a1:0] B[b1:0]"},
                        {'D', 247, 0, 2, nullptr},
                        {'D', 246, 0, 1, "A[a1:0 a1_複写:0 a2:0] B[b1:0]"},
                        {'D', 250, 0, 2, nullptr},
                        {'H', 248, 0, 0, "B[b1:0] A[a1:0 a2:0]"},
                        {'H', 247, 1, 0, nullptr},
                        {'H', 246, 1, 0, "A[a1:0 a2:0] B[b1:0] B_複写[b1:0]"},
                        {'H', 250, 2, 0, nullptr},
                        {'H', 255, 1, 0, "A[a1:0 a2:0 B:0 b1:0]"},
                        {'D', 256, 0, 3, nullptr},
                        {'H', 206, 1, 0, "A[a1:0 a2:0] (B)[b1:0]"},
                        {'N', 251, 0, 0, nullptr}};
  CHECK(RowsOf(note) == start);
  for (const Step& s : steps) {
    const std::string name = Run(note, s), rows = RowsOf(note);
    CHECK_AT(rows == (s.expected ? s.expected : start), name + ": " + rows);
  }
  note.NoteCommand(kCmdEditLock);
  const Step refused[] = {{'H', 250, 0, 0}, {'D', 250, 0, 1}, {'D', 246, 0, 1}, {'H', 246, 0, 0},
                          {'N', 243, 0, 0}, {'H', 243, 0, 0}, {'D', 243, 0, 1}, {'H', 255, 1, 0},
                          {'D', 256, 0, 2}, {'H', 248, 0, 0}, {'D', 247, 0, 2}};
  for (const Step& s : refused) {
    const std::string name = Run(note, s);
    CHECK_AT(RowsOf(note) == start, name + " locked");
  }
  Run(note, {'D', 292, 0, 1});
  CHECK(RowsOf(note) == "A[a1:1 a2:0] B[b1:0]");  // states still change
  HMENU menu = CreatePopupMenu();
  const UINT adding[] = {kCmdAddHeading, kCmdAddDetail, kCmdAddDetailsClip, kCmdResetDetails};
  for (UINT id : adding) AppendMenuW(menu, MF_STRING, id, L"x");
  for (bool locked : {true, false}) {
    if (note.Locked() != locked) note.NoteCommand(kCmdEditLock);
    MarkNoteMenu(note, menu);
    for (UINT id : adding)
      CHECK_AT(((GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0) == locked, std::to_string(id));
  }
  DestroyMenu(menu);
  const std::filesystem::path file = DataFolder() / "Varnel03.dat";
  CHECK(FileText(file).find("Fix=1") == std::string::npos);
  note.NoteCommand(kCmdFixPlace);
  CHECK(note.Fixed() && FileText(file).find("Fix=1\r\n") != std::string::npos);  // stored at once
  note.NoteCommand(kCmdFixPlace);
}

// The note list's refusals, each with a message, notes and files unchanged: no note file to import,
// our own file to export over, a live note to restore over, a journal left. An empty file imports.
void CheckTransfers() {
  const std::filesystem::path data = DataFolder(), outside = data.parent_path();
  CCheckWnd* note = App().slots[3];
  SaveNoteOfSlot(3);  // what a refusal may save first
  const std::string file = FileText(data / "Varnel03.dat"), ini = FileText(data / "Varnel.ini");
  const int boxes = g_answered;
  PutFile(outside / "zero.dat", std::string("[Default]\r\nTitle=x\0y\r\n", 22));
  CHECK(!ImportNoteFile(nullptr, 3, outside / "zero.dat") &&
        !ImportNoteFile(nullptr, 3, outside / "none.dat"));
  CHECK(!ExportNoteFile(nullptr, 2, data / "Varnel.ini") &&
        !ExportNoteFile(nullptr, 2, data / "VARNEL03.DAT"));
  CHECK(!RestoreNote(3, nullptr));
  PutFile(data / "Varnel.tmp", "left over");
  CHECK(!ExchangeNotes(2, 3, nullptr));
  std::filesystem::remove(data / "Varnel.tmp");
  CHECK(App().slots[3] == note && note->Slot() == 3 && g_answered == boxes + 6);
  CHECK(FileText(data / "Varnel03.dat") == file && FileText(data / "Varnel.ini") == ini);
  PutFile(outside / "empty.dat", "");
  CHECK(ImportNoteFile(nullptr, 3, outside / "empty.dat") && App().slots[3] && App().slots[3] != note &&
        App().slots[3]->Content().headingCount == 0 && FileText(data / "Varnel03.dat").empty());
}

int main() {
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  const std::string row = "000000000000000000000000\r\n";
  StartTestProgram({{"Varnel.ini", "[Default]\r\nList=10111\r\n"},
                    {"Varnel00.dat", "[Default]\r\nTitle=own\r\nPen0=12\r\nPen1=2001000000000000EXTRA\r\n"},
                    {"Varnel02.dat",
                     "[Default]\r\nX=100\r\nY=100\r\nW=300\r\nH=200\r\n[1]\r\n0S=00000000\r\n0L=Shop\r\n1S=" +
                         row + "1L=milk\r\n2S=00000002" + row.substr(8) + "2L=bread\r\n"},
                    {"Varnel03.dat", "[Default]\r\nX=300\r\nY=10\r\n[1]\r\n0S=" + row + "0L=A\r\n1S=" + row +
                                         "1L=a1\r\n2S=" + row + "2L=a2\r\n[2]\r\n0S=" + row +
                                         "0L=B\r\n1S=" + row + "1L=b1\r\n"},
                    {"Varnel04.dat", "[Default]\r\nX=10\r\nY=10\r\nW=200\r\nH=150\r\n"}});
  AppState& app = App();
  app.options->onApplied = FollowOptionChanges;
  CheckSignedNumberFilter();
  CheckFrameDialog();
  CheckNotePage(*app.slots[0], DataFolder() / "Varnel00.dat");
  CheckCopyAndPaste(*app.slots[2]);
  CheckDrops(*app.slots[2]);
  CheckMailerCommandLine();
  CheckTitleFollowsMode(*app.slots[3]);
  AnswerDialogs();  // only now: the dialogs above are driven by hand
  CheckEffects(*app.slots[3]);
  CheckTransfers();
  CheckAddsKeepTypedText(*app.slots[4]);
  const int result = Finish();
  OleUninitialize();
  return result;
}
