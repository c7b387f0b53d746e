// Command entry points of a note, a heading and a detail. Menus, shortcuts and
// double clicks all end here. The commands that come with the input handling
// are built; every other id does nothing until its piece lands.
#include "win/app/app_state.h"
#include "win/app/global_commands.h"
#include "win/app/message_box.h"
#include "win/dialogs/properties_dialog.h"
#include "win/note/check_wnd.h"
#include "core/note/note_row_commands.h"
#include "win/platform/local_time.h"

namespace varnel::win {
namespace {

constexpr const char* kDefaultHeading = "見出項目";
constexpr const char* kNoMoreHeadings = "これ以上は見出を追加できません。　　";

constexpr const char* kNoMoreRows = "これ以上は追加できません。　　";
constexpr const char* kAlarmNotSet = "アラームセットに失敗しました。　　";

bool IsAddDetail(int id) { return id == 243 || id == 244 || id == 253; }

// Note commands that add or rearrange rows (the rest act on the window).
bool ChangesRows(int id) {
  for (int rows : {241, 243, 244, 253, 254, 249, 251, 3311})
    if (id == rows) return true;
  return false;
}

bool IsLockedAtHeading(int id) {
  for (int locked : {245, 246, 243, 244, 253, 254, 249, 250, 206, 255, 247, 248})
    if (id == locked) return true;
  return false;
}

bool IsLockedAtDetail(int id) {
  for (int locked : {245, 250, 253, 246, 243, 244, 256, 247, 248})
    if (id == locked) return true;
  return false;
}

// Where a stacking value puts the window: -1 topmost, 0 top, 1 bottom, else normal.
HWND InsertAfter(int z) {
  switch (z) {
    case -1:
      return HWND_TOPMOST;
    case 0:
      return HWND_TOP;
    case 1:
      return HWND_BOTTOM;
    default:
      return HWND_NOTOPMOST;
  }
}

}  // namespace

void CCheckWnd::PlaceInZOrder() {
  SetWindowPos(window_, InsertAfter(settings_.z), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int CCheckWnd::AddHeadingWithEdit() {
  if (settings_.hideHeadingRows) {
    if (content_.headingCount == 0 && content_.AddHeading("") < 0) return 0;
    for (int h = content_.headingCount - 1; h >= 0; --h) {
      if (content_.headingAttributes[static_cast<std::size_t>(h)] & (kHeadingHidden | kHeadingFolded))
        continue;
      return HeadingCommand(243, h, content_.HeadingRow(h));
    }
    return 0;
  }
  const int row = content_.AddHeading("");
  if (row < 0) {
    ShowMessage(nullptr, 0, kNoMoreHeadings);
    return 0;
  }
  LayOutNow(true);
  EditNewRow(true, row);
  return 1;
}

void CCheckWnd::SetAlpha(int id) {
  if (settings_.alpha < 0) return;  // see-through notes have no opacity
  const bool active = id < 620;
  const int value = (id - (active ? 600 : 620)) * 255 / 10;
  (active ? settings_.alpha : settings_.alpha2) = value;
  WriteNoteSettings(store_, settings_, active ? kNoteAlpha : kNoteAlpha2);
  if ((GetActiveWindow() == window_) == active) ApplyActiveAlpha(active);
}

int CCheckWnd::OpenPropertiesPage(int page, int row) {
  if (App().busy.properties) return 0;
  if (edit_) EndEdit();
  std::uint32_t newHeadingId = 0;
  if (page == 1 && row < 0) {
    // 242: a heading made for the page; it goes again when left without text.
    if (settings_.hideHeadingRows) return 0;
    row = content_.AddHeading("");
    if (row < 0) {
      ShowMessage(nullptr, 0, kNoMoreHeadings);
      return 0;
    }
    newHeadingId = KeyHeadingId(content_.rows.At(row).key);
    Repaint();
  }
  const int heading =
      content_.rows.Valid(row) ? content_.HeadingIndexOfId(KeyHeadingId(content_.rows.At(row).key)) : -1;
  if (page == 2) content_.dialogRow = row;
  const INT_PTR result = OpenNoteProperties(*this, static_cast<PropertiesKind>(page), heading, row);
  if (newHeadingId) {
    const int h = content_.HeadingIndexOfId(newHeadingId);
    const int r = content_.HeadingRow(h);
    if (h >= 0 && (!content_.rows.Valid(r) || content_.rows.At(r).text.empty())) content_.DeleteHeading(h);
    Repaint();
  }
  return result == IDOK ? 1 : 0;
}
int CCheckWnd::OpenAlarmDialog(int) { return 0; }

void CCheckWnd::EndEditBefore(int& heading, int& row) {
  if (!edit_) return;
  const std::uint32_t headingKey = heading >= 0 && heading < content_.headingCount
                                       ? content_.headingKeys[static_cast<std::size_t>(heading)]
                                       : 0;
  const std::uint32_t rowKey = content_.rows.Valid(row) ? content_.rows.At(row).key : 0;
  EndEdit();
  // An emptied new row goes with the edit: find the command's rows again.
  if (headingKey) heading = content_.HeadingIndexOfId(KeyHeadingId(headingKey));
  if (rowKey) row = content_.rows.Find(rowKey);
}

int CCheckWnd::NoteCommand(int id) {
  if (edit_ && ChangesRows(id)) EndEdit();
  if (IsAddDetail(id)) {
    if (settings_.locked) return 0;
    if (content_.headingCount == 0 && content_.AddHeading(kDefaultHeading) < 0) return 0;
    // The last heading that is shown and open takes the new detail.
    for (int h = content_.headingCount - 1; h >= 0; --h) {
      if (content_.headingAttributes[static_cast<std::size_t>(h)] & (kHeadingHidden | kHeadingFolded))
        continue;
      return HeadingCommand(id, h, content_.HeadingRow(h));
    }
    return 0;
  }
  switch (id) {
    case 205:
      ShowWindow(window_, SW_SHOWNOACTIVATE);
      SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return 0;
    case 206:
      ShowWindow(window_, SW_HIDE);
      return 0;
    case 207:
      if (settings_.z != -1) settings_.z = 0;
      PlaceInZOrder();
      return 0;
    case 208:
      if (settings_.z != -1) settings_.z = 1;
      PlaceInZOrder();
      if (settings_.z != -1) settings_.z = -2;
      return 0;
    case 209:
      Reload();
      return 0;
    case 210:
      Save();
      if (App().options->autoDel == 1) Reload();  // dropped deleted details leave the window too
      return 0;
    case 222:
      settings_.z = settings_.z == -1 ? -2 : -1;
      PlaceInZOrder();
      return 0;
    case 223:
      settings_.fixed = !settings_.fixed;
      WriteNoteSettings(store_, settings_, kNoteFixed);
      return 0;
    case 224:
      AutoSize(true);
      return 0;
    case 226:
      settings_.locked = !settings_.locked;
      WriteNoteSettings(store_, settings_, kNoteLocked);
      return 0;
    case 241:
      return settings_.locked ? 0 : AddHeadingWithEdit();
    case 249:
      return ApplyRowResult(ResetAllDetails(content_, Rules(), LocalNow()));
    case 251:
      return ApplyRowResult(ShowAllHeadings(content_));
    case 252:
      FoldTitle(1);
      return 0;
    case 500:
      // Saved first, so the deleted note's file holds its last content.
      Save();
      RunGlobalCommand(500u | (static_cast<unsigned>(slot_) << 16));
      CloseByProgram();
      return 0;
    case 204:
      return OpenPropertiesPage(0, 0);
    case 242:
      return settings_.locked ? 0 : OpenPropertiesPage(1, -1);
    case 254:
      return settings_.locked ? 0 : PasteDetails(-1);
    case 257:
    case 260:
      return ExportText(id, -1, -1);
    case 3311:
      if (settings_.hideHeadingRows || settings_.locked) return 0;
      if (content_.AddHeading("") < 0) {
        ShowMessage(nullptr, 0, kNoMoreHeadings);
        return 0;
      }
      Repaint();
      return 1;
    default:
      break;
  }
  if ((id > 600 && id <= 610) || (id > 620 && id <= 630)) {
    SetAlpha(id);
    return 0;
  }
  if (id > 300 && id <= 310) {
    const int k = id - 300;
    if (k == 3 || k == 7 || settings_.fixed) return 0;
    const GlobalOptions& o = *App().options;
    RECT r{};
    GetWindowRect(window_, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    int left = r.left, top = r.top;
    if (k & 1) left = o.fx2 - w;
    if (k & 2) left = o.fx1;
    if (k & 4) top = o.fy1;
    if (k & 8) top = o.fy2 - h;
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  return 0;
}

int CCheckWnd::ApplyRowResult(const RowCommandResult& result) {
  switch (result.message) {
    case RowMessage::kNoMoreRows:
      ShowMessage(nullptr, 0, kNoMoreRows);
      break;
    case RowMessage::kNoMoreHeadings:
      ShowMessage(nullptr, 0, kNoMoreHeadings);
      break;
    case RowMessage::kAlarmNotSet:
      ShowMessage(nullptr, 0, kAlarmNotSet);
      break;
    case RowMessage::kNone:
      break;
  }
  if (result.effect == RowEffect::kStamp) Stamp();
  if (result.effect == RowEffect::kRepaint) Repaint();
  return result.effect == RowEffect::kNone ? 0 : 1;
}

int CCheckWnd::HeadingCommand(int id, int heading, int headingRow) {
  if (heading < 0 || heading >= content_.headingCount) return 0;
  // What the lock greys in the heading menu it refuses from keys too.
  if (settings_.locked && IsLockedAtHeading(id)) return 0;
  EndEditBefore(heading, headingRow);
  if (heading < 0) return 0;
  if (IsAddDetail(id)) {
    const std::uint32_t key = content_.headingKeys[static_cast<std::size_t>(heading)];
    int last = content_.rows.Find(key - 1);
    if (last < 0) last = content_.HeadingRow(heading);
    return InsertDetail(id, heading, last);
  }
  switch (id) {
    case 205:
    case 206:
      return ApplyRowResult(ShowHeading(content_, heading, id == 205));
    case 245:
      if (!content_.rows.Valid(headingRow) || settings_.hideHeadingRows) return 0;
      return BeginEdit(true, headingRow, content_.rows.At(headingRow).rect) ? 1 : 0;
    case 246:
      return ApplyRowResult(DuplicateHeading(content_, heading));
    case 247:
      return ApplyRowResult(MoveHeadingUp(content_, heading));
    case 248:
      return ApplyRowResult(MoveHeadingDown(content_, heading));
    case 249:
      return ApplyRowResult(ResetHeading(content_, heading, Rules(), LocalNow()));
    case 250:
      return ApplyRowResult(DeleteHeadingCommand(content_, heading));
    case 255:
      return ApplyRowResult(TurnHeadingIntoDetails(content_, heading));
    case 204:
      return OpenPropertiesPage(1, headingRow);
    case 254:
      return PasteDetails(heading);
    case 257:
    case 260:
      return ExportText(id, heading, -1);
    case 258:
    case 259:
      return ApplyRowResult(
          RunHeadingRows(content_, heading, Rules(), LocalNow(), [&](int row) { return RunRow(id, row); }));
    default:
      return 0;
  }
}

int CCheckWnd::DetailCommand(int id, int heading, int row) {
  if (!content_.rows.Valid(row) || KeyNumber(content_.rows.At(row).key) == 0) return 0;
  if (settings_.locked && IsLockedAtDetail(id)) return 0;
  EndEditBefore(heading, row);
  if (!content_.rows.Valid(row)) return 0;
  if (IsAddDetail(id)) return InsertDetail(id, heading, row);
  switch (id) {
    case 245:
      return BeginEdit(false, row, content_.rows.At(row).rect) ? 1 : 0;
    case 246:
      return ApplyRowResult(DuplicateDetail(content_, row));
    case 247:
      return ApplyRowResult(MoveDetailUp(content_, row));
    case 248:
      return ApplyRowResult(MoveDetailDown(content_, row));
    case 250:
      content_.DeleteDetailCommand(row, heading, Rules(), LocalNow());
      Repaint();
      return 1;
    case 256:
      if (settings_.hideHeadingRows) return 0;
      return ApplyRowResult(TurnDetailIntoHeading(content_, row));
    case 261:
    case 262: {
      const char* key = id == 261 ? "Pen0" : "Pen1";
      const std::string own = store_.ReadString(key, "", 300);
      const std::string global = App().options->Store().ReadString(key, "", 300);
      return ApplyRowResult(DecorateDetail(content_, row, DecorationPreset(own, global)));
    }
    case 291:
    case 292:
    case 293:
    case 294:
      return ApplyRowResult(SetDetailStateCommand(content_, row, id - 291, Rules(), LocalNow()));
    case 204:
      return OpenPropertiesPage(2, row);
    case 212:
      return OpenAlarmDialog(row);
    case 257:
      return ExportText(id, heading, row);
    case 258:
    case 259:
      RunRow(id, row);  // the state stays as it is
      return 0;
    default:
      return 0;
  }
}

}  // namespace varnel::win
