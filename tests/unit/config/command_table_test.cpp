#include "core/app/command_table.h"

#include <map>
#include <set>

#include "core/text/cp932.h"
#include "test_support.h"

namespace varnel {
namespace {

// Command ids of the resource script's top-level popup `index` of "POPUPMENU" (its submenus
// included, not the title), by the names of the command list, and `more`; each once.
std::multiset<int> ResourcePopup(int index, std::set<int> more = {}) {
  std::ifstream header(VARNEL_SOURCE_DIR "/src/core/app/command_ids.h"),
      rc(VARNEL_SOURCE_DIR "/resources/varnel.rc");
  std::map<std::string, int> ids;
  std::string line, word, name, plus;
  for (int value = 0; std::getline(header, line);)
    if (std::istringstream(line) >> word >> name >> value && word == "#define") ids[name] = value;
  std::set<int> out = more;
  bool menu = false;
  for (int popup = -1; std::getline(rc, line) && !(popup == index && line.rfind("  END", 0) == 0);) {
    menu = menu || line.rfind("POPUPMENU", 0) == 0;
    popup += menu && line.rfind("  POPUP ", 0) == 0;
    int offset = 0;  // "name" or "name + offset"
    if (popup != index || line.find("MENUITEM \"") == std::string::npos) continue;
    std::istringstream(line.substr(line.rfind(',') + 1)) >> name >> plus >> offset;
    out.insert(ids.at(name) + offset);
  }
  out.erase(kCmdTitle);
  return {out.begin(), out.end()};
}

// A command twice in one use shows as a repeat: menus find items and hot keys register by id.
std::multiset<int> CommandsWith(int mask) {
  std::multiset<int> ids;
  for (const CommandEntry& e : CommandTable())
    if (e.flags & mask) ids.insert(e.command);
  return ids;
}

TEST(CommandTableTest, IndexesCaptionsAndUses) {
  for (std::int64_t bad : {std::int64_t{85}, std::int64_t{-1}, std::int64_t{1} << 40})
    EXPECT_EQ(CommandAt(bad), nullptr);
  for (const CommandEntry& e : CommandTable()) {
    const std::string caption = e.caption;
    // An unused index must not smuggle a command into a menu; a command is in menus or a hot key.
    EXPECT_TRUE(e.flags ? !caption.empty() && caption.size() <= kMaxCommandCaption &&
                              cp932::CutLength(caption, caption.size()) == caption.size() &&
                              ((e.flags & kAsHotKey) == 0 || e.flags == kAsHotKey)
                        : e.command == 0)
        << e.command;
  }
  EXPECT_EQ(HotKeyCommands(), (std::vector<int>{211, 212, 205, 206, 207, 208, 210}));
}

// A rebuilt menu can get back every built-in item, plus the place of the other commands and the
// two format commands; hot keys run commands of the tray menu.
TEST(CommandTableTest, MenusOfferWhatTheBuiltInMenusHold) {
  EXPECT_EQ(CommandsWith(kInNoteMenu), ResourcePopup(5, {213, 261, 262}));
  EXPECT_EQ(CommandsWith(kInHeadingMenu), ResourcePopup(6, {213, 261, 262}));
  EXPECT_EQ(CommandsWith(kInDetailMenu), ResourcePopup(7, {213}));
  const std::vector<int> hotKeys = HotKeyCommands();
  EXPECT_EQ(ResourcePopup(2, {hotKeys.begin(), hotKeys.end()}), ResourcePopup(2));
}

TEST(CommandTableTest, EditLockGreysAndRefuses) {
  // What a locked note greys in each menu; it refuses the same commands except
  // resetting the details and showing all headings, which it only greys.
  const std::pair<int, std::set<int>> greyed[] = {
      {kInNoteMenu,
       {kCmdAddHeading, kCmdAddHeadingDlg, kCmdAddDetail, kCmdAddDetailDlg, kCmdAddDetailClip,
        kCmdAddDetailsClip, kCmdShowAllHeadings, kCmdResetDetails}},
      {kInHeadingMenu,
       {kCmdEdit, kCmdDuplicate, kCmdAddDetail, kCmdAddDetailDlg, kCmdAddDetailClip, kCmdAddDetailsClip,
        kCmdResetDetails, kCmdDelete, kCmdHide, kCmdToDetail, kCmdMoveUp, kCmdMoveDown}},
      {kInDetailMenu,
       {kCmdEdit, kCmdDelete, kCmdAddDetailClip, kCmdDuplicate, kCmdAddDetail, kCmdAddDetailDlg,
        kCmdToHeading, kCmdMoveUp, kCmdMoveDown}},
  };
  for (const auto& [use, ids] : greyed)
    for (int id = kCmdHelp; id <= kCmdAlpha2x100; ++id) {
      const bool grey = ids.count(id) != 0;
      EXPECT_EQ(LockDoes(kLockGreys, id, use), grey) << use << " " << id;
      EXPECT_EQ(LockDoes(kLockRefuses, id, use), grey && id != kCmdResetDetails && id != kCmdShowAllHeadings)
          << use << " " << id;
    }
}

class KeyReadingTest : public test::StoreTest {
 protected:
  // Hot keys as "command:key:modifiers" separated by blanks.
  std::string HotKeys(const char* lines) {
    std::string out;
    for (const HotKeyRegistration& r : ReadHotKeys(*Open("Varnel.ini", lines)))
      out += (out.empty() ? "" : " ") + std::to_string(r.command) + ":" + std::to_string(r.virtualKey) + ":" +
             std::to_string(r.modifiers);
    return out;
  }
  ShortcutTable Shortcuts(const std::string& lines) {
    ShortcutTable table{};
    table[0] = ShortcutEntry{999, 'Z', 0};  // whatever was there before goes
    ReadShortcuts(*Open("Varnel.ini", lines.c_str()), table);
    return table;
  }
};

// Modifiers as RegisterHotKey takes them: Alt 1, Ctrl 2, Shift 4.
TEST_F(KeyReadingTest, HotKeys) {
  std::string hundred;
  for (int i = 0; i < 100; ++i) hundred += "HotKey" + std::to_string(i) + "=11,577\r\n";
  const std::pair<std::string, std::string> cases[] = {
      // 577 = Ctrl (2 << 8) + 'A'; the extended-key flag (8) is dropped.
      {"HotKey0=78,577\r\nHotKey1=79,0x141\r\nHotKey2=80,0x441\r\nHotKey3=81,0x741\r\nHotKey4=82,0x871\r\n"
       "HotKey5=83,0xA72\r\n",
       "211:65:2 212:65:4 205:65:1 206:65:7 207:113:0 208:114:2"},
      // A menu command, index 0, out of range, no number, no key, key word 0, Ctrl
      // without a key are skipped; beyond 16 bits the low 16 count.
      {"HotKey0=11,577\r\nHotKey1=0,577\r\nHotKey2=85,577\r\nHotKey3=abc,577\r\nHotKey4=79\r\n"
       "HotKey5=79,0\r\nHotKey6=79,512\r\nHotKey7=80,0x10042\r\nHotKey8=84,579\r\n",
       "205:66:0 210:67:2"},
      // The first binding of a command or of a key combination wins.
      {"HotKey0=78,577\r\nHotKey1=78,578\r\nHotKey2=79,577\r\nHotKey3=80,0xA41\r\nHotKey4=81,579\r\n",
       "211:65:2 206:67:2"},
      {"HotKey0=78,577\r\nHotKey1=\r\nHotKey2=79,578\r\n", "211:65:2"},  // an empty value ends the list
      {hundred + "HotKey100=78,577\r\n", ""},                            // a hundred entries at most
  };
  for (const auto& [lines, expected] : cases) EXPECT_EQ(HotKeys(lines.c_str()), expected) << lines;
}

TEST_F(KeyReadingTest, Shortcuts) {
  ShortcutTable t = Shortcuts("SCKey0=11,577\r\nSCKey1=30,46\r\nSCKey2=59,0x0B4C\r\n");
  // Modifiers match exactly; the extended-key flag is no modifier.
  const int ctrlShift = kShortcutCtrl | kShortcutShift, ctrlAlt = kShortcutCtrl | kShortcutAlt;
  const std::tuple<int, int, int> lookups[] = {
      {'A', kShortcutCtrl, 243}, {0x2E, 0, 500}, {'L', ctrlShift, 226}, {'Z', 0, 0}, {'A', 0, 0},
      {'A', ctrlAlt, 0}};
  for (const auto& [key, modifiers, expected] : lookups) {
    int command = 0;
    EXPECT_EQ(LookupShortcut(t, key, static_cast<std::uint8_t>(modifiers), command) ? command : 0, expected)
        << key << " " << modifiers;
  }
  // Skipped entries (no key, Ctrl alone, heading only, hot key only, index 0, no
  // number) leave no hole that ends the table; an empty value ends the reading.
  t = Shortcuts(
      "SCKey0=11,0\r\nSCKey1=12,512\r\nSCKey2=2,577\r\nSCKey3=78,577\r\nSCKey4=0,577\r\nSCKey5=13\r\n"
      "SCKey6=abc,577\r\nSCKey7=57,578\r\nSCKey8=\r\nSCKey9=12,578\r\n");
  EXPECT_EQ(std::make_tuple(t[0].command, t[0].key, t[0].modifiers, t[1].key),
            std::make_tuple(224, int{'B'}, std::uint8_t{kShortcutCtrl}, 0));
  // Thirty entries are read; the first is skipped, so only 29 land.
  std::string lines = "SCKey0=2,577\r\n";
  for (int i = 1; i <= 30; ++i)
    lines += "SCKey" + std::to_string(i) + "=11," + std::to_string(0x200 + i) + "\r\n";
  t = Shortcuts(lines);
  EXPECT_EQ(std::make_pair(t[28].key, t[29].key), std::make_pair(29, 0));
  // A table holds thirty; the first entry of a key wins; a zero key ends the table.
  ShortcutTable full{};
  EXPECT_FALSE(AddShortcut(full, 243, 0, 0));
  for (int i = 0; i < kShortcutCount; ++i) EXPECT_TRUE(AddShortcut(full, 300 + i, 'A' + i % 26, 0));
  EXPECT_FALSE(AddShortcut(full, 999, 'Z', 0));
  int command = 0;
  EXPECT_TRUE(LookupShortcut(full, 'A', 0, command) && command == 300);
  full[1].key = 0;
  EXPECT_FALSE(LookupShortcut(full, 'C', 0, command));
}

}  // namespace
}  // namespace varnel
