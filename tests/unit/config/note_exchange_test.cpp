// Two notes exchanging their numbers: failing steps undone, cuts recovered at the next start.
#include "core/app/note_exchange.h"

#include "hooked_files.h"
#include "test_support.h"

namespace fs = std::filesystem;
using namespace varnel;
using namespace varnel::test;

namespace {

const std::string kA = "[Default]\r\nTitle=買い物\r\n",
                  kB = std::string("[Default]\r\nTitle=仕事\r\n") + '\x81';
const std::string kUnchanged = kA + "|" + kB, kSwapped = kB + "|" + kA;

class NoteExchangeTest : public StoreTest {
 protected:
  // Notes 2 and 5 hold `a` and `b` ("" missing); no journal.
  void Reset(const std::string& a = kA, const std::string& b = kB) {
    fs::remove(Journal());
    WriteBytes(Note(2), a);
    WriteBytes(Note(5), b);
    if (b.empty()) fs::remove(Note(5));
  }
  fs::path Note(int slot) const { return Path("Varnel0" + std::to_string(slot) + ".dat"); }
  fs::path Journal() const { return Path("Varnel.tmp"); }
  std::string State() const { return ReadBytes(Note(2)) + "|" + ReadBytes(Note(5)); }
  ExchangeResult Exchange(const FileOps& files = HostFileOps()) const {
    return ExchangeNoteFiles(files, Journal(), 2, Note(2), 5, Note(5));
  }
  RecoveryResult Recover(const FileOps& files = HostFileOps()) const {
    return RecoverExchange(files, Journal(), [this](int slot) { return Note(slot); });
  }
};

TEST_F(NoteExchangeTest, EachFailingStepIsUndoneOrLeftToTheRecovery) {
  // The replacements that fail (1 journal, 2 file A, 3 file B, 4 the undo of A) and removals (1 the
  // journal); the result, whether the notes are swapped and the journal left, and its recovery.
  using Ints = std::vector<int>;
  const std::tuple<Ints, Ints, ExchangeResult, bool, bool, RecoveryResult> cases[] = {
      {{}, {}, ExchangeResult::kDone, true, false, RecoveryResult::kNone},
      {{1}, {}, ExchangeResult::kFailed, false, false, RecoveryResult::kNone},
      {{2}, {}, ExchangeResult::kFailed, false, false, RecoveryResult::kNone},
      {{3}, {}, ExchangeResult::kFailed, false, false, RecoveryResult::kNone},
      {{3, 4}, {}, ExchangeResult::kInterrupted, false, true, RecoveryResult::kFinished},
      {{}, {1}, ExchangeResult::kDone, true, true, RecoveryResult::kFinished},
  };
  for (const auto& [replace, remove, result, swapped, journalLeft, recovery] : cases) {
    Reset();
    SCOPED_TRACE(testing::PrintToString(replace) + testing::PrintToString(remove));
    int calls[2] = {0, 0};
    EXPECT_EQ(Exchange(test::Hooked([&, &replace = replace, &remove = remove](int op) {
                const Ints& failing = op ? remove : replace;
                return std::count(failing.begin(), failing.end(), ++calls[op]) == 0;
              })),
              result);
    EXPECT_EQ(fs::exists(Journal()), journalLeft);
    EXPECT_TRUE(result == ExchangeResult::kInterrupted || State() == (swapped ? kSwapped : kUnchanged))
        << State();
    EXPECT_EQ(Recover(), recovery);
    EXPECT_EQ(State(), swapped || journalLeft ? kSwapped : kUnchanged);
    // No temporary file of a replacement is left beside the notes.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Path()), fs::directory_iterator()), 2);
  }
}

TEST_F(NoteExchangeTest, RecoveryResolvesEveryStateAJournalCanBeFoundInAndExchangesWait) {
  const std::string kNew = "[Default]\r\nTitle=later\r\n", kJournal = FormatExchangeJournal({2, 5, kA, kB});
  // The files found ("" missing), the journal, the recovery and both files afterwards.
  const std::tuple<std::string, std::string, std::string, RecoveryResult, std::string> cases[] = {
      {kA, kB, kJournal, RecoveryResult::kRolledBack, kUnchanged},
      {kB, kA, kJournal, RecoveryResult::kFinished, kSwapped},
      {kB, kB, kJournal, RecoveryResult::kFinished, kSwapped},
      {kNew, kA + "x", kJournal, RecoveryResult::kObsolete, kNew + "|" + kA + "x"},
      {kB, "", kJournal, RecoveryResult::kKept, kB + "|"},            // the journal stays
      {kA, kB, "someone's file", RecoveryResult::kKept, kUnchanged},  // not a journal: never deleted
  };
  for (const auto& [a, b, journal, result, after] : cases) {
    Reset(a, b);
    WriteBytes(Journal(), journal);
    EXPECT_EQ(Recover(), result) << after;
    EXPECT_EQ(State(), after);
    EXPECT_EQ(fs::exists(Journal()), result == RecoveryResult::kKept) << after;
  }
  // No exchange while a journal is left, nor with a note missing.
  EXPECT_EQ(Exchange(), ExchangeResult::kBusy);
  EXPECT_EQ(ReadBytes(Journal()), "someone's file");
  Reset(kA, "");
  EXPECT_EQ(Exchange(), ExchangeResult::kFailed);
  EXPECT_EQ(ReadBytes(Note(2)), kA);
  EXPECT_FALSE(fs::exists(Journal()));
}

TEST_F(NoteExchangeTest, JournalReadsOnlyWhole) {
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

// The program's way, cut off after each step of the start-up recovery and the exchanges that
// follow, then again after each step of the next start's: the start after finds both notes whole.
TEST_F(NoteExchangeTest, CutAnywhereTheNextStartRecoversBothNotes) {
  for (int first = 0; first <= 8; ++first)
    for (int second = 0; second <= 6; ++second) {
      Reset();
      for (int steps : {first, second}) {
        const FileOps cut = test::CutAfter(steps);
        Recover(cut);
        for (int i = 0; i < 2; ++i) Exchange(cut);
      }
      Recover();
      ASSERT_TRUE(State() == kSwapped || State() == kUnchanged) << first << "," << second << ": " << State();
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
