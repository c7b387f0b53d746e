// The lists of the menu settings page as rows: read from the stored menus and
// keys with the rules the menus are built by, the commands a list can still
// take, and the writes that store the lists back.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "core/app/menu_spec.h"
#include "core/config/global_options.h"

namespace varnel {

// The page's five lists, in the order of its chooser.
enum class PageList { kNoteMenu, kHeadingMenu, kDetailMenu, kHotKeys, kShortcuts };
constexpr int kPageListCount = 5;
constexpr int kMaxHotKeyRows = 20;
constexpr int kMaxShortcutRows = 30;

struct PageRow {
  int index = 0;        // a table index, or kMenuSeparator, kMenuSubmenuStart, kMenuSubmenuEnd
  std::string caption;  // menus: the text shown and stored
  int keyWord = 0;      // hot keys and shortcuts
};
using PageLists = std::array<std::vector<PageRow>, kPageListCount>;

bool IsKeyList(PageList list);
int PageListMask(PageList list);
int PageListLimit(PageList list);
// The menu kind of a menu list (W, H, B).
MenuKind PageMenuKind(PageList list);

std::vector<PageRow> LoadPageRows(ProfileStore& store, PageList list);

// What the command column shows for index: the table caption, or "(Separator)",
// "(SubMenu Start)", "(SubMenu End)".
std::string RowCommandName(int index);
// A menu row for index as it is added: the caption a loaded row would show.
PageRow NewMenuRow(int index);
// The indices list can still take, in the order the page offers them: for the
// menus "その他" first when absent, and the three special entries last.
std::vector<int> PageCandidates(PageList list, const std::vector<PageRow>& rows);
// The row (other than except) whose key is keyWord, or -1.
int RowWithKey(const std::vector<PageRow>& rows, int keyWord, int except = -1);
// caption cut on a whole character so that "<index>,<caption>" stays within
// what a menu entry reads back (127 bytes).
std::string FitMenuCaption(int index, const std::string& caption);

// Every write of the page: the rows as "Menu%c%d", "HotKey%d", "SCKey%d" with
// the key after the last removed, and "MenuDefW/H/B" (command ids, -1 none).
std::vector<OptionWrite> PageWrites(const PageLists& lists, const std::array<int, 3>& defaults);

}  // namespace varnel
