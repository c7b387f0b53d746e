#include "win/dialogs/settings_dialog.h"

#include <commctrl.h>

#include <optional>
#include <vector>

#include "win/app/app_state.h"
#include "win/dialogs/dialog_controls.h"
#include "win/dialogs/general_page.h"
#include "win/dialogs/menu_page.h"
#include "win/dialogs/note_list_page.h"
#include "win/dialogs/style_page.h"
#include "win/dialogs/tab_pages.h"

namespace varnel::win {
namespace {

// The pages in tab order. The defaults page is tab 1: the container's
// "*作成済付箋に適用" and "除背景" belong to it.
const SettingsPageDef kPages[] = {
    {"全般", L"ODLG0", MakeGeneralPage},      {"規定値", L"ODLG1", MakeDefaultsPage},
    {"付箋一覧", L"ODLG2", MakeNoteListPage}, {"削除付箋", L"ODLG3", MakeDeletedNotesPage},
    {"ﾒﾆｭｰ", L"ODLG4", MakeMenuPage},
};
constexpr int kDefaultsTab = 1;

class SettingsDialog : public DialogBase {
 protected:
  BOOL OnInit() override {
    HWND dialog = Window();
    tabs_.emplace(dialog);
    for (const SettingsPageDef& def : kPages) {
      pages_.push_back(def.make());
      tabs_->Add(def.caption, pages_.back()->CreateChild(def.templateName, dialog));
    }
    tabs_->Select(0);
    ShowDefaultsButtons();
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return TRUE;
  }

  bool OnCommand(int id, int code, HWND control) override {
    if (id == kOkButton || id == IDOK || id == kCancelButton || id == IDCANCEL) {
      const bool ok = id == kOkButton || id == IDOK;
      tabs_->Close(ok);
      End(ok ? IDOK : IDCANCEL);
      return true;
    }
    if (id == IDC_SETTINGS_APPLY_NOTES) {
      const LPARAM mode = IsChecked(Window(), IDC_SETTINGS_EXCEPT_BACK) ? 2 : 1;
      SendMessageW(pages_[kDefaultsTab]->Window(), WM_COMMAND, kApplyToNotesCommand, mode);
      return true;
    }
    return DialogBase::OnCommand(id, code, control);
  }

  INT_PTR OnMessage(UINT message, WPARAM, LPARAM lParam, bool& handled) override {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    handled = message == WM_NOTIFY && header->idFrom == IDC_TABS && header->code == TCN_SELCHANGE;
    if (handled) {
      tabs_->OnSelectionChanged();
      ShowDefaultsButtons();
    }
    return FALSE;
  }

 private:
  void ShowDefaultsButtons() {
    const bool defaults = SendDlgItemMessageW(Window(), IDC_TABS, TCM_GETCURSEL, 0, 0) == kDefaultsTab;
    for (int id : {IDC_SETTINGS_APPLY_NOTES, IDC_SETTINGS_EXCEPT_BACK})
      ShowWindow(GetDlgItem(Window(), id), defaults ? SW_SHOW : SW_HIDE);
  }

  std::optional<TabPages> tabs_;
  std::vector<std::unique_ptr<DialogBase>> pages_;
};

}  // namespace

int RunSettingsDialog(HWND owner) {
  SettingsDialog dialog;
  return dialog.RunModal(L"BASEDLG", owner, &App().busy.settings) == IDOK ? 1 : 0;
}

}  // namespace varnel::win
