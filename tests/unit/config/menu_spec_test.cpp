#include "core/app/menu_spec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/command_table.h"
#include "test_support.h"

namespace varnel {
namespace {

// The note menu's other commands in table order, without the mail command.
const std::string kOthers =
    "[204 261 262 241 242 244 253 254 500 249 251 224 206 226 223 222 300 600 620 210 257 209]";

// A menu as text: T title, ids, - separator, [..] submenu (213[..] where index 0 put
// it), B the built-in menu; with captions, each item's caption follows it in quotes.
std::string Shape(const std::vector<MenuItem>& items, bool captions = false) {
  std::string out;
  for (const MenuItem& item : items) {
    out += out.empty() ? "" : " ";
    if (item.type == MenuItemType::kTitle) out += 'T';
    if (item.type == MenuItemType::kSeparator) out += '-';
    if (item.type != MenuItemType::kTitle && item.type != MenuItemType::kSeparator && item.command != 0)
      out += std::to_string(item.command);
    if (captions && !item.caption.empty()) out += '"' + item.caption + '"';
    if (item.type == MenuItemType::kSubmenu) out += '[' + Shape(item.items, captions) + ']';
  }
  return out;
}

class MenuSpecTest : public test::StoreTest {
 protected:
  // The store's [Default] holds `extra` and "Menu<kind>N" for each value.
  ProfileStore& Store(const std::vector<std::string>& values, char kind = 'W',
                      const std::string& extra = "") {
    std::string lines = extra;
    for (std::size_t i = 0; i < values.size(); ++i)
      lines += std::string("Menu") + kind + std::to_string(i) + "=" + values[i] + "\r\n";
    store_ = Open("Varnel.ini", lines.c_str());
    return *store_;
  }
  std::string Menu(const std::vector<std::string>& values, char kind = 'W', bool mailer = false,
                   bool captions = false) {
    const MenuKind k = kind == 'H' ? MenuKind::kHeading : kind == 'B' ? MenuKind::kDetail : MenuKind::kNote;
    const MenuSpec spec = BuildItemMenu(Store(values, kind), k, mailer);
    if (spec.builtIn) return spec.items.empty() && spec.removeMailItem == !mailer ? "B" : "bad built-in";
    return Shape(spec.items, captions);
  }
  std::unique_ptr<ProfileStore> store_;
};

TEST_F(MenuSpecTest, StoredEntriesMakeTheMenu) {
  const std::string one = "T 243 " + kOthers;
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{}, "B"},
      {{"abc", "85", "2", "78", "75"}, "B"},  // all skipped: only the title, as good as none
      {{"-0", "+0", " x"}, "B"},
      {{"11,Add"}, one},
      {{"0", "11"}, "T 213" + kOthers + " 243"},  // index 0 places the other commands
      {{"-2,Sub", "0,Rest", "-3", "11"}, "T [213" + kOthers + "] 243"},
      {{"11", "12,", "13,A,B", "-1,ignored"}, "T 243 244 253 - [204"},
      {{"-2,Sub", "11", "-1", "-3", "12"}, "T [243 -] 244 [204"},
      {{"11", "-2,Open", "12"}, "T 243 [244] [204"},               // still open at the end
      {{"-2,A", "11", "-2,B", "12", "-3"}, "T [243] [244] [204"},  // submenus never nest
      {{"-3", "11", "-2,A", "12", "-7", "13"}, "T 243 [244] 253 [204"},
      {{"-2,E", "-3", "11"}, "T [] " + one.substr(2)},
      {{"-2,E"}, "T [] [204"},
      {{"11,A", "11,B", "12"}, "T 243 244 [204 261 262 241 242 253 254"},  // the first of a repeat only
      {{"85", "1000", "4294967294", "99999999999999999999", "2", "31", "78", "5", "12"},
       "T 244 [204 261 262 241 242 243 253"},
      {{"11", "", "12"}, one},  // reading stops at the first empty value
      {{"75", "11"}, one},      // the mail command needs the mailer
  };
  for (const auto& [values, expected] : cases) {
    const std::string shape = Menu(values);
    EXPECT_EQ(shape.substr(0, expected.size()), expected) << values.size() << " " << shape;
  }
  EXPECT_TRUE(BuildItemMenu(Store({"11"}, 'H'), MenuKind::kNote, false).builtIn);  // another kind's entries
  EXPECT_EQ(Menu({"75"}, 'H'), "B");
  EXPECT_EQ(Menu({"75"}, 'H', true).substr(0, 6), "T 260 ");
  EXPECT_EQ(Menu({"75", "11"}, 'W', true).substr(0, 10), "T 260 243 ");
  const std::string mailer = Menu({"11,Add"}, 'W', true);
  EXPECT_EQ(mailer.substr(mailer.size() - 16), "210 257 209 260]");  // in table order
  EXPECT_EQ(Menu({"0abc"}, 'H').substr(0, 11), "T 213[204 2");
  EXPECT_EQ(Menu({"11"}, 'B'), "T 243 [204 245 261 262 244 253 246 247 248 250 290 212 256 257 258 259]");
}

TEST_F(MenuSpecTest, CaptionsComeFromTheEntryOrTheTableAndAreCut) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"11,Add"}, "T\"■付箋■\" 243\"Add\" \"その他\"[204\"詳細\""},
      {{"11", "12,", "13,A,B", "-1,x"}, "T\"■付箋■\" 243\"明細追加\" 244\"明細追加(D)\" 253\"A,B\" - "},
      {{"0,More", "11"}, "T\"■付箋■\" 213\"More\"["},
      {{"-2", "11"}, "T\"■付箋■\" \"(SubMenu)\"["},
      {{"-2,", "11"}, "T\"■付箋■\" \"(SubMenu)\"["},
      {{"11,A", "11,B"}, "T\"■付箋■\" 243\"A\" "},
      {{"11," + std::string(997, 'x')},
       "T\"■付箋■\" 243\"" + std::string(124, 'x') + "\" "},  // 127 bytes read
  };
  for (const auto& [values, expected] : cases) {
    const std::string shape = Menu(values, 'W', false, true);
    EXPECT_EQ(shape.substr(0, expected.size()), expected) << shape;
  }
  const std::string all = Menu({"11"}, 'W', false, true), last = "209\"ﾃﾞｰﾀ再読込\"]";
  EXPECT_EQ(all.rfind(last), all.size() - last.size());
  EXPECT_EQ(Menu({"0abc"}, 'H', false, true).rfind("T\"■見出■\" 213", 0), 0u);
  EXPECT_NE(Menu({"11"}, 'B', false, true).find("250\"明細削除\""), std::string::npos);
  EXPECT_EQ(Menu({"11"}, 'B', false, true).rfind("T\"■明細■\"", 0), 0u);
  // 123 bytes are left after "-2,x": 61 whole characters, no lone lead byte.
  std::string wide;
  for (int i = 0; i < 498; ++i) wide += "あ";
  const MenuSpec spec = BuildItemMenu(Store({"-2,x" + wide, "11"}), MenuKind::kNote, false);
  EXPECT_EQ(spec.items[1].caption, "x" + wide.substr(0, 122));
  std::vector<std::string> many(100, "-1");
  many.push_back("11");
  EXPECT_EQ(BuildItemMenu(Store(many), MenuKind::kNote, false).items.size(), 102u);  // 100 entries at most
}

TEST_F(MenuSpecTest, DefaultItemAndSettingsPageEntries) {
  const std::pair<const char*, int> defaults[] = {
      {"243", 243}, {"20000", 10000}, {"-7", -1}, {"0", -1}, {"abc", -1}};
  for (const auto& [value, expected] : defaults)
    EXPECT_EQ(ReadMenuDefault(Store({}, 'W', std::string("MenuDefW=") + value + "\r\n"), MenuKind::kNote),
              expected);
  EXPECT_EQ(BuildItemMenu(Store({}, 'W', "MenuDefW=243\r\n"), MenuKind::kNote, false).defaultCommand, 243);
  const MenuSpec spec =
      BuildItemMenu(Store({"-2,Sub", "0,Rest", "-3", "11"}, 'W', "MenuDefW=213\r\n"), MenuKind::kNote, false);
  EXPECT_EQ(spec.defaultCommand, 213);
  ASSERT_NE(FindMenuItem(spec.items, kCmdOtherCommands), nullptr);
  EXPECT_EQ(FindMenuItem(spec.items, kCmdOtherCommands)->caption, "Rest");
  EXPECT_EQ(BuildItemMenu(Store({"11"}, 'B', "MenuDefB=250\r\nMenuDefW=243\r\n"), MenuKind::kDetail, false)
                .defaultCommand,
            250);
  EXPECT_EQ(ReadMenuDefault(*store_, MenuKind::kHeading), -1);

  std::string entries;
  for (const MenuEntry& e :
       ReadMenuEntries(Store({"11", "-2", "75,Mail", "-5,x", "-1,y", "2", "12,Z"}), MenuKind::kNote))
    entries += std::to_string(e.index) + e.caption + " ";
  EXPECT_EQ(entries, "11 " + std::to_string(kMenuSubmenuStart) + " 75Mail " +
                         std::to_string(kMenuSubmenuEnd) + " " + std::to_string(kMenuSeparator) + " 12Z ");
}

TEST(StateMenuTest, OffersTheStatesThatAreOn) {
  EXPECT_EQ(Shape(BuildStateMenu(true, false, true)), "291 292 294");
  EXPECT_EQ(Shape(BuildStateMenu(false, false, false)), "291");
  EXPECT_EQ(Shape(BuildStateMenu(true, true, true), true),
            "291\"未チェック\" 292\"チェック\" 293\"完了\" 294\"削除\"");
}

}  // namespace
}  // namespace varnel
