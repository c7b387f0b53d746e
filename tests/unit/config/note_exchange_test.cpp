// Two notes exchanging their numbers: every failing step undone, every kill recovered at
// the next start; the import check and the list's row order.
#include "core/app/note_exchange.h"

#include <gtest/gtest.h>

#include <random>

#include "kill_loop.h"
#include "test_support.h"

namespace fs = std::filesystem;
using namespace varnel;
using varnel::test::ReadBytes;
using varnel::test::WriteBytes;

namespace {

const std::string kA = "[Default]\r\nTitle=買い物\r\n",
                  kB = std::string("[Default]\r\nTitle=仕事\r\n") + '\x81';
const std::string kUnchanged = kA + "|" + kB, kSwapped = kB + "|" + kA;

struct ExchangeFolder {
  test::TempFolder folder{"varnel-exchange"};
  ExchangeFolder() {
    WriteBytes(Note(2), kA);
    WriteBytes(Note(5), kB);
  }
  fs::path Note(int slot) const { return folder.Path() / ("Varnel0" + std::to_string(slot) + ".dat"); }
  fs::path Journal() const { return folder.Path() / "Varnel.tmp"; }
  std::string State() const { return ReadBytes(Note(2)) + "|" + ReadBytes(Note(5)); }
  ExchangeResult Exchange(const FileOps& files) const {
    return ExchangeNoteFiles(files, Journal(), 2, Note(2), 5, Note(5));
  }
  RecoveryResult Recover(const FileOps& files = HostFileOps()) const {
    return RecoverExchange(files, Journal(), [this](int slot) { return Note(slot); });
  }
};

// Host file operations whose replacements and removals fail at the given calls (1-based).
FileOps Failing(std::vector<int> replace, std::vector<int> remove) {
  FileOps ops = HostFileOps();
  auto calls = std::make_shared<std::array<int, 2>>();
  const auto fails = [calls](int op, const std::vector<int>& at) {
    return std::count(at.begin(), at.end(), ++(*calls)[static_cast<std::size_t>(op)]) > 0;
  };
  ops.replace = [=](const fs::path& p, const std::string& c) {
    return !fails(0, replace) && HostFileOps().replace(p, c);
  };
  ops.remove = [=](const fs::path& p) { return !fails(1, remove) && HostFileOps().remove(p); };
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
    EXPECT_TRUE(c.result == ExchangeResult::kInterrupted || f.State() == (c.swapped ? kSwapped : kUnchanged))
        << f.State();
    EXPECT_EQ(f.Recover(), c.recovery);
    EXPECT_EQ(f.State(), c.swapped || c.journalLeft ? kSwapped : kUnchanged);
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
      {kA, kB, RecoveryResult::kRolledBack, kUnchanged, false},
      {kB, kA, RecoveryResult::kFinished, kSwapped, false},
      {kB, kB, RecoveryResult::kFinished, kSwapped, false},
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
    EXPECT_EQ(f.State(), c.after);
    EXPECT_EQ(fs::exists(f.Journal()), c.journalLeft);
  }
}

TEST(NoteExchangeTest, JournalReadsOnlyWhole) {
  const std::string bytes = FormatExchangeJournal({3, 49, std::string("a\0b", 3), ""});
  ExchangeJournal back;
  ASSERT_TRUE(ParseExchangeJournal(bytes, back));
  EXPECT_EQ(std::make_tuple(back.slotA, back.slotB, back.contentA, back.contentB),
            std::make_tuple(3, 49, std::string("a\0b", 3), std::string()));
  for (const std::string& bad :
       {bytes.substr(0, bytes.size() - 1), bytes + "x", FormatExchangeJournal({3, 3, "", ""}),
        FormatExchangeJournal({3, 50, "", ""}), std::string("Varnel")})
    EXPECT_FALSE(ParseExchangeJournal(bad, back)) << bad;
}

// The program's way, killed at random file operations of its first exchanges: the
// start-up recovery, then exchange after exchange. The next recovery must find both
// notes whole, each once.
TEST(NoteExchangeTest, KilledExchangeAlwaysRecoversBothNotes) {
  ExchangeFolder f;
  std::mt19937 rng(20261208);
  for (int kills = 0; kills < 300; ++kills) {
    const int n = 1 + static_cast<int>(rng() % 9), wait = kills % 2 ? static_cast<int>(rng() % 400) : 0;
    test::KillAfter(
        [&f](int fd) {
          f.Recover(test::Reporting(fd));
          while (f.Exchange(test::Reporting(fd)) == ExchangeResult::kDone) {
          }
        },
        n, wait);
    f.Recover();
    ASSERT_TRUE(f.State() == kSwapped || f.State() == kUnchanged)
        << "after kill " << kills << ": " << f.State();
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
    EXPECT_EQ((got > 0) - (got < 0), r[5]) << testing::PrintToString(r);
  }
  EXPECT_TRUE(IsNoteFileContent("") && IsNoteFileContent(std::string(kMaxImportBytes, 'a')));
  EXPECT_FALSE(IsNoteFileContent(std::string(kMaxImportBytes + 1, 'a')));
  EXPECT_FALSE(IsNoteFileContent(std::string("[Default]\r\n\0", 12)));
  for (const char* own : {"Varnel.ini", "varnel03.DAT", "Varnel.tmp", "VARNEL07.dat.12-3.tmp"})
    EXPECT_TRUE(IsProgramFileName(fs::path("data") / own)) << own;
  for (const char* other : {"note.dat", "Varne.dat", "my Varnel.dat", ""})
    EXPECT_FALSE(IsProgramFileName(fs::path("data") / other)) << other;
}

}  // namespace
