#include "core/app/menu_page_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace varnel {
namespace {

std::string Shape(const std::vector<PageRow>& rows) {
  std::string out;
  for (const PageRow& r : rows)
    out += (out.empty() ? "" : " ") + std::to_string(r.index) + ":" +
           (r.keyWord ? std::to_string(r.keyWord) : r.caption);
  return out;
}

class MenuPageRowsTest : public test::StoreTest {
 protected:
  std::string Load(const char* lines, PageList list) {
    auto store = Open("Varnel.ini", lines);
    return Shape(LoadPageRows(*store, list));
  }
  // Loads every list and the defaults, and stores them back as the page's OK does.
  void LoadAndWrite() {
    GlobalOptions options(env_, folder_.Path(), WorkArea{0, 0, 1280, 1024});
    PageLists lists;
    for (int i = 0; i < kPageListCount; ++i)
      lists[static_cast<std::size_t>(i)] = LoadPageRows(options.Store(), static_cast<PageList>(i));
    std::array<int, 3> defaults{};
    for (int k = 0; k < 3; ++k)
      defaults[static_cast<std::size_t>(k)] =
          ReadMenuDefault(options.Store(), PageMenuKind(static_cast<PageList>(k)));
    options.Apply(options, PageWrites(lists, defaults));
  }
};

TEST_F(MenuPageRowsTest, ListsLoadWithTheRulesOfTheMenus) {
  const struct {
    const char* lines;
    PageList list;
    const char* rows;
  } cases[] = {
      // Repeats, other kinds, out of range and text that is no number are dropped;
      // marks show whatever text they carry; "0..." is the place of the other commands.
      {"MenuW0=11,Add\r\nMenuW1=11,Again\r\nMenuW2=-1,x\r\nMenuW3=-2\r\nMenuW4=-2,Sub\r\nMenuW5=-3,zz\r\n"
       "MenuW6=0abc\r\nMenuW7=abc\r\nMenuW8=2,Edit\r\nMenuW9=85\r\nMenuW10=9\r\n",
       PageList::kNoteMenu, "11:Add -1:----- -2:(SubMenu) -2:Sub -3:--- 0:その他 9:見出追加"},
      {"MenuH0=2,Edit\r\nMenuH1=9\r\nMenuH2=31\r\n", PageList::kHeadingMenu, "2:Edit 31:見出削除"},
      {"MenuB0=32\r\nMenuB2=39\r\n", PageList::kDetailMenu, "32:明細削除"},
      // A key taken by an earlier entry, a command twice, a command of another kind, no key.
      {"HotKey0=78,577\r\nHotKey1=79,577\r\nHotKey2=78,578\r\nHotKey3=11,600\r\nHotKey4=80,512\r\nHotKey5=81,"
       "65\r\n",
       PageList::kHotKeys, "78:577 81:65"},
      {"SCKey0=11,580\r\nSCKey1=78,581\r\nSCKey2=30,580\r\nSCKey3=30,1070\r\n", PageList::kShortcuts,
       "11:580 30:1070"},
  };
  for (const auto& c : cases) EXPECT_EQ(Load(c.lines, c.list), c.rows) << c.lines;
}

TEST_F(MenuPageRowsTest, WritingBackLeavesTheStoredListsByteForByte) {
  const std::string stored =
      "[Default]\r\nMenuW0=0,その他\r\nMenuW1=11,Add\r\nMenuW2=-1,-----\r\nMenuW3=-2,Sub\r\nMenuW4=62,"
      "移動\r\n"
      "MenuW5=-3,---\r\nMenuH0=2,編集\r\nMenuB0=39,状態変更\r\nHotKey0=78,577\r\nHotKey1=81,1601\r\n"
      "SCKey0=11,580\r\nMenuDefW=243\r\nMenuDefH=-1\r\nMenuDefB=250\r\n";
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
  const struct {
    int index;
    std::string caption;
    std::size_t bytes;
  } cases[] = {{11, std::string(130, 'x'), 124}, {11, kana, 123}, {-2, kana, 123}, {5, "short", 5}};
  for (const auto& c : cases) EXPECT_EQ(FitMenuCaption(c.index, c.caption).size(), c.bytes) << c.index;
  // Stored and read back: the whole caption the page kept.
  const std::string fitted = FitMenuCaption(11, kana);
  PageLists lists;
  lists[0] = {PageRow{11, kana, 0}};
  GlobalOptions options(env_, folder_.Path(), WorkArea{0, 0, 1280, 1024});
  options.Apply(options, PageWrites(lists, {-1, -1, -1}));
  EXPECT_EQ(Shape(LoadPageRows(options.Store(), PageList::kNoteMenu)), "11:" + fitted);
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
