#include "core/app/menu_spec.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/app/command_table.h"
#include "core/config/profile_store.h"
#include "test_support.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;

// The note menu's other commands in table order, without the mail command.
const char* const kOtherNoteCommands =
    "[204 261 262 241 242 244 253 254 500 249 251 224 206 226 223 222 300 600 620 210 257 209]";

// A menu as text: T title, ids, - separator, [..] submenu (213[..] where index 0 put it).
std::string Shape(const std::vector<MenuItem>& items) {
  std::string out;
  for (const MenuItem& item : items) {
    if (!out.empty()) out += ' ';
    switch (item.type) {
      case MenuItemType::kTitle:
        out += 'T';
        break;
      case MenuItemType::kSeparator:
        out += '-';
        break;
      case MenuItemType::kCommand:
        out += std::to_string(item.command);
        break;
      case MenuItemType::kSubmenu:
        if (item.command != 0) out += std::to_string(item.command);
        out += '[' + Shape(item.items) + ']';
        break;
    }
  }
  return out;
}

class MenuSpecTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = folder_.Path();
    env_.programPath = root_ / "Varnel.exe";
    file_ = root_ / "Varnel.ini";
  }
  // A store whose [Default] holds extra lines and "Menu<kind>N" for each value.
  ProfileStore& Store(const std::vector<std::string>& values, char kind = 'W',
                      const std::string& extra = "") {
    std::string lines = extra;
    for (std::size_t i = 0; i < values.size(); ++i)
      lines += std::string("Menu") + kind + std::to_string(i) + "=" + values[i] + "\r\n";
    test::WriteBytes(file_, "[Default]\r\n" + lines);
    store_ = std::make_unique<ProfileStore>();
    store_->Open(env_, false, "Default", &file_, nullptr);
    return *store_;
  }
  MenuSpec Note(const std::vector<std::string>& values, bool mailer = false) {
    return BuildItemMenu(Store(values), MenuKind::kNote, mailer);
  }

  test::TempFolder folder_{"varnel-menus"};
  fs::path root_, file_;
  StoreEnv env_;
  std::unique_ptr<ProfileStore> store_;
};

TEST_F(MenuSpecTest, NothingUsableStoredGivesTheBuiltInMenu) {
  MenuSpec spec = Note({});
  EXPECT_TRUE(spec.builtIn);
  EXPECT_TRUE(spec.items.empty());
  EXPECT_TRUE(spec.removeMailItem);
  EXPECT_EQ(spec.defaultCommand, -1);
  EXPECT_FALSE(Note({}, true).removeMailItem);

  spec = BuildItemMenu(Store({}, 'W', "MenuDefW=243\r\n"), MenuKind::kNote, false);
  EXPECT_TRUE(spec.builtIn);
  EXPECT_EQ(spec.defaultCommand, 243);

  // Entries that are all skipped leave only the title, as good as none.
  EXPECT_TRUE(Note({"abc", "85", "2", "78", "75"}).builtIn);
  // Another kind's entries are not this menu's.
  EXPECT_TRUE(BuildItemMenu(Store({"11"}, 'H'), MenuKind::kNote, false).builtIn);
}

TEST_F(MenuSpecTest, OneEntryGetsTheTitleAndEveryOtherCommandInASubmenu) {
  MenuSpec spec = Note({"11,Add"});
  ASSERT_FALSE(spec.builtIn);
  EXPECT_EQ(Shape(spec.items), std::string("T 243 ") + kOtherNoteCommands);
  EXPECT_EQ(spec.items[0].command, kMenuTitleCommand);
  EXPECT_EQ(spec.items[0].caption, "■付箋■");
  EXPECT_EQ(spec.items[1].caption, "Add");
  EXPECT_EQ(spec.items[2].caption, "その他");
  EXPECT_EQ(spec.items[2].items.front().caption, "詳細");
  EXPECT_EQ(spec.items[2].items.back().caption, "ﾃﾞｰﾀ再読込");

  // With the mailer its command is among the others, in table order.
  const std::string withMailer = Shape(Note({"11,Add"}, true).items[2].items);
  EXPECT_EQ(withMailer.substr(withMailer.size() - 15), "210 257 209 260");
}

TEST_F(MenuSpecTest, IndexZeroPlacesTheOtherCommands) {
  MenuSpec spec = Note({"0", "11"});
  EXPECT_EQ(Shape(spec.items), std::string("T 213") + kOtherNoteCommands + " 243");
  EXPECT_EQ(spec.items[1].caption, "その他");
  EXPECT_EQ(Note({"0,More", "11"}).items[1].caption, "More");

  // Inside a submenu too; the double-click default may name it.
  spec =
      BuildItemMenu(Store({"-2,Sub", "0,Rest", "-3", "11"}, 'W', "MenuDefW=213\r\n"), MenuKind::kNote, false);
  EXPECT_EQ(Shape(spec.items), std::string("T [213") + kOtherNoteCommands + "] 243");
  const MenuItem* rest = FindMenuItem(spec.items, kOtherCommandsCommand);
  ASSERT_NE(rest, nullptr);
  EXPECT_EQ(rest->caption, "Rest");
  EXPECT_EQ(spec.defaultCommand, 213);
}

TEST_F(MenuSpecTest, CaptionsComeFromTheEntryOrTheTable) {
  MenuSpec spec = Note({"11", "12,", "13,A,B", "-1,ignored"});
  EXPECT_EQ(Shape(spec.items).substr(0, 14), "T 243 244 253 ");
  EXPECT_EQ(spec.items[1].caption, "明細追加");
  EXPECT_EQ(spec.items[2].caption, "明細追加(D)");
  EXPECT_EQ(spec.items[3].caption, "A,B");
  EXPECT_EQ(spec.items[4].type, MenuItemType::kSeparator);
  EXPECT_TRUE(spec.items[4].caption.empty());
}

TEST_F(MenuSpecTest, SubmenusOpenAndClose) {
  MenuSpec spec = Note({"-2,Sub", "11", "-1", "-3", "12"});
  EXPECT_EQ(Shape(spec.items).substr(0, 14), "T [243 -] 244 ");
  EXPECT_EQ(spec.items[1].caption, "Sub");
  EXPECT_EQ(spec.items[1].command, 0);
  EXPECT_EQ(Note({"-2", "11"}).items[1].caption, "(SubMenu)");
  EXPECT_EQ(Note({"-2,", "11"}).items[1].caption, "(SubMenu)");

  // Still open at the end: appended before the other commands.
  spec = Note({"11", "-2,Open", "12"});
  EXPECT_EQ(Shape(spec.items).substr(0, 12), "T 243 [244] ");
  EXPECT_EQ(spec.items[2].caption, "Open");
  EXPECT_EQ(spec.items[3].caption, "その他");
  // A new start closes the open one: submenus never nest.
  EXPECT_EQ(Shape(Note({"-2,A", "11", "-2,B", "12", "-3"}).items).substr(0, 14), "T [243] [244] ");
  // An end with nothing open does nothing; any other negative number ends one.
  EXPECT_EQ(Shape(Note({"-3", "11", "-2,A", "12", "-7", "13"}).items).substr(0, 16), "T 243 [244] 253 ");
  // An empty submenu is kept, and makes the menu a custom one.
  EXPECT_EQ(Shape(Note({"-2,E", "-3", "11"}).items), std::string("T [] 243 ") + kOtherNoteCommands);
  EXPECT_FALSE(Note({"-2,E"}).builtIn);
}

TEST_F(MenuSpecTest, OddStoredEntriesAreSkippedPredictably) {
  // No number, or a number that is only 0 by reading text.
  EXPECT_TRUE(BuildItemMenu(Store({"abc"}, 'H'), MenuKind::kHeading, false).builtIn);
  MenuSpec spec = BuildItemMenu(Store({"0abc"}, 'H'), MenuKind::kHeading, false);
  EXPECT_EQ(Shape(spec.items).substr(0, 11), "T 213[204 2");
  EXPECT_EQ(spec.items[1].caption, "その他");
  EXPECT_EQ(spec.items[0].caption, "■見出■");
  EXPECT_TRUE(Note({"-0", "+0", " x"}).builtIn);

  // Only the first of a repeated index; it is not among the others either.
  spec = Note({"11,A", "11,B", "12"});
  EXPECT_EQ(Shape(spec.items).substr(0, 10), "T 243 244 ");
  EXPECT_EQ(spec.items[1].caption, "A");
  EXPECT_EQ(Shape(spec.items).find("243", 5), std::string::npos);

  // Out of range, whole numbers (2^32 - 2 is no -2), other kinds, unused indices.
  spec = Note({"85", "1000", "4294967294", "99999999999999999999", "2", "31", "78", "5", "12"});
  EXPECT_EQ(Shape(spec.items).substr(0, 8), "T 244 [2");
  EXPECT_EQ(spec.items.size(), 3u);

  // Reading stops at the first empty value.
  spec = Note({"11", "", "12"});
  EXPECT_EQ(spec.items.size(), 3u);
  EXPECT_NE(FindMenuItem(spec.items[2].items, 244), nullptr);
}

TEST_F(MenuSpecTest, AHundredEntriesAtMostAndLongValuesCutOnAWholeCharacter) {
  std::vector<std::string> values(100, "-1");
  values.push_back("11");
  MenuSpec spec = Note(values);
  ASSERT_EQ(spec.items.size(), 102u);  // title, 100 separators, other commands
  EXPECT_NE(FindMenuItem(spec.items.back().items, 243), nullptr);

  spec = Note({"11," + std::string(997, 'x')});
  EXPECT_EQ(spec.items[1].caption, std::string(124, 'x'));  // 127 bytes read
  std::string wide;
  for (int i = 0; i < 498; ++i) wide += "あ";
  spec = Note({"-2,x" + wide, "11"});
  // 123 bytes are left after "-2,x": 61 whole characters, no lone lead byte.
  EXPECT_EQ(spec.items[1].caption, "x" + wide.substr(0, 122));
  EXPECT_EQ(Shape(spec.items).substr(0, 8), "T [243] ");
}

TEST_F(MenuSpecTest, TheMailCommandNeedsTheMailer) {
  EXPECT_EQ(Shape(Note({"75", "11"}).items), std::string("T 243 ") + kOtherNoteCommands);
  EXPECT_EQ(Shape(Note({"75", "11"}, true).items).substr(0, 10), "T 260 243 ");
  MenuSpec spec = BuildItemMenu(Store({"75"}, 'H'), MenuKind::kHeading, false);
  EXPECT_TRUE(spec.builtIn);
  EXPECT_TRUE(spec.removeMailItem);
  EXPECT_EQ(Shape(BuildItemMenu(Store({"75"}, 'H'), MenuKind::kHeading, true).items).substr(0, 6), "T 260 ");
}

TEST_F(MenuSpecTest, EachKindHasItsTitleCommandsAndDefault) {
  MenuSpec spec =
      BuildItemMenu(Store({"11"}, 'B', "MenuDefB=250\r\nMenuDefW=243\r\n"), MenuKind::kDetail, false);
  EXPECT_EQ(Shape(spec.items), "T 243 [204 245 261 262 244 253 246 247 248 250 290 212 256 257 258 259]");
  EXPECT_EQ(spec.items[0].caption, "■明細■");
  EXPECT_EQ(spec.items[2].items[9].caption, "明細削除");
  EXPECT_EQ(spec.defaultCommand, 250);
  EXPECT_EQ(ReadMenuDefault(*store_, MenuKind::kHeading), -1);
}

TEST_F(MenuSpecTest, DefaultItemIsReadWithinBounds) {
  auto def = [&](const std::string& value) {
    return ReadMenuDefault(Store({}, 'W', "MenuDefW=" + value + "\r\n"), MenuKind::kNote);
  };
  EXPECT_EQ(def("243"), 243);
  EXPECT_EQ(def("20000"), 10000);
  EXPECT_EQ(def("-7"), -1);
  // No command is 0; reading it as none keeps separators from becoming the default.
  EXPECT_EQ(def("0"), -1);
  EXPECT_EQ(def("abc"), -1);
}

TEST_F(MenuSpecTest, EntriesForTheSettingsPageKeepTheirOwnCaptions) {
  std::vector<MenuEntry> entries =
      ReadMenuEntries(Store({"11", "-2", "75,Mail", "-5,x", "-1,y", "2", "12,Z"}), MenuKind::kNote);
  ASSERT_EQ(entries.size(), 6u);
  const int indices[] = {11, kMenuSubmenuStart, 75, kMenuSubmenuEnd, kMenuSeparator, 12};
  const char* captions[] = {"", "", "Mail", "", "", "Z"};
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].index, indices[i]) << i;
    EXPECT_EQ(entries[i].caption, captions[i]) << i;
  }
}

TEST(StateMenuTest, OffersTheStatesThatAreOn) {
  EXPECT_EQ(Shape(BuildStateMenu(true, false, true)), "291 292 294");
  std::vector<MenuItem> all = BuildStateMenu(true, true, true);
  EXPECT_EQ(Shape(all), "291 292 293 294");
  EXPECT_EQ(all[0].caption, "未チェック");
  EXPECT_EQ(all[2].caption, "完了");
  EXPECT_EQ(all[3].caption, "削除");
  EXPECT_EQ(Shape(BuildStateMenu(false, false, false)), "291");
}

}  // namespace
}  // namespace varnel
