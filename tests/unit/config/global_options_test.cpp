#include "core/config/global_options.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace varnel {
namespace {

namespace fs = std::filesystem;

class GlobalOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    std::ostringstream name;
    name << "varnel-options-" << ::testing::UnitTest::GetInstance()->current_test_info()->name() << "-"
         << counter++;
    root_ = fs::temp_directory_path() / name.str();
    fs::remove_all(root_);
    fs::create_directories(root_);
    env_.programPath = root_ / "Varnel.exe";
    data_ = root_ / "data";
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  fs::path IniPath() const { return data_ / "Varnel.ini"; }
  void WriteFile(const fs::path& path, const std::string& body) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << body;
  }
  void WriteGlobal(const std::string& lines) { WriteFile(IniPath(), "[Default]\r\n" + lines); }
  std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // A note store on its own file in the data folder.
  std::unique_ptr<ProfileStore> Note(const std::string& lines) {
    char name[32];
    std::snprintf(name, sizeof name, "Varnel%02d.dat", notes_++);
    fs::path path = data_ / name;
    WriteFile(path, "[Default]\r\n" + lines);
    auto note = std::make_unique<ProfileStore>();
    note->Open(env_, false, "Default", &path, nullptr);
    return note;
  }

  fs::path root_, data_;
  int notes_ = 0;
  StoreEnv env_;
  WorkArea area_{0, 0, 1280, 984};
};

TEST_F(GlobalOptionsTest, NoFileGivesDefaultsCreatesFolderButNoFile) {
  ASSERT_FALSE(fs::exists(data_));
  GlobalOptions o(env_, data_, area_);
  EXPECT_TRUE(fs::is_directory(data_));
  EXPECT_EQ(o.slotFlags, std::string(50, '0'));
  EXPECT_EQ(o.sound, 0);
  EXPECT_EQ(o.soundFile, "");
  EXPECT_EQ(o.autoDel, 0);
  EXPECT_EQ(o.alarm, 0);
  EXPECT_EQ(o.alarmTime, 60);
  EXPECT_EQ(o.snooze, 180);
  EXPECT_TRUE(o.ckType1 && o.ckType2 && o.ckType3);
  EXPECT_FALSE(o.pasteSize);
  EXPECT_FALSE(o.ddLine);
  EXPECT_EQ(o.title, 0);
  EXPECT_EQ(o.tFmt, "");
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(o.cColor[i], "0000000000000000");
    EXPECT_EQ(o.ccDay[i], 36160);
  }
  EXPECT_EQ(o.fx1, 0);
  EXPECT_EQ(o.fy1, 0);
  EXPECT_EQ(o.fx2, 1280);
  EXPECT_EQ(o.fy2, 984);
  const std::array<int, 16> palette = {0x99FFCC, 0x66FFFF, 0xFFFFCC, 0xEECCCC, 0xFFCCFF, 0x66CCFF, 0xEEEEEE};
  EXPECT_EQ(o.palette, palette);
  EXPECT_TRUE(o.defBtn);

  // Table B defaults, with and without a note.
  auto note = Note("");
  struct {
    const char* key;
    int value;
  } defaults[] = {{"Cmd", 0x100},        {"Style", 1},
                  {"Alpha", 255},        {"Alpha2", -1},
                  {"BkColor", 0x99FFCC}, {"BkColorH", 0x99FFCC},
                  {"TxtColorH", 0},      {"SizeH", 16},
                  {"FontH", 1},          {"SizeB", 14},
                  {"FontB", 0},          {"Timer", 5},
                  {"STimer", 0},         {"Bar", 1},
                  {"TDiv", 2},           {"BColor0", 0x999999},
                  {"BColor1", 0xFFFFFE}, {"TColor0", 0},
                  {"TColor1", 0xEEEEEE}, {"TShadow", 1},
                  {"TBorder", 0},        {"Theight", 18}};
  for (const auto& d : defaults) {
    EXPECT_EQ(o.ReadNoteOption(nullptr, d.key), d.value) << d.key;
    EXPECT_EQ(o.ReadNoteOption(note.get(), d.key), d.value) << d.key;
  }
  EXPECT_FALSE(fs::exists(IniPath())) << "reading must not create the file";
}

TEST_F(GlobalOptionsTest, SlotFlagsAreFilledAndCutToFifty) {
  WriteGlobal("List=1101\r\n");
  {
    GlobalOptions o(env_, data_, area_);
    EXPECT_EQ(o.slotFlags, "1101" + std::string(46, '0'));
  }
  WriteGlobal("List=" + std::string(60, '1') + "\r\n");
  GlobalOptions o(env_, data_, area_);
  EXPECT_EQ(o.slotFlags, std::string(50, '1'));
}

TEST_F(GlobalOptionsTest, TableAValuesAreReadAndClamped) {
  WriteGlobal(
      "Sound=9\r\nSoundFile=a.wav\r\nAutoDel=2\r\nAlarmTime=-5\r\nSnooze=3\r\nCkType2=0\r\n"
      "PasteSize=1\r\nTitle=3\r\nTFmt=yyyy\r\nFX1=1280\r\nFY1=-20000\r\nFX2=2560\r\nFY2=1024\r\n"
      "Palette0=0x123456\r\nPalette7=-4\r\nPalette8=#1\r\nDefBtn=0\r\n");
  GlobalOptions o(env_, data_, area_);
  EXPECT_EQ(o.sound, 6);
  EXPECT_EQ(o.soundFile, "a.wav");
  EXPECT_EQ(o.autoDel, 2);
  EXPECT_EQ(o.alarmTime, -1);
  EXPECT_EQ(o.snooze, 10);
  EXPECT_FALSE(o.ckType2);
  EXPECT_TRUE(o.pasteSize);
  EXPECT_EQ(o.title, 3);
  EXPECT_EQ(o.tFmt, "yyyy");
  EXPECT_EQ(o.fx1, 1280);
  EXPECT_EQ(o.fy1, -9999);
  EXPECT_EQ(o.fx2, 2560);
  EXPECT_EQ(o.palette[0], 0x123456);
  EXPECT_EQ(o.palette[7], -1);
  EXPECT_EQ(o.palette[8], 0);
  EXPECT_FALSE(o.defBtn);
}

TEST_F(GlobalOptionsTest, ColourRulesKeepSixteenCharactersAndNeverDay) {
  WriteGlobal(
      "CColor0=123\r\nCCDay0=5\r\n"
      "CColor1=0123456789ABCDEF\r\nCCDay1=-150\r\n"
      "CColor2=0123456789ABCDEFXYZ\r\n"
      "CColor3=0123456789ABCDEF\r\nCCDay3=1500\r\n");
  GlobalOptions o(env_, data_, area_);
  EXPECT_EQ(o.cColor[0], "0000000000000000");
  EXPECT_EQ(o.ccDay[0], 5);
  EXPECT_EQ(o.cColor[1], "0123456789ABCDEF");
  EXPECT_EQ(o.ccDay[1], 36160);
  EXPECT_EQ(o.cColor[2], "0123456789ABCDEF");
  EXPECT_EQ(o.ccDay[2], 36160) << "absent day";
  EXPECT_EQ(o.ccDay[3], 999);
  for (const auto& c : o.cColor) EXPECT_EQ(c.size(), 16u);
}

TEST_F(GlobalOptionsTest, StyleOptionsAreClampedToTheirBounds) {
  WriteGlobal(
      "Timer=700\r\nTheight=5\r\nTDiv=0\r\nTBorder=0x7FFFFFFF\r\nSTimer=99\r\n"
      "SizeH=2\r\nAlpha=300\r\n");
  GlobalOptions o(env_, data_, area_);
  EXPECT_EQ(o.ReadNoteOption(nullptr, "Timer"), 600);
  EXPECT_EQ(o.ReadNoteOption(nullptr, "Theight"), 10);
  EXPECT_EQ(o.ReadNoteOption(nullptr, "TDiv"), 1);
  EXPECT_EQ(o.ReadNoteOption(nullptr, "TBorder"), 0x0FFFFFFF);
  EXPECT_EQ(o.ReadNoteOption(nullptr, "STimer"), 60);
  EXPECT_EQ(o.ReadNoteOption(nullptr, "SizeH"), 13);
  EXPECT_EQ(o.ReadNoteOption(nullptr, "Alpha"), 255);
  SetMinimumFontSize(17);
  EXPECT_EQ(o.ReadNoteOption(nullptr, "SizeH"), 17);
  EXPECT_EQ(o.ReadNoteOption(nullptr, "SizeB"), 17);
  SetMinimumFontSize(13);
  EXPECT_EQ(o.ReadNoteOption(nullptr, "NoSuchKey"), 0);
  EXPECT_EQ(FindNoteOption("NoSuchKey"), nullptr);
}

TEST_F(GlobalOptionsTest, TimersCanBeTurnedOffAndFrameKindIsKept) {
  WriteGlobal("Timer=0\r\nSTimer=0\r\nTBorder=0x05FF0000\r\n");
  GlobalOptions o(env_, data_, area_);
  EXPECT_EQ(o.ReadNoteOption(nullptr, "Timer"), 0);
  EXPECT_EQ(o.ReadNoteOption(nullptr, "STimer"), 0);
  EXPECT_EQ(o.ReadNoteOption(nullptr, "TBorder"), 0x05FF0000);
}

TEST_F(GlobalOptionsTest, NoteValueOverridesGlobalOne) {
  WriteGlobal("Alpha=200\r\nTheight=30\r\nBkColorH=0x112233\r\n");
  GlobalOptions o(env_, data_, area_);
  auto with = Note("Alpha=128\r\nTheight=50\r\nBkColorH=0x445566\r\nTimer=900\r\n");
  EXPECT_EQ(o.ReadNoteOption(with.get(), "Alpha"), 128);
  EXPECT_EQ(o.ReadNoteOption(with.get(), "BkColorH"), 0x445566);
  EXPECT_EQ(o.ReadNoteOption(with.get(), "Timer"), 600) << "note values are bounded too";
  EXPECT_EQ(o.ReadNoteOption(with.get(), "Theight"), 30) << "bar height is always global";
  auto without = Note("Style=3\r\n");
  EXPECT_EQ(o.ReadNoteOption(without.get(), "Alpha"), 200);
  EXPECT_EQ(o.ReadNoteOption(without.get(), "BkColorH"), 0x112233);
}

TEST_F(GlobalOptionsTest, NoteTextFallsBackToGlobalAndFont) {
  GlobalOptions o(env_, data_, area_);
  auto note = Note("Font=X\r\nName=Arial\r\n");
  EXPECT_EQ(o.ReadNoteText(note.get(), "Name", 32, 1), "Arial");
  EXPECT_EQ(o.ReadNoteText(note.get(), "Font", 32, 2), "ＭＳ Ｐゴシック")
      << "too short: global, then the built-in";
  EXPECT_EQ(o.ReadNoteText(nullptr, "Font", 32, 1), "ＭＳ Ｐゴシック");
  // A small buffer never splits a double-byte character.
  EXPECT_EQ(o.ReadNoteText(nullptr, "Font", 4, 1), "Ｍ");
  WriteGlobal("Font=Meiryo\r\n");
  EXPECT_EQ(o.ReadNoteText(note.get(), "Font", 32, 2), "Meiryo");
  EXPECT_EQ(o.ReadNoteText(nullptr, "Other", 32, 1), "");
}

TEST_F(GlobalOptionsTest, PlacementSizesAndCentring) {
  WriteGlobal("W=30\r\n");
  GlobalOptions o(env_, data_, area_);
  auto note = Note("");
  NotePlacement p = o.ReadNotePlacement(note.get());
  EXPECT_EQ(p.w, 40);
  EXPECT_EQ(p.h, 300);
  EXPECT_EQ(p.x, (1280 - 40) / 2);
  EXPECT_EQ(p.y, (984 - 300) / 2);

  auto own = Note("W=5000\r\nH=250\r\nX=-50\r\nY=700\r\n");
  p = o.ReadNotePlacement(own.get());
  EXPECT_EQ(p.w, 1280) << "width bounded by the frame";
  EXPECT_EQ(p.h, 250);
  EXPECT_EQ(p.x, 0) << "x clamped into the frame";
  EXPECT_EQ(p.y, 700);

  WriteGlobal("X=99999\r\nY=0x20\r\n");
  p = o.ReadNotePlacement(note.get());
  EXPECT_EQ(p.x, 1280);
  EXPECT_EQ(p.y, 32);
}

TEST_F(GlobalOptionsTest, PlacementCentresOnASecondMonitor) {
  GlobalOptions o(env_, data_, WorkArea{1280, 100, 2560, 900});
  auto note = Note("W=200\r\nH=100\r\n");
  NotePlacement p = o.ReadNotePlacement(note.get());
  EXPECT_EQ(p.x, 1280 + (1280 - 200) / 2);
  EXPECT_EQ(p.y, 100 + (800 - 100) / 2);
  auto left = Note("X=10\r\nY=5000\r\n");
  p = o.ReadNotePlacement(left.get());
  EXPECT_EQ(p.x, 1280);
  EXPECT_EQ(p.y, 900);
}

TEST_F(GlobalOptionsTest, DegenerateFrameGivesSaneRanges) {
  // Inverted or tiny frames (bad hand edits) must not produce inverted bounds.
  WriteGlobal("FX1=500\r\nFX2=510\r\nFY1=300\r\nFY2=100\r\nW=200\r\nH=200\r\n");
  GlobalOptions o(env_, data_, area_);
  auto note = Note("");
  NotePlacement p = o.ReadNotePlacement(note.get());
  EXPECT_EQ(p.w, 40);
  EXPECT_EQ(p.h, 20);
  EXPECT_EQ(p.x, 500);
  EXPECT_EQ(p.y, 300);
  auto far = Note("X=900\r\nY=-900\r\n");
  p = o.ReadNotePlacement(far.get());
  EXPECT_EQ(p.x, 510);
  EXPECT_EQ(p.y, 300);
}

TEST_F(GlobalOptionsTest, SaveWritesListAndPaletteAndReadsBack) {
  WriteGlobal("Sound=2\r\n");
  {
    GlobalOptions o(env_, data_, area_);
    o.slotFlags[3] = '1';
    o.slotFlags[49] = '1';
    for (int i = 0; i < 16; ++i) o.palette[i] = 0x010101 * i;
    o.palette[15] = -1;
    o.SaveSlotFlagsAndPalette();
    EXPECT_TRUE(o.LastWriteOk());
  }
  std::string text = ReadAll(IniPath());
  std::istringstream lines(text);
  std::string line;
  int keys = 0, palettes = 0, lists = 0;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '[') continue;
    ++keys;
    if (line.rfind("Palette", 0) == 0) ++palettes;
    if (line.rfind("List=", 0) == 0) ++lists;
  }
  EXPECT_EQ(lists, 1);
  EXPECT_EQ(palettes, 16);
  EXPECT_EQ(keys, 1 + 1 + 16) << "Sound kept, only List and the palette added";
  EXPECT_NE(text.find("Palette1=0x010101\r\n"), std::string::npos);
  EXPECT_NE(text.find("Palette15=-1\r\n"), std::string::npos);

  GlobalOptions again(env_, data_, area_);
  std::string expected(50, '0');
  expected[3] = expected[49] = '1';
  EXPECT_EQ(again.slotFlags, expected);
  EXPECT_EQ(again.palette[14], 0x0E0E0E);
  EXPECT_EQ(again.palette[15], -1);
  EXPECT_EQ(again.sound, 2);
}

}  // namespace
}  // namespace varnel
