#include "win/dialogs/date_format_dialog.h"

#include <commctrl.h>

#include "core/features/date_codes.h"
#include "core/features/date_format_assist.h"
#include "core/features/date_formats.h"
#include "win/app/app_state.h"
#include "win/dialogs/dialog_base.h"
#include "win/dialogs/dialog_controls.h"
#include "win/platform/local_time.h"

namespace varnel::win {
namespace {

// Row ticks and code buttons in row order; a code button is its row's tick + 1.
constexpr int kRowTicks[] = {IDC_FMT_MOVE_ROW,    IDC_FMT_YEAR_ROW,  IDC_FMT_MONTH_ROW,      IDC_FMT_DAY_ROW,
                             IDC_FMT_WEEKDAY_ROW, IDC_FMT_COUNT_ROW, IDC_FMT_FIRST_COUNT_ROW};
constexpr int kFlagBoxes[] = {IDC_FMT_MOVE_BACK,        IDC_FMT_ERA,        IDC_FMT_MONTH_TWO,
                              IDC_FMT_DAY_TWO,          IDC_FMT_ENGLISH,    IDC_FMT_COUNT_BACK,
                              IDC_FMT_FIRST_COUNT_BACK, IDC_FMT_PARENTHESES};

class DateFormatDialog : public DialogBase {
 public:
  explicit DateFormatDialog(HWND page) : page_(page) {}

 protected:
  BOOL OnInit() override {
    HWND dialog = Window();
    LimitText(dialog, IDC_FMT_FORMAT, kAssistFormatBytes);
    LimitText(dialog, IDC_FMT_MOVE_DAYS, 3);
    for (int id : {IDC_FMT_COUNT_DATE, IDC_FMT_FIRST_COUNT_DATE})
      SendDlgItemMessageW(dialog, id, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"yyyy'/'MM'/'dd"));
    const DateFormatAssist a =
        ParseFmtDate(App().options->Store().ReadString("FmtDate", kDefaultFmtDate, 32));
    SetChecked(dialog, IDC_FMT_CONVERSION, a.forConversion);
    SetRadioIndex(dialog, IDC_FMT_SEP_NONE, IDC_FMT_SEP_DOT, a.separator);
    const bool flags[] = {a.moveBack, a.era,       a.monthTwoDigits, a.dayTwoDigits,
                          a.english,  a.countBack, a.firstCountBack, a.parentheses};
    for (std::size_t i = 0; i < std::size(kFlagBoxes); ++i) SetChecked(dialog, kFlagBoxes[i], flags[i]);
    SetSpin(dialog, IDC_FMT_MOVE_SPIN, 0, 999, a.moveDays);
    SetSpin(dialog, IDC_FMT_YEAR_SPIN, 1, a.era ? 2 : 4, a.yearDigits);
    // The start text last: its change shows the first preview.
    SetControlText(dialog, IDC_FMT_FORMAT,
                   GetControlText(page_, IDC_PROP_FORMATS, DateFormatList::kMaxFormatBytes));
    return TRUE;
  }

  bool OnCommand(int id, int code, HWND) override {
    HWND dialog = Window();
    if (id == IDC_FMT_FORMAT && code == EN_CHANGE) {
      ShowPreview();
    } else if (id == IDC_FMT_ERA) {
      SetSpin(dialog, IDC_FMT_YEAR_SPIN, 1, IsChecked(dialog, IDC_FMT_ERA) ? 2 : 4, Boxes().yearDigits);
    } else if (id == IDC_FMT_CLEAR) {
      SetControlText(dialog, IDC_FMT_FORMAT, "");
    } else if (id == IDC_FMT_GENERATE) {
      unsigned ticked = 0;
      for (std::size_t r = 0; r < std::size(kRowTicks); ++r)
        if (IsChecked(dialog, kRowTicks[r])) ticked |= 1u << r;
      SetControlText(dialog, IDC_FMT_FORMAT,
                     GenerateAssistFormat(ticked, Boxes(), PickerDate(IDC_FMT_COUNT_DATE),
                                          PickerDate(IDC_FMT_FIRST_COUNT_DATE)));
    } else if (const int row = CodeRow(id); row >= 0) {
      std::string format = GetControlText(dialog, IDC_FMT_FORMAT, kAssistFormatBytes);
      const auto r = static_cast<AssistRow>(row);
      const Date date =
          PickerDate(r == AssistRow::kFirstCount ? IDC_FMT_FIRST_COUNT_DATE : IDC_FMT_COUNT_DATE);
      if (AppendAssistCode(format, AssistCode(r, Boxes(), date)))
        SetControlText(dialog, IDC_FMT_FORMAT, format);
      else
        MessageBeep(MB_OK);  // the box is full
    } else if (id == kOkButton || id == kCancelButton || id == IDOK || id == IDCANCEL) {
      Close(id == kOkButton || id == IDOK);
    } else {
      return false;
    }
    return true;
  }

 private:
  static int CodeRow(int id) {
    for (std::size_t r = 0; r < std::size(kRowTicks); ++r)
      if (id == kRowTicks[r] + 1) return static_cast<int>(r);
    return -1;
  }

  Date PickerDate(int id) const {
    const DateTime t = GetPickerTime(Window(), id);
    return {t.year, t.month, t.day};
  }

  DateFormatAssist Boxes() const {
    HWND dialog = Window();
    DateFormatAssist a;
    a.forConversion = IsChecked(dialog, IDC_FMT_CONVERSION);
    const int separator = RadioIndex(dialog, IDC_FMT_SEP_NONE, IDC_FMT_SEP_DOT);
    a.separator = separator < 0 ? 4 : separator;
    bool* flags[] = {&a.moveBack, &a.era,       &a.monthTwoDigits, &a.dayTwoDigits,
                     &a.english,  &a.countBack, &a.firstCountBack, &a.parentheses};
    for (std::size_t i = 0; i < std::size(kFlagBoxes); ++i) *flags[i] = IsChecked(dialog, kFlagBoxes[i]);
    a.moveDays = static_cast<int>(ParseNumber(GetControlText(dialog, IDC_FMT_MOVE_DAYS, 8)));
    a.yearDigits = static_cast<int>(ParseNumber(GetControlText(dialog, IDC_FMT_YEAR_DIGITS, 8)));
    return a;
  }

  void ShowPreview() {
    std::string text = GetControlText(Window(), IDC_FMT_FORMAT, kAssistFormatBytes);
    DateTime now = LocalNow();
    ExpandDateCodes(now, text, kDateMath);
    SetControlText(Window(), IDC_FMT_PREVIEW, text);
  }

  void Close(bool ok) {
    const DateFormatAssist a = Boxes();
    App().options->Store().WriteString("FmtDate", FormatFmtDate(a).c_str());
    if (ok) {
      const std::string format = GetControlText(Window(), IDC_FMT_FORMAT, DateFormatList::kMaxFormatBytes);
      SetControlText(page_, IDC_PROP_FORMATS, format);
      if (a.forConversion) SetChecked(page_, IDC_PROP_CONVERSION, true);
    }
    End(ok ? IDOK : IDCANCEL);
  }

  HWND page_;
};

}  // namespace

INT_PTR OpenDateFormatAssistant(HWND page) {
  DateFormatDialog dialog(page);
  return dialog.RunModal(L"DATEFMTDLG", page, nullptr);
}

}  // namespace varnel::win
