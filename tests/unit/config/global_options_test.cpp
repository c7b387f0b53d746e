#include "core/config/global_options.h"

#include <array>
#include <map>

#include "test_support.h"

namespace varnel {
namespace {

class GlobalOptionsTest : public test::StoreTest {
 protected:
  GlobalOptions Options(const char* lines = nullptr, WorkArea area = {0, 0, 1280, 984}) {
    if (lines) Write("data/Varnel.ini", std::string("[Default]\r\n") + lines);
    return GlobalOptions(env_, Path("data"), area);
  }
  std::unique_ptr<ProfileStore> Note(const char* lines) {
    return Open("data/Varnel" + std::to_string(notes_++) + ".dat", lines);
  }
  int notes_ = 0;
};

// The options kept in memory have a case each below; these are the note style options.
TEST_F(GlobalOptionsTest, NoteStyleDefaultsAndBoundsNoFileWritten) {
  GlobalOptions o = Options();
  EXPECT_TRUE(std::filesystem::is_directory(Path("data")));
  auto note = Note("");
  const std::pair<const char*, int> defaults[] = {{"Cmd", 0x100},         {"Alpha", 255}, {"Alpha2", -1},
                                                  {"BkColorH", 0x99FFCC}, {"SizeH", 16},  {"Timer", 5},
                                                  {"TColor1", 0xEEEEEE},  {"Theight", 18}};
  for (const auto& [key, value] : defaults) {
    EXPECT_EQ(o.ReadNoteOption(nullptr, key), value) << key;
    EXPECT_EQ(o.ReadNoteOption(note.get(), key), value) << key;
  }
  EXPECT_FALSE(std::filesystem::exists(Path("data/Varnel.ini")));
  GlobalOptions b = Options(
      "Timer=700\r\nTheight=5\r\nTDiv=0\r\nTBorder=0x7FFFFFFF\r\nSTimer=99\r\nSizeH=2\r\nAlpha=300\r\n");
  const std::pair<const char*, int> bounded[] = {{"Timer", 600},          {"Theight", 10}, {"TDiv", 1},
                                                 {"TBorder", 0x0FFFFFFF}, {"STimer", 60},  {"SizeH", 13},
                                                 {"Alpha", 255},          {"NoSuchKey", 0}};
  for (const auto& [key, value] : bounded) EXPECT_EQ(b.ReadNoteOption(nullptr, key), value) << key;
  b.minimumFontSize = 17;
  EXPECT_EQ(b.ReadNoteOption(nullptr, "SizeB"), 17);
}

TEST_F(GlobalOptionsTest, NoteValuesOverrideGlobalOnesButNotTheBarHeight) {
  GlobalOptions o =
      Options("Alpha=200\r\nTheight=30\r\nBkColorH=0x112233\r\nTimer=0\r\nTBorder=0x05FF0000\r\n");
  auto with = Note("Alpha=128\r\nTheight=50\r\nBkColorH=0x445566\r\nTimer=900\r\nFont=X\r\nName=Arial\r\n");
  auto without = Note("Style=3\r\n");
  // Timers can be off; the frame kind is kept.
  const std::tuple<ProfileStore*, const char*, int> cases[] = {
      {with.get(), "Alpha", 128},    {with.get(), "BkColorH", 0x445566},
      {with.get(), "Timer", 600},    {with.get(), "Theight", 30},
      {without.get(), "Alpha", 200}, {without.get(), "BkColorH", 0x112233},
      {without.get(), "Timer", 0},   {without.get(), "TBorder", 0x05FF0000}};
  for (const auto& [note, key, value] : cases) EXPECT_EQ(o.ReadNoteOption(note, key), value) << key;
  EXPECT_EQ(o.ReadNoteText(with.get(), "Name", 32, 1), "Arial");
  EXPECT_EQ(o.ReadNoteText(with.get(), "Font", 32, 2), "ＭＳ Ｐゴシック");  // too short: global, built in
  EXPECT_EQ(o.ReadNoteText(nullptr, "Font", 4, 1), "Ｍ");                   // cut on a whole character
  EXPECT_EQ(o.ReadNoteText(nullptr, "Other", 32, 1), "");
  Options("Font=Meiryo\r\n");
  EXPECT_EQ(o.ReadNoteText(with.get(), "Font", 32, 2), "Meiryo");
}

TEST_F(GlobalOptionsTest, PlacementIsBoundedByTheFrameAndCentredInIt) {
  // The global lines, the work area, the note's lines and the note's x, y, w and h.
  const std::tuple<const char*, WorkArea, const char*, std::array<int, 4>> cases[] = {
      {"W=30\r\n", {0, 0, 1280, 984}, "", {620, 342, 40, 300}},
      {"", {0, 0, 1280, 984}, "W=5000\r\nH=250\r\nX=-50\r\nY=700\r\n", {0, 700, 1280, 250}},
      {"X=99999\r\nY=0x20\r\n", {0, 0, 1280, 984}, "", {1280, 32, 200, 300}},
      {"", {1280, 100, 2560, 900}, "W=200\r\nH=100\r\n", {1820, 450, 200, 100}},  // a second monitor
      {"", {1280, 100, 2560, 900}, "X=10\r\nY=5000\r\n", {1280, 900, 200, 300}},
      // Inverted or tiny frames (bad hand edits) still give sane ranges.
      {"FX1=500\r\nFX2=510\r\nFY1=300\r\nFY2=100\r\nW=200\r\nH=200\r\n", {}, "", {500, 300, 40, 20}},
      {"FX1=500\r\nFX2=510\r\nFY1=300\r\nFY2=100\r\n", {}, "X=900\r\nY=-900\r\n", {510, 300, 40, 20}},
  };
  for (const auto& [global, area, lines, expected] : cases) {
    const NotePlacement p = Options(global, area).ReadNotePlacement(Note(lines).get());
    EXPECT_EQ((std::array<int, 4>{p.x, p.y, p.w, p.h}), expected) << global << lines;
  }
}

// Options in memory, one for each rule: the value with no file, a stored value and what is read from it.
struct OptionCase {
  std::string key, byDefault, stored, read;
};
const std::string kZeros(50, '0');
const OptionCase kOptionCases[] = {
    {"List", kZeros, "1101", "1101" + kZeros.substr(4)},
    {"Sound", "0", "9", "6"},
    {"AutoDel", "0", "-3", "0"},
    {"Alarm", "0", "7", "6"},
    {"AlarmFile", "", std::string(300, 'w'), std::string(259, 'w')},
    {"AlarmTime", "60", "-5", "-1"},
    {"Snooze", "180", "3", "10"},
    {"CkType1", "1", "0", "0"},
    {"CkType2", "1", "x", "0"},
    {"Title", "0", "4", "3"},
    {"CColor0", "0000000000000000", "123", "0000000000000000"},
    {"CColor1", "0000000000000000", "0123456789ABCDEF", "0123456789ABCDEF"},
    {"CColor2", "0000000000000000", "0123456789ABCDEFXYZ", "0123456789ABCDEF"},
    {"CCDay1", "36160", "-150", "36160"},
    {"CCDay2", "36160", "-99", "-99"},
    {"CCDay3", "36160", "1500", "999"},
    {"FY1", "0", "-20000", "-9999"},
    {"FX2", "1280", "2560", "2560"},
    {"FY2", "984", "99999", "9999"},
    {"Palette0", "10092492", "0x123456", "1193046"},
    {"Palette3", "15649996", "", "0"},
    {"Palette15", "0", "0xFFFFFF", "16777215"},
    {"DefBtn", "1", "0", "0"},
    {"Backup", "1", "0", "0"},
};

std::string Text(const OptionRef& ref) {
  if (auto* text = std::get_if<std::string*>(&ref)) return **text;
  if (auto* flag = std::get_if<bool*>(&ref)) return **flag ? "1" : "0";
  return std::to_string(*std::get<int*>(ref));
}

// Each key of the table with its value in memory, in table order.
std::map<std::string, std::string> Values(OptionValues values) {
  std::map<std::string, std::string> out;
  for (const GlobalOptionDef& def : GlobalOptionTable())
    for (int i = 0; i < def.count; ++i)
      EXPECT_TRUE(out.emplace(GlobalOptionKey(def, i), Text(def.field(values, i))).second)
          << GlobalOptionKey(def, i) << " twice";
  return out;
}

TEST_F(GlobalOptionsTest, EveryOptionHasItsDefaultAndBounds) {
  GlobalOptions fresh = Options();
  std::map<std::string, std::string> byDefault = Values(fresh);
  std::string lines;
  for (const OptionCase& c : kOptionCases) {
    EXPECT_EQ(byDefault[c.key], c.byDefault) << c.key;
    lines += c.key + "=" + c.stored + "\r\n";
  }

  GlobalOptions stored = Options(lines.c_str());
  std::map<std::string, std::string> read = Values(stored);
  for (const OptionCase& c : kOptionCases) EXPECT_EQ(read[c.key], c.read) << c.key;
  EXPECT_EQ(Options(("List=" + std::string(60, '1') + "\r\n").c_str()).slotFlags, std::string(50, '1'));

  // Whatever was read goes back through Apply and reads again the same; so do the defaults.
  std::filesystem::remove(Path("data/Varnel.ini"));
  GlobalOptions target = Options();
  target.Apply(stored);
  EXPECT_EQ(Values(Options()), read);
  target.Apply(fresh);
  EXPECT_EQ(Values(Options()), byDefault);
}

TEST_F(GlobalOptionsTest, ApplyWritesOnlyWhatChangedAndReportsItsEffects) {
  const std::string before = "[Default]\r\n; kept\r\n  Sound = 2 \r\nCkType2=1\r\nTitle=1\r\n";
  Write("data/Varnel.ini", before);
  GlobalOptions o = Options();
  EXPECT_EQ(o.Apply(OptionValues(o)), 0u);
  EXPECT_EQ(Read("data/Varnel.ini"), before) << "nothing changed: nothing written";
  unsigned told = 0;
  o.onApplied = [&](unsigned effects) { told |= effects; };
  const std::tuple<void (*)(OptionValues&), std::vector<OptionWrite>, unsigned> cases[] = {
      {[](OptionValues& v) { v.sound = 5; }, {}, 0},
      {[](OptionValues& v) { v.ckType2 = false; }, {}, kOptionMenus | kOptionNotes},
      {[](OptionValues& v) { v.tFmt = "yy"; }, {}, kOptionNotes},
      {nullptr, {OptionWrite::Set("Timer", "9")}, kOptionTimers},
      {nullptr, {OptionWrite::Set("SCKey3", "0x241,65")}, kOptionHotKeys},
      {nullptr, {OptionWrite::Set("MenuW0", "211")}, kOptionMenus},
      {nullptr, {OptionWrite::Set("BkColorH", "0x10"), OptionWrite::Remove("CmdW")}, kOptionNotes},
  };
  for (const auto& [change, writes, effects] : cases) {
    OptionValues next = o;
    if (change) change(next);
    told = 0;
    EXPECT_EQ(o.Apply(next, writes), effects);
    EXPECT_EQ(told, effects);
  }
  EXPECT_EQ(Read("data/Varnel.ini"),
            "[Default]\r\n; kept\r\nSound=5\r\nCkType2=0\r\nTitle=1\r\nTFmt=yy\r\nTimer=9\r\n"
            "SCKey3=0x241,65\r\nMenuW0=211\r\nBkColorH=0x10\r\n");
  EXPECT_EQ(o.sound, 5);
  EXPECT_FALSE(o.ckType2);
}

// A frame standing in for one off every monitor passes through the settings
// unwritten; the user's own change is written and becomes theirs.
TEST_F(GlobalOptionsTest, AFrameInForceIsNeverWrittenOverTheUsers) {
  const std::string before = "[Default]\r\nFX1=1920\r\nFX2=3840\r\n";
  Write("data/Varnel.ini", before);
  GlobalOptions o = Options();
  const auto frame = [](const WorkArea& a) { return std::make_tuple(a.left, a.top, a.right, a.bottom); };
  EXPECT_EQ(frame(o.userFrame), std::make_tuple(1920, 0, 3840, 984));
  o.fx1 = 0, o.fx2 = 1280;  // what the shell puts in force
  OptionValues next = o;
  next.sound = 1;
  o.Apply(next);
  EXPECT_EQ(frame(o.userFrame), std::make_tuple(1920, 0, 3840, 984));
  EXPECT_EQ(Read("data/Varnel.ini"), before + "Sound=1\r\n");
  next.fy2 = 700;
  o.Apply(next);
  EXPECT_EQ(frame(o.userFrame), std::make_tuple(0, 0, 1280, 700));
  EXPECT_EQ(Read("data/Varnel.ini"), "[Default]\r\nFX1=0\r\nFX2=1280\r\nSound=1\r\nFY2=700\r\n");
}

TEST_F(GlobalOptionsTest, SaveWritesOnlyListAndPalette) {
  GlobalOptions o = Options("Sound=2\r\n");
  o.sound = 5;  // not saved here
  o.slotFlags[3] = o.slotFlags[49] = '1';
  for (int i = 0; i < 16; ++i) o.palette[i] = 0x111111 * i;
  o.palette[15] = -1;
  o.SaveSlotFlagsAndPalette();
  EXPECT_TRUE(o.LastWriteOk());
  std::string expected = "[Default]\r\nSound=2\r\nList=0001" + std::string(45, '0') + "1\r\n";
  for (int i = 0; i < 15; ++i)
    expected += "Palette" + std::to_string(i) + "=0x" + std::string(6, "0123456789ABCDEF"[i]) + "\r\n";
  EXPECT_EQ(Read("data/Varnel.ini"), expected + "Palette15=-1\r\n");
}

}  // namespace
}  // namespace varnel
