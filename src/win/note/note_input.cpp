// Mouse input of a note: what a click, a double click and a right click do
// on the spot the layout hit test finds, and the check sound.
#include <windows.h>
#include <windowsx.h>
// mmsystem.h needs the types of windows.h first.
#include "win/platform/sound.h"

#include "core/app/command_table.h"
#include "win/app/app_state.h"
#include "win/app/global_commands.h"
#include "win/app/note_menus.h"
#include "win/note/check_wnd.h"
#include "win/platform/local_time.h"
#include "win/platform/text_convert.h"

namespace varnel::win {
namespace {

// The default item, greyed or not, so a greyed one is found and does nothing
// rather than letting the double-click option stand in; -1 for a greyed one.
int DefaultItem(HMENU menu, int use, bool locked) {
  if (!menu) return 0;
  const UINT id = GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED);
  if (id == static_cast<UINT>(-1)) return 0;
  return locked && LockDoes(kLockGreys, static_cast<int>(id), use) ? -1 : static_cast<int>(id);
}

// Takes the state submenu's mark off again once the menu has been used.
void TakeStateMark(UINT item) {
  if (item && App().menus.detail) CheckMenuItem(App().menus.detail, item, MF_BYCOMMAND | MF_UNCHECKED);
}

// "CmdW": 1 add from the clipboard, 2 add and edit, 3 add in the dialog.
int DoubleClickCommand() {
  switch (App().options->Store().ReadInt("CmdW", "2", 0, 3)) {
    case 1:
      return kCmdAddDetailClip;
    case 2:
      return kCmdAddDetail;
    case 3:
      return kCmdAddDetailDlg;
    default:
      return 0;
  }
}

}  // namespace

void PlayCheckSound() {
  const GlobalOptions& o = *App().options;
  PlaySoundChoice(o.sound, o.soundFile, false);
}

void CCheckWnd::ToggleHeadingFold(int heading, int headingRow) {
  if (settings_.hideHeadingRows || heading < 0 || heading >= content_.headingCount) return;
  std::uint32_t& attributes = content_.headingAttributes[static_cast<std::size_t>(heading)];
  attributes ^= kHeadingFolded;
  if (content_.rows.Valid(headingRow)) {
    std::string& status = content_.rows.At(headingRow).status;
    const int digit = StatusDigit(status, 7);
    SetStatusDigit(status, 7, (attributes & kHeadingFolded) ? (digit | 2) : (digit & ~2));
  }
  Repaint();
}

void CCheckWnd::ChangeDetailState(int heading, int row) {
  (void)heading;
  if (settings_.hideHeadingRows || settings_.locked || !content_.rows.Valid(row)) return;
  const std::string status = content_.rows.At(row).status;
  const int state = DetailStateOf(status);
  if (state == kDeleted) return;
  PlayCheckSound();
  if (content_.AdvanceDetailState(state, row, status, Rules(), LocalNow())) Repaint();
}

UINT CCheckWnd::PrepareSpotMenu(const HitResult& hit) {
  AppMenus& menus = App().menus;
  if (hit.code == kHitGlyph || hit.code == kHitHeadingText)
    GreyByLock(menus.heading, kInHeadingMenu, settings_.locked);
  if (hit.code != kHitCheckBox && hit.code != kHitDetailText) return 0;
  GreyByLock(menus.detail, kInDetailMenu, settings_.locked);
  const UINT mark = kCmdStateUnchecked + static_cast<UINT>(DetailStateOf(content_.rows.At(hit.row).status));
  if (menus.detail) CheckMenuItem(menus.detail, mark, MF_BYCOMMAND | MF_CHECKED);
  return mark;
}

void CCheckWnd::ShowSpotMenu(const HitResult& hit, UINT stateMark) {
  AppMenus& menus = App().menus;
  if (stateMark) {
    const int id = TrackMenuAtCursor(menus.detail, window_);
    TakeStateMark(stateMark);
    if (id) DetailCommand(id, hit.heading, hit.row);
  } else if (hit.code == kHitGlyph || hit.code == kHitHeadingText) {
    if (int id = TrackMenuAtCursor(menus.heading, window_)) HeadingCommand(id, hit.heading, hit.headingRow);
  } else if (int id = ShowNoteMenu(*this, window_, menus.note)) {
    NoteCommand(id);
  }
  TrimWorkingSet();
}

void CCheckWnd::RunDefaultItem(const HitResult& hit, UINT stateMark) {
  AppMenus& menus = App().menus;
  if (hit.code == kHitDetailText) {
    const int id = DefaultItem(menus.detail, kInDetailMenu, settings_.locked);
    TakeStateMark(stateMark);
    if (id > 0) DetailCommand(id, hit.heading, hit.row);
    if (id == 0) ChangeDetailState(hit.heading, hit.row);
    return;
  }
  const bool heading = hit.code == kHitHeadingText;
  int id = DefaultItem(heading ? menus.heading : menus.note, heading ? kInHeadingMenu : kInNoteMenu,
                       settings_.locked);
  if (!id) id = DoubleClickCommand();
  if (id > 0 && heading) HeadingCommand(id, hit.heading, hit.headingRow);
  if (id > 0 && !heading) NoteCommand(id);
}

void CCheckWnd::OnMouse(UINT message, LPARAM lParam) {
  if (edit_) {
    EndEdit();  // the click only commits the edit
    return;
  }
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  HitResult hit;
  if (!(message == WM_LBUTTONDOWN && edgeMask_ != 0)) hit = HitTest(content_, Geometry(), x, y);
  if (hit.heading >= 0) {
    content_.pointerHeading = hit.heading;
    content_.pointerHeadingRow = hit.headingRow;
  }
  const UINT stateMark = message != WM_LBUTTONDOWN ? PrepareSpotMenu(hit) : 0;
  if (message == WM_RBUTTONDOWN) {
    ShowSpotMenu(hit, stateMark);
    return;
  }

  const bool dbl = message == WM_LBUTTONDBLCLK;
  POINT screen{x, y};
  ClientToScreen(window_, &screen);
  const auto drag = [&] {
    if (edgeMask_ != 0 || settings_.fixed) return;
    ReleaseCapture();
    SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
  };
  switch (hit.code) {
    case kHitGlyph:
      ToggleHeadingFold(hit.heading, hit.headingRow);
      break;
    case kHitCheckBox:
      ChangeDetailState(hit.heading, hit.row);
      TakeStateMark(stateMark);
      break;
    case kHitDetailText:
    case kHitHeadingText:
      if (dbl)
        RunDefaultItem(hit, stateMark);
      else
        drag();
      break;
    case kHitTitleBar:
      if (dbl) {
        FoldTitle(-1);
      } else if ((settings_.bar & kBarFolded) && x < width_ / 2) {
        titlePeek_ = true;
        SetCapture(window_);
        FoldTitle(0);
      } else {
        drag();
      }
      break;
    default:
      if (dbl) {
        RunDefaultItem(hit, stateMark);
      } else if (edgeMask_ != 0 && !settings_.fixed) {
        ReleaseCapture();
        SendMessageW(window_, WM_NCLBUTTONDOWN, static_cast<WPARAM>(ResizeHitOfMask(edgeMask_)),
                     MAKELPARAM(screen.x, screen.y));
      } else {
        drag();
      }
      break;
  }
  if (dbl) TrimWorkingSet();
}

}  // namespace varnel::win
