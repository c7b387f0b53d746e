// The tabbed container of the settings and properties dialogs: the tab
// control (1000) of a dialog, one child page per tab in its display area, and
// the close that tells every page, in tab order, whether it was OK or Cancel.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "resource.h"

namespace varnel::win {

class TabPages {
 public:
  // dialog holds the tab control IDC_TABS.
  explicit TabPages(HWND dialog) : dialog_(dialog) {}

  // Adds a tab with caption (CP932) for page, a child of the dialog, placed in
  // the display area and shown only while its tab is selected.
  void Add(const std::string& caption, HWND page);
  void Select(int index);
  // TCN_SELCHANGE of the tab control: shows the page of the selected tab.
  void OnSelectionChanged();
  // Sends WM_COMMAND 11 (ok) or 12 to every page in tab order.
  void Close(bool ok) const;
  int Count() const { return static_cast<int>(pages_.size()); }

 private:
  HWND Tabs() const { return GetDlgItem(dialog_, IDC_TABS); }
  HWND dialog_;
  std::vector<HWND> pages_;
};

}  // namespace varnel::win
