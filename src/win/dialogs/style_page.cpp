#include "win/dialogs/style_page.h"

#include <algorithm>

#include "core/config/global_options.h"
#include "core/note/format_record.h"
#include "win/dialogs/dialog_controls.h"
#include "win/dialogs/format_dialogs.h"
#include "win/note/check_wnd.h"

namespace varnel::win {
namespace {

// Working colours by swatch, in the order of the ids 3001..3008.
enum Swatch { kBar0, kBar1, kTitle, kShadow, kBack, kHeading, kDetail, kBorder };

int NumberOf(HWND page, int id, int low, int high) {
  return static_cast<int>(Clamp<std::int64_t>(ParseNumber(GetControlText(page, id, 16)), low, high));
}

int FontBits(HWND page, int bold, int italic) {
  return (IsChecked(page, bold) ? 1 : 0) | (IsChecked(page, italic) ? 2 : 0);
}

void ShowFontBits(HWND page, int bold, int italic, int bits) {
  SetChecked(page, bold, bits & 1);
  SetChecked(page, italic, bits & 2);
}

void ShowSize(HWND page, int edit, int spin, int size) {
  const int low = std::min(MinimumFontSize(), 64);
  LimitText(page, edit, 3);
  SetSpin(page, spin, low, 64, std::clamp(size, low, 64));
}

class NoteStylePage : public StylePageBase {
 public:
  explicit NoteStylePage(CCheckWnd& note) : note_(note) {}

 protected:
  BOOL OnInit() override {
    note_.StylePageInit(Window(), working_);
    EnableAlphaEdits();
    return TRUE;
  }

  bool OnCommand(int id, int code, HWND control) override {
    if (id == kOkButton) {
      note_.StylePageApply(Window(), working_, kStyleApplyFull);
      return true;
    }
    if (id == kCancelButton) return true;
    return StylePageBase::OnCommand(id, code, control);
  }

 private:
  CCheckWnd& note_;
};

}  // namespace

void ShowStyleValues(HWND page, const StyleValues& v, StyleWorking& working) {
  for (int bit = 0; bit < 3; ++bit) SetChecked(page, IDC_STYLE_FRAME + bit, v.style & (1 << bit));
  SetChecked(page, IDC_STYLE_BAR, v.barShown);
  SetRadioIndex(page, IDC_STYLE_BAR_TOP, IDC_STYLE_BAR_BOTTOM, v.barBottom ? 1 : 0);
  FillFontList(page, IDC_STYLE_FONT, v.face);
  SendDlgItemMessageW(page, IDC_STYLE_FONT, CB_LIMITTEXT, 31, 0);
  working.colours[kBack] = v.background;
  // A see-through note shows full opacity, ready for when the box is cleared.
  const int alpha = v.alpha < 0 ? 255 : v.alpha;
  SetChecked(page, IDC_STYLE_SEE_THROUGH, v.alpha < 0);
  LimitText(page, IDC_STYLE_ALPHA, 3);
  LimitText(page, IDC_STYLE_ALPHA2, 3);
  SetSpin(page, IDC_STYLE_ALPHA_SPIN, 0, 255, alpha);
  SetSpin(page, IDC_STYLE_ALPHA2_SPIN, 0, 255, v.alpha2 < 0 ? alpha : v.alpha2);
  SetRadioIndex(page, IDC_STYLE_TDIV1, IDC_STYLE_TDIV2, v.gradientKind == 1 ? 0 : 1);
  working.colours[kBar0] = v.barColour0;
  working.colours[kBar1] = v.barColour1;
  working.colours[kTitle] = v.titleColour;
  working.colours[kShadow] = v.shadowColour;
  SetChecked(page, IDC_STYLE_TSHADOW, v.titleShadow);
  SetComboItems(page, IDC_STYLE_TBORDER,
                {"なし", "境界1", "境界2", "境界3", "縁A1", "縁A2", "縁A3", "縁B1", "縁B2", "縁B3"},
                std::clamp(v.borderKind, 0, 9));
  working.colours[kBorder] = v.borderColour;
  working.colours[kHeading] = v.headingColour;
  ShowSize(page, IDC_STYLE_SIZE_H, IDC_STYLE_SIZE_H_SPIN, v.headingSize);
  ShowFontBits(page, IDC_STYLE_BOLD_H, IDC_STYLE_ITALIC_H, v.headingBits);
  working.colours[kDetail] = v.detailColour;
  ShowSize(page, IDC_STYLE_SIZE_B, IDC_STYLE_SIZE_B_SPIN, v.detailSize);
  ShowFontBits(page, IDC_STYLE_BOLD_B, IDC_STYLE_ITALIC_B, v.detailBits);
  SetChecked(page, IDC_STYLE_BY_STATE, v.byState);
}

StyleValues ReadStyleValues(HWND page, const StyleWorking& working) {
  StyleValues v;
  v.style = 0;
  for (int bit = 0; bit < 3; ++bit)
    if (IsChecked(page, IDC_STYLE_FRAME + bit)) v.style |= 1 << bit;
  v.barShown = IsChecked(page, IDC_STYLE_BAR);
  v.barBottom = IsChecked(page, IDC_STYLE_BAR_BOTTOM);
  v.face = GetControlText(page, IDC_STYLE_FONT, 31);
  v.background = working.colours[kBack];
  const bool seeThrough = IsChecked(page, IDC_STYLE_SEE_THROUGH);
  v.alpha = seeThrough ? -1 : NumberOf(page, IDC_STYLE_ALPHA, 0, 255);
  v.alpha2 = seeThrough ? -1 : NumberOf(page, IDC_STYLE_ALPHA2, 0, 255);
  v.gradientKind = IsChecked(page, IDC_STYLE_TDIV1) ? 1 : 2;
  v.barColour0 = working.colours[kBar0];
  v.barColour1 = working.colours[kBar1];
  v.titleColour = working.colours[kTitle];
  v.shadowColour = working.colours[kShadow];
  v.titleShadow = IsChecked(page, IDC_STYLE_TSHADOW);
  v.borderKind = std::max(ComboIndex(page, IDC_STYLE_TBORDER), 0);
  v.borderColour = working.colours[kBorder] & 0xFFFFFF;
  const int low = std::min(MinimumFontSize(), 64);
  v.headingColour = working.colours[kHeading];
  v.headingSize = NumberOf(page, IDC_STYLE_SIZE_H, low, 64);
  v.headingBits = FontBits(page, IDC_STYLE_BOLD_H, IDC_STYLE_ITALIC_H);
  v.detailColour = working.colours[kDetail];
  v.detailSize = NumberOf(page, IDC_STYLE_SIZE_B, low, 64);
  v.detailBits = FontBits(page, IDC_STYLE_BOLD_B, IDC_STYLE_ITALIC_B);
  v.byState = IsChecked(page, IDC_STYLE_BY_STATE);
  return v;
}

std::string ReadRecord(ProfileStore& store, const char* key) {
  return NormalisedRecord(store.ReadString(key, "", 20));
}

void StylePageBase::EnableAlphaEdits() {
  const bool on = !IsChecked(Window(), IDC_STYLE_SEE_THROUGH);
  for (int id = IDC_STYLE_ALPHA; id <= IDC_STYLE_ALPHA2_SPIN; ++id)
    EnableWindow(GetDlgItem(Window(), id), on);
}

bool StylePageBase::OnCommand(int id, int code, HWND control) {
  // Sub-dialogs belong to the whole dialog, not to the page inside it.
  HWND owner = GetAncestor(Window(), GA_ROOT);
  if (id >= IDC_STYLE_BAR_COLOUR0 && id <= IDC_STYLE_BORDER_COLOUR) {
    if (PickColour(owner, working_.colours[static_cast<std::size_t>(id - IDC_STYLE_BAR_COLOUR0)]))
      InvalidateRect(control, nullptr, TRUE);
  } else if (id == IDC_STYLE_SEE_THROUGH) {
    EnableAlphaEdits();
  } else if (id == IDC_STYLE_STATE_COLOURS) {
    RunStateColourDialog(owner, working_.states);
  } else if (id == IDC_STYLE_DECORATIONS) {
    RunDecorationDialog(owner, working_.pens);
  } else {
    return DialogBase::OnCommand(id, code, control);
  }
  return true;
}

INT_PTR StylePageBase::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  const int id = static_cast<int>(wParam);
  handled = message == WM_DRAWITEM && id >= IDC_STYLE_BAR_COLOUR0 && id <= IDC_STYLE_BORDER_COLOUR;
  if (!handled) return FALSE;
  DrawColourSwatch(
      *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam),
      static_cast<COLORREF>(working_.colours[static_cast<std::size_t>(id - IDC_STYLE_BAR_COLOUR0)]));
  return TRUE;
}

std::unique_ptr<DialogBase> MakeNoteStylePage(CCheckWnd& note) {
  return std::make_unique<NoteStylePage>(note);
}

}  // namespace varnel::win
