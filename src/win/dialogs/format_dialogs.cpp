#include "win/dialogs/format_dialogs.h"

#include <vector>

#include "core/note/format_record.h"
#include "win/app/app_state.h"
#include "win/dialogs/dialog_base.h"
#include "win/dialogs/dialog_controls.h"

namespace varnel::win {
namespace {

// One row of controls per record; the state colour rows add the enable box
// and the day edit.
class FormatDialog : public DialogBase {
 public:
  FormatDialog(std::vector<StateColour> records, bool states)
      : records_(std::move(records)), states_(states) {}
  const std::vector<StateColour>& Records() const { return records_; }

 protected:
  BOOL OnInit() override {
    HWND dialog = Window();
    // The dialog opens over a topmost container: it must not hide behind it.
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    colours_.resize(records_.size() * 2);
    const int minHeight = MinimumFontSize();
    const int detailSize = App().options->ReadNoteOption(nullptr, "SizeB");
    for (int r = 0; r < Count(); ++r) {
      const StateColour& record = records_[static_cast<std::size_t>(r)];
      const FormatRecord f = DecodeFormatRecord(record.spec, detailSize, minHeight);
      if (states_) {
        SetChecked(dialog, IDC_RECORD_ENABLE + r, f.inForce);
        LimitText(dialog, IDC_RECORD_DAY + 10 * r, 5);
        FilterSignedNumber(dialog, IDC_RECORD_DAY + 10 * r);
        SetControlText(dialog, IDC_RECORD_DAY + 10 * r, DayLimitText(record.dayLimit));
      }
      colours_[2 * r] = f.textColour;
      colours_[2 * r + 1] = f.backColour;
      SetChecked(dialog, IDC_RECORD_TEXT + 2 * r, f.ownText);
      SetChecked(dialog, IDC_RECORD_BACK + 2 * r, f.ownBack);
      SetChecked(dialog, IDC_RECORD_HEIGHT_ON + 10 * r, f.ownHeight);
      LimitText(dialog, IDC_RECORD_HEIGHT + 10 * r, 3);
      SetSpin(dialog, IDC_RECORD_HEIGHT_SPIN + 10 * r, minHeight, 64, f.height);
      SetChecked(dialog, IDC_RECORD_BOLD + 10 * r, f.bold);
      SetChecked(dialog, IDC_RECORD_ITALIC + 10 * r, f.italic);
      EnableSwatches(r);
    }
    return TRUE;
  }

  bool OnCommand(int id, int code, HWND control) override {
    const int boxes = 2 * Count();
    if (id >= IDC_RECORD_TEXT && id < IDC_RECORD_TEXT + boxes) {
      EnableSwatches((id - IDC_RECORD_TEXT) / 2);
      return true;
    }
    if (id >= IDC_RECORD_TEXT_SWATCH && id < IDC_RECORD_TEXT_SWATCH + boxes) {
      int& colour = colours_[static_cast<std::size_t>(id - IDC_RECORD_TEXT_SWATCH)];
      if (PickColour(Window(), colour)) InvalidateRect(control, nullptr, TRUE);
      return true;
    }
    if (id == kOkButton || id == IDOK) {
      Collect();
      End(IDOK);
      return true;
    }
    return DialogBase::OnCommand(id, code, control);
  }

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override {
    handled = message == WM_DRAWITEM;
    if (!handled) return FALSE;
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const int index = static_cast<int>(wParam) - IDC_RECORD_TEXT_SWATCH;
    if (index >= 0 && index < static_cast<int>(colours_.size()))
      DrawColourSwatch(item, static_cast<COLORREF>(colours_[static_cast<std::size_t>(index)]));
    return TRUE;
  }

 private:
  int Count() const { return static_cast<int>(records_.size()); }

  void EnableSwatches(int r) {
    for (int side : {0, 1})
      EnableWindow(GetDlgItem(Window(), IDC_RECORD_TEXT_SWATCH + 2 * r + side),
                   IsChecked(Window(), IDC_RECORD_TEXT + 2 * r + side));
  }

  void Collect() {
    HWND dialog = Window();
    const int minHeight = MinimumFontSize();
    for (int r = 0; r < Count(); ++r) {
      StateColour& record = records_[static_cast<std::size_t>(r)];
      FormatRecord f;
      f.inForce = states_ && IsChecked(dialog, IDC_RECORD_ENABLE + r);
      f.ownText = IsChecked(dialog, IDC_RECORD_TEXT + 2 * r);
      f.textColour = colours_[2 * r];
      f.ownBack = IsChecked(dialog, IDC_RECORD_BACK + 2 * r);
      f.backColour = colours_[2 * r + 1];
      f.ownHeight = IsChecked(dialog, IDC_RECORD_HEIGHT_ON + 10 * r);
      f.height = static_cast<int>(ParseNumber(GetControlText(dialog, IDC_RECORD_HEIGHT + 10 * r, 8)));
      f.bold = IsChecked(dialog, IDC_RECORD_BOLD + 10 * r);
      f.italic = IsChecked(dialog, IDC_RECORD_ITALIC + 10 * r);
      if (!states_) {
        // A decoration keeps whatever else its char 3 held.
        f.inForce = DecodeFormatRecord(record.spec, 0, 0).inForce;
      } else {
        record.dayLimit = ParseDayLimit(GetControlText(dialog, IDC_RECORD_DAY + 10 * r, 8));
      }
      record.spec = EncodeFormatRecord(record.spec, f, minHeight);
    }
  }

  std::vector<StateColour> records_;
  std::vector<int> colours_;  // text, back of record 0, then of record 1, ...
  bool states_;
};

}  // namespace

bool RunStateColourDialog(HWND owner, std::array<StateColour, 4>& records) {
  FormatDialog dialog(std::vector<StateColour>(records.begin(), records.end()), true);
  if (dialog.RunModal(L"CCOLORDLG", owner, nullptr) != IDOK) return false;
  for (std::size_t i = 0; i < records.size(); ++i) records[i] = dialog.Records()[i];
  return true;
}

bool RunDecorationDialog(HWND owner, std::array<std::string, 2>& decorations) {
  std::vector<StateColour> records(decorations.size());
  for (std::size_t i = 0; i < decorations.size(); ++i) records[i].spec = decorations[i];
  FormatDialog dialog(std::move(records), false);
  if (dialog.RunModal(L"PENDLG", owner, nullptr) != IDOK) return false;
  for (std::size_t i = 0; i < decorations.size(); ++i) decorations[i] = dialog.Records()[i].spec;
  return true;
}

}  // namespace varnel::win
