// What the row commands do to a small note, the edit lock's refusals and greying;
// then every command id through the three entry points of a note and through the
// program-wide handler, on an empty note, a full one (20 headings, full
// details, alarms) and a locked one. Nothing may crash, every file must load
// again afterwards with at most 20 headings, and the program must still run.
// A command that adds rows while an edit box is open keeps the typed text.
// Message boxes and the about dialog that commands open are answered by a
// watcher thread, as a user would press OK.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "bench/note_generator.h"
#include "core/app/command_ids.h"
#include "core/features/alarm_table.h"
#include "core/note/note_content.h"
#include "win/app/app_state.h"
#include "win/app/global_commands.h"
#include "win/app/main_window.h"
#include "win/app/note_menus.h"
#include "win/app/resource_menus.h"
#include "win/note/check_wnd.h"
#include "win/platform/local_time.h"
#include "win/platform/program_paths.h"
#include "win_check.h"

using namespace varnel;
using namespace varnel::win;

namespace {

void Check(bool ok, const char* what, int a = 0, int b = 0) {
  if (!ok) {
    std::printf("FAIL: %s (%d, %d)\n", what, a, b);
    ++g_failures;
  }
}

void Write(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

// The ids of every menu; the dialogs of later pieces and exit are left out, and
// so are the run commands, which would start whatever the generated rows name.
std::vector<int> CommandIds() {
  std::vector<int> ids;
  for (int id :
       {205, 206, 207, 208, 209, 210, 222, 223, 224, 226, 227, 228, 241, 243, 245,  246, 247, 248,   249, 250,
        251, 252, 253, 254, 255, 256, 257, 260, 261, 262, 291, 292, 293, 294, 3311, 0,   1,   65535, -1})
    ids.push_back(id);
  for (int id = 301; id <= 310; ++id) ids.push_back(id);
  for (int id = 601; id <= 630; ++id) ids.push_back(id);
  return ids;
}

void RunEveryCommand(int slot) {
  AppState& app = App();
  for (int id : CommandIds()) {
    CCheckWnd* note = app.slots[static_cast<std::size_t>(slot)];
    if (!note) return;
    note->NoteCommand(id);
    NoteContent& c = note->Content();
    // The headings at both ends and one past them: the middle ones add time, not cases.
    for (int h : {-1, 0, 1, c.headingCount - 1, c.headingCount}) {
      if (h < -1 || h > c.headingCount) continue;
      note->HeadingCommand(id, h, c.HeadingRow(h));
      // A few details of each heading: the first, the last and one past the end.
      const int count = c.DetailCount(h);
      for (int n : {1, count, count + 1}) {
        if (h < 0 || h >= c.headingCount) break;
        const std::uint32_t key = MakeRowKey(KeyHeadingId(c.headingKeys[static_cast<std::size_t>(h)]),
                                             static_cast<std::uint32_t>(n));
        note->DetailCommand(id, h, c.rows.Find(key));
      }
      note->DetailCommand(id, h, -1);
      note->DetailCommand(id, h, c.rows.Count() + 5);
    }
    if (note->Editing()) note->EndEdit();
    Check(c.headingCount >= 0 && c.headingCount <= kMaxHeadings, "heading count in range", slot, id);
    // Messages: keep the window responsive between commands.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
}

// Each add command at note, heading and detail level while the first detail is
// being edited: the typed text must end up in that detail.
void CheckAddsKeepTypedText(CCheckWnd& note) {
  NoteContent& c = note.Content();
  note.NoteCommand(kCmdAddDetail);  // an empty note: heading "見出項目" and a first detail
  SetWindowTextA(GetDlgItem(note.Window(), 105), "first");
  note.EndEdit();
  const std::uint32_t key = MakeRowKey(KeyHeadingId(c.headingKeys[0]), 1);
  enum { kNote, kHeading, kDetail };
  const struct {
    int level, id;
  } cases[] = {{kNote, 241},    {kNote, 243},    {kNote, 244},   {kNote, 253},   {kHeading, 243},
               {kHeading, 244}, {kHeading, 253}, {kDetail, 243}, {kDetail, 244}, {kDetail, 253}};
  for (const auto& t : cases) {
    note.DetailCommand(kCmdEdit, 0, c.rows.Find(key));
    const std::string typed = "typed " + std::to_string(t.level) + "/" + std::to_string(t.id);
    SetWindowTextA(GetDlgItem(note.Window(), 105), typed.c_str());
    if (t.level == kNote) note.NoteCommand(t.id);
    if (t.level == kHeading) note.HeadingCommand(t.id, 0, c.HeadingRow(0));
    if (t.level == kDetail) note.DetailCommand(t.id, 0, c.rows.Find(key));
    if (note.Editing()) note.EndEdit();
    const int row = c.rows.Find(key);
    Check(row >= 0 && c.rows.At(row).text == typed, "typed text kept", t.level, t.id);
  }
}

// Commands one after another on "A[a1 a2] B[b1]": N note, H heading h, D detail n of heading h.
void CheckEffects(CCheckWnd& note, const std::filesystem::path& file) {
  const std::string start = "A[a1:0 a2:0] B[b1:0]";
  struct Step {
    char entry;
    int id, heading, detail;
    const char* expected;  // nullptr: unchanged from the start
  };
  const Step steps[] = {
      {'D', 292, 0, 1, "A[a1:1 a2:0] B[b1:0]"},
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
      {'N', 251, 0, 0, nullptr},
      {'N', 226, 0, 0, nullptr},  // locked: no row is added,
      {'H', 250, 0, 0, nullptr},
      {'D', 250, 0, 1, nullptr},  // deleted, copied or moved
      {'D', 246, 0, 1, nullptr},
      {'H', 246, 0, 0, nullptr},
      {'N', 243, 0, 0, nullptr},
      {'H', 243, 0, 0, nullptr},
      {'D', 243, 0, 1, nullptr},
      {'H', 255, 1, 0, nullptr},
      {'D', 256, 0, 2, nullptr},
      {'H', 248, 0, 0, nullptr},
      {'D', 247, 0, 2, nullptr},
      {'D', 292, 0, 1, "A[a1:1 a2:0] B[b1:0]"},  // states still change
  };
  NoteContent& c = note.Content();
  Check(RowsOf(note) == start, "the note to change");
  for (const Step& s : steps) {
    const int row =
        s.heading < c.headingCount
            ? c.rows.Find(MakeRowKey(KeyHeadingId(c.headingKeys[static_cast<std::size_t>(s.heading)]),
                                     static_cast<std::uint32_t>(s.detail)))
            : -1;
    if (s.entry == 'N') note.NoteCommand(s.id);
    if (s.entry == 'H') note.HeadingCommand(s.id, s.heading, c.HeadingRow(s.heading));
    if (s.entry == 'D') note.DetailCommand(s.id, s.heading, row);
    if (note.Editing()) note.EndEdit();
    const std::string rows = RowsOf(note);
    Check(rows == (s.expected ? s.expected : start), "row command's effect", s.id, s.heading);
    if (rows != (s.expected ? s.expected : start)) std::printf("  %c %d: %s\n", s.entry, s.id, rows.c_str());
  }
  // The lock greys what adds rows in the note menu, and only while it is on.
  HMENU menu = CreatePopupMenu();
  const UINT adding[] = {kCmdAddHeading,    kCmdAddHeadingDlg,  kCmdAddDetail,       kCmdAddDetailDlg,
                         kCmdAddDetailClip, kCmdAddDetailsClip, kCmdShowAllHeadings, kCmdResetDetails};
  for (UINT id : adding) AppendMenuW(menu, MF_STRING, id, L"x");
  for (bool locked : {true, false}) {
    if (note.Locked() != locked) note.NoteCommand(kCmdEditLock);
    MarkNoteMenu(note, menu);
    for (UINT id : adding)
      Check(((GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0) == locked, "greyed while locked", id,
            locked);
  }
  DestroyMenu(menu);
  const auto bytes = [&] {
    std::ifstream in(file, std::ios::binary);  // closed again: a file held open cannot be replaced
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  };
  const std::string before = bytes();
  note.NoteCommand(kCmdFixPlace);
  Check(note.Fixed() && before.find("Fix=1") == std::string::npos &&
            bytes().find("Fix=1\r\n") != std::string::npos,
        "fixing is stored at once");
  note.NoteCommand(kCmdFixPlace);
}

void CheckFilesLoad(const std::filesystem::path& data) {
  AlarmTable alarms(LocalAlarmClock());
  for (const auto& entry : std::filesystem::directory_iterator(data)) {
    if (entry.path().extension() != ".dat") continue;
    ProfileStore store;
    const std::filesystem::path path = entry.path();
    store.Open(ProgramStoreEnv(), false, "Default", &path, nullptr);
    NoteContent content;
    content.alarms = &alarms;
    content.LoadItems(store);
    Check(content.headingCount <= kMaxHeadings, "reloaded file has at most 20 headings",
          content.headingCount);
    for (int h = 0; h < content.headingCount; ++h)
      Check(content.HeadingRow(h) >= 0, "every heading has its row", h);
  }
}

}  // namespace

int main() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const std::filesystem::path data = DataFolder();
  std::filesystem::remove_all(data);
  std::filesystem::create_directories(data);
  Write(data / "Varnel.ini", "[Default]\r\nList=1111\r\n");
  const std::string row = "=000000000000000000000000\r\n";
  Write(data / "Varnel03.dat", "[Default]\r\nX=300\r\nY=10\r\n[1]\r\n0S" + row + "0L=A\r\n1S" + row +
                                   "1L=a1\r\n2S" + row + "2L=a2\r\n[2]\r\n0S" + row + "0L=B\r\n1S" + row +
                                   "1L=b1\r\n");
  Write(data / "Varnel00.dat", "[Default]\r\nX=10\r\nY=10\r\nW=200\r\nH=150\r\n");
  Write(data / "Varnel01.dat", bench::GenerateNote(1, 11));
  std::string locked = bench::GenerateNote(2, 12);
  locked.insert(locked.find("\r\n") + 2, "Lock=1\r\n");
  Write(data / "Varnel02.dat", locked);

  AppState& app = App();
  app.instance = instance;
  app.options = std::make_unique<GlobalOptions>(ProgramStoreEnv(), data, WorkArea{0, 0, 1280, 800});
  app.alarms = std::make_unique<AlarmTable>(LocalAlarmClock());
  if (!RegisterWindowClasses(instance) || !(app.mainWindow = CreateMainWindow(instance))) {
    std::printf("FAIL: main window\n");
    return 1;
  }
  LoadResourceMenus(instance);
  auto watcher = std::make_unique<DialogAnswerer>();
  OpenNotesAtStart(app.mainWindow);
  for (int slot = 0; slot < 4; ++slot)
    Check(app.slots[static_cast<std::size_t>(slot)] != nullptr, "note open", slot);
  if (app.slots[3]) CheckEffects(*app.slots[3], data / "Varnel03.dat");

  if (app.slots[0]) CheckAddsKeepTypedText(*app.slots[0]);
  for (int slot = 0; slot < 3; ++slot) RunEveryCommand(slot);
  for (int id : CommandIds()) RunGlobalCommand(static_cast<unsigned>(id));
  for (int id : {202, 211, 405, 406, 409, 410, 421, 422, 425, 426})
    RunGlobalCommand(static_cast<unsigned>(id));
  // Deleting a note through its own command frees its slot and keeps its file.
  if (CCheckWnd* note = app.slots[0]) {
    note->NoteCommand(kCmdDeleteNote);
    Check(app.slots[0] == nullptr && app.options->slotFlags[0] == '0', "500 frees the slot");
    Check(std::filesystem::exists(data / "Varnel00.dat"), "a deleted note keeps its file");
  }
  Check(IsWindow(app.mainWindow) != FALSE, "main window still there");
  for (int slot = 0; slot < kSlotCount; ++slot) SaveNoteOfSlot(slot);
  CheckFilesLoad(data);

  watcher.reset();
  CloseNotesQuietly(app.mainWindow);
  std::printf(g_failures ? "%d failure(s)\n" : "all passed\n", g_failures);
  return g_failures ? 1 : 0;
}
