#include "win/dialogs/tab_pages.h"

#include <commctrl.h>

#include "win/dialogs/dialog_base.h"
#include "win/platform/text_convert.h"

namespace varnel::win {

void TabPages::Add(const std::string& caption, HWND page) {
  HWND tabs = Tabs();
  std::wstring text = ToWide(caption);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  SendMessageW(tabs, TCM_INSERTITEMW, pages_.size(), reinterpret_cast<LPARAM>(&item));
  pages_.push_back(page);
  // The display area, in the dialog's client co-ordinates.
  RECT area{};
  GetWindowRect(tabs, &area);
  SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&area), 2);
  SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOACTIVATE);
  ShowWindow(page, pages_.size() == 1 ? SW_SHOW : SW_HIDE);
}

void TabPages::Select(int index) {
  if (index < 0 || index >= Count()) return;
  SendMessageW(Tabs(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  OnSelectionChanged();
}

void TabPages::OnSelectionChanged() {
  const auto selected = static_cast<std::size_t>(SendMessageW(Tabs(), TCM_GETCURSEL, 0, 0));
  for (std::size_t i = 0; i < pages_.size(); ++i) ShowWindow(pages_[i], i == selected ? SW_SHOW : SW_HIDE);
}

void TabPages::Close(bool ok) const {
  const WPARAM id = ok ? kOkButton : kCancelButton;
  for (HWND page : pages_) SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

}  // namespace varnel::win
