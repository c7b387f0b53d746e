#include "core/app/menu_spec.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "core/app/command_table.h"
#include "core/config/profile_store.h"

namespace varnel {

namespace {

constexpr std::size_t kMenuValueBuffer = 128;  // 127 bytes of a stored entry
constexpr const char* kUntitledSubmenu = "(SubMenu)";

const char* TitleCaption(MenuKind kind) {
  switch (kind) {
    case MenuKind::kHeading:
      return "■見出■";
    case MenuKind::kDetail:
      return "■明細■";
    case MenuKind::kNote:
      break;
  }
  return "■付箋■";
}

MenuItem Submenu(std::string caption, int command = 0) {
  MenuItem item;
  item.type = MenuItemType::kSubmenu;
  item.command = command;
  item.caption = std::move(caption);
  return item;
}

MenuItem Command(int command, std::string caption) {
  MenuItem item;
  item.command = command;
  item.caption = std::move(caption);
  return item;
}

MenuItem* FindItem(std::vector<MenuItem>& items, int command) {
  for (MenuItem& item : items) {
    if (item.command == command) return &item;
    if (MenuItem* inner = FindItem(item.items, command)) return inner;
  }
  return nullptr;
}

}  // namespace

int MenuMask(MenuKind kind) {
  switch (kind) {
    case MenuKind::kHeading:
      return kInHeadingMenu;
    case MenuKind::kDetail:
      return kInDetailMenu;
    case MenuKind::kNote:
      break;
  }
  return kInNoteMenu;
}

std::vector<MenuEntry> ReadMenuEntries(ProfileStore& store, MenuKind kind) {
  const int mask = MenuMask(kind);
  std::array<bool, kCommandCount> used{};
  std::vector<MenuEntry> out;
  for (int i = 0; i < kMaxMenuEntries; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "Menu%c%d", static_cast<char>(kind), i);
    const std::string value = store.ReadString(key, "", kMenuValueBuffer);
    if (value.empty()) break;
    // The whole number counts: a huge one is out of range, not reduced to a small one.
    const std::int64_t index = ParseNumber(value);
    const std::size_t comma = value.find(',');  // never a trail byte in CP932
    std::string caption = comma == std::string::npos ? std::string() : value.substr(comma + 1);
    if (index < kMenuSeparator) {
      // Any other negative number only ends the open submenu.
      if (index == kMenuSubmenuStart)
        out.push_back({kMenuSubmenuStart, std::move(caption)});
      else
        out.push_back({kMenuSubmenuEnd, {}});
      continue;
    }
    if (index == kMenuSeparator) {
      out.push_back({kMenuSeparator, {}});
      continue;
    }
    if (index >= kCommandCount) continue;
    // Text that is no number reads as 0; only a real "0" places the other commands.
    if (index == 0 && value[0] != '0') continue;
    const auto at = static_cast<std::size_t>(index);
    if (!(CommandTable()[at].flags & mask) || used[at]) continue;
    used[at] = true;
    out.push_back({static_cast<int>(index), std::move(caption)});
  }
  return out;
}

MenuSpec BuildItemMenu(ProfileStore& store, MenuKind kind, bool mailer) {
  MenuSpec spec;
  spec.kind = kind;
  MenuItem title;
  title.type = MenuItemType::kTitle;
  title.command = kCmdTitle;
  title.caption = TitleCaption(kind);
  spec.items.push_back(std::move(title));

  std::array<bool, kCommandCount> placed{};
  bool submenuOpen = false;
  MenuItem submenu;
  auto closeSubmenu = [&] {
    if (!submenuOpen) return;
    spec.items.push_back(std::move(submenu));
    submenu = MenuItem();
    submenuOpen = false;
  };
  for (MenuEntry& entry : ReadMenuEntries(store, kind)) {
    std::vector<MenuItem>& target = submenuOpen ? submenu.items : spec.items;
    if (entry.index == kMenuSubmenuStart || entry.index == kMenuSubmenuEnd) {
      // Submenus do not nest: a new start closes the open one first.
      closeSubmenu();
      if (entry.index == kMenuSubmenuStart) {
        submenu = Submenu(entry.caption.empty() ? kUntitledSubmenu : std::move(entry.caption));
        submenuOpen = true;
      }
    } else if (entry.index == kMenuSeparator) {
      MenuItem separator;
      separator.type = MenuItemType::kSeparator;
      target.push_back(std::move(separator));
    } else {
      const CommandEntry& command = CommandTable()[static_cast<std::size_t>(entry.index)];
      if (command.command == kCmdMail && !mailer) continue;
      target.push_back(
          Command(command.command, entry.caption.empty() ? command.caption : std::move(entry.caption)));
      placed[static_cast<std::size_t>(entry.index)] = true;
    }
  }
  closeSubmenu();

  if (spec.items.size() < 2) {
    spec.items.clear();
    spec.builtIn = true;
    spec.removeMailItem = !mailer;
  } else {
    const int mask = MenuMask(kind);
    std::vector<MenuItem> others;
    for (int i = 1; i < kCommandCount; ++i) {
      const CommandEntry& e = CommandTable()[static_cast<std::size_t>(i)];
      if (!(e.flags & mask) || placed[static_cast<std::size_t>(i)]) continue;
      if (e.command == kCmdMail && !mailer) continue;
      others.push_back(Command(e.command, e.caption));
    }
    if (MenuItem* place = FindItem(spec.items, kCmdOtherCommands)) {
      place->type = MenuItemType::kSubmenu;
      place->items = std::move(others);
    } else {
      MenuItem rest = Submenu(CommandTable()[0].caption);
      rest.items = std::move(others);
      spec.items.push_back(std::move(rest));
    }
  }
  spec.defaultCommand = ReadMenuDefault(store, kind);
  return spec;
}

int ReadMenuDefault(ProfileStore& store, MenuKind kind) {
  char key[16];
  std::snprintf(key, sizeof key, "MenuDef%c", static_cast<char>(kind));
  const int command = store.ReadInt(key, "-1", -1, 10000);
  // No command has id 0, and by id 0 a menu would find its separators.
  return command > 0 ? command : -1;
}

std::vector<MenuItem> BuildStateMenu(bool ckType1, bool ckType2, bool ckType3) {
  std::vector<MenuItem> items{Command(kCmdStateUnchecked, "未チェック")};
  if (ckType1) items.push_back(Command(kCmdStateChecked, "チェック"));
  if (ckType2) items.push_back(Command(kCmdStateDone, "完了"));
  if (ckType3) items.push_back(Command(kCmdStateDeleted, "削除"));
  return items;
}

const MenuItem* FindMenuItem(const std::vector<MenuItem>& items, int command) {
  for (const MenuItem& item : items) {
    if (item.command == command) return &item;
    if (const MenuItem* inner = FindMenuItem(item.items, command)) return inner;
  }
  return nullptr;
}

}  // namespace varnel
