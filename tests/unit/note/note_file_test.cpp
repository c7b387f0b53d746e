// Rows, row operations, titles and the note file through a real store.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/config/profile_store.h"
#include "core/features/alarm_table.h"
#include "core/note/note_content.h"
#include "core/note/note_settings.h"

#include "test_support.h"

using varnel::test::MakeDateTime;
using varnel::test::ReadBytes;
using varnel::test::WriteBytes;

namespace fs = std::filesystem;
using namespace varnel;

namespace {

class NoteFileTest : public test::StoreTest {
 protected:
  NoteFileTest() { content_.alarms = &alarms_; }
  void Put(const std::string& bytes) { WriteBytes(file_, bytes); }
  std::string Get() { return ReadBytes(file_); }
  void Load(const std::string& bytes) {
    Put(bytes);
    store_.Open(env_, false, "Default", &file_, nullptr);
    loadOk_ = content_.LoadItems(store_);
  }
  void Save(int autoDel = 0) {
    ProfileStore::Batch batch(store_);
    content_.SaveItems(store_, autoDel);
  }
  void Reload() { loadOk_ = content_.LoadItems(store_); }
  const std::string& Text(int heading, int number) {
    static const std::string none = "<none>";
    const int row = content_.rows.Find(MakeRowKey(KeyHeadingId(content_.headingKeys[heading]), number));
    return row < 0 ? none : content_.rows.At(row).text;
  }
  int Row(int heading, int number) {
    return content_.rows.Find(MakeRowKey(KeyHeadingId(content_.headingKeys[heading]), number));
  }

  fs::path file_ = Path("Varnel00.dat");
  ProfileStore store_;
  DateTime now_ = MakeDateTime(2026, 12, 7, 9, 30);
  AlarmTable alarms_{AlarmClock{[this] { return now_; },
                                [](const DateTime& t) {
                                  return static_cast<std::int64_t>(DayNumber(t.year, t.month, t.day)) *
                                             86400 +
                                         t.hour * 3600 + t.minute * 60 + t.second;
                                }}};
  NoteContent content_;
  bool loadOk_ = false;
};

const char* kTwoHeadings =
    "[Default]\r\nTitle=\r\n"
    "[1]\r\n0S=0000000000000000\r\n0L=Shopping\r\n1S=000000010000000000000000\r\n1L=milk\r\n"
    "1S=ignored\r\n2S=00000000000000000000000\r\n2L=bread\r\n"
    "[3]\r\n0S=00000000\r\n0L=Work\r\n";

TEST_F(NoteFileTest, LoadsHeadingsAcrossGapsAndRenumbersAtSave) {
  Load(kTwoHeadings);
  ASSERT_TRUE(loadOk_);
  ASSERT_EQ(content_.headingCount, 2);
  EXPECT_EQ(Text(0, 0), "Shopping");
  EXPECT_EQ(Text(0, 1), "milk");
  EXPECT_EQ(Text(0, 2), "bread");
  EXPECT_EQ(Text(1, 0), "Work");
  EXPECT_EQ(KeyNumber(content_.headingKeys[0]), 3u);
  EXPECT_EQ(DetailStateOf(content_.rows.At(Row(0, 1)).status), kChecked);
  // Short records are read as far as they go; the format is always 16 characters.
  EXPECT_EQ(content_.rows.At(Row(1, 0)).format, "0000000000000000");
  EXPECT_EQ(content_.rows.At(Row(0, 2)).format.size(), 16u);
  Save();
  ProfileStore check;
  check.Open(env_, false, "Default", &file_, nullptr);
  EXPECT_EQ(check.ReadString("0L", "", 100, "2"), "Work");
  EXPECT_FALSE(check.HasKey("0S", "3"));
  Reload();
  EXPECT_EQ(content_.headingCount, 2);
  EXPECT_EQ(Text(1, 0), "Work");
}

TEST_F(NoteFileTest, UnchangedCanonicalFileIsNotRewritten) {
  const std::string file =
      "[Default]\r\nTitle=t\r\nZ=-2\r\n\r\n"
      "[1]\r\n0S=000000000000000000000000\r\n0L=head\r\n1S=000000000008000000000000\r\n1L=C:\\temp\\a "
      "b\r\n\r\n[2]\r\n0S=000000000000000000000000\r\n0L=表示\r\n";
  Load(file);
  const auto before = fs::last_write_time(file_);
  Save();
  EXPECT_EQ(Get(), file);
  EXPECT_EQ(fs::last_write_time(file_), before);
}

TEST_F(NoteFileTest, WrittenNoteMatchesTheFileConventionsByteForByte) {
  // "%dS" before "%dL"; flag digits changed bit by bit in upper case, whole
  // fields (the format string) in lower case.
  Load("[1]\r\n0S=00000000\r\n0L=買い物\r\n1S=0000000c0E1ABCDEF0000000\r\n1L=牛乳\r\n");
  const int milk = Row(0, 1);
  ASSERT_TRUE(
      content_.AdvanceDetailState(kUnchecked, milk, content_.rows.At(milk).status, NoteRules{}, now_));
  ASSERT_TRUE(content_.AdvanceDetailState(kChecked, milk, content_.rows.At(milk).status, NoteRules{}, now_));
  const int work = content_.AddHeading("仕事");
  ASSERT_GE(work, 0);
  content_.InsertDetail(1, content_.MakeRoomAfter(1, work), "C:\\temp\t表");
  SetStatusDigit(content_.rows.At(Row(1, 1)).status, 7, kDeleted);
  Save();
  EXPECT_EQ(Get(),
            "[1]\r\n0S=000000000000000000000000\r\n0L=買い物\r\n1S=0000000E0e1abcdef0000000\r\n1L=牛乳\r\n"
            "[2]\r\n0S=000000000000000000000000\r\n0L=仕事\r\n"
            "1S=000000030000000000000000\r\n1L=\\|C:\\\\temp\\t表\r\n");
}

TEST_F(NoteFileTest, TextsSurviveSaveAndLoad) {
  Load("[Default]\r\n");
  const std::string texts[] = {"C:\\temp\\test.txt", "\\\\nas\\share", "dir\\",    "a\\nb literal",
                               "tab\there",          "two\r\nlines",   " padded ", "\"quoted\"",
                               "表\\ソ\\能\\十",     "x=y;z"};
  ASSERT_GE(content_.AddHeading("h"), 0);
  std::uint32_t key = content_.rows.At(content_.HeadingRow(0)).key;
  for (const std::string& t : texts) {
    content_.MakeRoomAfter(0, content_.rows.Find(key));
    ASSERT_GE(content_.InsertDetail(0, key, t), 0);
    ++key;
  }
  Save();
  Reload();
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Text(0, i + 1), texts[i]);
}

TEST_F(NoteFileTest, AlarmsRegisterAtLoadAndNeverLeak) {
  // ON alarm, OFF alarm, and an ON record too short to hold its settings.
  Load(
      "[1]\r\n0S=00000000\r\n0L=h\r\n"
      "1S=000c000c0000000000000000103000800001\r\n1L=weekly\r\n"
      "2S=000400040000000000000000103000800001\r\n2L=off\r\n"
      "3S=000c000c00000000000000001030\r\n3L=short\r\n");
  EXPECT_TRUE(loadOk_);
  EXPECT_EQ(alarms_.UsedCount(), 1);
  const std::string& on = content_.rows.At(Row(0, 1)).status;
  EXPECT_EQ(on, "000c010c103000800001");
  EXPECT_EQ(content_.rows.At(Row(0, 2)).status, "00040004103000800001");
  EXPECT_EQ(content_.rows.At(Row(0, 3)).status, "00000000");
  EXPECT_EQ(content_.FindAlarmRow(1, MakeRowKey(1, 1)), Row(0, 1));
  // Reload frees the old registration instead of taking a second slot.
  Reload();
  EXPECT_EQ(alarms_.UsedCount(), 1);
  // A detail found after it has moved: key points elsewhere now.
  EXPECT_EQ(content_.FindAlarmRow(1, MakeRowKey(1, 3)), Row(0, 1));
  EXPECT_EQ(content_.FindAlarmRow(0, MakeRowKey(1, 3)), -1);
  content_.ClearDetails(0);
  EXPECT_EQ(alarms_.UsedCount(), 0);
}

TEST_F(NoteFileTest, TheRunsAlarmMarksAreNotStored) {
  // Table numbers and armed bits change from run to run: a note whose rows did
  // not change is saved as it was read, and numbers of an earlier run go.
  const struct {
    const char* stored;
    const char* saved;
  } cases[] = {{"000c000c", "000c000c"},
               {"000c070c", "000c000c"},
               {"00040004", "00040004"},
               {"000c0004", "000c000C"},
               {"00040708", "00040000"}};
  for (const auto& c : cases) {
    const std::string file = std::string("[1]\r\n0S=000000000000000000000000\r\n0L=h\r\n1S=") + c.stored +
                             "0000000000000000103000800001\r\n1L=a\r\n";
    Load(file);
    Save();
    EXPECT_EQ(Get(), std::string(file).replace(file.find(c.stored), 8, c.saved)) << c.stored;
  }
}

TEST_F(NoteFileTest, FullAlarmTableLoadsOnButUnarmed) {
  for (int i = 0; i < kAlarmSlotCount; ++i) ASSERT_GT(alarms_.RegisterAlarm(9, 0, "000000800001"), 0);
  Load("[1]\r\n0S=00000000\r\n0L=h\r\n1S=000c000c0000000000000000103000800001\r\n1L=a\r\n");
  EXPECT_FALSE(loadOk_);
  EXPECT_EQ(content_.rows.At(Row(0, 1)).status, "000c0004103000800001");
}

TEST_F(NoteFileTest, AlarmRecordStaysBehindAFixedFormat) {
  Load("[1]\r\n0S=00000000\r\n0L=h\r\n1S=000400040000000000000000235959c00001\r\n1L=a\r\n");
  content_.rows.At(Row(0, 1)).format = "12";  // a caller's short format
  Save();
  ProfileStore check;
  check.Open(env_, false, "Default", &file_, nullptr);
  EXPECT_EQ(check.ReadString("1S", "", 64, "1"), "000400041200000000000000235959c00001");
}

TEST_F(NoteFileTest, AutoDeleteAndRepeatHeadings) {
  Load(
      "[1]\r\n0S=00000000\r\n0L=normal\r\n1S=00000003\r\n1L=gone\r\n2S=00000000\r\n2L=kept\r\n"
      "[2]\r\n0S=00010000\r\n0L=repeat\r\n1S=00000003\r\n1L=stays\r\n");
  Save(1);
  Reload();
  EXPECT_EQ(Text(0, 1), "kept");
  EXPECT_EQ(content_.DetailCount(0), 1);
  EXPECT_EQ(Text(1, 1), "stays");
}

TEST_F(NoteFileTest, HeadingDisplayAndFoldModesAtLoad) {
  // display mode 1 without details, display mode 2, fold mode 1 folded, fold mode 0 folded, fold mode 2
  Load(
      "[1]\r\n0S=01000000\r\n0L=a\r\n[2]\r\n0S=02000000\r\n0L=b\r\n[3]\r\n0S=04000002\r\n0L=c\r\n"
      "[4]\r\n0S=00000002\r\n0L=d\r\n[5]\r\n0S=08000000\r\n0L=e\r\n[6]\r\n0S=0100ff00\r\n0L=f\r\n1S="
      "00000000\r\n");
  ASSERT_EQ(content_.headingCount, 6);
  EXPECT_EQ(content_.headingAttributes[0] & 3, kHeadingHidden);
  EXPECT_EQ(content_.headingAttributes[1] & 3, kHeadingHidden);
  EXPECT_EQ(content_.headingAttributes[2] & 3, kHeadingFolded);
  EXPECT_EQ(content_.headingAttributes[3] & 3, 0u);
  EXPECT_EQ(content_.headingAttributes[4] & 3, kHeadingFolded);
  EXPECT_EQ(content_.headingAttributes[5], 0x01000000u);  // has a detail; bits 8..15 cleared
}

TEST_F(NoteFileTest, RowOperationsRenumber) {
  Load(
      "[1]\r\n0S=00000000\r\n0L=h\r\n1S=00000000\r\n1L=1\r\n2S=00000000\r\n2L=2\r\n3S=00000000\r\n3L=3\r\n"
      "4S=00000000\r\n4L=4\r\n");
  EXPECT_EQ(content_.DeleteDetail(Row(0, 2), 0), 4);
  EXPECT_EQ(Text(0, 2), "3");
  EXPECT_EQ(Text(0, 3), "4");
  const std::uint32_t key = content_.MakeRoomAfter(0, Row(0, 1));
  content_.InsertDetail(0, key, "new");
  EXPECT_EQ(Text(0, 2), "new");
  EXPECT_EQ(Text(0, 3), "3");
  EXPECT_EQ(Text(0, 4), "4");
  EXPECT_EQ(KeyNumber(content_.headingKeys[0]), 5u);
  for (int i = 1; i < kMaxHeadings; ++i) ASSERT_GE(content_.AddHeading("x"), 0);
  EXPECT_EQ(content_.AddHeading("21st"), -1);
  content_.DeleteHeading(0);
  EXPECT_EQ(content_.headingCount, kMaxHeadings - 1);
  EXPECT_EQ(content_.rows.Count(), kMaxHeadings - 1);
}

TEST_F(NoteFileTest, DeleteNewRowRemovesAJustCreatedHeading) {
  Load("[1]\r\n0S=00000000\r\n0L=a\r\n[2]\r\n0S=00000000\r\n0L=b\r\n");
  content_.editedRow = content_.AddHeading("");
  content_.AddHeading("after");  // not possible in use, but the gap must close right
  content_.DeleteNewRow();
  ASSERT_EQ(content_.headingCount, 3);
  EXPECT_EQ(Text(2, 0), "after");
  EXPECT_EQ(content_.editedRow, -1);
}

TEST_F(NoteFileTest, StateCyclingFollowsCkTypeAndAutoDel) {
  Load("[1]\r\n0S=00000000\r\n0L=h\r\n1S=0000000c\r\n1L=a\r\n2S=00000000\r\n2L=b\r\n");
  NoteRules rules;
  rules.ckType2 = false;
  const int a = Row(0, 1);
  EXPECT_TRUE(content_.AdvanceDetailState(kUnchecked, a, content_.rows.At(a).status, rules, now_));
  EXPECT_EQ(content_.rows.At(a).status, "0000000D");  // alarm marks kept
  EXPECT_TRUE(content_.AdvanceDetailState(kChecked, a, content_.rows.At(a).status, rules, now_));
  EXPECT_EQ(DetailStateOf(content_.rows.At(a).status), kDeleted);
  EXPECT_FALSE(content_.AdvanceDetailState(kDeleted, a, content_.rows.At(a).status, rules, now_));
  NoteRules none;
  none.ckType1 = none.ckType2 = none.ckType3 = false;
  EXPECT_FALSE(content_.AdvanceDetailState(kUnchecked, Row(0, 2), "00000000", none, now_));
  content_.ResetDetails(0, rules, now_);
  EXPECT_EQ(content_.rows.At(a).status, "0000000C");
  // AutoDel 2 removes at once and stamps.
  NoteRules at0nce;
  at0nce.autoDel = 2;
  content_.SetDetailState(kDeleted, Row(0, 2), "00000000", at0nce, now_);
  EXPECT_EQ(content_.DetailCount(0), 1);
  EXPECT_EQ(content_.updateStamp.minute, 30);
}

TEST_F(NoteFileTest, Titles) {
  Load("[1]\r\n0S=00000000\r\n0L=First heading\r\n1S=01000000\r\n1L=hidden\\n\\rshown\\n\\rthird\r\n");
  content_.slot = 4;
  NoteRules rules;
  rules.tFmt = "No.%NN%";
  EXPECT_EQ(content_.UpdateTitle(-1, rules, now_), 1);
  EXPECT_EQ(content_.title, "No.05");
  content_.UpdateTitle(1, rules, now_);
  EXPECT_EQ(content_.title, "First heading");
  content_.UpdateTitle(2, rules, now_);
  EXPECT_EQ(content_.title, "shown");
  content_.hideHeadingRows = true;
  content_.UpdateTitle(1, rules, now_);
  EXPECT_EQ(content_.title, "shown");
  rules.tFmt = "";
  content_.UpdateTitle(0, rules, now_);
  EXPECT_EQ(content_.title, "(付箋5)");
  content_.updateStamp = MakeDateTime(2011, 1, 10, 14, 5);
  content_.UpdateTitle(3, rules, now_);
  EXPECT_EQ(content_.title, "01/10-14:05");
  rules.tFmt = "%M/%D %H:%FF%+5";  // time codes; no day moves for the update time
  content_.UpdateTitle(3, rules, now_);
  EXPECT_EQ(content_.title, "1/10 14:05+5");
  // An own title keeps mode -1: derived titles never replace it.
  content_.title = "mine";
  content_.titleMode = -1;
  EXPECT_EQ(content_.UpdateTitle(-1, rules, now_), 0);
  EXPECT_EQ(content_.UpdateTitle(9, rules, now_), 0);
  EXPECT_EQ(content_.title, "mine");
}

TEST_F(NoteFileTest, HandWrittenFilesInOddShapes) {
  // Odd case and blanks in names, quotes, a text at the read limit of 1199
  // bytes ending in a double-byte character, a record of 63 characters.
  std::string longText;
  while (longText.size() < 1200) longText += "表";
  Load("[default]\r\n[ 1 ]\r\n0s = 00000000\r\n0l=\"quoted head\"\r\n1S=" + std::string(63, 'f') +
       "\r\n1l=" + longText + "x\r\n");
  ASSERT_EQ(content_.headingCount, 1);
  EXPECT_EQ(Text(0, 0), "quoted head");
  EXPECT_EQ(Text(0, 1).size(), 1198u);  // cut on a whole character within 1199 bytes
  EXPECT_EQ(content_.rows.At(Row(0, 1)).format, "ffffffffffffffff");
  Save();
  Reload();
  EXPECT_EQ(Text(0, 1).size(), 298u);  // saved with at most 298 bytes, on a whole character
  EXPECT_EQ(Text(0, 1).substr(0, 4), "表表");
}

TEST_F(NoteFileTest, RowKeysMatchAsReadsByNameMatchThem) {
  // Any case and blanks around a name count, in any order in the section; of
  // repeated names the first counts; another spelling of a number is another key.
  Load(
      "[1]\r\n1l=second\r\n0s=00000000\r\n 0L = head \r\n1s=00000000\r\n1S=00000003\r\n1L=ignored\r\n"
      "02S=00000000\r\n02L=not a row\r\n+2S=00000000\r\n2s=00000000\r\n2L=third\r\n70000S=00000000\r\n");
  ASSERT_EQ(content_.headingCount, 1);
  EXPECT_EQ(Text(0, 0), "head");
  EXPECT_EQ(Text(0, 1), "second");
  EXPECT_EQ(content_.rows.At(Row(0, 1)).status, "00000000");  // the first 1S, not the later one
  EXPECT_EQ(Text(0, 2), "third");
  EXPECT_EQ(Row(0, 3), -1);
}

TEST_F(NoteFileTest, BadInputNeverCrashesOrSpreads) {
  std::string many;
  for (int s = 1; s <= 25; ++s) many += "[" + std::to_string(s) + "]\r\n0S=00000000\r\n0L=h\r\n";
  const std::string huge = "[1]\r\n0S=00000000\r\n0L=" + std::string(2 << 20, 'a') +
                           "\r\n1S=99999999999999999999999999999999999999\r\n1L=x\r\n4294967296S=0\r\n";
  for (const std::string& bytes : {many, huge, std::string("[1]\r\n0S=0000"), std::string()}) {
    Load(bytes);
    EXPECT_LE(content_.headingCount, kMaxHeadings);
    Save();
    Reload();
    EXPECT_LE(content_.headingCount, kMaxHeadings);
  }
  Load(many);
  EXPECT_EQ(content_.headingCount, kMaxHeadings);  // sections past 20 are not headings
  content_.DeleteHeading(0);
  Save();
  EXPECT_TRUE(store_.HasKey("0L", "19") && !store_.HasKey("0L", "20"));  // the last one's section goes
  Load("[1]\r\n0S=0000000\r\n0L=short record\r\n[2]\r\n0S=00000000\r\n0L=head\r\n");
  EXPECT_EQ(content_.headingCount, 1);  // a record of fewer than 8 characters is no heading
  EXPECT_EQ(Text(0, 0), "head");
}

TEST(NoteSettings, UpdateStampIsBoundedToRealDates) {
  DateTime t = MakeDateTime(2026, 12, 7, 9, 30);
  ASSERT_TRUE(ParseUpdateStamp("201102301230", t));
  EXPECT_EQ(t.year, 2011);
  EXPECT_EQ(t.month, 2);
  EXPECT_EQ(t.day, 28);
  EXPECT_EQ(t.hour, 12);
  EXPECT_EQ(t.minute, 30);
  EXPECT_EQ(t.dayOfWeek, 1);                     // a Monday
  ASSERT_TRUE(ParseUpdateStamp("19990015", t));  // year below range, month 0
  EXPECT_EQ(t.year, 2000);
  EXPECT_EQ(t.month, 1);
  EXPECT_EQ(t.day, 15);
  EXPECT_EQ(t.hour, 0);
  EXPECT_LE(t.dayOfWeek, 6);
  ASSERT_TRUE(ParseUpdateStamp("20000229", t));
  EXPECT_EQ(t.day, 29);  // 2000 was a leap year
  const DateTime before = t;
  EXPECT_FALSE(ParseUpdateStamp("2011021", t));
  EXPECT_EQ(t.day, before.day);
  EXPECT_EQ(FormatUpdateStamp(MakeDateTime(2011, 2, 28, 12, 30)), "201102281230");
}

}  // namespace
