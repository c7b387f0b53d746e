// Two notes exchanging their numbers: every failing step undone, every kill
// recovered at the next start; the import check and the list's row order.
#include "core/app/note_exchange.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "test_support.h"

namespace fs = std::filesystem;
using namespace varnel;
using varnel::test::ReadBytes;
using varnel::test::TempFolder;
using varnel::test::WriteBytes;

namespace {

const std::string kA = "[Default]\r\nTitle=買い物\r\n",
                  kB = std::string("[Default]\r\nTitle=仕事\r\n") + '\x81';

struct ExchangeFolder {
  TempFolder folder{"varnel-exchange"};
  fs::path Note(int slot) const { return folder.Path() / ("Varnel0" + std::to_string(slot) + ".dat"); }
  fs::path Journal() const { return folder.Path() / "Varnel.tmp"; }
  // What is on disk: the two notes and whether a journal is left.
  std::string State() const { return ReadBytes(Note(2)) + "|" + ReadBytes(Note(5)); }
  std::string Swapped() const { return kB + "|" + kA; }
  std::string Unchanged() const { return kA + "|" + kB; }
  FileOps Reporting(int fd) const {
    FileOps ops = HostFileOps();
    ops.replace = [fd](const fs::path& p, const std::string& c) {
      return write(fd, "S", 1) == 1 && HostFileOps().replace(p, c);
    };
    ops.remove = [fd](const fs::path& p) { return write(fd, "S", 1) == 1 && HostFileOps().remove(p); };
    return ops;
  }
  ExchangeResult Exchange(const FileOps& files) const {
    return ExchangeNoteFiles(files, Journal(), 2, Note(2), 5, Note(5));
  }
  RecoveryResult Recover() const {
    return RecoverExchange(HostFileOps(), Journal(), [this](int slot) { return Note(slot); });
  }
  ExchangeFolder() {
    WriteBytes(Note(2), kA);
    WriteBytes(Note(5), kB);
  }
};

// Host file operations whose replacements and removals fail at the given calls (1-based).
FileOps Failing(std::vector<int> failReplace, std::vector<int> failRemove) {
  FileOps ops = HostFileOps();
  auto replaces = std::make_shared<int>(0), removes = std::make_shared<int>(0);
  ops.replace = [=](const fs::path& p, const std::string& c) {
    const int n = ++*replaces;
    return std::find(failReplace.begin(), failReplace.end(), n) == failReplace.end() &&
           HostFileOps().replace(p, c);
  };
  ops.remove = [=](const fs::path& p) {
    const int n = ++*removes;
    return std::find(failRemove.begin(), failRemove.end(), n) == failRemove.end() && HostFileOps().remove(p);
  };
  return ops;
}

TEST(NoteExchangeTest, EachFailingStepIsUndoneOrLeftToTheRecovery) {
  // Replacements: 1 journal, 2 file A, 3 file B, 4 the undo of A. Removal 1: the journal.
  const struct {
    std::vector<int> replace, remove;
    ExchangeResult result;
    bool swapped, journalLeft;
    RecoveryResult recovery;
  } cases[] = {
      {{}, {}, ExchangeResult::kDone, true, false, RecoveryResult::kNone},
      {{1}, {}, ExchangeResult::kFailed, false, false, RecoveryResult::kNone},
      {{2}, {}, ExchangeResult::kFailed, false, false, RecoveryResult::kNone},
      {{3}, {}, ExchangeResult::kFailed, false, false, RecoveryResult::kNone},
      {{3, 4}, {}, ExchangeResult::kInterrupted, false, true, RecoveryResult::kFinished},
      {{}, {1}, ExchangeResult::kDone, true, true, RecoveryResult::kFinished},
  };
  for (const auto& c : cases) {
    ExchangeFolder f;
    SCOPED_TRACE(testing::PrintToString(c.replace) + testing::PrintToString(c.remove));
    EXPECT_EQ(f.Exchange(Failing(c.replace, c.remove)), c.result);
    EXPECT_EQ(fs::exists(f.Journal()), c.journalLeft);
    if (c.result != ExchangeResult::kInterrupted) {
      EXPECT_EQ(f.State(), c.swapped ? f.Swapped() : f.Unchanged());
    }
    EXPECT_EQ(f.Recover(), c.recovery);
    EXPECT_EQ(f.State(), c.swapped || c.journalLeft ? f.Swapped() : f.Unchanged());
    // No temporary file of a replacement is left beside the notes.
    EXPECT_EQ(std::distance(fs::directory_iterator(f.folder.Path()), fs::directory_iterator()), 2);
  }
}

TEST(NoteExchangeTest, RefusesWhileAJournalIsLeftOrANoteIsMissing) {
  ExchangeFolder f;
  WriteBytes(f.Journal(), "someone's file");
  EXPECT_EQ(f.Exchange(HostFileOps()), ExchangeResult::kBusy);
  EXPECT_EQ(f.Recover(), RecoveryResult::kKept);  // not a journal: never deleted
  EXPECT_EQ(ReadBytes(f.Journal()), "someone's file");
  fs::remove(f.Journal());
  fs::remove(f.Note(5));
  EXPECT_EQ(f.Exchange(HostFileOps()), ExchangeResult::kFailed);
  EXPECT_EQ(ReadBytes(f.Note(2)), kA);
  EXPECT_FALSE(fs::exists(f.Journal()));
}

TEST(NoteExchangeTest, RecoveryResolvesEveryStateAJournalCanBeFoundIn) {
  const std::string kNew = "[Default]\r\nTitle=later\r\n";
  const struct {
    std::string a, b;  // the files found ("" missing)
    RecoveryResult result;
    std::string after;  // both files afterwards
    bool journalLeft;
  } cases[] = {
      {kA, kB, RecoveryResult::kRolledBack, kA + "|" + kB, false},
      {kB, kA, RecoveryResult::kFinished, kB + "|" + kA, false},
      {kB, kB, RecoveryResult::kFinished, kB + "|" + kA, false},
      {kNew, kA + "x", RecoveryResult::kObsolete, kNew + "|" + kA + "x", false},
      {kB, "", RecoveryResult::kKept, kB + "|", true},
  };
  for (const auto& c : cases) {
    ExchangeFolder f;
    SCOPED_TRACE(c.after);
    WriteBytes(f.Journal(), FormatExchangeJournal({2, 5, kA, kB}));
    WriteBytes(f.Note(2), c.a);
    WriteBytes(f.Note(5), c.b);
    if (c.b.empty()) fs::remove(f.Note(5));
    EXPECT_EQ(f.Recover(), c.result);
    EXPECT_EQ(ReadBytes(f.Note(2)) + "|" + ReadBytes(f.Note(5)), c.after);
    EXPECT_EQ(fs::exists(f.Journal()), c.journalLeft);
  }
}

TEST(NoteExchangeTest, JournalReadsOnlyWhole) {
  const ExchangeJournal j{3, 49, std::string("a\0b", 3), ""};
  const std::string bytes = FormatExchangeJournal(j);
  ExchangeJournal back;
  ASSERT_TRUE(ParseExchangeJournal(bytes, back));
  EXPECT_EQ(back.slotA, 3);
  EXPECT_EQ(back.slotB, 49);
  EXPECT_EQ(back.contentA, j.contentA);
  EXPECT_EQ(back.contentB, "");
  for (const std::string& bad :
       {bytes.substr(0, bytes.size() - 1), bytes + "x", FormatExchangeJournal({3, 3, "", ""}),
        FormatExchangeJournal({3, 50, "", ""}), std::string("Varnel")})
    EXPECT_FALSE(ParseExchangeJournal(bad, back)) << bad;
}

// A child exchanging notes 2 and 5 endlessly is killed at random file
// operations; the recovery must then find both notes whole, each once.
TEST(NoteExchangeTest, KilledExchangeAlwaysRecoversBothNotes) {
  ExchangeFolder f;
  std::mt19937 rng(20261208);
  for (int kills = 0; kills < 300; ++kills) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      // The program's way: the start-up recovery, then exchange after exchange,
      // each file operation reported as it starts.
      close(fds[0]);
      const FileOps ops = f.Reporting(fds[1]);
      RecoverExchange(ops, f.Journal(), [&f](int slot) { return f.Note(slot); });
      while (f.Exchange(ops) == ExchangeResult::kDone) {
      }
      _exit(1);
    }
    close(fds[1]);
    // Within the first exchanges, at an operation's start or somewhere inside it.
    const int n = 1 + static_cast<int>(rng() % 9);
    int started = 0;
    char c = 0;
    while (started < n && read(fds[0], &c, 1) == 1) ++started;
    if (kills % 2) usleep(rng() % 400);
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    close(fds[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "worker ended on its own (status " << status << ")";
    f.Recover();
    const std::string state = f.State();
    ASSERT_TRUE(state == f.Swapped() || state == f.Unchanged()) << "after kill " << kills << ": " << state;
  }
}

TEST(NoteListRulesTest, RowOrderImportCheckAndOwnFiles) {
  // slot a, slot b, text order, column, direction -> sign of the result
  const int rows[][6] = {
      {2, 5, 0, 0, 1, -1}, {2, 5, 0, 0, -1, 1},  {2, 5, 1, 0, 1, -1},   // column 0: by slot only
      {2, 5, 1, 2, 1, 1},  {2, 5, 1, 2, -1, -1}, {5, 2, -7, 1, 1, -1},  // texts decide
      {5, 2, 0, 2, 1, 1},  {5, 2, 0, 2, -1, -1},                        // equal texts: by slot
  };
  for (const auto& r : rows) {
    const int got = CompareListRows(r[0], r[1], r[2], r[3], r[4]);
    EXPECT_EQ((got > 0) - (got < 0), r[5])
        << r[0] << "," << r[1] << "," << r[2] << "," << r[3] << "," << r[4];
  }
  EXPECT_TRUE(IsNoteFileContent(""));
  EXPECT_TRUE(IsNoteFileContent(std::string(kMaxImportBytes, 'a')));
  EXPECT_FALSE(IsNoteFileContent(std::string(kMaxImportBytes + 1, 'a')));
  EXPECT_FALSE(IsNoteFileContent(std::string("[Default]\r\n\0", 12)));
  for (const char* own : {"Varnel.ini", "varnel03.DAT", "Varnel.tmp", "VARNEL07.dat.12-3.tmp"})
    EXPECT_TRUE(IsProgramFileName(fs::path("data") / own)) << own;
  for (const char* other : {"note.dat", "Varne.dat", "my Varnel.dat", ""})
    EXPECT_FALSE(IsProgramFileName(fs::path("data") / other)) << other;
}

}  // namespace
