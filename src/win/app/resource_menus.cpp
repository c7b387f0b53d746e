#include "win/app/resource_menus.h"

#include "resource.h"
#include "win/app/app_state.h"
#include "win/app/note_menus.h"

namespace varnel::win {

namespace {

void AttachSubmenu(HMENU menu, UINT id, HMENU sub) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_SUBMENU;
  info.hSubMenu = sub;
  SetMenuItemInfoW(menu, id, FALSE, &info);
}

void AttachShared(HMENU menu, HMENU popup) {
  AttachSubmenu(menu, kCmdMoveMenu, GetSubMenu(popup, 0));
  AttachSubmenu(menu, kCmdArrangeMenu, GetSubMenu(popup, 1));
  AttachSubmenu(menu, kCmdAlphaMenu, GetSubMenu(popup, 8));
  AttachSubmenu(menu, kCmdAlpha2Menu, GetSubMenu(popup, 9));
}

}  // namespace

bool LoadResourceMenus(HINSTANCE instance) {
  AppMenus& menus = App().menus;
  menus.popup = LoadMenuW(instance, L"POPUPMENU");
  if (!menus.popup) return false;
  menus.main = GetSubMenu(menus.popup, 2);
  menus.listW = GetSubMenu(menus.popup, 3);
  menus.listH = GetSubMenu(menus.popup, 4);
  // The title items are drawn bold.
  SetMenuDefaultItem(menus.listW, 0, TRUE);
  SetMenuDefaultItem(menus.listH, 0, TRUE);
  // SetMenuItemInfo by command searches nested submenus, so the items inside
  // "一括操作" are found from Main.
  AttachShared(menus.main, menus.popup);
  AttachShared(menus.listW, menus.popup);
  BuildNoteMenus();
  return true;
}

}  // namespace varnel::win
