// Whole notes moved by the note list: import refuses what is no note file and otherwise swaps
// in a fresh note; export never writes over the program's own files; a restore never replaces
// a live note; an exchange moves files and notes together and refuses while an earlier journal
// is left.
#include "core/app/command_ids.h"
#include "win/app/note_transfer.h"
#include "win_check.h"

using namespace varnel;
using namespace varnel::win;

namespace {

std::string Note(const char* title, int x) {
  return "[Default]\r\nX=" + std::to_string(x) + "\r\nY=10\r\nW=150\r\nH=100\r\nTitle=" + title +
         "\r\n[1]\r\n0S=00000000\r\n0L=" + title + "\r\n";
}
CCheckWnd* Slot(int slot) { return App().slots[static_cast<std::size_t>(slot)]; }
bool Holds(const std::filesystem::path& file, const std::string& text) {
  return FileText(file).find(text) != std::string::npos;
}

}  // namespace

int main() {
  if (!StartTestProgram({{"Varnel.ini", "[Default]\r\nList=11\r\n"},
                         {"Varnel00.dat", Note("first", 10)},
                         {"Varnel01.dat", Note("second", 200)},
                         {"Varnel03.dat", Note("deleted", 400)}}))
    return std::printf("no program\n"), 1;
  const std::filesystem::path data = DataFolder(), outside = data.parent_path() / "transfer";
  std::filesystem::create_directories(outside);
  DialogAnswerer answerer;

  // Refused imports: the note and its file stay as they were, with a message each.
  CCheckWnd *first = Slot(0), *second = Slot(1);
  const std::string firstFile = FileText(data / "Varnel00.dat");
  PutFile(outside / "zero.dat", std::string("[Default]\r\nTitle=x\0y\r\n", 22));
  PutFile(outside / "big.dat", std::string((4u << 20) + 1, 'a'));
  for (const char* name : {"zero.dat", "big.dat", "missing.dat"})
    CHECK_AT(!ImportNoteFile(nullptr, 0, outside / name) && Slot(0) == first, name);
  CHECK(FileText(data / "Varnel00.dat") == firstFile && answerer.Answered() == 3);
  // A good file (an empty one is an empty note) replaces the note and its file.
  for (const std::string& content : {Note("imported", 30), std::string()}) {
    PutFile(outside / "good.dat", content);
    CHECK(ImportNoteFile(nullptr, 0, outside / "good.dat") && Slot(0) && Slot(0)->Slot() == 0);
    CHECK(FileText(data / "Varnel00.dat").find(content) == 0);
  }
  CHECK(Slot(0)->Content().headingCount == 0);

  // Export: never over the program's own files; a new file is written whole.
  const std::string ini = FileText(data / "Varnel.ini");
  for (const char* own : {"Varnel.ini", "VARNEL03.DAT", "varnel49.dat"})
    CHECK_AT(!ExportNoteFile(nullptr, 1, data / own), own);
  CHECK(FileText(data / "Varnel.ini") == ini && FileText(data / "Varnel03.dat") == Note("deleted", 400));
  CHECK(!std::filesystem::exists(data / "varnel49.dat"));
  SetWindowPos(second->Window(), nullptr, 222, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  CHECK(ExportNoteFile(nullptr, 1, outside / "new.dat") &&
        Holds(outside / "new.dat", "X=222\r\n"));  // unsaved

  // Restore: a live note is never replaced; a free slot's file comes back shown.
  const int before = answerer.Answered();
  CHECK(!RestoreNote(1, nullptr) && Slot(1) == second && answerer.Answered() == before + 1);
  CHECK(RestoreNote(3, nullptr) && Slot(3) && IsWindowVisible(Slot(3)->Window()));
  CHECK(App().options->slotFlags[3] == '1');

  // Exchange: files, slots and numbers move together; a left journal refuses it.
  CHECK(ExchangeNotes(1, 3, nullptr) && Slot(3) == second && second->Slot() == 3);
  CHECK(Slot(1)->Content().title == "deleted" && Holds(data / "Varnel01.dat", "Title=deleted"));
  CHECK(Holds(data / "Varnel03.dat", "Title=second") && !std::filesystem::exists(data / "Varnel.tmp"));
  PutFile(data / "Varnel.tmp", "left over");
  CHECK(!ExchangeNotes(1, 3, nullptr) && Slot(3) == second && Holds(data / "Varnel03.dat", "Title=second"));
  CloseNotesQuietly(App().mainWindow);
  return Finish();
}
