#include "win/dialogs/alarm_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>

#include "core/features/detail_alarm.h"
#include "resource.h"
#include "win/app/alarm_check.h"
#include "win/app/app_state.h"
#include "win/app/message_box.h"
#include "win/dialogs/dialog_base.h"
#include "win/dialogs/dialog_controls.h"
#include "win/note/check_wnd.h"
#include "win/platform/local_time.h"
#include "win/platform/sound.h"
#include "win/platform/text_convert.h"

namespace varnel::win {
namespace {

constexpr UINT_PTR kClockTimer = 102;

std::int64_t Absolute(const DateTime& t) { return LocalAlarmClock().toAbsolute(t); }

DateTime LocalAt(std::int64_t absolute) {
  const auto seconds = static_cast<time_t>(absolute);
  std::tm tm{};
  localtime_s(&tm, &seconds);
  DateTime t;
  t.year = static_cast<std::uint16_t>(tm.tm_year + 1900);
  t.month = static_cast<std::uint16_t>(tm.tm_mon + 1);
  t.day = static_cast<std::uint16_t>(tm.tm_mday);
  t.dayOfWeek = static_cast<std::uint16_t>(tm.tm_wday);
  t.hour = static_cast<std::uint16_t>(tm.tm_hour);
  t.minute = static_cast<std::uint16_t>(tm.tm_min);
  t.second = static_cast<std::uint16_t>(tm.tm_sec);
  return t;
}

void SetPickerFormat(HWND dialog, int id, const wchar_t* format) {
  SendDlgItemMessageW(dialog, id, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format));
}

class AlarmWindow : public DialogBase {
 public:
  AlarmWindow(int slotIndex, std::string title) : slot_(slotIndex), title_(std::move(title)) {}

 protected:
  BOOL OnInit() override {
    HWND dialog = Window();
    SetWindowTextW(dialog, ToWide(title_).c_str());
    SetPickerFormat(dialog, IDC_ALARM_TIME, L"HH':'mm':'ss");
    SetChecked(dialog, IDC_ALARM_CLOCK_ON, true);
    SetChecked(dialog, IDC_ALARM_SNOOZE, true);
    ShowClock();
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetTimer(dialog, kClockTimer, 100, nullptr);
    if (slot_ >= 0) {
      StartRinging();
    } else {
      ShowRinging(false);
      ArmSnooze();
    }
    SetForegroundWindow(dialog);
    return TRUE;
  }

  bool OnCommand(int id, int code, HWND control) override {
    if (id == IDC_ALARM_STOP) {
      if (bell_.Ringing()) StopRinging();
      return true;
    }
    if (id == IDC_OK || id == IDOK || id == IDC_CANCEL || id == IDCANCEL) {
      Close();
      return true;
    }
    return DialogBase::OnCommand(id, code, control);
  }

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM, bool& handled) override {
    handled = false;
    if (message == WM_TIMER && wParam == kClockTimer) {
      OnTick();
      handled = true;
    } else if (message == WM_DESTROY) {
      // Every way out (an exit ends the modal loop too) stops the ringing.
      KillTimer(Window(), kClockTimer);
      if (bell_.Ringing()) StopRinging();
    }
    return FALSE;
  }

 private:
  void ShowClock() {
    const DateTime now = LocalNow();
    char text[64];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d   %02d/%02d(%s)", now.hour, now.minute, now.second,
                  now.month, now.day, WeekdayNameEnglish(now.dayOfWeek));
    SetControlText(Window(), IDC_ALARM_CLOCK, text);
  }

  void OnTick() {
    HWND dialog = Window();
    if (IsChecked(dialog, IDC_ALARM_CLOCK_ON)) ShowClock();
    const std::int64_t now = Absolute(LocalNow());
    // The user may have moved the snooze time in the picker.
    if (!bell_.Ringing()) bell_.snoozeAt = Absolute(GetPickerTime(dialog, IDC_ALARM_TIME));
    switch (bell_.Tick(now, IsChecked(dialog, IDC_ALARM_SNOOZE))) {
      case AlarmBell::kStop:
        StopRinging();
        break;
      case AlarmBell::kRing:
        StartRinging();
        break;
      case AlarmBell::kKeep:
        break;
    }
  }

  void StartRinging() {
    const GlobalOptions& o = *App().options;
    bell_.Start(Absolute(LocalNow()), o.alarmTime);
    looping_ = o.alarmTime != -1;
    if (o.alarm > 0) PlaySoundChoice(o.alarm, o.alarmFile, looping_);
    Flash(FLASHW_ALL | FLASHW_TIMER);
    ShowRinging(true);
  }

  void StopRinging() {
    if (looping_) StopSound();  // a single play is left to finish
    Flash(FLASHW_STOP);
    ShowRinging(false);
    ArmSnooze();
  }

  void ArmSnooze() {
    bell_.StopAndArm(Absolute(LocalNow()), App().options->snooze);
    SetPickerTime(Window(), IDC_ALARM_TIME, LocalAt(bell_.snoozeAt));
  }

  // Stop is offered only while there is something to stop.
  void ShowRinging(bool ringing) {
    HWND stop = GetDlgItem(Window(), IDC_ALARM_STOP);
    if (!ringing && GetFocus() == stop) SendMessageW(Window(), WM_NEXTDLGCTL, 0, FALSE);
    EnableWindow(stop, ringing);
  }

  void Flash(DWORD flags) {
    FLASHWINFO info{sizeof info, Window(), flags, 0, 200};
    FlashWindowEx(&info);
  }

  void Close() {
    KillTimer(Window(), kClockTimer);
    if (bell_.Ringing()) StopRinging();
    End(IDOK);
  }

  int slot_;
  std::string title_;
  AlarmBell bell_;
  bool looping_ = false;
};

constexpr int kDayBoxes = 9;  // 1110..1118: flag bits 0..8

class AlarmSetDialog : public DialogBase {
 public:
  AlarmSetDialog(CCheckWnd& note, int row, int* pageState)
      : note_(note), slot_(note.Slot()), row_(row), pageState_(pageState) {}

 protected:
  BOOL OnInit() override {
    HWND dialog = Window();
    SetPickerFormat(dialog, IDC_ALARM_TIME, L"HH':'mm':'ss");
    SetPickerFormat(dialog, IDC_ALARM_DATE, L"MM'/'dd'('ddd')'");
    const DateTime now = LocalNow();
    Date first{}, last{};
    AlarmDateRange(Date{now.year, now.month, now.day}, first, last);
    SYSTEMTIME range[2] = {ToSystemTime(At(first, 0, 0, 0)), ToSystemTime(At(last, 23, 59, 59))};
    SendDlgItemMessageW(dialog, IDC_ALARM_DATE, DTM_SETRANGE, GDTR_MIN | GDTR_MAX,
                        reinterpret_cast<LPARAM>(range));

    std::string record;
    const int state = DetailAlarmState(note_.Content(), row_, &record);
    const AlarmForm form = AlarmFormOfRecord(record);
    SetPickerTime(dialog, IDC_ALARM_TIME,
                  At(Date{now.year, now.month, now.day}, form.hour, form.minute, form.second));
    // A date outside the range (a past one) leaves the picker on today.
    if (form.dated) SetPickerTime(dialog, IDC_ALARM_DATE, At(form.date, 0, 0, 0));
    SetChecked(dialog, IDC_ALARM_DATED, form.dated);
    for (int i = 0; i < kDayBoxes; ++i) SetChecked(dialog, IDC_ALARM_MONDAY + i, (form.days >> i) & 1);
    SetRadioIndex(dialog, IDC_ALARM_DIALOG, IDC_ALARM_COMMAND, form.runsCommand ? 1 : 0);
    SetRadioIndex(dialog, IDC_ALARM_STATE_NONE, IDC_ALARM_STATE_OFF, pageState_ ? *pageState_ : state);
    UpdateEnabling();
    return TRUE;
  }

  bool OnCommand(int id, int code, HWND control) override {
    HWND dialog = Window();
    if (id == IDC_ALARM_DATED) {
      UpdateEnabling();
      return true;
    }
    if (id == IDC_ALARM_HOLIDAYS || id == IDC_ALARM_NOT_HOLIDAYS) {
      // 祝 and 祝日を除く exclude each other.
      const int other = id == IDC_ALARM_HOLIDAYS ? IDC_ALARM_NOT_HOLIDAYS : IDC_ALARM_HOLIDAYS;
      if (IsChecked(dialog, id)) SetChecked(dialog, other, false);
      UpdateEnabling();
      return true;
    }
    if (id == IDC_OK || id == IDOK) {
      Apply();
      End(IDOK);
      return true;
    }
    return DialogBase::OnCommand(id, code, control);
  }

 private:
  static DateTime At(const Date& d, int h, int m, int s) {
    DateTime t;
    t.year = static_cast<std::uint16_t>(d.year);
    t.month = static_cast<std::uint16_t>(d.month);
    t.day = static_cast<std::uint16_t>(d.day);
    t.dayOfWeek = static_cast<std::uint16_t>(WeekdayOfDate(d.year, d.month, d.day));
    t.hour = static_cast<std::uint16_t>(h);
    t.minute = static_cast<std::uint16_t>(m);
    t.second = static_cast<std::uint16_t>(s);
    return t;
  }

  void UpdateEnabling() {
    HWND dialog = Window();
    const bool dated = IsChecked(dialog, IDC_ALARM_DATED);
    EnableWindow(GetDlgItem(dialog, IDC_ALARM_DATE), dated);
    for (int i = 0; i < kDayBoxes; ++i) EnableWindow(GetDlgItem(dialog, IDC_ALARM_MONDAY + i), !dated);
    if (dated) return;
    EnableWindow(GetDlgItem(dialog, IDC_ALARM_HOLIDAYS), !IsChecked(dialog, IDC_ALARM_NOT_HOLIDAYS));
    EnableWindow(GetDlgItem(dialog, IDC_ALARM_NOT_HOLIDAYS), !IsChecked(dialog, IDC_ALARM_HOLIDAYS));
  }

  void Apply() {
    HWND dialog = Window();
    // The note may have been deleted meanwhile (a hot key reaches the program).
    if (App().slots[static_cast<std::size_t>(slot_)] != &note_) return;
    AlarmForm form;
    const DateTime time = GetPickerTime(dialog, IDC_ALARM_TIME);
    form.hour = time.hour;
    form.minute = time.minute;
    form.second = time.second;
    form.dated = IsChecked(dialog, IDC_ALARM_DATED);
    const DateTime date = GetPickerTime(dialog, IDC_ALARM_DATE);
    form.date = Date{date.year, date.month, date.day};
    for (int i = 0; i < kDayBoxes; ++i)
      if (IsChecked(dialog, IDC_ALARM_MONDAY + i)) form.days |= 1u << i;
    form.runsCommand = RadioIndex(dialog, IDC_ALARM_DIALOG, IDC_ALARM_COMMAND) == 1;
    const int state = (std::max)(RadioIndex(dialog, IDC_ALARM_STATE_NONE, IDC_ALARM_STATE_OFF), 0);
    const std::string record = RecordOfAlarmForm(form);
    if (pageState_) {
      // The page applies the state when it closes.
      *pageState_ = state;
      SetDetailAlarm(note_.Content(), -1, record, -1);
      return;
    }
    if (!SetDetailAlarm(note_.Content(), row_, record, state)) ShowMessage(dialog, 0, kAlarmFailed);
    note_.Repaint();
  }

  CCheckWnd& note_;
  int slot_;
  int row_;
  int* pageState_;
};

}  // namespace

int ShowAlarmWindow(HWND owner, int slotIndex) {
  AppState& app = App();
  // The title is read before the detail's alarm is marked fired.
  const std::string title = AlarmWindowTitle(slotIndex >= 0 ? AlarmDetailText(slotIndex) : std::string());
  if (!app.alarms->OpenWindow(slotIndex, NoteAlarmActions())) return 0;
  AlarmWindow window(slotIndex, title);
  window.RunModal(L"ALARMDLG", owner, nullptr);
  app.alarms->CloseWindow();
  return 1;
}

int ShowAlarmSetDialog(HWND owner, unsigned int parameter, int* pageState) {
  AppState& app = App();
  const unsigned int slot = parameter & 0xFFFF, row = parameter >> 16;
  if (slot >= static_cast<unsigned>(kSlotCount) || !app.slots[slot]) return 0;
  CCheckWnd& note = *app.slots[slot];
  const bool fromPage = row == 0xFFFF;
  const int listRow = fromPage ? -1 : static_cast<int>(row);
  AlarmSetDialog dialog(note, listRow, fromPage ? pageState : nullptr);
  return static_cast<int>(dialog.RunModal(L"ALARMSETDLG", owner, nullptr));
}

}  // namespace varnel::win
