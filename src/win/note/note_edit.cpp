// In-place editing: the edit box over a heading or detail row, its CP932 byte
// limit as the user types, its growth with its lines, and the commit at the
// next press in the note. Also the add-detail action that opens it.
#include <algorithm>
#include <climits>

#include "core/app/command_ids.h"
#include "core/features/text_export.h"
#include "core/text/cp932.h"
#include "win/app/app_state.h"
#include "win/note/check_wnd.h"
#include "win/platform/clipboard.h"
#include "win/platform/holders.h"
#include "win/platform/local_time.h"
#include "win/platform/text_convert.h"

namespace varnel::win {
namespace {

constexpr int kEditId = 105;
// One limit for typing, committing and saving, in CP932 bytes.
constexpr std::size_t kRowTextBytes = 298;
constexpr std::size_t kClipboardBytes = 200;
constexpr wchar_t kOwnProcProp[] = L"VarnelEditProc";

std::wstring WindowText(HWND window) {
  const int n = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(n > 0 ? n : 0) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), n + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}

std::size_t Bytes932(std::wstring_view text) { return FromWide(text).size(); }

// The selection of an edit box as character positions.
void Selection(HWND edit, DWORD& start, DWORD& end) {
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (end < start) std::swap(start, end);
}

// CP932 bytes left for new text when the selection is replaced.
std::size_t RoomFor(HWND edit) {
  const std::wstring text = WindowText(edit);
  DWORD start = 0, end = 0;
  Selection(edit, start, end);
  start = std::min<DWORD>(start, static_cast<DWORD>(text.size()));
  end = std::min<DWORD>(end, static_cast<DWORD>(text.size()));
  const std::size_t kept = Bytes932(text.substr(0, start)) + Bytes932(text.substr(end));
  return kept >= kRowTextBytes ? 0 : kRowTextBytes - kept;
}

// The clipboard's text, empty when there is none.
std::string ClipboardText(HWND owner) {
  std::string text;
  ReadClipboardText(owner, text);
  return text;
}

}  // namespace

void CCheckWnd::GrowClient(int clientHeight, int maxBottom) {
  RECT client{}, win{};
  GetClientRect(window_, &client);
  GetWindowRect(window_, &win);
  const long long now = win.bottom - win.top;
  const long long wanted = now - (client.bottom - client.top) + clientHeight;
  const long long height = std::min(wanted, std::max(static_cast<long long>(maxBottom) - win.top, now));
  if (height > now)
    SetWindowPos(window_, nullptr, 0, 0, win.right - win.left, static_cast<int>(height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCheckWnd::FillColourKeyStrip(const RowRect& strip) {
  WindowDc dc(window_);
  SetDCBrushColor(dc.Get(), static_cast<COLORREF>(AltBackground(settings_.background) & 0xFFFFFF));
  RECT rc{strip.left, strip.top, strip.right, strip.bottom};
  FillRect(dc.Get(), &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

bool CCheckWnd::BeginEdit(bool heading, int row, const RowRect& rect) {
  if (edit_ || settings_.locked || !content_.rows.Valid(row)) return false;
  content_.editedRow = row;
  NoteGeometry g = Geometry();
  const EditBoxPlacement place = PlaceEditBox(heading, rect, g);
  if (place.grow) GrowClient(place.growHeight, INT_MAX);
  const std::wstring text = ToWide(cp932::Cut(content_.rows.At(row).text, kRowTextBytes));
  const DWORD style =
      WS_CHILD | WS_VISIBLE | (heading ? ES_AUTOHSCROLL : ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN);
  edit_ = CreateWindowExW(0, L"EDIT", text.c_str(), style, place.box.left, place.box.top,
                          place.box.right - place.box.left, place.box.bottom - place.box.top, window_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), App().instance, nullptr);
  if (!edit_) {
    content_.editedRow = -1;
    return false;
  }
  if (place.strip) FillColourKeyStrip(place.stripRect);
  const Row& r = content_.rows.At(row);
  const RowFontSpec spec = RowFontOf(heading ? r.format : DetailLookOf(r, Colours(), LocalNow()).format,
                                     heading, settings_.fonts, g.checkBox.cy, false, g.dpi);
  LOGFONTW lf{};
  lf.lfHeight = spec.height;
  lf.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = spec.italic ? TRUE : FALSE;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynW(lf.lfFaceName, ToWide(settings_.fontFace).c_str(), LF_FACESIZE);
  editFont_.Reset(CreateFontIndirectW(&lf));
  SetPropW(edit_, kOwnProcProp,
           reinterpret_cast<HANDLE>(
               SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditBoxProc))));
  SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(editFont_.Get()), FALSE);
  editLines_ = std::clamp(static_cast<int>(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0)), 1, 20);
  SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(text.size()), static_cast<LPARAM>(text.size()));
  if (!heading) DropAction(1, edit_, edit_);  // files and text may be dropped on a detail
  SetFocus(edit_);
  Repaint();
  return true;
}

bool CCheckWnd::EndEdit() {
  if (!edit_) return false;
  HWND edit = edit_;
  const std::string text = cp932::Cut(FromWide(WindowText(edit)), kRowTextBytes);
  const int row = content_.editedRow;
  if (content_.editFlag && text.empty()) {
    content_.DeleteNewRow();
  } else if (content_.rows.Valid(row)) {
    Row& r = content_.rows.At(row);
    r.text = text;
    if (editKind_ == 4) SetStatusDigit(r.status, 1, StatusDigit(r.status, 1) | 1);
    content_.UpdateTitle(9, Rules(), LocalNow());
  }
  edit_ = nullptr;  // from here on the note paints without the box
  DropAction(9, edit, nullptr);
  if (auto own = reinterpret_cast<LONG_PTR>(GetPropW(edit, kOwnProcProp))) {
    SetWindowLongPtrW(edit, GWLP_WNDPROC, own);
    RemovePropW(edit, kOwnProcProp);
  }
  DestroyWindow(edit);
  editFont_.Reset();
  content_.editFlag = 0;
  content_.editedRow = -1;
  Repaint();
  return true;
}

void CCheckWnd::OnEditChange() {
  if (!edit_) return;
  // Backstop for text that arrives other than by typing or pasting (IME, drop).
  const std::wstring text = WindowText(edit_);
  const std::string bytes = FromWide(text);
  if (bytes.size() > kRowTextBytes) {
    const std::wstring cut = ToWide(cp932::Cut(bytes, kRowTextBytes));
    SetWindowTextW(edit_, cut.c_str());
    SendMessageW(edit_, EM_SETSEL, cut.size(), cut.size());
    MessageBeep(MB_OK);
  }
  const int lines = std::clamp(static_cast<int>(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0)), 1, 20);
  if (lines == editLines_) return;
  RECT rc{};
  GetClientRect(edit_, &rc);
  const int height = EditBoxHeightForLines(rc.bottom - rc.top, editLines_, lines);
  SetWindowPos(edit_, nullptr, 0, 0, rc.right - rc.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  editLines_ = lines;
  // The note grows with the box, as far as the frame's bottom edge, so every
  // line typed stays in sight.
  POINT top{0, 0};
  MapWindowPoints(edit_, window_, &top, 1);
  GrowClient(top.y + height + ScaleToDpi(4, dpi_), App().options->fy2);
  Repaint();
}

LRESULT CALLBACK CCheckWnd::EditBoxProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto own = reinterpret_cast<WNDPROC>(GetPropW(edit, kOwnProcProp));
  if (!own) return DefWindowProcW(edit, message, wParam, lParam);
  if (message == WM_CHAR && wParam >= 0x20) {
    // A character that does not fit is refused whole, never half of it.
    const wchar_t c = static_cast<wchar_t>(wParam);
    if (Bytes932(std::wstring_view(&c, 1)) > RoomFor(edit)) {
      MessageBeep(MB_OK);
      return 0;
    }
  } else if (message == WM_CHAR && wParam == L'\r' && (GetWindowLongPtrW(edit, GWL_STYLE) & ES_MULTILINE)) {
    if (RoomFor(edit) < 2) {
      MessageBeep(MB_OK);
      return 0;
    }
  } else if (message == WM_PASTE) {
    std::string pasted = ClipboardText(edit);
    // A single-line box takes the first line, as the standard control does.
    if (!(GetWindowLongPtrW(edit, GWL_STYLE) & ES_MULTILINE))
      pasted.resize(std::min(pasted.find_first_of("\r\n"), pasted.size()));
    const std::size_t room = RoomFor(edit);
    if (pasted.size() > room) {
      pasted = cp932::Cut(pasted, room);
      MessageBeep(MB_OK);
    }
    if (pasted.empty()) return 0;  // nothing to paste: the selection stays
    const std::wstring wide = ToWide(pasted);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
    return 0;
  }
  return CallWindowProcW(own, edit, message, wParam, lParam);
}

int CCheckWnd::InsertDetail(int id, int heading, int afterRow) {
  std::string clip;
  if (id == kCmdAddDetailClip) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) && !IsClipboardFormatAvailable(CF_TEXT)) return 1;
    clip = PastedDetailText(ClipboardText(window_), kClipboardBytes);
    if (clip.empty()) return 0;
  }
  // The room is made only once the text is known, so a refused paste leaves no gap.
  if (!content_.rows.Valid(afterRow)) return 0;
  const std::uint32_t key = content_.MakeRoomAfter(heading, afterRow);
  const int row = content_.InsertDetail(heading, key, id == kCmdAddDetailClip ? clip : std::string());
  if (!content_.rows.Valid(row)) return 0;
  heading = content_.HeadingIndexOfId(KeyHeadingId(key));
  if (id == kCmdAddDetailClip) {
    if (App().options->pasteSize) AutoSize(false);
    Stamp();
    return 1;
  }
  if (id == kCmdAddDetailDlg) {
    // Filled in on the detail page; a row that comes back empty goes again.
    content_.dialogRow = content_.editedRow = row;
    content_.editFlag = 1;
    OpenPropertiesPage(2, row);
    if (content_.rows.Valid(row) && content_.rows.At(row).text.empty()) content_.DeleteNewRow();
    content_.editFlag = 0;
    content_.editedRow = content_.dialogRow = -1;
    Stamp();
    return 1;
  }
  // The new row must be on screen before its box opens: unfold its heading and
  // place every row, however far down; BeginEdit grows the note to reach it.
  if (heading >= 0 && (content_.headingAttributes[static_cast<std::size_t>(heading)] & kHeadingFolded))
    ToggleHeadingFold(heading, content_.HeadingRow(heading));
  LayOutNow(true);
  EditNewRow(false, row);
  return 1;
}

void CCheckWnd::EditNewRow(bool heading, int row) {
  content_.editFlag = 1;
  const RowRect rect = content_.rows.At(row).rect;
  if (!BeginEdit(heading, row, rect)) {
    // No empty row may stay behind a refused edit.
    content_.editedRow = row;
    content_.DeleteNewRow();
    content_.editFlag = 0;
    content_.editedRow = -1;
  }
  Repaint();
}

}  // namespace varnel::win
