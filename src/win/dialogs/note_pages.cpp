// The note-level pages of the properties dialog: "全体２" and "見出一覧".
#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include "core/app/command_ids.h"
#include "core/note/note_layout.h"
#include "core/note/note_row_commands.h"
#include "core/text/cp932.h"
#include "win/app/app_state.h"
#include "win/dialogs/dialog_controls.h"
#include "win/dialogs/properties_pages.h"
#include "win/note/check_wnd.h"
#include "win/platform/local_time.h"
#include "win/platform/text_convert.h"

namespace varnel::win {
namespace {

constexpr int kPosEdits[4] = {IDC_PROP_POS_X, IDC_PROP_POS_Y, IDC_PROP_POS_W, IDC_PROP_POS_H};
constexpr int kPosSpins[4] = {IDC_PROP_POS_X_SPIN, IDC_PROP_POS_Y_SPIN, IDC_PROP_POS_W_SPIN,
                              IDC_PROP_POS_H_SPIN};
constexpr int kScheduleDates[3] = {IDC_PROP_SDT_START_DATE, IDC_PROP_SDT_END_DATE, IDC_PROP_SDT_DELETE_DATE};

DateTime DayToDateTime(int day, int minutes) {
  DateTime t;
  SetDateOfDay(t, day);
  t.hour = static_cast<std::uint16_t>(std::min(minutes / 60, 23));
  t.minute = static_cast<std::uint16_t>(minutes % 60);
  return t;
}

DateTime MinutesToTime(int minutes) {
  DateTime t = LocalNow();
  t.hour = static_cast<std::uint16_t>(std::min(minutes / 60, 23));
  t.minute = static_cast<std::uint16_t>(minutes % 60);
  return t;
}

int PickerDay(HWND page, int id) {
  const DateTime t = GetPickerTime(page, id);
  return DayNumber(t.year, t.month, t.day);
}

int PickerMinutes(HWND page, int id) {
  const DateTime t = GetPickerTime(page, id);
  return t.hour * 60 + t.minute;
}

void SetPickerFormat(HWND page, int id, const wchar_t* format) {
  SendDlgItemMessageW(page, id, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format));
}

}  // namespace

BOOL PositionSchedulePage::OnInit() {
  HWND page = Window();
  const GlobalOptions& o = *App().options;
  frame_ = {o.fx1, o.fy1, o.fx2, o.fy2};
  SetRadioIndex(page, IDC_PROP_POS_LAST, IDC_PROP_POS_BOTTOM_LEFT, ReadCornerPlace(note_.Store()));
  // A folded note shows the rectangle it unfolds to, as its file keeps it.
  RECT r{};
  GetWindowRect(note_.Window(), &r);
  const NoteSettings& s = note_.Settings();
  const FoldResult open = ComputeFold(0, s.bar, note_.BarHeight(), s.unfoldedHeight, r.top, r.bottom - r.top);
  const int values[4] = {r.left, open.top, r.right - r.left, open.height};
  const int low[4] = {frame_.left, frame_.top, 40, 20};
  const int high[4] = {frame_.right, frame_.bottom, frame_.right - frame_.left, frame_.bottom - frame_.top};
  for (int i = 0; i < 4; ++i) {
    LimitText(page, kPosEdits[i], 5);
    SetSpin(page, kPosSpins[i], low[i], std::max(low[i], high[i]), values[i]);
    SetControlText(page, kPosEdits[i], std::to_string(values[i]));
  }
  FilterSignedNumber(page, IDC_PROP_POS_X);
  FilterSignedNumber(page, IDC_PROP_POS_Y);

  for (int id : kScheduleDates) {
    SetPickerFormat(page, id, L"yyyy'/'MM'/'dd' ('ddd')'");
    SYSTEMTIME range[2] = {ToSystemTime(DayToDateTime(DayNumber(2007, 1, 1), 0)),
                           ToSystemTime(DayToDateTime(kLastDayNumber, 0))};
    SendDlgItemMessageW(page, id, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
  }
  for (int id : {IDC_PROP_SDT_START_TIME, IDC_PROP_SDT_END_TIME, IDC_PROP_SDT_FROM, IDC_PROP_SDT_TO})
    SetPickerFormat(page, id, L"HH':'mm");
  const ScheduleEdit e = ReadScheduleEdit(note_.Store());
  SetChecked(page, IDC_PROP_SDT_START, e.start);
  SetChecked(page, IDC_PROP_SDT_END, e.end);
  SetChecked(page, IDC_PROP_SDT_DELETE, e.remove);
  SetChecked(page, IDC_PROP_SDT_WINDOW, e.window);
  if (e.start) {
    SetPickerTime(page, IDC_PROP_SDT_START_DATE, DayToDateTime(e.startDay, 0));
    SetPickerTime(page, IDC_PROP_SDT_START_TIME, MinutesToTime(e.startMinutes));
  }
  if (e.end) {
    SetPickerTime(page, IDC_PROP_SDT_END_DATE, DayToDateTime(e.endDay, 0));
    SetPickerTime(page, IDC_PROP_SDT_END_TIME, MinutesToTime(e.endMinutes));
  }
  if (e.remove) SetPickerTime(page, IDC_PROP_SDT_DELETE_DATE, DayToDateTime(e.removeDay, 0));
  if (e.window) {
    SetPickerTime(page, IDC_PROP_SDT_FROM, MinutesToTime(e.from));
    SetPickerTime(page, IDC_PROP_SDT_TO, MinutesToTime(e.to));
  }
  for (int bit = 0; bit < 9; ++bit) SetChecked(page, IDC_PROP_DAY_MONDAY + bit, (e.days >> bit) & 1);
  return TRUE;
}

bool PositionSchedulePage::OnCommand(int id, int code, HWND) {
  HWND page = Window();
  if (id == kOkButton) Apply();
  if ((id == IDC_PROP_DAY_HOLIDAY || id == IDC_PROP_DAY_NOT_HOLIDAY) && code == BN_CLICKED &&
      IsChecked(page, id))
    SetChecked(page, id == IDC_PROP_DAY_HOLIDAY ? IDC_PROP_DAY_NOT_HOLIDAY : IDC_PROP_DAY_HOLIDAY, false);
  return id == kOkButton || id == kCancelButton;
}

void PositionSchedulePage::Apply() {
  HWND page = Window();
  ProfileStore& store = note_.Store();
  ProfileStore::Batch batch(store);
  int pos = RadioIndex(page, IDC_PROP_POS_LAST, IDC_PROP_POS_BOTTOM_LEFT);
  if (pos < 0 || pos > 4) pos = 5;
  store.WriteInt("Pos", pos);
  if (pos == 1) {
    int v[4];
    for (int i = 0; i < 4; ++i) v[i] = static_cast<int>(ParseNumber(GetControlText(page, kPosEdits[i], 16)));
    const NotePlacement p = BoundFixedPlacement({v[0], v[1], v[2], v[3]}, frame_);
    store.WriteInt("W", p.w);
    store.WriteInt("H", p.h);
    store.WriteInt("X", p.x);
    store.WriteInt("Y", p.y);
  }
  ScheduleEdit e;
  e.start = IsChecked(page, IDC_PROP_SDT_START);
  e.startDay = PickerDay(page, IDC_PROP_SDT_START_DATE);
  e.startMinutes = PickerMinutes(page, IDC_PROP_SDT_START_TIME);
  e.end = IsChecked(page, IDC_PROP_SDT_END);
  e.endDay = PickerDay(page, IDC_PROP_SDT_END_DATE);
  e.endMinutes = PickerMinutes(page, IDC_PROP_SDT_END_TIME);
  e.remove = IsChecked(page, IDC_PROP_SDT_DELETE);
  e.removeDay = PickerDay(page, IDC_PROP_SDT_DELETE_DATE);
  e.window = IsChecked(page, IDC_PROP_SDT_WINDOW);
  e.from = PickerMinutes(page, IDC_PROP_SDT_FROM);
  e.to = PickerMinutes(page, IDC_PROP_SDT_TO);
  for (int bit = 0; bit < 9; ++bit)
    if (IsChecked(page, IDC_PROP_DAY_MONDAY + bit)) e.days |= 1u << bit;
  note_.SetSchedule(WriteScheduleEdit(store, e));
}

BOOL HeadingListPage::OnInit() {
  HWND list = GetDlgItem(Window(), IDC_PROP_HEADINGS);
  SetUpCheckList(list);
  RECT client{};
  GetClientRect(list, &client);
  AddListColumn(list, 0, "", client.right - GetSystemMetrics(SM_CXVSCROLL));
  Fill();
  return TRUE;
}

void HeadingListPage::Fill() {
  HWND list = GetDlgItem(Window(), IDC_PROP_HEADINGS);
  const NoteContent& content = note_.Content();
  filling_ = true;
  ListView_DeleteAllItems(list);
  for (int h = 0; h < content.headingCount; ++h) {
    const int row = content.HeadingRow(h);
    AddListRow(list, h, content.rows.Valid(row) ? content.rows.At(row).text : std::string(), h);
    ListView_SetCheckState(list, h,
                           !(content.headingAttributes[static_cast<std::size_t>(h)] & kHeadingHidden));
  }
  filling_ = false;
}

void HeadingListPage::StartRename(int index) {
  HWND list = GetDlgItem(Window(), IDC_PROP_HEADINGS);
  SetFocus(list);
  SendMessageW(list, LVM_EDITLABELW, static_cast<WPARAM>(index), 0);
}

bool HeadingListPage::OnCommand(int id, int, HWND) {
  if (id != IDC_PROP_NEW_HEADING) return id == kOkButton || id == kCancelButton;
  if (note_.NoteCommand(kCmdNewItem) == 0) return true;
  Fill();
  StartRename(note_.Content().headingCount - 1);
  return true;
}

INT_PTR HeadingListPage::OnMessage(UINT message, WPARAM, LPARAM lParam, bool& handled) {
  handled = message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->idFrom == IDC_PROP_HEADINGS;
  if (!handled) return FALSE;
  const INT_PTR result = OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
  SetWindowLongPtrW(Window(), DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR HeadingListPage::OnNotify(const NMHDR& header) {
  NoteContent& content = note_.Content();
  switch (header.code) {
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      bool shown = false;
      if (filling_ || !CheckBoxChanged(change, shown)) return 0;
      note_.HeadingCommand(shown ? kCmdShow : kCmdHide, change.iItem, content.HeadingRow(change.iItem));
      return 0;
    }
    case LVN_ENDLABELEDITW: {
      const auto& edit = reinterpret_cast<const NMLVDISPINFOW&>(header);
      const int row = content.HeadingRow(edit.item.iItem);
      if (!edit.item.pszText || !content.rows.Valid(row)) return FALSE;
      content.rows.At(row).text = cp932::Cut(FromWide(edit.item.pszText), kRowTextBytes);
      note_.Stamp();
      return TRUE;
    }
    case NM_RCLICK: {
      const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
      if (click.iItem < 0 || click.iItem >= content.headingCount) return 0;
      POINT pt{};
      GetCursorPos(&pt);
      const int id = static_cast<int>(TrackPopupMenu(App().menus.listH, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x,
                                                     pt.y, 0, Window(), nullptr));
      if (id == kCmdEdit) {
        StartRename(click.iItem);
      } else if (id > 0) {
        note_.HeadingCommand(id, click.iItem, content.HeadingRow(click.iItem));
        Fill();
      }
      return 0;
    }
    default:
      return 0;
  }
}

}  // namespace varnel::win
