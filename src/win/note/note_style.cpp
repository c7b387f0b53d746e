// One note's look as the style pages show and set it.
#include <cstdio>

#include "core/note/format_record.h"
#include "win/app/app_state.h"
#include "win/app/save_report.h"
#include "win/dialogs/dialog_controls.h"
#include "win/dialogs/style_page.h"
#include "win/note/check_wnd.h"
#include "win/platform/local_time.h"

namespace varnel::win {
namespace {

std::string IndexedKey(const char* format, int index) {
  char key[16];
  std::snprintf(key, sizeof key, format, index);
  return key;
}

}  // namespace

void CCheckWnd::StylePageInit(HWND page, StyleWorking& working) {
  GlobalOptions& options = *App().options;
  const NoteSettings& s = settings_;
  LimitText(page, IDC_STYLE_TITLE, 200);
  SetControlText(page, IDC_STYLE_TITLE, store_.ReadString("Title", "", 261));
  SetChecked(page, IDC_STYLE_VISIBLE, IsWindowVisible(window_) != FALSE);
  SetChecked(page, IDC_STYLE_NON, s.hideHeadingRows);
  // The reader's default: a plain OK must not make the note start folded.
  SetRadioIndex(page, IDC_STYLE_OPEN, IDC_STYLE_CLOSED, store_.ReadInt("BarStat", "0", 0, 2));
  SetChecked(page, IDC_STYLE_FIX_H, store_.ReadBool("FixH", "0"));
  SetChecked(page, IDC_STYLE_FIX_B, store_.ReadBool("FixB", "0"));
  StyleValues v;
  v.style = s.style;
  v.barShown = s.bar & kBarShown;
  v.barBottom = s.bar & kBarBottom;
  v.face = s.fontFace;
  v.background = s.background;
  v.alpha = s.alpha;
  v.alpha2 = s.alpha2;
  v.gradientKind = s.gradientKind;
  v.barColour0 = s.barColour0;
  v.barColour1 = s.barColour1;
  v.titleColour = s.titleColour;
  v.shadowColour = static_cast<int>(s.titleShadow & 0xFFFFFF);
  v.titleShadow = (s.titleShadow & 0x80000000u) != 0;
  v.borderKind = (s.barBorder >> 24) & 0x0F;
  v.borderColour = s.barBorder & 0xFFFFFF;
  v.headingColour = options.ReadNoteOption(&store_, "TxtColorH");
  v.headingSize = options.ReadNoteOption(&store_, "SizeH");
  v.headingBits = options.ReadNoteOption(&store_, "FontH");
  v.detailColour = options.ReadNoteOption(&store_, "TxtColorB");
  v.detailSize = options.ReadNoteOption(&store_, "SizeB");
  v.detailBits = options.ReadNoteOption(&store_, "FontB");
  v.byState = s.colourByState;
  ShowStyleValues(page, v, working);
  working.states = s.stateColours;
  working.pens = {ReadRecord(store_, "Pen0"), ReadRecord(store_, "Pen1")};
}

void CCheckWnd::StylePageApply(HWND page, const StyleWorking& working, int mode) {
  const bool full = mode == kStyleApplyFull;
  const StyleValues v = ReadStyleValues(page, working);
  NoteSettings& s = settings_;
  // Text being typed is kept before anything moves or replaces the window.
  if (edit_) EndEdit();
  {
    ProfileStore::Batch batch(store_);
    if (full) {
      content_.title = GetControlText(page, IDC_STYLE_TITLE, 260);
      store_.WriteString("Title", content_.title.c_str());
      content_.UpdateTitle(-1, Rules(), LocalNow());
    }
    const bool shadowChanged = ((s.style ^ v.style) & 4) != 0;
    s.style = v.style;
    store_.WriteInt("Style", s.style);
    if (shadowChanged) RecreateWindow();
    if (full) ShowWindow(window_, IsChecked(page, IDC_STYLE_VISIBLE) ? SW_SHOWNOACTIVATE : SW_HIDE);
    // The fold bit stays; "Bar" goes to the file with the next save.
    if (v.barShown)
      s.bar = static_cast<std::uint8_t>((s.bar | kBarShown) & ~kBarBottom) | (v.barBottom ? kBarBottom : 0);
    else
      s.bar = static_cast<std::uint8_t>(s.bar & ~kBarShown);
    // Only this note's own page has the box; the defaults leave it alone.
    if (full) {
      s.hideHeadingRows = content_.hideHeadingRows = IsChecked(page, IDC_STYLE_NON);
      store_.WriteBool("Non", s.hideHeadingRows ? 1 : 0);
    }
    // Written, so the face is the note's also after its next load.
    s.fontFace = v.face;
    store_.WriteString("Font", s.fontFace.c_str());
    if (mode != kStyleApplyKeepBack) {
      s.background = v.background;
      s.alpha = v.alpha;
      s.alpha2 = v.alpha2 < 0 ? v.alpha : v.alpha2;
      ApplyTransparency();
      store_.WriteColor("BkColor", s.background);
      store_.WriteInt("Alpha", v.alpha);
      store_.WriteInt("Alpha2", v.alpha2);
    }
    if (full)
      store_.WriteInt("BarStat", RadioIndex(page, IDC_STYLE_OPEN, IDC_STYLE_CLOSED) < 0
                                     ? 0
                                     : RadioIndex(page, IDC_STYLE_OPEN, IDC_STYLE_CLOSED));
    s.gradientKind = v.gradientKind;
    s.barColour0 = v.barColour0;
    s.barColour1 = v.barColour1;
    s.titleColour = v.titleColour;
    s.titleShadow = static_cast<std::uint32_t>(v.shadowColour & 0xFFFFFF) | (v.titleShadow ? 0x80000000u : 0);
    s.barBorder = (v.borderKind << 24) | v.borderColour;
    store_.WriteInt("TDiv", s.gradientKind);
    store_.WriteColor("BColor0", s.barColour0);
    store_.WriteColor("BColor1", s.barColour1);
    store_.WriteColor("TColor0", s.titleColour);
    store_.WriteColor("TColor1", v.shadowColour & 0xFFFFFF);
    store_.WriteInt("TShadow", v.titleShadow ? 1 : 0);
    store_.WriteInt("TBorder", s.barBorder);
    if (full) {
      store_.WriteBool("FixH", IsChecked(page, IDC_STYLE_FIX_H) ? 1 : 0);
      store_.WriteColor("TxtColorH", v.headingColour);
      store_.WriteInt("SizeH", v.headingSize);
      store_.WriteInt("FontH", v.headingBits);
      store_.WriteBool("FixB", IsChecked(page, IDC_STYLE_FIX_B) ? 1 : 0);
      store_.WriteColor("TxtColorB", v.detailColour);
      store_.WriteInt("SizeB", v.detailSize);
      store_.WriteInt("FontB", v.detailBits);
      s.colourByState = content_.colourByState = v.byState;
      store_.WriteBool("CColor", v.byState ? 1 : 0);
      s.stateColours = working.states;
      for (int i = 0; i < 4; ++i) {
        const StateColour& record = s.stateColours[static_cast<std::size_t>(i)];
        const bool inForce = DecodeFormatRecord(record.spec, 0, 0).inForce;
        store_.WriteString(IndexedKey("CColor%d", i).c_str(), inForce ? record.spec.c_str() : nullptr);
        if (inForce)
          store_.WriteInt(IndexedKey("CCDay%d", i).c_str(), StoredDayLimit(record.dayLimit));
        else
          store_.WriteString(IndexedKey("CCDay%d", i).c_str(), nullptr);
      }
    }
    for (int i = 0; i < 2; ++i) {
      const std::string& pen = working.pens[static_cast<std::size_t>(i)];
      store_.WriteString(IndexedKey("Pen%d", i).c_str(), pen[0] == '0' ? nullptr : pen.c_str());
    }
  }
  ReportSave(store_);
  ReadRowFonts();
  Repaint();
}

void CCheckWnd::RecreateWindow() {
  HWND old = window_;
  RECT r{};
  GetWindowRect(old, &r);
  const bool visible = IsWindowVisible(old) != FALSE;
  // Tool window, topmost and layered as the old one was.
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(old, GWL_EXSTYLE));
  const wchar_t* cls = (settings_.style & 4) ? L"CCheckWndS" : L"CCheckWnd";
  HWND made = CreateWindowExW(exStyle, cls, L"", WS_POPUP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                              nullptr, nullptr, App().instance, this);
  if (!made) {
    window_ = old;  // the note keeps its old window, shadow or not
    return;
  }
  SetWindowLongPtrW(old, GWLP_USERDATA, 0);
  window_ = made;
  ApplyTransparency();
  SetWindowPos(made, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (visible) ShowWindow(made, SW_SHOWNOACTIVATE);
  DestroyWindow(old);
}

}  // namespace varnel::win
