#include "win/dialogs/general_page.h"

#include <string>
#include <vector>

#include "core/config/global_options.h"
#include "win/app/app_state.h"
#include "win/dialogs/dialog_controls.h"
#include "win/platform/sound.h"

namespace varnel::win {
namespace {

constexpr std::size_t kPathBytes = 259;  // what "SoundFile"/"AlarmFile" read back
constexpr int kMaxSeconds = 10800;
constexpr int kMinSnooze = 10;  // a shorter snooze would ring again before Stop is taken

const std::vector<std::string> kSoundChoices = {"なし",
                                                "ファイル指定",
                                                "ビープ音",
                                                "メッセージ (情報)",
                                                "メッセージ (問合わせ)",
                                                "メッセージ (警告)",
                                                "システムエラー"};

// "Cmd": bits 8.. the mode, 4..7 the steps of the combined action, 0..3 the arrangement.
constexpr int kCmdSteps[] = {IDC_GENERAL_CMD_AUTOSIZE, IDC_GENERAL_CMD_FOLD, IDC_GENERAL_CMD_DO_ARRANGE,
                             IDC_GENERAL_CMD_WIDTHS};

class GeneralPage : public DialogBase {
 protected:
  BOOL OnInit() override {
    HWND page = Window();
    GlobalOptions& o = *App().options;
    SetComboItems(page, IDC_GENERAL_SOUND, kSoundChoices, o.sound);
    SetComboItems(page, IDC_GENERAL_ALARM, kSoundChoices, o.alarm);
    LimitText(page, IDC_GENERAL_SOUND_FILE, kPathBytes);
    LimitText(page, IDC_GENERAL_ALARM_FILE, kPathBytes);
    SetControlText(page, IDC_GENERAL_SOUND_FILE, o.soundFile);
    SetControlText(page, IDC_GENERAL_ALARM_FILE, o.alarmFile);
    SetRadioIndex(page, IDC_GENERAL_AUTODEL_NONE, IDC_GENERAL_AUTODEL_CHECK, o.autoDel);
    Number(IDC_GENERAL_TIMER, 3, 0, 600, o.ReadNoteOption(nullptr, "Timer"));
    Number(IDC_GENERAL_STIMER, 2, 0, 60, o.ReadNoteOption(nullptr, "STimer"));
    SetRadioIndex(page, IDC_GENERAL_ALARM_ONCE, IDC_GENERAL_ALARM_REPEAT, o.alarmTime < 0 ? 0 : 1);
    Number(IDC_GENERAL_ALARM_TIME, 6, 0, kMaxSeconds, o.alarmTime < 0 ? 60 : o.alarmTime);
    Number(IDC_GENERAL_SNOOZE, 6, kMinSnooze, kMaxSeconds, o.snooze);
    SetChecked(page, IDC_GENERAL_CKTYPE1, o.ckType1);
    SetChecked(page, IDC_GENERAL_CKTYPE2, o.ckType2);
    SetChecked(page, IDC_GENERAL_CKTYPE3, o.ckType3);
    const int cmd = o.ReadNoteOption(nullptr, "Cmd");
    SetComboItems(page, IDC_GENERAL_CMD_MODE, {"なし", "<複合>", "新規作成"}, cmd >> 8);
    for (int bit = 0; bit < 4; ++bit) SetChecked(page, kCmdSteps[bit], (cmd >> (4 + bit)) & 1);
    SetComboItems(page, IDC_GENERAL_CMD_ARRANGE,
                  {"整列(右上縦)", "整列(右上横)", "整列(左上縦)", "整列(左上横)", "整列(右下縦)",
                   "整列(右下横)", "整列(左下縦)", "整列(左下横)"},
                  cmd & 0x0F);
    SetComboItems(page, IDC_GENERAL_CMDW, {"なし", "明細追加(C)", "明細追加", "明細追加(D)"},
                  o.Store().ReadInt("CmdW", "2", 0, 3));
    SetChecked(page, IDC_GENERAL_PASTESIZE, o.pasteSize);
    SetChecked(page, IDC_GENERAL_DDLINE, o.ddLine);
    return TRUE;
  }

  bool OnCommand(int id, int, HWND) override {
    switch (id) {
      case kOkButton:
      case kCancelButton:
        StopSoundTest();
        if (id == kOkButton) Apply();
        return true;
      case IDC_GENERAL_SOUND_TEST:
        StopSoundTest();
        PlaySoundChoice(ComboIndex(Window(), IDC_GENERAL_SOUND), Path(IDC_GENERAL_SOUND_FILE), false);
        return true;
      case IDC_GENERAL_ALARM_TEST:
        AlarmTest();
        return true;
      case IDC_GENERAL_SOUND_BROWSE:
      case IDC_GENERAL_ALARM_BROWSE:
        ChooseWaveFile(id == IDC_GENERAL_SOUND_BROWSE ? IDC_GENERAL_SOUND_FILE : IDC_GENERAL_ALARM_FILE);
        return true;
      default:
        return false;
    }
  }

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM, bool& handled) override {
    // A looping test sound ends when the page is hidden (another tab) or goes.
    if ((message == WM_SHOWWINDOW && !wParam) || message == WM_DESTROY) StopSoundTest();
    handled = false;
    return FALSE;
  }

 private:
  void Number(int editId, std::size_t chars, int low, int high, int value) {
    LimitText(Window(), editId, chars);
    SetSpin(Window(), editId + 1, low, high, value);
  }

  std::string Path(int editId) const { return GetControlText(Window(), editId, kPathBytes); }

  // False when no looping test was running.
  bool StopSoundTest() {
    if (!looping_) return false;
    StopSound();
    looping_ = false;
    SetControlText(Window(), IDC_GENERAL_ALARM_TEST, "♪On");
    return true;
  }

  void AlarmTest() {
    if (StopSoundTest()) return;
    const int choice = ComboIndex(Window(), IDC_GENERAL_ALARM);
    if (choice <= 0) return;
    const bool loop = IsChecked(Window(), IDC_GENERAL_ALARM_REPEAT);
    if (!PlaySoundChoice(choice, Path(IDC_GENERAL_ALARM_FILE), loop) || !loop) return;
    looping_ = true;
    SetControlText(Window(), IDC_GENERAL_ALARM_TEST, "♪Off");
  }

  void ChooseWaveFile(int editId) {
    std::string path = Path(editId);
    if (ChooseFileToOpen(Window(), L"*.wav", L"wav", path)) SetControlText(Window(), editId, path);
  }

  void Apply() {
    HWND page = Window();
    GlobalOptions& o = *App().options;
    OptionValues next = o;
    next.sound = ComboIndex(page, IDC_GENERAL_SOUND);
    next.soundFile = Path(IDC_GENERAL_SOUND_FILE);
    next.autoDel = RadioIndex(page, IDC_GENERAL_AUTODEL_NONE, IDC_GENERAL_AUTODEL_CHECK);
    next.alarm = ComboIndex(page, IDC_GENERAL_ALARM);
    next.alarmFile = Path(IDC_GENERAL_ALARM_FILE);
    next.alarmTime = IsChecked(page, IDC_GENERAL_ALARM_ONCE)
                         ? -1
                         : GetControlNumber(page, IDC_GENERAL_ALARM_TIME, 0, kMaxSeconds);
    next.snooze = GetControlNumber(page, IDC_GENERAL_SNOOZE, kMinSnooze, kMaxSeconds);
    next.ckType1 = IsChecked(page, IDC_GENERAL_CKTYPE1);
    next.ckType2 = IsChecked(page, IDC_GENERAL_CKTYPE2);
    next.ckType3 = IsChecked(page, IDC_GENERAL_CKTYPE3);
    next.pasteSize = IsChecked(page, IDC_GENERAL_PASTESIZE);
    next.ddLine = IsChecked(page, IDC_GENERAL_DDLINE);
    // A choice left empty keeps what was there.
    if (next.sound < 0) next.sound = o.sound;
    if (next.alarm < 0) next.alarm = o.alarm;
    if (next.autoDel < 0) next.autoDel = o.autoDel;
    const int oldCmd = o.ReadNoteOption(nullptr, "Cmd");
    const int mode = ComboIndex(page, IDC_GENERAL_CMD_MODE),
              arrange = ComboIndex(page, IDC_GENERAL_CMD_ARRANGE);
    int cmd = (mode < 0 ? oldCmd >> 8 : mode) << 8 | (arrange < 0 ? oldCmd & 0x0F : arrange);
    for (int bit = 0; bit < 4; ++bit)
      if (IsChecked(page, kCmdSteps[bit])) cmd |= 1 << (4 + bit);
    const int cmdW = ComboIndex(page, IDC_GENERAL_CMDW);
    // "Timer" and "STimer" are written even unchanged: the timers restart at every OK.
    o.Apply(next,
            {OptionWrite::Set("Timer", std::to_string(GetControlNumber(page, IDC_GENERAL_TIMER, 0, 600))),
             OptionWrite::Set("STimer", std::to_string(GetControlNumber(page, IDC_GENERAL_STIMER, 0, 60))),
             OptionWrite::Set("Cmd", std::to_string(cmd)),
             OptionWrite::Set("CmdW", std::to_string(cmdW < 0 ? 2 : cmdW))});
  }

  bool looping_ = false;
};

}  // namespace

std::unique_ptr<DialogBase> MakeGeneralPage() { return std::make_unique<GeneralPage>(); }

}  // namespace varnel::win
