#include "core/app/command_table.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/config/profile_store.h"
#include "core/text/cp932.h"
#include "test_support.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;

// Command ids of each top-level popup of the "POPUPMENU" resource, in order.
std::vector<std::set<int>> ResourcePopups() {
  std::ifstream in(VARNEL_SOURCE_DIR "/resources/varnel.rc", std::ios::binary);
  std::vector<std::set<int>> popups;
  std::string line;
  bool inMenu = false;
  int depth = 0;
  while (std::getline(in, line)) {
    const std::size_t first = line.find_first_not_of(" \t");
    const std::size_t last = line.find_last_not_of(" \t\r");
    line = first == std::string::npos ? std::string() : line.substr(first, last - first + 1);
    if (!inMenu) {
      inMenu = line.rfind("POPUPMENU", 0) == 0;
      continue;
    }
    if (line == "BEGIN") {
      ++depth;
    } else if (line == "END") {
      if (--depth == 0) break;
    } else if (depth == 1 && line.rfind("POPUP ", 0) == 0) {
      popups.emplace_back();
    } else if (line.rfind("MENUITEM \"", 0) == 0 && !popups.empty()) {
      popups.back().insert(std::stoi(line.substr(line.rfind(',') + 1)));
    }
  }
  return popups;
}

std::set<int> CommandsWith(int mask) {
  std::set<int> ids;
  for (const CommandEntry& e : CommandTable())
    if (e.flags & mask) ids.insert(e.command);
  return ids;
}

TEST(CommandTableTest, EveryIndexIsInTheTableAndOnlyThose) {
  ASSERT_EQ(CommandTable().size(), 85u);
  EXPECT_NE(CommandAt(0), nullptr);
  EXPECT_NE(CommandAt(84), nullptr);
  EXPECT_EQ(CommandAt(85), nullptr);
  EXPECT_EQ(CommandAt(-1), nullptr);
  EXPECT_EQ(CommandAt(std::int64_t{1} << 40), nullptr);
  int listed = 0;
  for (std::size_t i = 0; i < CommandTable().size(); ++i) {
    const CommandEntry& e = CommandTable()[i];
    if (e.flags == 0) {
      // An unused index must not smuggle a command into a menu.
      EXPECT_EQ(e.command, 0) << i;
      continue;
    }
    ++listed;
    const std::string caption = e.caption;
    EXPECT_FALSE(caption.empty()) << i;
    EXPECT_LE(caption.size(), kMaxCommandCaption) << i;
    EXPECT_EQ(cp932::CutLength(caption, caption.size()), caption.size()) << i;
    // An entry is either for the context menus or a hot key, never both.
    EXPECT_TRUE((e.flags & kAsHotKey) == 0 || e.flags == kAsHotKey) << i;
  }
  EXPECT_EQ(listed, 45);
  // Where the examples say.
  EXPECT_EQ(CommandAt(0)->command, kOtherCommandsCommand);
  EXPECT_EQ(CommandAt(11)->command, 243);
  EXPECT_EQ(CommandAt(78)->command, 211);
  EXPECT_EQ(CommandAt(75)->command, kMailCommand);
}

TEST(CommandTableTest, CommandIdsAreUniqueWithinEachUse) {
  // Menus find items by command id (default item, shared submenus) and a hot
  // key is registered under its command id: a repeat inside one use would clash.
  for (int mask : {kInNoteMenu, kInHeadingMenu, kInDetailMenu, kAsHotKey}) {
    std::multiset<int> ids;
    for (const CommandEntry& e : CommandTable())
      if (e.flags & mask) ids.insert(e.command);
    for (int id : ids) EXPECT_EQ(ids.count(id), 1u) << "mask " << mask << " command " << id;
  }
  EXPECT_EQ(HotKeyCommands(), (std::vector<int>{211, 212, 205, 206, 207, 208, 210}));
}

TEST(CommandTableTest, MenusOfferWhatTheBuiltInMenusHold) {
  // A user who rebuilds a menu can get back every item of the built-in one,
  // plus the place of the other commands and the two format commands.
  const std::vector<std::set<int>> popups = ResourcePopups();
  ASSERT_EQ(popups.size(), 10u);
  auto builtIn = [&](std::size_t popup, std::set<int> extra) {
    std::set<int> ids = popups[popup];
    ids.erase(0xFFFF);  // the title
    ids.insert(extra.begin(), extra.end());
    return ids;
  };
  EXPECT_EQ(CommandsWith(kInNoteMenu), builtIn(5, {213, 261, 262}));
  EXPECT_EQ(CommandsWith(kInHeadingMenu), builtIn(6, {213, 261, 262}));
  EXPECT_EQ(CommandsWith(kInDetailMenu), builtIn(7, {213}));
  // The hot keys run commands of the tray menu.
  for (int id : HotKeyCommands()) EXPECT_EQ(popups[2].count(id), 1u) << id;
}

class KeyReadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = folder_.Path();
    env_.programPath = root_ / "Varnel.exe";
    file_ = root_ / "Varnel.ini";
  }
  ProfileStore& Store(const std::string& lines) {
    test::WriteBytes(file_, "[Default]\r\n" + lines);
    store_ = std::make_unique<ProfileStore>();
    store_->Open(env_, false, "Default", &file_, nullptr);
    return *store_;
  }

  test::TempFolder folder_{"varnel-keys"};
  fs::path root_, file_;
  StoreEnv env_;
  std::unique_ptr<ProfileStore> store_;
};

void ExpectHotKey(const HotKeyRegistration& r, int command, int key, unsigned modifiers) {
  EXPECT_EQ(r.command, command);
  EXPECT_EQ(r.virtualKey, key);
  EXPECT_EQ(r.modifiers, modifiers);
}

TEST_F(KeyReadingTest, HotKeyModifiersMapToRegistrationFlags) {
  // 577 = Ctrl (2 << 8) + 'A'.
  std::vector<HotKeyRegistration> keys =
      ReadHotKeys(Store("HotKey0=78,577\r\nHotKey1=79,0x141\r\nHotKey2=80,0x441\r\nHotKey3=81,0x741\r\n"
                        "HotKey4=82,0x871\r\nHotKey5=83,0xA72\r\n"));
  ASSERT_EQ(keys.size(), 6u);
  ExpectHotKey(keys[0], 211, 0x41, kHotKeyModControl);
  ExpectHotKey(keys[1], 212, 0x41, kHotKeyModShift);
  ExpectHotKey(keys[2], 205, 0x41, kHotKeyModAlt);
  ExpectHotKey(keys[3], 206, 0x41, kHotKeyModControl | kHotKeyModShift | kHotKeyModAlt);
  // The extended-key flag is dropped, the others kept.
  ExpectHotKey(keys[4], 207, 0x71, 0);
  ExpectHotKey(keys[5], 208, 0x72, kHotKeyModControl);
}

TEST_F(KeyReadingTest, HotKeysOnlyForHotKeyCommandsWithAKey) {
  std::vector<HotKeyRegistration> keys =
      ReadHotKeys(Store("HotKey0=11,577\r\n"      // a menu command: no bit 3
                        "HotKey1=0,577\r\n"       // index 0
                        "HotKey2=85,577\r\n"      // out of range
                        "HotKey3=abc,577\r\n"     // no number
                        "HotKey4=79\r\n"          // no key
                        "HotKey5=79,0\r\n"        // key word 0
                        "HotKey6=79,512\r\n"      // Ctrl without a key
                        "HotKey7=80,0x10042\r\n"  // beyond 16 bits: the low 16 count
                        "HotKey8=84,579\r\n"));
  ASSERT_EQ(keys.size(), 2u);
  ExpectHotKey(keys[0], 205, 0x42, 0);
  ExpectHotKey(keys[1], 210, 0x43, kHotKeyModControl);
}

TEST_F(KeyReadingTest, HotKeyReadingStopsAtTheFirstEmptyValueAndAfterAHundred) {
  EXPECT_EQ(ReadHotKeys(Store("HotKey0=78,577\r\nHotKey1=\r\nHotKey2=79,578\r\n")).size(), 1u);
  std::string lines;
  for (int i = 0; i < 100; ++i) lines += "HotKey" + std::to_string(i) + "=11,577\r\n";
  lines += "HotKey100=78,577\r\n";
  EXPECT_TRUE(ReadHotKeys(Store(lines)).empty());
}

TEST_F(KeyReadingTest, FirstBindingOfACommandOrACombinationWins) {
  std::vector<HotKeyRegistration> keys =
      ReadHotKeys(Store("HotKey0=78,577\r\nHotKey1=78,578\r\nHotKey2=79,577\r\nHotKey3=80,0xA41\r\n"
                        "HotKey4=81,579\r\n"));
  ASSERT_EQ(keys.size(), 2u);
  ExpectHotKey(keys[0], 211, 0x41, kHotKeyModControl);
  // Ctrl+extended A is the same registration as Ctrl+A.
  ExpectHotKey(keys[1], 206, 0x43, kHotKeyModControl);
}

TEST_F(KeyReadingTest, ShortcutsFillTheTable) {
  ShortcutTable table{};
  table[0] = ShortcutEntry{999, 'Z', 0};  // whatever was there before goes
  ReadShortcuts(Store("SCKey0=11,577\r\nSCKey1=30,46\r\nSCKey2=59,0x0B4C\r\n"), table);
  int command = 0;
  EXPECT_TRUE(LookupShortcut(table, 'A', kShortcutCtrl, command));
  EXPECT_EQ(command, 243);
  EXPECT_TRUE(LookupShortcut(table, 0x2E, 0, command));
  EXPECT_EQ(command, 500);
  // The extended flag is no modifier of a shortcut.
  EXPECT_TRUE(LookupShortcut(table, 'L', kShortcutCtrl | kShortcutShift, command));
  EXPECT_EQ(command, 226);
  EXPECT_FALSE(LookupShortcut(table, 'Z', 0, command));
  EXPECT_EQ(table[3].key, 0);
}

TEST_F(KeyReadingTest, ShortcutsSkipWhatIsNoNoteCommandOrHasNoKey) {
  ShortcutTable table{};
  ReadShortcuts(Store("SCKey0=11,0\r\n"     // key word 0
                      "SCKey1=12,512\r\n"   // Ctrl without a key
                      "SCKey2=2,577\r\n"    // heading and detail only
                      "SCKey3=78,577\r\n"   // hot key only
                      "SCKey4=0,577\r\n"    // index 0
                      "SCKey5=13\r\n"       // no key
                      "SCKey6=abc,577\r\n"  // no number
                      "SCKey7=57,578\r\n"),
                table);
  // Nothing skipped left a hole that ends the table before the good entry.
  EXPECT_EQ(table[0].command, 224);
  EXPECT_EQ(table[0].key, 'B');
  EXPECT_EQ(table[0].modifiers, kShortcutCtrl);
  EXPECT_EQ(table[1].key, 0);
}

TEST_F(KeyReadingTest, ShortcutReadingStopsAtTheFirstEmptyValueAndAfterThirty) {
  ShortcutTable table{};
  ReadShortcuts(Store("SCKey0=11,577\r\nSCKey1=\r\nSCKey2=12,578\r\n"), table);
  EXPECT_EQ(table[0].command, 243);
  EXPECT_EQ(table[1].key, 0);

  // The first entry is skipped, so a 31st would still fit: it is not read.
  std::string lines = "SCKey0=2,577\r\n";
  for (int i = 1; i <= 30; ++i)
    lines += "SCKey" + std::to_string(i) + "=11," + std::to_string(0x200 + i) + "\r\n";
  ReadShortcuts(Store(lines), table);
  int count = 0;
  while (count < kShortcutCount && table[static_cast<std::size_t>(count)].key != 0) ++count;
  EXPECT_EQ(count, 29);
  int command = 0;
  EXPECT_TRUE(LookupShortcut(table, 29, kShortcutCtrl, command));
  EXPECT_FALSE(LookupShortcut(table, 30, kShortcutCtrl, command));
}

}  // namespace
}  // namespace varnel
