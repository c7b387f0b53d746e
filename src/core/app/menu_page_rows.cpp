#include "core/app/menu_page_rows.h"

#include <algorithm>
#include <cstdio>

#include "core/app/command_table.h"
#include "core/text/cp932.h"

namespace varnel {

namespace {

constexpr std::size_t kMenuValueBytes = 127;  // what "Menu%c%d" reads back
const char* const kListLetters = "WHB";

std::string IndexedKey(const char* prefix, int n) {
  char key[24];
  std::snprintf(key, sizeof key, "%s%d", prefix, n);
  return key;
}

// The rows of a list, then the key after the last removed: readers stop there.
void WriteRows(std::vector<OptionWrite>& out, const std::string& prefix,
               const std::vector<std::string>& values) {
  for (std::size_t i = 0; i < values.size(); ++i)
    out.push_back(OptionWrite::Set(IndexedKey(prefix.c_str(), static_cast<int>(i)), values[i]));
  out.push_back(OptionWrite::Remove(IndexedKey(prefix.c_str(), static_cast<int>(values.size()))));
}

}  // namespace

bool IsKeyList(PageList list) { return list == PageList::kHotKeys || list == PageList::kShortcuts; }

int PageListMask(PageList list) {
  if (list == PageList::kHotKeys) return kAsHotKey;
  if (list == PageList::kShortcuts) return kAsShortcut;
  return MenuMask(PageMenuKind(list));
}

int PageListLimit(PageList list) {
  if (list == PageList::kHotKeys) return kMaxHotKeyRows;
  if (list == PageList::kShortcuts) return kMaxShortcutRows;
  return kMaxMenuEntries;
}

MenuKind PageMenuKind(PageList list) {
  if (list == PageList::kHeadingMenu) return MenuKind::kHeading;
  if (list == PageList::kDetailMenu) return MenuKind::kDetail;
  return MenuKind::kNote;
}

std::string RowCommandName(int index) {
  if (index == kMenuSeparator) return "(Separator)";
  if (index == kMenuSubmenuStart) return "(SubMenu Start)";
  if (index == kMenuSubmenuEnd) return "(SubMenu End)";
  const CommandEntry* entry = CommandAt(index);
  return entry ? entry->caption : "";
}

PageRow NewMenuRow(int index) {
  PageRow row;
  row.index = index;
  if (index == kMenuSeparator)
    row.caption = "-----";
  else if (index == kMenuSubmenuStart)
    row.caption = "(SubMenu)";
  else if (index == kMenuSubmenuEnd)
    row.caption = "---";
  else
    row.caption = RowCommandName(index);
  return row;
}

std::vector<PageRow> LoadPageRows(ProfileStore& store, PageList list) {
  std::vector<PageRow> rows;
  if (!IsKeyList(list)) {
    for (MenuEntry& entry : ReadMenuEntries(store, PageMenuKind(list))) {
      PageRow row = NewMenuRow(entry.index);
      // Separators and submenu ends show their mark whatever text they carry.
      const bool captioned = entry.index >= 0 || entry.index == kMenuSubmenuStart;
      if (captioned && !entry.caption.empty()) row.caption = std::move(entry.caption);
      rows.push_back(std::move(row));
    }
    return rows;
  }
  const bool hot = list == PageList::kHotKeys;
  for (const KeyBinding& b :
       ReadKeyBindings(store, hot ? "HotKey" : "SCKey", hot ? 100 : kShortcutCount, PageListMask(list))) {
    if (static_cast<int>(rows.size()) == PageListLimit(list)) break;
    // A command once per list, a key once: the first binding wins.
    const bool repeated =
        std::any_of(rows.begin(), rows.end(), [&](const PageRow& r) { return r.index == b.index; });
    if (repeated || RowWithKey(rows, b.keyWord) >= 0) continue;
    PageRow row;
    row.index = b.index;
    row.keyWord = b.keyWord;
    rows.push_back(row);
  }
  return rows;
}

std::vector<int> PageCandidates(PageList list, const std::vector<PageRow>& rows) {
  const auto present = [&](int index) {
    return std::any_of(rows.begin(), rows.end(), [&](const PageRow& r) { return r.index == index; });
  };
  const bool menu = !IsKeyList(list);
  const int mask = PageListMask(list);
  std::vector<int> out;
  for (int i = menu ? 0 : 1; i < kCommandCount; ++i)
    if ((CommandTable()[static_cast<std::size_t>(i)].flags & mask) && !present(i)) out.push_back(i);
  if (menu) out.insert(out.end(), {kMenuSeparator, kMenuSubmenuStart, kMenuSubmenuEnd});
  return out;
}

int RowWithKey(const std::vector<PageRow>& rows, int keyWord, int except) {
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (static_cast<int>(i) != except && rows[i].keyWord == keyWord) return static_cast<int>(i);
  return -1;
}

std::string FitMenuCaption(int index, const std::string& caption) {
  const std::size_t prefix = std::to_string(index).size() + 1;
  return cp932::Cut(caption, kMenuValueBytes - prefix);
}

std::vector<OptionWrite> PageWrites(const PageLists& lists, const std::array<int, 3>& defaults) {
  std::vector<OptionWrite> out;
  for (int k = 0; k < 3; ++k) {
    std::vector<std::string> values;
    for (const PageRow& row : lists[static_cast<std::size_t>(k)]) {
      if (values.size() == kMaxMenuEntries) break;
      const std::string caption = row.caption.empty() ? RowCommandName(row.index) : row.caption;
      values.push_back(std::to_string(row.index) + "," + FitMenuCaption(row.index, caption));
    }
    WriteRows(out, std::string("Menu") + kListLetters[k], values);
  }
  for (PageList list : {PageList::kHotKeys, PageList::kShortcuts}) {
    std::vector<std::string> values;
    for (const PageRow& row : lists[static_cast<std::size_t>(list)])
      if (row.keyWord) values.push_back(std::to_string(row.index) + "," + std::to_string(row.keyWord));
    WriteRows(out, list == PageList::kHotKeys ? "HotKey" : "SCKey", values);
  }
  for (int k = 0; k < 3; ++k)
    out.push_back(OptionWrite::Set(std::string("MenuDef") + kListLetters[k],
                                   std::to_string(defaults[static_cast<std::size_t>(k)])));
  return out;
}

}  // namespace varnel
