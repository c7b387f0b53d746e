#include "core/app/command_table.h"

#include <map>
#include <set>

#include "hooked_files.h"
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

TEST(CommandTableTest, IndexesCaptionsAndUsesMatchTheBuiltInMenus) {
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
  // A rebuilt menu can get back every built-in item, plus the place of the other commands and the
  // two format commands; hot keys run commands of the tray menu.
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
  std::string HotKeys(const std::string& lines) {
    std::string out;
    for (const HotKeyRegistration& r : ReadHotKeys(*Open("Varnel.ini", lines.c_str())))
      out += (out.empty() ? "" : " ") + std::to_string(r.command) + ":" + std::to_string(r.virtualKey) + ":" +
             std::to_string(r.modifiers);
    return out;
  }
  ShortcutTable Shortcuts(const std::vector<std::string>& values) {
    ShortcutTable table{};
    table[0] = ShortcutEntry{999, 'Z', 0};  // whatever was there before goes
    ReadShortcuts(*Open("Varnel.ini", test::Numbered("SCKey", values).c_str()), table);
    return table;
  }
};

// The command of a key in the table, 0 for none.
int Find(const ShortcutTable& t, int key, int modifiers = 0) {
  int command = 0;
  return LookupShortcut(t, key, static_cast<std::uint8_t>(modifiers), command) ? command : 0;
}

// Modifiers as RegisterHotKey takes them: Alt 1, Ctrl 2, Shift 4.
TEST_F(KeyReadingTest, HotKeys) {
  using Values = std::vector<std::string>;
  const std::pair<Values, std::string> cases[] = {
      // 577 = Ctrl (2 << 8) + 'A'; the extended-key flag (8) is dropped.
      {{"78,577", "79,0x141", "80,0x441", "81,0x741", "82,0x871", "83,0xA72"},
       "211:65:2 212:65:4 205:65:1 206:65:7 207:113:0 208:114:2"},
      // A menu command, index 0, out of range, no number, no key, key word 0, Ctrl
      // without a key are skipped; beyond 16 bits the low 16 count.
      {{"11,577", "0,577", "85,577", "abc,577", "79", "79,0", "79,512", "80,0x10042", "84,579"},
       "205:66:0 210:67:2"},
      {{"78,577", "78,578", "79,577", "80,0xA41", "81,579"}, "211:65:2 206:67:2"},  // the first binding wins
      {{"78,577", "", "79,578"}, "211:65:2"},  // an empty value ends the list
  };
  for (const auto& [values, expected] : cases)
    EXPECT_EQ(HotKeys(test::Numbered("HotKey", values)), expected) << testing::PrintToString(values);
  EXPECT_EQ(HotKeys(test::Numbered("HotKey", Values(100, "11,577")) + "HotKey100=78,577\r\n"),
            "");  // 100 at most
}

TEST_F(KeyReadingTest, Shortcuts) {
  ShortcutTable t = Shortcuts({"11,577", "30,46", "59,0x0B4C"});
  // Modifiers match exactly; the extended-key flag is no modifier.
  const int ctrlShift = kShortcutCtrl | kShortcutShift, ctrlAlt = kShortcutCtrl | kShortcutAlt;
  const std::tuple<int, int, int> lookups[] = {
      {'A', kShortcutCtrl, 243}, {0x2E, 0, 500}, {'L', ctrlShift, 226}, {'Z', 0, 0}, {'A', 0, 0},
      {'A', ctrlAlt, 0}};
  for (const auto& [key, modifiers, expected] : lookups) EXPECT_EQ(Find(t, key, modifiers), expected) << key;
  // Skipped entries (no key, Ctrl alone, heading only, hot key only, index 0, no
  // number) leave no hole that ends the table; an empty value ends the reading.
  t = Shortcuts({"11,0", "12,512", "2,577", "78,577", "0,577", "13", "abc,577", "57,578", "", "12,578"});
  EXPECT_EQ(std::make_tuple(t[0].command, t[0].key, t[0].modifiers, t[1].key),
            std::make_tuple(224, int{'B'}, std::uint8_t{kShortcutCtrl}, 0));
  // Thirty entries are read; the first is skipped, so only 29 land.
  std::vector<std::string> values = {"2,577"};
  for (int i = 1; i <= 30; ++i) values.push_back("11," + std::to_string(0x200 + i));
  t = Shortcuts(values);
  EXPECT_EQ(std::make_pair(t[28].key, t[29].key), std::make_pair(29, 0));
  // A table holds thirty; the first entry of a key wins; a zero key ends the table.
  ShortcutTable full{};
  EXPECT_FALSE(AddShortcut(full, 243, 0, 0));
  for (int i = 0; i < kShortcutCount; ++i) EXPECT_TRUE(AddShortcut(full, 300 + i, 'A' + i % 26, 0));
  EXPECT_FALSE(AddShortcut(full, 999, 'Z', 0));
  EXPECT_EQ(Find(full, 'A'), 300);
  full[1].key = 0;
  EXPECT_EQ(Find(full, 'C'), 0);
}

}  // namespace
}  // namespace varnel
