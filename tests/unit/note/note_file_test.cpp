// The note file through a real store: rows, row operations, titles, escaped texts and the settings keys.
#include "core/note/note_settings.h"
#include "core/note/text_escape.h"
#include "test_support.h"

namespace fs = std::filesystem;
using namespace varnel;

namespace {

using NoteFileTest = test::NoteTest;

TEST_F(NoteFileTest, LoadsHeadingsAcrossGapsWithTheirModesAndRenumbersAndDropsDeletedAtSave) {
  Load(
      "[Default]\r\nTitle=\r\n"
      "[1]\r\n0S=0000000000000000\r\n0L=Shopping\r\n1S=000000010000000000000000\r\n1L=milk\r\n"
      "1S=ignored\r\n2S=00000003\r\n2L=gone\r\n3S=00000000000000000000000\r\n3L=bread\r\n"
      "[3]\r\n0S=00000000\r\n0L=Work\r\n[4]\r\n0S=00010000\r\n0L=repeat\r\n1S=00000003\r\n1L=stays\r\n");
  ASSERT_TRUE(loadOk_);
  EXPECT_EQ(Outline(), "Shopping:milk,gone,bread|Work|repeat:stays");
  EXPECT_EQ(DetailStateOf(Status(0, 1)), kChecked);
  // Short records are read as far as they go; the format is always 16 characters.
  EXPECT_EQ(c_.rows.At(Row(1, 0)).format + c_.rows.At(Row(0, 3)).format, std::string(32, '0'));
  Save(1);  // AutoDel 1: deleted details go at the save, except under a repeating heading
  EXPECT_EQ(store_.ReadString("0L", "", 100, "2"), "Work");
  EXPECT_FALSE(store_.HasKey("0S", "4"));
  Reload();
  EXPECT_EQ(Outline(), "Shopping:milk,bread|Work|repeat:stays");
  // display mode 1 without details, display mode 2, fold mode 1 folded, fold mode 0 folded, fold mode 2,
  // display mode 1 with a detail (bits 8..15 cleared)
  Load(
      "[1]\r\n0S=01000000\r\n0L=a\r\n[2]\r\n0S=02000000\r\n0L=b\r\n[3]\r\n0S=04000002\r\n0L=c\r\n"
      "[4]\r\n0S=00000002\r\n0L=d\r\n[5]\r\n0S=08000000\r\n0L=e\r\n[6]\r\n0S=0100ff00\r\n0L=f\r\n1S="
      "00000000\r\n");
  const std::uint32_t* a = c_.headingAttributes.data();
  EXPECT_EQ(
      std::vector<std::uint32_t>(a, a + c_.headingCount),
      (std::vector<std::uint32_t>{0x01000000 | kHeadingHidden, 0x02000000 | kHeadingHidden,
                                  0x04000000 | kHeadingFolded, 0, 0x08000000 | kHeadingFolded, 0x01000000}));
}

TEST_F(NoteFileTest, WrittenNoteMatchesTheFileConventionsByteForByte) {
  // "%dS" before "%dL"; flag digits changed bit by bit in upper case, the format in lower case.
  Load("[1]\r\n0S=00000000\r\n0L=買い物\r\n1S=0000000c0E1ABCDEF0000000\r\n1L=牛乳\r\n");
  ASSERT_TRUE(c_.AdvanceDetailState(kUnchecked, Row(0, 1), Status(0, 1), NoteRules{}, now_));
  ASSERT_TRUE(c_.AdvanceDetailState(kChecked, Row(0, 1), Status(0, 1), NoteRules{}, now_));
  Build({{"仕事", "C:\\temp\t表"}});
  SetStatusDigit(Status(1, 1), 7, kDeleted);
  Save();
  EXPECT_EQ(Read("Varnel00.dat"),
            "[1]\r\n0S=000000000000000000000000\r\n0L=買い物\r\n1S=0000000E0e1abcdef0000000\r\n1L=牛乳\r\n"
            "[2]\r\n0S=000000000000000000000000\r\n0L=仕事\r\n"
            "1S=000000030000000000000000\r\n1L=\\|C:\\\\temp\\t表\r\n");
}

TEST_F(NoteFileTest, AlarmsRegisterAtLoadNeverLeakAndStayOnUnarmedWithAFullTable) {
  // ON alarm, OFF alarm, and an ON record too short to hold its settings.
  Load(
      "[1]\r\n0S=00000000\r\n0L=h\r\n"
      "1S=000c000c0000000000000000103000800001\r\n1L=weekly\r\n"
      "2S=000400040000000000000000103000800001\r\n2L=off\r\n"
      "3S=000c000c00000000000000001030\r\n3L=short\r\n");
  EXPECT_TRUE(loadOk_);
  EXPECT_EQ(alarms_.UsedCount(), 1);
  EXPECT_EQ(Status(0, 1) + " " + Status(0, 2) + " " + Status(0, 3),
            "000c010c103000800001 00040004103000800001 00000000");
  EXPECT_EQ(c_.FindAlarmRow(1, MakeRowKey(1, 1)), Row(0, 1));
  // Reload frees the old registration instead of taking a second slot.
  Reload();
  EXPECT_EQ(alarms_.UsedCount(), 1);
  // A detail found after it has moved: key points elsewhere now.
  EXPECT_EQ(std::make_pair(c_.FindAlarmRow(1, MakeRowKey(1, 3)), c_.FindAlarmRow(0, MakeRowKey(1, 3))),
            std::make_pair(Row(0, 1), -1));
  c_.ClearDetails(0);
  EXPECT_EQ(alarms_.UsedCount(), 0);
  // The record stays behind a short format; with a full table an ON alarm loads unarmed.
  Load("[1]\r\n0S=00000000\r\n0L=h\r\n1S=000400040000000000000000235959c00001\r\n1L=a\r\n");
  c_.rows.At(Row(0, 1)).format = "12";  // a caller's short format
  Save();
  EXPECT_EQ(store_.ReadString("1S", "", 64, "1"), "000400041200000000000000235959c00001");
  for (int i = 0; i < kAlarmSlotCount; ++i) ASSERT_GT(alarms_.RegisterAlarm(9, 0, "000000800001"), 0);
  Load("[1]\r\n0S=00000000\r\n0L=h\r\n1S=000c000c0000000000000000103000800001\r\n1L=a\r\n");
  EXPECT_FALSE(loadOk_);
  EXPECT_EQ(Status(0, 1), "000c0004103000800001");
}

TEST_F(NoteFileTest, AnUnchangedNoteIsNotRewrittenAndTheRunsAlarmMarksAreNotStored) {
  // Table numbers and armed bits change from run to run: an unchanged note is not even touched.
  for (const auto& [stored, saved] : {std::pair("000c000c", "000c000c"), std::pair("000c070c", "000c000c"),
                                      std::pair("00040004", "00040004"), std::pair("000c0004", "000c000C"),
                                      std::pair("00040708", "00040000")}) {
    const std::string file =
        std::string("[Default]\r\nTitle=t\r\nZ=-2\r\n\r\n[1]\r\n0S=000000000000000000000000\r\n") +
        "0L=head\r\n1S=000000000008000000000000\r\n1L=C:\\temp\\a b\r\n2S=" + stored +
        "0000000000000000103000800001\r\n2L=a\r\n\r\n[2]\r\n0S=000000000000000000000000\r\n0L=表示\r\n";
    Load(file);
    const auto before = fs::last_write_time(file_);
    Save();
    EXPECT_EQ(Read("Varnel00.dat"), std::string(file).replace(file.find(stored), 8, saved)) << stored;
    EXPECT_TRUE(std::string(stored) != saved || fs::last_write_time(file_) == before) << stored;
  }
}

TEST_F(NoteFileTest, StatesOutOfUseAreSkippedAResetKeepsAlarmMarksAndAnEmptyNewHeadingGoes) {
  Build({{"h", "a"}, {"b"}});
  Status(0, 1) = "0000000c";
  rules_.ckType2 = false;
  ASSERT_TRUE(c_.AdvanceDetailState(kUnchecked, Row(0, 1), Status(0, 1), rules_, now_));
  ASSERT_TRUE(c_.AdvanceDetailState(kChecked, Row(0, 1), Status(0, 1), rules_, now_));  // past done
  EXPECT_EQ(Status(0, 1), "0000000F");
  c_.ResetDetails(0, rules_, now_);
  EXPECT_EQ(Status(0, 1), "0000000C");
  c_.editedRow = c_.AddHeading("");
  c_.AddHeading("after");  // not possible in use, but the gap must close right
  c_.DeleteNewRow();
  EXPECT_EQ(std::make_pair(Outline(), c_.editedRow), std::make_pair(std::string("h:a|b|after"), -1));
}

TEST_F(NoteFileTest, Titles) {
  Build({{"First heading", "hidden\r\nshown\r\nthird"}});
  Status(0, 1) = "01000000";
  c_.slot = 4, c_.updateStamp = test::MakeDateTime(2011, 1, 10, 14, 5);
  const std::tuple<int, bool, const char*, const char*> cases[] = {
      // mode, no heading rows, "TFmt", title
      {-1, false, "No.%NN%", "No.05"},
      {1, false, "", "First heading"},
      {2, false, "", "shown"},
      {1, true, "", "shown"},  // no heading rows: the first detail
      {0, false, "", "(付箋5)"},
      {3, false, "", "01/10-14:05"},
      {3, false, "%M/%D %H:%FF%+5", "1/10 14:05+5"}};  // time codes; no day moves for the update time
  for (const auto& [mode, bare, format, title] : cases) {
    c_.hideHeadingRows = bare;
    rules_.tFmt = format;
    EXPECT_EQ(std::pair(c_.UpdateTitle(mode, rules_, now_), c_.title), std::pair(1, std::string(title)))
        << mode;
  }
  // An own title keeps mode -1: derived titles never replace it.
  c_.title = "mine", c_.titleMode = -1;
  EXPECT_EQ(c_.UpdateTitle(-1, rules_, now_) + c_.UpdateTitle(9, rules_, now_), 0);
  EXPECT_EQ(c_.title, "mine");
}

TEST_F(NoteFileTest, HandWrittenFilesInOddShapes) {
  // Any case and blanks around a name count, in any order in the section; of repeated names the
  // first counts; another spelling of a number is another key.
  Load(
      "[1]\r\n1l=second\r\n0s=00000000\r\n 0L = head \r\n1s=00000000\r\n1S=00000003\r\n1L=ignored\r\n"
      "02S=00000000\r\n02L=not a row\r\n+2S=00000000\r\n2s=00000000\r\n2L=third\r\n70000S=00000000\r\n");
  EXPECT_EQ(Outline(), "head:second,third");
  EXPECT_EQ(Status(0, 1), "00000000");
  Load("[1]\r\n0S=0000000\r\n0L=short record\r\n[2]\r\n0S=00000000\r\n0L=head\r\n");
  EXPECT_EQ(Outline(), "head");  // a record of fewer than 8 characters is no heading
  // Quotes, a text beyond the read limit of 1199 bytes (cut on a whole character), a record of 63
  // characters; saved with at most 298 bytes, on a whole character.
  std::string longText;
  while (longText.size() < 1200) longText += "表";
  Load("[default]\r\n[ 1 ]\r\n0s = 00000000\r\n0l=\"quoted head\"\r\n1S=" + std::string(63, 'f') +
       "\r\n1l=" + longText + "x\r\n");
  EXPECT_EQ(Outline(), "quoted head:" + longText.substr(0, 1198));
  EXPECT_EQ(c_.rows.At(Row(0, 1)).format, "ffffffffffffffff");
  Save();
  Reload();
  EXPECT_EQ(c_.rows.At(Row(0, 1)).text, longText.substr(0, 298));

  std::string many;
  for (int s = 1; s <= 25; ++s) many += "[" + std::to_string(s) + "]\r\n0S=00000000\r\n0L=h\r\n";
  Load(many);
  EXPECT_EQ(c_.headingCount, kMaxHeadings);
  c_.DeleteHeading(0);
  Save();
  EXPECT_TRUE(store_.HasKey("0L", "19") && !store_.HasKey("0L", "20"));  // the last one's section goes
}

TEST(TextEscape, StoredFormsOfEarlierFilesReadAndWriteAsBefore) {
  // 表 = 95 5C and ソ = 83 5C end in a backslash byte; 亜 = 88 9F ends in a lead byte. Doubled before
  // another character stays doubled, a backslash right after ソ is an escape, a lone lead byte in a
  // hand-edited file reads as '?'.
  // text, stored, also what the writer gives
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"a\tb", "a\\tb", true},
      {"line1\r\nline2", "line1\\n\\rline2", true},
      {"x\\ny", "x\\\\ny", true},
      {"C:\\Users\\x", "C:\\Users\\x", true},
      {"表示", "表示", true},
      {"表n", "表n", true},
      {"", "", true},
      {"\\\\server\\share", "\\\\server\\share", false},
      {"end\\", "end\\", false},
      {"\\x", "\\x", false},
      {"ソt", "ソt", false},
      {"亜ソn", "亜ソn", false},
      {"亜亜ソt\t", "亜亜ソt\\t", false},
      {"亜\r", "亜\\n", false},
      {"亜ソs ", "\\|亜ソs\\s", false},
      {"h\t?\t=?", "h\\t\xEA\t=\x81", false}};
  for (const auto& [text, stored, written] : cases) {
    EXPECT_EQ(UnescapeText(stored), text) << stored;
    EXPECT_EQ(written ? EscapeText(text) : stored, stored) << text;
  }
}

TEST(TextEscape, EveryTextSurvivesOnOneTrimmedLine) {
  // What the reader would trim or split: blanks and matching quotes at the ends, line breaks, tabs; and stray
  // lead bytes, which must not swallow a line break and read back as they were read.
  const auto check = [](const std::string& text, bool exact) {
    const std::string stored = EscapeText(text), loaded = UnescapeText(stored);
    EXPECT_EQ(stored.find_first_of("\r\n\t"), std::string::npos) << stored;
    const bool quoted =
        stored.size() > 1 && (stored[0] == '"' || stored[0] == '\'') && stored.back() == stored[0];
    EXPECT_TRUE(stored.empty() || (stored.front() != ' ' && stored.back() != ' ' && !quoted)) << stored;
    EXPECT_EQ(UnescapeText(EscapeText(loaded)), loaded) << stored;
    EXPECT_EQ(exact ? loaded : text, text) << stored;
  };
  for (const std::string text :
       {"C:\\temp\\test.txt", "\\\\nas\\share", "\\\\tokyo\\d", "dir\\", "a\\\\", "\\", "\\\\\\n", "a\\\tb",
        "x\\\r\ny", " leading", "trailing ", "\"quoted\"", "'q'"})
    check(text, true);
  for (const std::string text : {"\\|marker", "表\\n", "ソ\t能\\十", "\\r\\n literal", "十\\t",
                                 "亜ソ\r\n亜\\n", "亜亜\\ソ\\", "\x81\\n", "h\t?\t=?"})
    check(text, true);
  for (const std::string text : {"a\x81\r\nb", "\x81\t", "\x9F\r", "\xFC", "\x81", "x\xE0\n"})
    check(text, false);
}

// What a write of each key group of the settings leaves in the file, and that the reader takes it back.
TEST_F(NoteFileTest, EachGroupOfSettingsWritesItsKeysAndReadsBack) {
  NoteSettings s;
  s.alpha = 102, s.alpha2 = 51, s.fixed = s.locked = true, s.z = -1, s.bar = 7, s.visible = false;
  s.placement = {12, -30, 240, 180};
  const std::pair<unsigned, const char*> cases[] = {
      {kNoteAlpha, "Alpha=102\r\n"},
      {kNoteAlpha2 | kNoteFixed, "Alpha2=51\r\nFix=1\r\n"},
      {kNoteLocked | kNoteZOrder | kNoteBar, "Lock=1\r\nZ=-1\r\nBar=7\r\n"},
      {kNotePlacement | kNoteVisible, "X=12\r\nY=-30\r\nW=240\r\nH=180\r\nV=0\r\n"}};
  for (const auto& [keys, lines] : cases) {
    const std::string name = "note" + std::to_string(keys) + ".dat";
    WriteNoteSettings(*Open(name), s, keys);
    EXPECT_EQ(Read(name), std::string("[Default]\r\n") + lines) << keys;
  }
  auto note = Open("all.dat");
  WriteNoteSettings(*note, s, ~0u);
  GlobalOptions options(env_, Path("data"), WorkArea{0, 0, 1280, 984});
  const NoteSettings back = ReadNoteSettings(options, *note, OpenMode::Existing);
  // Bar without its fold bit, the note's own state read apart; a place outside the frame comes back inside.
  const NotePlacement& p = back.placement;
  EXPECT_EQ(std::make_tuple(back.alpha, back.alpha2, back.fixed, back.locked, back.visible, back.z, back.bar),
            std::make_tuple(102, 51, true, true, false, -1, 3));
  EXPECT_EQ(std::vector<int>({p.x, p.y, p.w, p.h}), std::vector<int>({12, 0, 240, 180}));
}

TEST(NoteSettingValues, OpacityStepsByTenthsAndUpdateStampsAreRealDates) {
  const std::array<int, 3> steps[] = {
      {601, 1, 25}, {605, 1, 127}, {610, 1, 255}, {621, 0, 25}, {630, 0, 255}};
  for (const auto& [command, active, value] : steps) {
    const OpacityStep step = OpacityOfCommand(command);
    EXPECT_EQ(std::make_pair(int{step.active}, step.value), std::make_pair(active, value)) << command;
  }
  const std::pair<const char*, std::vector<int>> cases[] = {
      // text, year, month, day, hour, minute
      {"201102301230", {2011, 2, 28, 12, 30}},
      {"19990015", {2000, 1, 15, 0, 0}},   // year below range, month 0
      {"20000229", {2000, 2, 29, 0, 0}}};  // 2000 was a leap year
  for (const auto& [text, want] : cases) {
    DateTime t = test::MakeDateTime(2026, 12, 7, 9, 30);
    ASSERT_TRUE(ParseUpdateStamp(text, t));
    EXPECT_EQ(std::vector<int>({t.year, t.month, t.day, t.hour, t.minute}), want) << text;
    EXPECT_FALSE(ParseUpdateStamp("2011021", t));
    EXPECT_EQ(t.day, want[2]) << "a short text leaves the stamp";
  }
  DateTime t;
  ASSERT_TRUE(ParseUpdateStamp("201103021230", t));
  EXPECT_EQ(t.dayOfWeek, 3);  // a Wednesday; a DateTime starts on a Monday
  EXPECT_EQ(FormatUpdateStamp(test::MakeDateTime(2011, 2, 28, 12, 30)), "201102281230");
}

}  // namespace
