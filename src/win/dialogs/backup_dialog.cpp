#include "win/dialogs/backup_dialog.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/config/backup.h"
#include "resource.h"
#include "win/app/app_state.h"
#include "win/app/backups.h"
#include "win/app/message_box.h"
#include "win/dialogs/dialog_base.h"
#include "win/dialogs/dialog_controls.h"
#include "win/platform/program_paths.h"
#include "win/platform/win_file_ops.h"

namespace varnel::win {
namespace {

constexpr std::size_t kTitlesShown = 3;
constexpr const char* kDialogsOpen = "開いている画面を閉じてから復元してください。　　";
constexpr const char* kNoBackups = "バックアップはまだありません。付箋を変えて次に起動したときに作られます。";

std::string TimeText(const DateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04u/%02u/%02u %02u:%02u:%02u", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

class BackupDialog : public DialogBase {
 public:
  std::string chosen;

 protected:
  BOOL OnInit() override {
    HWND list = GetDlgItem(Window(), IDC_BACKUP_LIST);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    RECT rc{};
    GetClientRect(list, &rc);
    const int timeWidth = 130, countWidth = 50;
    AddListColumn(list, 0, "日時", timeWidth);
    AddListColumn(list, 1, "付箋数", countWidth);
    AddListColumn(list, 2, "付箋の題名", rc.right - timeWidth - countWidth);
    backups_ = ListBackups(WinFileOps(), DataFolder(), kTitlesShown);
    for (std::size_t i = 0; i < backups_.size(); ++i) {
      const BackupSummary& b = backups_[i];
      const int row = static_cast<int>(i);
      std::string titles;
      for (const std::string& t : b.titles)
        titles += (titles.empty() ? "" : "、") + (t.empty() ? "(無題)" : t);
      if (static_cast<std::size_t>(b.notes) > b.titles.size()) titles += " ほか";
      AddListRow(list, row, TimeText(b.time), row);
      SetListText(list, row, 1, std::to_string(b.notes));
      SetListText(list, row, 2, titles);
    }
    if (backups_.empty()) {
      SetControlText(Window(), IDC_BACKUP_NOTE, kNoBackups);
      EnableWindow(GetDlgItem(Window(), kOkButton), FALSE);
    } else {
      SelectRow(list, 0);
    }
    return TRUE;
  }

  bool OnCommand(int id, int code, HWND control) override {
    if (id != kOkButton && id != IDOK) return DialogBase::OnCommand(id, code, control);
    const int row = SelectedRow(GetDlgItem(Window(), IDC_BACKUP_LIST));
    if (row < 0 || static_cast<std::size_t>(row) >= backups_.size()) return true;
    const BackupSummary& b = backups_[static_cast<std::size_t>(row)];
    const std::string ask =
        TimeText(b.time) + " の状態に付箋を戻しますか？\r\n今の付箋はバックアップしてから置き換えます。　　";
    if (ShowMessage(Window(), 2, ask) != IDYES) return true;
    chosen = b.name;
    End(IDOK);
    return true;
  }

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override {
    // A double click on a row is the restore button.
    const auto* n = reinterpret_cast<const NMHDR*>(lParam);
    if (message == WM_NOTIFY && wParam == IDC_BACKUP_LIST && n->code == NM_DBLCLK &&
        IsWindowEnabled(GetDlgItem(Window(), kOkButton))) {
      handled = true;
      OnCommand(kOkButton, BN_CLICKED, nullptr);
      return TRUE;
    }
    return DialogBase::OnMessage(message, wParam, lParam, handled);
  }

 private:
  std::vector<BackupSummary> backups_;
};

}  // namespace

void RunRestoreDialog(HWND owner) {
  AppState& app = App();
  if (app.busy.restore) return;
  if (app.modalDepth > 0) {
    ShowMessage(owner, 1, kDialogsOpen);
    return;
  }
  BackupDialog dialog;
  if (dialog.RunModal(L"BACKUPDLG", owner, &app.busy.restore) != IDOK || dialog.chosen.empty()) return;
  // An exit asked for while the dialog was open goes first.
  if (app.exitPending || app.tornDown) return;
  RestoreFromBackup(owner, dialog.chosen);
}

}  // namespace varnel::win
