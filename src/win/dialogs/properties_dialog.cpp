#include "win/dialogs/properties_dialog.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "win/app/app_state.h"
#include "win/dialogs/properties_pages.h"
#include "win/dialogs/style_page.h"
#include "win/dialogs/tab_pages.h"
#include "win/note/check_wnd.h"
#include "win/platform/text_convert.h"

namespace varnel::win {
namespace {

class PropertiesDialog : public DialogBase {
 public:
  PropertiesDialog(CCheckWnd& note, PropertiesKind kind, int heading, int row)
      : note_(note), kind_(kind), heading_(heading), row_(row) {}

 protected:
  BOOL OnInit() override {
    // The settings container's own buttons have no use here.
    for (int id : {3826, 3080})
      if (HWND button = GetDlgItem(Window(), id)) ShowWindow(button, SW_HIDE);
    SetWindowTextW(Window(), ToWide(note_.Content().title).c_str());
    SetWindowPos(Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    tabs_ = std::make_unique<TabPages>(Window());
    const bool headings = !note_.HideHeadingRows();
    if (auto style = MakeNoteStylePage(note_)) Add("全体", std::move(style), L"PDLGW");
    if (kind_ == PropertiesKind::kNote) {
      Add("全体２", std::make_unique<PositionSchedulePage>(note_), L"PDLGS");
      if (headings) Add("見出一覧", std::make_unique<HeadingListPage>(note_), L"PDLGL");
    } else {
      if (headings) Add("見出", std::make_unique<HeadingPage>(note_, heading_), L"PDLGH");
      if (kind_ == PropertiesKind::kDetail) Add("明細", std::make_unique<DetailPage>(note_, row_), L"PDLGB");
    }
    // A note opens on its first page, a heading or detail on its own (the last).
    tabs_->Select(kind_ == PropertiesKind::kNote ? 0 : tabs_->Count() - 1);
    return TRUE;
  }

  bool OnCommand(int id, int, HWND) override {
    if (id != kOkButton && id != kCancelButton && id != IDOK && id != IDCANCEL) return false;
    const bool ok = id == kOkButton || id == IDOK;
    tabs_->Close(ok);
    End(ok ? IDOK : IDCANCEL);
    return true;
  }

  INT_PTR OnMessage(UINT message, WPARAM, LPARAM lParam, bool& handled) override {
    handled = message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->idFrom == IDC_TABS &&
              reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE;
    if (handled) tabs_->OnSelectionChanged();
    return FALSE;
  }

 private:
  void Add(const char* caption, std::unique_ptr<DialogBase> page, const wchar_t* templateName) {
    if (HWND window = page->CreateChild(templateName, Window())) {
      tabs_->Add(caption, window);
      pages_.push_back(std::move(page));
    }
  }

  CCheckWnd& note_;
  PropertiesKind kind_;
  int heading_, row_;
  std::unique_ptr<TabPages> tabs_;
  std::vector<std::unique_ptr<DialogBase>> pages_;
};

}  // namespace

INT_PTR OpenNoteProperties(CCheckWnd& note, PropertiesKind kind, int heading, int row, HWND owner) {
  PropertiesDialog dialog(note, kind, heading, row);
  return dialog.RunModal(L"BASEDLG", owner ? owner : note.Window(), &App().busy.properties);
}

}  // namespace varnel::win
