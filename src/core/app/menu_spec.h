// The context menus of notes, headings and details as the user stored them
// ("Menu%c%d", "MenuDef%c" in the global file), read into plain data that the
// shell turns into menus.
#pragma once
#include <string>
#include <vector>

#include "core/app/command_ids.h"

namespace varnel {

class ProfileStore;

enum class MenuKind : char { kNote = 'W', kHeading = 'H', kDetail = 'B' };

// The command table flag of the kind (kInNoteMenu, ...).
int MenuMask(MenuKind kind);

constexpr int kMaxMenuEntries = 100;

// Stored indices other than commands.
constexpr int kMenuSeparator = -1;
constexpr int kMenuSubmenuStart = -2;
constexpr int kMenuSubmenuEnd = -3;

// One stored entry that passed the checks: a command of this kind that came
// first, a separator, or the start (with its title) or end of a submenu.
struct MenuEntry {
  int index = 0;        // 0..84, or kMenuSeparator, kMenuSubmenuStart, kMenuSubmenuEnd
  std::string caption;  // the text after the first comma; may be empty
};

// "Menu<kind>0".."Menu<kind>99" up to the first empty value. Malformed entries,
// commands of another kind, repeats and indices out of range are dropped.
std::vector<MenuEntry> ReadMenuEntries(ProfileStore& store, MenuKind kind);

enum class MenuItemType { kTitle, kCommand, kSeparator, kSubmenu };

struct MenuItem {
  MenuItemType type = MenuItemType::kCommand;
  // kTitle: kCmdTitle. kSubmenu: 0, or kCmdOtherCommands where the
  // user placed the submenu of other commands.
  int command = 0;
  std::string caption;
  std::vector<MenuItem> items;  // kSubmenu only
};

struct MenuSpec {
  MenuKind kind = MenuKind::kNote;
  // Nothing usable stored: the shell shows the resource's built-in popup of
  // this kind, without the mail item when removeMailItem is set.
  bool builtIn = false;
  bool removeMailItem = false;
  std::vector<MenuItem> items;  // title first; empty when builtIn
  int defaultCommand = -1;      // -1: no default item
};

// The menu of the kind from the stored entries. mailer: whether the mail
// program exists; without it the mail command appears nowhere.
MenuSpec BuildItemMenu(ProfileStore& store, MenuKind kind, bool mailer);

// "MenuDef<kind>": the command id of the default item, -1 for none.
int ReadMenuDefault(ProfileStore& store, MenuKind kind);

// The detail's state submenu: unchecked always, then the states that are offered.
std::vector<MenuItem> BuildStateMenu(bool ckType1, bool ckType2, bool ckType3);

// The first item with the command at any depth, as a menu finds it by command; or null.
const MenuItem* FindMenuItem(const std::vector<MenuItem>& items, int command);

}  // namespace varnel
