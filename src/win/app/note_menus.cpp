#include "win/app/note_menus.h"

#include <cmath>

#include "core/app/command_table.h"
#include "core/app/menu_spec.h"
#include "win/app/app_state.h"
#include "win/note/check_wnd.h"
#include "win/platform/shell.h"
#include "win/platform/text_convert.h"

namespace varnel::win {
namespace {

HMENU MakeMenu(const std::vector<MenuItem>& items) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  for (const MenuItem& item : items) {
    const std::wstring caption = ToWide(item.caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    info.fType = MFT_STRING;
    info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    info.wID = static_cast<UINT>(item.command);
    if (item.type == MenuItemType::kSeparator) {
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_SEPARATOR;
    } else if (item.type == MenuItemType::kSubmenu) {
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = MakeMenu(item.items);
    }
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
  }
  return menu;
}

void Attach(HMENU menu, UINT id, HMENU sub) {
  if (!menu || !sub) return;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_SUBMENU;
  info.hSubMenu = sub;
  SetMenuItemInfoW(menu, id, FALSE, &info);
}

HMENU MenuOfKind(MenuKind kind, int builtInIndex, bool mailer, bool& made) {
  AppState& app = App();
  const MenuSpec spec = BuildItemMenu(app.options->Store(), kind, mailer);
  HMENU menu = nullptr;
  made = !spec.builtIn;
  if (spec.builtIn) {
    menu = GetSubMenu(app.menus.popup, builtInIndex);
    if (spec.removeMailItem) DeleteMenu(menu, static_cast<UINT>(kCmdMail), MF_BYCOMMAND);
  } else {
    menu = MakeMenu(spec.items);
  }
  // A default item stays marked: the input's menu preparation only greys.
  if (menu && spec.defaultCommand >= 0)
    SetMenuDefaultItem(menu, static_cast<UINT>(spec.defaultCommand), FALSE);
  return menu;
}

int OpacityStep(int alpha) {
  const int step = static_cast<int>(std::lround(alpha * 10.0 / 255.0));
  return step < 0 ? 0 : (step > 10 ? 10 : step);
}

}  // namespace

int TrackMenuAtCursor(HMENU menu, HWND owner) {
  if (!menu) return 0;
  POINT pt{};
  GetCursorPos(&pt);
  SetForegroundWindow(owner);
  const int id = static_cast<int>(
      TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, pt.x, pt.y, owner, nullptr));
  // Without it the next click outside leaves the menu unable to close.
  PostMessageW(owner, WM_NULL, 0, 0);
  return id;
}

namespace {

void Detach(HMENU menu, UINT id) {
  if (!menu) return;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_SUBMENU;
  SetMenuItemInfoW(menu, id, FALSE, &info);
}

// Frees the menus an earlier build made. The resource's own submenus, which a
// made note menu only borrows, are taken out first so they stay with the popup.
void ReleaseMadeMenus(AppMenus& m) {
  for (UINT id : {kCmdMoveMenu, kCmdAlphaMenu, kCmdAlpha2Menu}) Detach(m.note, id);
  Detach(m.detail, kCmdStateMenu);
  for (HMENU* made : {&m.state, &m.madeNote, &m.madeHeading, &m.madeDetail}) {
    if (*made) DestroyMenu(*made);
    *made = nullptr;
  }
}

}  // namespace

void BuildNoteMenus() {
  AppState& app = App();
  if (!app.menus.popup) return;
  AppMenus& m = app.menus;
  ReleaseMadeMenus(m);
  const bool mailer = !MailerPath().empty();
  bool made = false;
  m.note = MenuOfKind(MenuKind::kNote, 5, mailer, made);
  m.madeNote = made ? m.note : nullptr;
  m.heading = MenuOfKind(MenuKind::kHeading, 6, mailer, made);
  m.madeHeading = made ? m.heading : nullptr;
  m.detail = MenuOfKind(MenuKind::kDetail, 7, mailer, made);
  m.madeDetail = made ? m.detail : nullptr;
  Attach(m.note, kCmdMoveMenu, GetSubMenu(m.popup, 0));
  Attach(m.note, kCmdAlphaMenu, GetSubMenu(m.popup, 8));
  Attach(m.note, kCmdAlpha2Menu, GetSubMenu(m.popup, 9));
  const GlobalOptions& o = *app.options;
  m.state = MakeMenu(BuildStateMenu(o.ckType1, o.ckType2, o.ckType3));
  Attach(m.detail, kCmdStateMenu, m.state);
}

void GreyByLock(HMENU menu, int use, bool locked) {
  if (!menu) return;
  for (const CommandEntry& e : CommandTable())
    if ((e.flags & use) && (e.lock & kLockGreys))
      EnableMenuItem(menu, static_cast<UINT>(e.command), MF_BYCOMMAND | (locked ? MF_GRAYED : MF_ENABLED));
}

void MarkNoteMenu(const CCheckWnd& note, HMENU menu) {
  const NoteSettings& s = note.Settings();
  const auto check = [&](UINT id, bool on) {
    CheckMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
  };
  const auto enable = [&](UINT id, bool on) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
  };
  check(kCmdTopmost, s.z == -1);
  check(kCmdFixPlace, s.fixed);
  check(kCmdEditLock, s.locked);
  enable(kCmdAlphaMenu, s.alpha >= 0);
  enable(kCmdAlpha2Menu, s.alpha2 >= 0);
  GreyByLock(menu, kInNoteMenu, s.locked);
  if (s.hideHeadingRows && menu == App().menus.note) {
    enable(kCmdAddHeading, false);
    enable(kCmdAddHeadingDlg, false);
  }
}

int ShowNoteMenu(const CCheckWnd& note, HWND owner, HMENU menu) {
  if (!menu) return 0;
  MarkNoteMenu(note, menu);
  const auto check = [&](UINT id, bool on) {
    CheckMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
  };
  const int a = OpacityStep(note.Settings().alpha), b = OpacityStep(note.Settings().alpha2);
  if (a > 0) check(static_cast<UINT>(kCmdAlphaMenu + a), true);
  if (b > 0) check(static_cast<UINT>(kCmdAlpha2Menu + b), true);
  const int id = TrackMenuAtCursor(menu, owner);
  if (a > 0) check(static_cast<UINT>(kCmdAlphaMenu + a), false);
  if (b > 0) check(static_cast<UINT>(kCmdAlpha2Menu + b), false);
  return id;
}

void RegisterHotKeys(bool on) {
  AppState& app = App();
  if (!app.mainWindow) return;
  for (int command : HotKeyCommands()) UnregisterHotKey(app.mainWindow, command);
  if (!on) return;
  // A combination another program holds is refused; that is all.
  for (const HotKeyRegistration& r : ReadHotKeys(app.options->Store()))
    RegisterHotKey(app.mainWindow, r.command, r.modifiers, static_cast<UINT>(r.virtualKey));
}

}  // namespace varnel::win
