// Whole-note file work of the note list: two notes exchanging their numbers,
// the recovery of an exchange a crash cut short, the check of a file to import
// and the order of the list's rows.
//
// An exchange first writes a journal holding both notes' contents, then
// replaces each file atomically, then deletes the journal. A kill at any point
// leaves every content on disk at least in the journal, and the recovery at
// the next start finishes or rolls back what it finds.
#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "core/config/file_ops.h"

namespace varnel {

struct ExchangeJournal {
  int slotA = -1, slotB = -1;
  std::string contentA, contentB;  // the files' contents before the exchange
};
std::string FormatExchangeJournal(const ExchangeJournal& journal);
// False for anything but a whole journal (a torn or foreign file).
bool ParseExchangeJournal(std::string_view bytes, ExchangeJournal& journal);

enum class ExchangeResult {
  kDone,
  kBusy,        // a journal of an earlier exchange is still there: nothing done
  kFailed,      // a step failed and what was done is undone: nothing changed
  kInterrupted  // a step failed and the undo too: the journal stays for the next start
};

// The note files of slots a and b exchange their contents; both files must exist.
ExchangeResult ExchangeNoteFiles(const FileOps& files, const std::filesystem::path& journal, int slotA,
                                 const std::filesystem::path& fileA, int slotB,
                                 const std::filesystem::path& fileB);

enum class RecoveryResult {
  kNone,        // no journal
  kFinished,    // the exchange was completed (or had been)
  kRolledBack,  // nothing of it had reached the files
  kObsolete,    // both files changed since: they are newer than the journal, which goes
  kKept         // a file is missing or unreadable: the journal stays as the only copy
};

// The start-up step: resolves a journal left by an exchange. noteFile gives a slot's file.
RecoveryResult RecoverExchange(const FileOps& files, const std::filesystem::path& journal,
                               const std::function<std::filesystem::path(int slot)>& noteFile);

// What an import takes: a note file is text of at most 4 MB without NUL bytes
// (an empty file is an empty note).
constexpr std::uintmax_t kMaxImportBytes = 4u * 1024u * 1024u;
bool IsNoteFileContent(std::string_view bytes);

// The program's own files in its data folder ("Varnel.ini", "VarnelNN.dat",
// the journal, temporary files) all begin with the program's name; an export
// never writes over one.
bool IsProgramFileName(const std::filesystem::path& name);

// The list's sort order of two rows (their slots), sorted by column in
// direction (+1 or -1); textOrder is the locale comparison of the rows' texts
// in that column (ignored for column 0). Equal texts go by slot.
int CompareListRows(int slotA, int slotB, int textOrder, int column, int direction);

}  // namespace varnel
