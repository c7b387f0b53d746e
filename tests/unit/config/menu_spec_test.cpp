// Menus built from the stored entries, and the settings page's lists of menus and keys.
#include "core/app/menu_spec.h"

#include "core/app/command_table.h"
#include "hooked_files.h"
#include "core/app/menu_page_rows.h"
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
    const bool title = item.type == MenuItemType::kTitle, separator = item.type == MenuItemType::kSeparator;
    out += title ? "T" : separator ? "-" : item.command ? std::to_string(item.command) : "";
    if (captions && !item.caption.empty()) out += '"' + item.caption + '"';
    if (item.type == MenuItemType::kSubmenu) out += '[' + Shape(item.items, captions) + ']';
  }
  return out;
}

std::string Rows(const std::vector<PageRow>& rows) {
  std::string out;
  for (const PageRow& r : rows)
    out += (out.empty() ? "" : " ") + std::to_string(r.index) + ":" +
           (r.keyWord ? std::to_string(r.keyWord) : r.caption);
  return out;
}

class MenuSpecTest : public test::StoreTest {
 protected:
  // The store's [Default] holds `extra` and "Menu<kind>N" for each value.
  ProfileStore& Store(const std::vector<std::string>& values, char kind = 'W',
                      const std::string& extra = "") {
    store_ = Open("Varnel.ini", (extra + test::Numbered(std::string("Menu") + kind, values)).c_str());
    return *store_;
  }
  std::string Menu(const std::vector<std::string>& values, char kind = 'W', bool mailer = false,
                   bool captions = false) {
    const MenuKind k = kind == 'H' ? MenuKind::kHeading : kind == 'B' ? MenuKind::kDetail : MenuKind::kNote;
    const MenuSpec spec = BuildItemMenu(Store(values, kind), k, mailer);
    if (spec.builtIn) return spec.items.empty() && spec.removeMailItem == !mailer ? "B" : "bad built-in";
    return Shape(spec.items, captions);
  }
  // Loads every list and the defaults, and stores them back as the page's OK does.
  void LoadAndWrite() {
    GlobalOptions options(env_, folder_.Path(), WorkArea{0, 0, 1280, 1024});
    PageLists lists;
    std::array<int, 3> defaults{};
    for (std::size_t i = 0; i < lists.size(); ++i) {
      lists[i] = LoadPageRows(options.Store(), static_cast<PageList>(i));
      if (i < defaults.size())
        defaults[i] = ReadMenuDefault(options.Store(), PageMenuKind(static_cast<PageList>(i)));
    }
    options.Apply(options, PageWrites(lists, defaults));
  }
  std::unique_ptr<ProfileStore> store_;
};
using MenuPageRowsTest = MenuSpecTest;

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
  std::string wide;
  for (int i = 0; i < 498; ++i) wide += "あ";
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"11,Add"}, "T\"■付箋■\" 243\"Add\" \"その他\"[204\"詳細\""},
      {{"11", "12,", "13,A,B", "-1,x"}, "T\"■付箋■\" 243\"明細追加\" 244\"明細追加(D)\" 253\"A,B\" - "},
      {{"0,More", "11"}, "T\"■付箋■\" 213\"More\"["},
      {{"-2", "11"}, "T\"■付箋■\" \"(SubMenu)\"["},
      {{"-2,", "11"}, "T\"■付箋■\" \"(SubMenu)\"["},
      {{"11,A", "11,B"}, "T\"■付箋■\" 243\"A\" "},
      {{"11," + std::string(997, 'x')},
       "T\"■付箋■\" 243\"" + std::string(124, 'x') + "\" "},                     // 127 bytes read
      {{"-2,x" + wide, "11"}, "T\"■付箋■\" \"x" + wide.substr(0, 122) + "\"["},  // 61 whole characters
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
  std::vector<std::string> many(100, "-1");
  many.push_back("11");
  EXPECT_EQ(BuildItemMenu(Store(many), MenuKind::kNote, false).items.size(), 102u);  // 100 entries at most
}

TEST_F(MenuSpecTest, DefaultItemIsReadPerKind) {
  const std::pair<const char*, int> defaults[] = {
      {"243", 243}, {"20000", 10000}, {"-7", -1}, {"0", -1}, {"abc", -1}};
  for (const auto& [value, expected] : defaults)
    EXPECT_EQ(ReadMenuDefault(Store({}, 'W', std::string("MenuDefW=") + value + "\r\n"), MenuKind::kNote),
              expected);
  EXPECT_EQ(BuildItemMenu(Store({}, 'W', "MenuDefW=243\r\n"), MenuKind::kNote, false).defaultCommand, 243);
  const MenuSpec spec =
      BuildItemMenu(Store({"-2,Sub", "0,Rest", "-3", "11"}, 'W', "MenuDefW=213\r\n"), MenuKind::kNote, false);
  EXPECT_EQ(spec.defaultCommand, 213);
  EXPECT_EQ(FindMenuItem(spec.items, kCmdOtherCommands), &spec.items[1].items[0]);  // inside a submenu
  EXPECT_EQ(ReadMenuDefault(Store({}, 'B', "MenuDefB=250\r\nMenuDefW=243\r\n"), MenuKind::kDetail), 250);
  EXPECT_EQ(ReadMenuDefault(*store_, MenuKind::kHeading), -1);
}

TEST(StateMenuTest, OffersTheStatesThatAreOn) {
  EXPECT_EQ(Shape(BuildStateMenu(true, false, true)), "291 292 294");
  EXPECT_EQ(Shape(BuildStateMenu(false, false, false)), "291");
  EXPECT_EQ(Shape(BuildStateMenu(true, true, true), true),
            "291\"未チェック\" 292\"チェック\" 293\"完了\" 294\"削除\"");
}

TEST_F(MenuPageRowsTest, ListsLoadWithTheRulesOfTheMenus) {
  using test::Numbered;
  const std::tuple<std::string, PageList, const char*> cases[] = {
      // Repeats, other kinds, out of range and text that is no number are dropped;
      // marks show whatever text they carry; "0..." is the place of the other commands.
      {Numbered("MenuW",
                {"11,Add", "11,Again", "-1,x", "-2", "-2,Sub", "-3,zz", "0abc", "abc", "2,Edit", "85", "9"}),
       PageList::kNoteMenu, "11:Add -1:----- -2:(SubMenu) -2:Sub -3:--- 0:その他 9:見出追加"},
      {Numbered("MenuH", {"2,Edit", "9", "31"}), PageList::kHeadingMenu, "2:Edit 31:見出削除"},
      {"MenuB0=32\r\nMenuB2=39\r\n", PageList::kDetailMenu, "32:明細削除"},
      // A key taken by an earlier entry, a command twice, a command of another kind, no key.
      {Numbered("HotKey", {"78,577", "79,577", "78,578", "11,600", "80,512", "81,65"}), PageList::kHotKeys,
       "78:577 81:65"},
      {Numbered("SCKey", {"11,580", "78,581", "30,580", "30,1070"}), PageList::kShortcuts, "11:580 30:1070"},
  };
  for (const auto& [lines, list, rows] : cases)
    EXPECT_EQ(Rows(LoadPageRows(*Open("Varnel.ini", lines.c_str()), list)), rows) << lines;
}

TEST_F(MenuPageRowsTest, WritingBackLeavesTheStoredListsByteForByte) {
  const std::string stored =
      "[Default]\r\nMenuW0=0,その他\r\nMenuW1=11,Add\r\nMenuW2=-1,-----\r\nMenuW3=-2,Sub\r\n"
      "MenuW4=62,移動\r\nMenuW5=-3,---\r\nMenuH0=2,編集\r\nMenuB0=39,状態変更\r\nHotKey0=78,577\r\n"
      "HotKey1=81,1601\r\nSCKey0=11,580\r\nMenuDefW=243\r\nMenuDefH=-1\r\nMenuDefB=250\r\n";
  Write("Varnel.ini", stored);
  LoadAndWrite();
  EXPECT_EQ(Read("Varnel.ini"), stored);
  // Entries without captions gain the table's, then stay as they are.
  Write("Varnel.ini", "[Default]\r\nMenuW0=11\r\nMenuW1=-2\r\nMenuW2=5\r\n");
  LoadAndWrite();
  const std::string once = Read("Varnel.ini");
  EXPECT_NE(once.find("MenuW0=11,明細追加\r\nMenuW1=-2,(SubMenu)\r\n"), std::string::npos) << once;
  EXPECT_EQ(once.find("MenuW2"), std::string::npos) << once;
  LoadAndWrite();
  EXPECT_EQ(Read("Varnel.ini"), once);
}

TEST_F(MenuPageRowsTest, CaptionsFitWhatAMenuEntryReadsBackOnAWholeCharacter) {
  std::string kana = "a";
  for (int i = 0; i < 70; ++i) kana += "あ";
  const std::tuple<int, std::string, std::size_t> cases[] = {
      {11, std::string(130, 'x'), 124}, {11, kana, 123}, {-2, kana, 123}, {5, "short", 5}};
  for (const auto& [index, caption, bytes] : cases)
    EXPECT_EQ(FitMenuCaption(index, caption).size(), bytes) << index;
  // Stored and read back: the whole caption the page kept.
  const std::string fitted = FitMenuCaption(11, kana);
  PageLists lists;
  lists[0] = {PageRow{11, kana, 0}};
  GlobalOptions options(env_, folder_.Path(), WorkArea{0, 0, 1280, 1024});
  options.Apply(options, PageWrites(lists, {-1, -1, -1}));
  EXPECT_EQ(Rows(LoadPageRows(options.Store(), PageList::kNoteMenu)), "11:" + fitted);
}

TEST_F(MenuPageRowsTest, CandidatesAreTheCommandsNotYetListed) {
  const std::vector<int> note = PageCandidates(PageList::kNoteMenu, {NewMenuRow(11), NewMenuRow(-1)});
  EXPECT_EQ(note.front(), 0);
  EXPECT_EQ(std::vector<int>(note.end() - 3, note.end()), (std::vector<int>{-1, -2, -3}));
  EXPECT_EQ(std::count(note.begin(), note.end(), 11), 0);
  EXPECT_EQ(std::count(note.begin(), note.end(), 2), 0);  // 編集 is no note command
  EXPECT_EQ(PageCandidates(PageList::kHotKeys, {PageRow{78, "", 577}}),
            (std::vector<int>{79, 80, 81, 82, 83, 84}));
}

}  // namespace
}  // namespace varnel
