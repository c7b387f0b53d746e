#include "win/dialogs/dialog_controls.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cwchar>
#include <vector>

#include "core/config/profile_store.h"
#include "core/note/note_properties.h"
#include "core/text/cp932.h"
#include "win/app/app_state.h"
#include "win/app/message_box.h"
#include "win/platform/holders.h"
#include "win/platform/local_time.h"
#include "win/platform/text_convert.h"

namespace varnel::win {
namespace {

constexpr const wchar_t* kFilterProperty = L"Varnel.NumberFilter";

LRESULT CALLBACK NumberFilterProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto old = reinterpret_cast<WNDPROC>(GetPropW(edit, kFilterProperty));
  if (message == WM_CHAR && wParam >= L' ') {
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(edit, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    text.erase(start, end - start);  // typing replaces the selection
    if (!SignedNumberAccepts(text, start, static_cast<wchar_t>(wParam))) {
      MessageBeep(MB_OK);
      return 0;
    }
  }
  if (message == WM_NCDESTROY) {
    RemovePropW(edit, kFilterProperty);
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
  }
  return CallWindowProcW(old, edit, message, wParam, lParam);
}

}  // namespace

std::string GetControlText(HWND dialog, int id, std::size_t maxBytes) {
  HWND control = GetDlgItem(dialog, id);
  const int length = control ? GetWindowTextLengthW(control) : 0;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
  return cp932::Cut(FromWide(text), maxBytes);
}

void SetControlText(HWND dialog, int id, const std::string& cp932) {
  SetDlgItemTextW(dialog, id, ToWide(cp932).c_str());
}

void LimitText(HWND dialog, int id, std::size_t maxChars) {
  SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, maxChars, 0);
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void SetChecked(HWND dialog, int id, bool on) {
  CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

int RadioIndex(HWND dialog, int first, int last) {
  for (int id = first; id <= last; ++id)
    if (IsChecked(dialog, id)) return id - first;
  return -1;
}

void SetRadioIndex(HWND dialog, int first, int last, int index) {
  CheckRadioButton(dialog, first, last, first + index);
}

void SetComboItems(HWND dialog, int id, const std::vector<std::string>& items, int selected) {
  SendDlgItemMessageW(dialog, id, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items)
    SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(item).c_str()));
  SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int ComboIndex(HWND dialog, int id) {
  const LRESULT index = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

int GetControlNumber(HWND dialog, int id, int low, int high) {
  return static_cast<int>(Clamp<std::int64_t>(ParseNumber(GetControlText(dialog, id, 31)), low, high));
}

void SetSpin(HWND dialog, int id, int low, int high, int value) {
  SendDlgItemMessageW(dialog, id, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
  SendDlgItemMessageW(dialog, id, UDM_SETPOS32, 0, value);
}

bool SignedNumberAccepts(const std::wstring& text, DWORD pos, wchar_t ch) {
  if (ch >= L'0' && ch <= L'9') return pos > 0 || text.empty() || text[0] != L'-';
  return ch == L'-' && pos == 0 && text.find(L'-') == std::wstring::npos;
}

void FilterSignedNumber(HWND dialog, int id) {
  HWND edit = GetDlgItem(dialog, id);
  if (!edit || GetPropW(edit, kFilterProperty)) return;
  const LONG_PTR old = SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NumberFilterProc));
  SetPropW(edit, kFilterProperty, reinterpret_cast<HANDLE>(old));
}

bool ChooseFilePath(HWND owner, const wchar_t* filter, const wchar_t* defaultExt, bool save,
                    std::filesystem::path& path) {
  wchar_t file[MAX_PATH] = {};
  path.wstring().copy(file, MAX_PATH - 1);
  // The filter is pairs of texts ending in an empty one.
  std::wstring filters = std::wstring(filter) + L'\0' + filter + L'\0';
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filters.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrDefExt = defaultExt;
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | (save ? OFN_OVERWRITEPROMPT : 0);
  ModalScope modal;
  if (!(save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))) return false;
  path = file;
  return true;
}

bool ChooseFileToOpen(HWND owner, const wchar_t* filter, const wchar_t* defaultExt, std::string& path) {
  std::filesystem::path chosen = ToWide(path);
  if (!ChooseFilePath(owner, filter, defaultExt, false, chosen)) return false;
  path = FromWide(chosen.wstring());
  return true;
}

void SetUpCheckList(HWND list) {
  ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
}

void AddListColumn(HWND list, int index, const char* header, int width) {
  std::wstring text = ToWide(header);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH | LVCF_TEXT;
  column.cx = width;
  column.pszText = text.data();
  SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

int AddListRow(HWND list, int index, const std::string& text, LPARAM param) {
  std::wstring wide = ToWide(text);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = index;
  item.pszText = wide.data();
  item.lParam = param;
  return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetListText(HWND list, int row, int column, const std::string& text) {
  std::wstring wide = ToWide(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string ListText(HWND list, int row, int column, std::size_t maxBytes) {
  wchar_t buffer[512] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = 512;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return cp932::Cut(FromWide(buffer), maxBytes);
}

LPARAM ListParam(HWND list, int row) {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.lParam;
}

bool CheckBoxChanged(const NMLISTVIEW& change, bool& ticked) {
  // uOldState 0: the row was just inserted, its first state is no user's tick.
  if (!(change.uChanged & LVIF_STATE) || ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) == 0 ||
      change.uOldState == 0)
    return false;
  ticked = ((change.uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2;
  return true;
}

DateTime GetPickerTime(HWND dialog, int id) {
  SYSTEMTIME st{};
  SendDlgItemMessageW(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
  return FromSystemTime(st);
}

void SetPickerTime(HWND dialog, int id, const DateTime& t) {
  SYSTEMTIME st = ToSystemTime(t);
  SendDlgItemMessageW(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

bool SwatchTextWhite(COLORREF colour) {
  const int red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
  return (red < 128) + (green < 128) - (blue >= 128) > 0;
}

std::wstring SwatchText(COLORREF colour) {
  wchar_t text[16];
  swprintf(text, 16, L"0x%06X", static_cast<unsigned>(colour & 0xFFFFFF));
  return text;
}

void DrawColourSwatch(const DRAWITEMSTRUCT& item, COLORREF colour) {
  HDC dc = item.hDC;
  RECT rc = item.rcItem;
  const std::wstring text = SwatchText(colour);
  const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  SetBkMode(dc, TRANSPARENT);
  if (item.itemState & ODS_DISABLED) {
    // A disabled swatch looks like any disabled button: no colour, the text embossed.
    DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH);
    RECT light = rc;
    OffsetRect(&light, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    DrawTextW(dc, text.c_str(), -1, &light, format);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), -1, &rc, format);
    return;
  }
  GdiObject<HBRUSH> brush(CreateSolidBrush(colour & 0xFFFFFF));
  FillRect(dc, &rc, brush.Get());
  DrawEdge(dc, &rc, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  SetTextColor(dc, SwatchTextWhite(colour) ? RGB(255, 255, 255) : RGB(0, 0, 0));
  DrawTextW(dc, text.c_str(), -1, &rc, format);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&rc, -2, -2);
    DrawFocusRect(dc, &rc);
  }
}

bool ChooseColour(HWND owner, COLORREF& colour, std::array<int, 16>& customColours) {
  COLORREF custom[16];
  for (std::size_t i = 0; i < 16; ++i) custom[i] = static_cast<COLORREF>(customColours[i]);
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner;
  // A colour of "none" starts the chooser on white.
  cc.rgbResult = static_cast<int>(colour) < 0 ? RGB(255, 255, 255) : colour & 0xFFFFFF;
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN;
  // The custom colours are the program's even when the choice is cancelled.
  const bool chosen = ChooseColorW(&cc) != FALSE;
  for (std::size_t i = 0; i < 16; ++i) customColours[i] = static_cast<int>(custom[i]);
  if (chosen) colour = cc.rgbResult;
  return chosen;
}

}  // namespace varnel::win

namespace varnel::win {

bool PickColour(HWND owner, int& colour) {
  COLORREF value = static_cast<COLORREF>(colour);
  if (!ChooseColour(owner, value, App().options->palette)) return false;
  colour = static_cast<int>(value);
  return true;
}

namespace {

int CALLBACK AddFontFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names) {
  if (font->lfFaceName[0] == L'@') return 1;  // vertical-writing faces are no note face
  reinterpret_cast<std::vector<std::string>*>(names)->push_back(FromWide(font->lfFaceName));
  return 1;
}

}  // namespace

void FillFontList(HWND dialog, int id, const std::string& face) {
  HWND box = GetDlgItem(dialog, id);
  if (!box) return;
  std::vector<std::string> families;
  WindowDc screen(nullptr);
  for (BYTE charset : {static_cast<BYTE>(GetTextCharset(screen.Get())), static_cast<BYTE>(ANSI_CHARSET)}) {
    LOGFONTW lf{};
    lf.lfCharSet = charset;
    EnumFontFamiliesExW(screen.Get(), &lf, AddFontFace, reinterpret_cast<LPARAM>(&families), 0);
  }
  // Exact names once: a prefix match would drop "Meiryo" after "Meiryo UI".
  SendMessageW(box, CB_RESETCONTENT, 0, 0);
  for (const std::string& name : FontFaceList(families, face))
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(name).c_str()));
  const std::wstring wide = ToWide(face);
  const LRESULT index =
      SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
  if (index != CB_ERR) SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int SelectedRow(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectRow(HWND list, int row) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = item.stateMask;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

}  // namespace varnel::win
