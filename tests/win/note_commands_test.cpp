// Row commands on a small note, the edit lock's refusals and greying, the note list's refused
// transfers, and typed text kept when an add command ends the edit.
#include "core/app/command_ids.h"
#include "core/note/note_content.h"
#include "win/app/note_menus.h"
#include "win/app/note_transfer.h"
#include "win_check.h"

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
void CheckTransfers(const DialogAnswerer& answerer) {
  const std::filesystem::path data = DataFolder(), outside = data.parent_path();
  CCheckWnd* note = App().slots[3];
  SaveNoteOfSlot(3);  // what a refusal may save first
  const std::string file = FileText(data / "Varnel03.dat"), ini = FileText(data / "Varnel.ini");
  const int boxes = answerer.answered;
  PutFile(outside / "zero.dat", std::string("[Default]\r\nTitle=x\0y\r\n", 22));
  CHECK(!ImportNoteFile(nullptr, 3, outside / "zero.dat") &&
        !ImportNoteFile(nullptr, 3, outside / "none.dat"));
  CHECK(!ExportNoteFile(nullptr, 2, data / "Varnel.ini") &&
        !ExportNoteFile(nullptr, 2, data / "VARNEL03.DAT"));
  CHECK(!RestoreNote(3, nullptr));
  PutFile(data / "Varnel.tmp", "left over");
  CHECK(!ExchangeNotes(2, 3, nullptr));
  std::filesystem::remove(data / "Varnel.tmp");
  CHECK(App().slots[3] == note && note->Slot() == 3 && answerer.answered == boxes + 6);
  CHECK(FileText(data / "Varnel03.dat") == file && FileText(data / "Varnel.ini") == ini);
  PutFile(outside / "empty.dat", "");
  CHECK(ImportNoteFile(nullptr, 3, outside / "empty.dat") && App().slots[3] && App().slots[3] != note);
  CHECK(App().slots[3] && App().slots[3]->Content().headingCount == 0 &&
        FileText(data / "Varnel03.dat").empty());
}

int main() {
  const std::string row = "=000000000000000000000000\r\n";
  DialogAnswerer answerer;
  StartTestProgram(
      {{"Varnel.ini", "[Default]\r\nList=1011\r\n"},
       {"Varnel00.dat", "[Default]\r\nX=10\r\nY=10\r\nW=200\r\nH=150\r\n"},
       {"Varnel02.dat", "[Default]\r\nX=10\r\nY=300\r\n"},
       {"Varnel03.dat", "[Default]\r\nX=300\r\nY=10\r\n[1]\r\n0S" + row + "0L=A\r\n1S" + row + "1L=a1\r\n2S" +
                            row + "2L=a2\r\n[2]\r\n0S" + row + "0L=B\r\n1S" + row + "1L=b1\r\n"}});
  AppState& app = App();
  CheckEffects(*app.slots[3]);
  CheckTransfers(answerer);
  CheckAddsKeepTypedText(*app.slots[0]);
  return Finish();
}
