// The heading and detail pages of the properties dialog, with the date insert
// block both share.
#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include "core/features/date_codes.h"
#include "core/features/date_formats.h"
#include "core/features/detail_alarm.h"
#include "win/app/app_state.h"
#include "win/app/message_box.h"
#include "win/dialogs/alarm_dialog.h"
#include "win/dialogs/date_format_dialog.h"
#include "win/dialogs/dialog_controls.h"
#include "win/dialogs/properties_pages.h"
#include "win/note/check_wnd.h"
#include "win/platform/text_convert.h"

namespace varnel::win {
namespace {

constexpr std::size_t kPageTextBytes = 200;

struct LookIds {
  int fix, size, spin, bold, italic, textSwatch, backSwatch;
};
constexpr LookIds kHeadingLook{IDC_PROP_H_FIX,        IDC_PROP_H_SIZE,   IDC_PROP_H_SIZE_SPIN,
                               IDC_PROP_H_BOLD,       IDC_PROP_H_ITALIC, IDC_PROP_H_TEXT_SWATCH,
                               IDC_PROP_H_BACK_SWATCH};
constexpr LookIds kDetailLook{IDC_PROP_B_FIX,        IDC_PROP_B_SIZE,   IDC_PROP_B_SIZE_SPIN,
                              IDC_PROP_B_BOLD,       IDC_PROP_B_ITALIC, IDC_PROP_B_TEXT_SWATCH,
                              IDC_PROP_B_BACK_SWATCH};

DateFormatList& Formats() { return App().dateFormats; }

}  // namespace

BOOL RowPage::OnInit() {
  HWND page = Window();
  SendDlgItemMessageW(page, IDC_PROP_DATE, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"MM'/'dd'('ddd')'"));
  SYSTEMTIME range[2] = {};
  range[1].wYear = 2099, range[1].wMonth = 12, range[1].wDay = 31;
  SendDlgItemMessageW(page, IDC_PROP_DATE, DTM_SETRANGE, GDTR_MAX, reinterpret_cast<LPARAM>(range));
  SendDlgItemMessageW(page, IDC_PROP_FORMATS, CB_LIMITTEXT, DateFormatList::kMaxFormatBytes, 0);
  SendDlgItemMessageW(page, IDC_PROP_FORMATS, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 15);
  SendDlgItemMessageW(page, IDC_PROP_FORMATS, CB_SETITEMHEIGHT, 0, 14);
  FillFormats(0);
  LimitText(page, IDC_PROP_TEXT, kPageTextBytes);
  // Registered formats are drawn in the page's font made bold.
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(page, WM_GETFONT, 0, 0)), sizeof font, &font);
  font.lfWeight = FW_BOLD;
  bold_.Reset(CreateFontIndirectW(&font));
  return TRUE;
}

void RowPage::FillFormats(int select) {
  SetComboItems(Window(), IDC_PROP_FORMATS, Formats().ComboItems(), select);
}

void RowPage::ShowLook(const RowLook& look) {
  HWND page = Window();
  const LookIds& ids = heading_ ? kHeadingLook : kDetailLook;
  SetChecked(page, ids.fix, look.ownFont);
  const int minimum = std::min(App().options->minimumFontSize, 64);
  SetSpin(page, ids.spin, minimum, 64, std::clamp(look.height, minimum, 64));
  SetChecked(page, ids.bold, look.bold);
  SetChecked(page, ids.italic, look.italic);
  SetChecked(page, IDC_PROP_OWN_TEXT, look.ownText);
  SetChecked(page, IDC_PROP_OWN_BACK, look.ownBack);
  SetChecked(page, heading_ ? IDC_PROP_WITH_DETAILS : IDC_PROP_BY_STATE, look.extra);
  text_ = static_cast<COLORREF>(look.textColour);
  back_ = static_cast<COLORREF>(look.backColour);
  EnableSwatches();
}

RowLook RowPage::ReadLook() const {
  HWND page = Window();
  const LookIds& ids = heading_ ? kHeadingLook : kDetailLook;
  RowLook look;
  look.ownFont = IsChecked(page, ids.fix);
  look.height = static_cast<int>(ParseNumber(GetControlText(page, ids.size, 8)));
  look.bold = IsChecked(page, ids.bold);
  look.italic = IsChecked(page, ids.italic);
  look.ownText = IsChecked(page, IDC_PROP_OWN_TEXT);
  look.ownBack = IsChecked(page, IDC_PROP_OWN_BACK);
  look.textColour = static_cast<int>(text_);
  look.backColour = static_cast<int>(back_);
  look.extra = IsChecked(page, heading_ ? IDC_PROP_WITH_DETAILS : IDC_PROP_BY_STATE);
  return look;
}

void RowPage::EnableSwatches() {
  HWND page = Window();
  const LookIds& ids = heading_ ? kHeadingLook : kDetailLook;
  EnableWindow(GetDlgItem(page, ids.textSwatch), IsChecked(page, IDC_PROP_OWN_TEXT));
  EnableWindow(GetDlgItem(page, ids.backSwatch), IsChecked(page, IDC_PROP_OWN_BACK));
}

void RowPage::ShowListButtons() {
  HWND page = Window();
  const bool editing = IsChecked(page, IDC_PROP_EDIT_LIST);
  ShowWindow(GetDlgItem(page, IDC_PROP_INSERT), editing ? SW_HIDE : SW_SHOW);
  ShowWindow(GetDlgItem(page, IDC_PROP_CREATE), editing ? SW_HIDE : SW_SHOW);
  ShowWindow(GetDlgItem(page, IDC_PROP_ADD), editing ? SW_SHOW : SW_HIDE);
  ShowWindow(GetDlgItem(page, IDC_PROP_DELETE), editing ? SW_SHOW : SW_HIDE);
}

void RowPage::UseFormat(int action) {
  const std::string text = GetControlText(Window(), IDC_PROP_FORMATS, DateFormatList::kMaxFormatBytes);
  const int select = Formats().Use(ComboIndex(Window(), IDC_PROP_FORMATS), text,
                                   static_cast<DateFormatList::Action>(action));
  if (select >= 0) FillFormats(select);
}

void RowPage::InsertDate() {
  HWND page = Window();
  std::string text = GetControlText(page, IDC_PROP_FORMATS, DateFormatList::kMaxFormatBytes);
  if (text.find('%') != std::string::npos) {
    DateTime date = GetPickerTime(page, IDC_PROP_DATE);
    date.hour = date.minute = date.second = date.milliseconds = 0;
    ExpandDateCodes(date, text, kDateMath);
  }
  SendDlgItemMessageW(page, IDC_PROP_TEXT, EM_REPLACESEL, TRUE,
                      reinterpret_cast<LPARAM>(ToWide(text).c_str()));
  SetFocus(GetDlgItem(page, IDC_PROP_TEXT));
  UseFormat(static_cast<int>(DateFormatList::Action::Insert));
}

bool RowPage::OnCommand(int id, int code, HWND) {
  const LookIds& ids = heading_ ? kHeadingLook : kDetailLook;
  switch (id) {
    case IDC_PROP_INSERT:
      InsertDate();
      return true;
    case IDC_PROP_ADD:
      UseFormat(static_cast<int>(DateFormatList::Action::Register));
      return true;
    case IDC_PROP_DELETE:
      UseFormat(static_cast<int>(DateFormatList::Action::Delete));
      return true;
    case IDC_PROP_EDIT_LIST:
      ShowListButtons();
      return true;
    case IDC_PROP_CREATE:
      OpenDateFormatAssistant(Window());
      return true;
    case IDC_PROP_OWN_TEXT:
    case IDC_PROP_OWN_BACK:
      EnableSwatches();
      return true;
    case kOkButton:
    case kCancelButton:
      Close(id == kOkButton);
      // The list is kept whichever way the dialog closes.
      Formats().Save(App().options->Store());
      return true;
    default:
      break;
  }
  if ((id == ids.textSwatch || id == ids.backSwatch) && code == BN_CLICKED) {
    COLORREF& colour = id == ids.textSwatch ? text_ : back_;
    if (ChooseColour(Window(), colour, App().options->palette))
      InvalidateRect(GetDlgItem(Window(), id), nullptr, TRUE);
    return true;
  }
  return false;
}

INT_PTR RowPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = false;
  if (message == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const LookIds& ids = heading_ ? kHeadingLook : kDetailLook;
    if (wParam == IDC_PROP_FORMATS) {
      DrawFormat(item);
    } else if (static_cast<int>(wParam) == ids.textSwatch || static_cast<int>(wParam) == ids.backSwatch) {
      DrawColourSwatch(item, static_cast<int>(wParam) == ids.textSwatch ? text_ : back_);
    } else {
      return FALSE;
    }
    handled = true;
    return TRUE;
  }
  if (message == WM_MEASUREITEM && wParam == IDC_PROP_FORMATS) {
    auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    item.itemHeight = item.itemID == static_cast<UINT>(-1) ? 15 : 14;
    handled = true;
    return TRUE;
  }
  return FALSE;
}

void RowPage::DrawFormat(const DRAWITEMSTRUCT& item) {
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  SetBkColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ExtTextOutW(item.hDC, 0, 0, ETO_OPAQUE, &item.rcItem, nullptr, 0, nullptr);
  if (item.itemID == static_cast<UINT>(-1)) return;
  const LRESULT length = SendMessageW(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0);
  if (length == CB_ERR) return;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  const bool bold = Formats().IsRegisteredFormat(static_cast<int>(item.itemID));
  HGDIOBJ old = bold && bold_.Get() ? SelectObject(item.hDC, bold_.Get()) : nullptr;
  RECT r = item.rcItem;
  InflateRect(&r, -2, 0);
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &r,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (old) SelectObject(item.hDC, old);
}

BOOL HeadingPage::OnInit() {
  RowPage::OnInit();
  HWND page = Window();
  const HeadingProperties p = ReadHeadingProperties(note_.Content(), heading_, note_.Settings().fonts);
  SetControlText(page, IDC_PROP_TEXT, p.text);
  SetChecked(page, IDC_PROP_SHOWN, p.shown);
  SetChecked(page, IDC_PROP_CONVERSION, p.conversion);
  ShowLook(p.look);
  SetRadioIndex(page, IDC_PROP_DISPLAY_ALWAYS, IDC_PROP_DISPLAY_NEVER, std::min(p.display, 2));
  SetRadioIndex(page, IDC_PROP_FOLD_OPEN, IDC_PROP_FOLD_CLOSED, std::min(p.fold, 2));
  SetRadioIndex(page, IDC_PROP_KIND_NORMAL, IDC_PROP_KIND_REPEAT, p.kind ? 1 : 0);
  return TRUE;
}

void HeadingPage::Close(bool ok) {
  if (!ok) return;
  HWND page = Window();
  HeadingProperties p;
  p.text = GetControlText(page, IDC_PROP_TEXT, kPageTextBytes);
  p.shown = IsChecked(page, IDC_PROP_SHOWN);
  p.conversion = IsChecked(page, IDC_PROP_CONVERSION);
  p.look = ReadLook();
  p.display = std::max(0, RadioIndex(page, IDC_PROP_DISPLAY_ALWAYS, IDC_PROP_DISPLAY_NEVER));
  p.fold = std::max(0, RadioIndex(page, IDC_PROP_FOLD_OPEN, IDC_PROP_FOLD_CLOSED));
  p.kind = std::max(0, RadioIndex(page, IDC_PROP_KIND_NORMAL, IDC_PROP_KIND_REPEAT));
  ApplyHeadingProperties(note_.Content(), heading_, p, App().options->minimumFontSize);
  note_.Stamp();
}

BOOL DetailPage::OnInit() {
  RowPage::OnInit();
  HWND page = Window();
  NoteContent& content = note_.Content();
  if (!content.rows.Valid(row_)) return TRUE;
  const NoteRules rules = note_.Rules();
  const DetailProperties p = ReadDetailProperties(content.rows.At(row_), note_.Settings().fonts, rules);
  // The edit box shows line breaks as the note keeps them (CR LF).
  SetControlText(page, IDC_PROP_TEXT, p.text);
  SetChecked(page, IDC_PROP_CONVERSION, p.conversion);
  SetChecked(page, IDC_PROP_HIDE_FIRST_LINE, p.hideFirstLine);
  ShowLook(p.look);
  const bool inUse[4] = {true, rules.ckType1, rules.ckType2, rules.ckType3};
  for (int s = 0; s < 4; ++s) EnableWindow(GetDlgItem(page, IDC_PROP_STATE_UNCHECKED + s), inUse[s]);
  shownState_ = p.state;
  SetRadioIndex(page, IDC_PROP_STATE_UNCHECKED, IDC_PROP_STATE_DELETED, p.state);
  SetRadioIndex(page, IDC_PROP_ALARM_NONE, IDC_PROP_ALARM_OFF, p.alarm);
  // Files and text dropped on the page go into the text.
  note_.DropAction(2, page, GetDlgItem(page, IDC_PROP_TEXT));
  // The alarm rests while the page is open: it cannot ring on a detail being edited.
  openedAlarm_ = DetailAlarmState(content, row_, nullptr);
  DisarmDetailAlarm(content, row_);
  return TRUE;
}

bool DetailPage::OnCommand(int id, int code, HWND control) {
  if (id != IDC_PROP_ALARM_SET) return RowPage::OnCommand(id, code, control);
  // The dialog stores the record in the page's row and hands back the chosen state.
  int state = RadioIndex(Window(), IDC_PROP_ALARM_NONE, IDC_PROP_ALARM_OFF);
  const unsigned slot = static_cast<unsigned>(note_.Slot());
  if (ShowAlarmSetDialog(Window(), slot | (0xFFFFu << 16), &state) == IDOK)
    SetRadioIndex(Window(), IDC_PROP_ALARM_NONE, IDC_PROP_ALARM_OFF, state);
  return true;
}

void DetailPage::Close(bool ok) {
  note_.DropAction(9, Window(), nullptr);
  NoteContent& content = note_.Content();
  if (!content.rows.Valid(row_)) return;
  HWND page = Window();
  std::string record;
  DetailAlarmState(content, row_, &record);
  const int alarm = ok ? RadioIndex(page, IDC_PROP_ALARM_NONE, IDC_PROP_ALARM_OFF) : openedAlarm_;
  // A detail that never had an alarm and gets none keeps its status as it is.
  if ((alarm != kAlarmNone || openedAlarm_ != kAlarmNone) && !SetDetailAlarm(content, row_, record, alarm))
    ShowMessage(page, 0, kAlarmFailed);
  if (!ok) return;
  DetailProperties p;
  p.text = GetControlText(page, IDC_PROP_TEXT, kPageTextBytes);
  p.conversion = IsChecked(page, IDC_PROP_CONVERSION);
  p.hideFirstLine = IsChecked(page, IDC_PROP_HIDE_FIRST_LINE);
  p.look = ReadLook();
  // A state out of use shows as the next one; only a different pick is written.
  const int state = RadioIndex(page, IDC_PROP_STATE_UNCHECKED, IDC_PROP_STATE_DELETED);
  ApplyDetailProperties(content.rows.At(row_), p, state != shownState_ ? state : -1,
                        App().options->minimumFontSize);
  note_.Stamp();
}

}  // namespace varnel::win
