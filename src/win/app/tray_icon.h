// The notification-area icon of the hidden main window.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

namespace varnel::win {

constexpr UINT kTrayCallback = WM_USER;

class TrayIcon {
 public:
  TrayIcon() = default;
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Fills the record for owner and loads the icon; state becomes 1.
  void Create(HINSTANCE instance, HWND owner);
  bool Add();
  void Remove();
  int State() const { return state_; }

 private:
  NOTIFYICONDATAW data_{};
  HIMAGELIST images_ = nullptr;
  int state_ = 0;
};

}  // namespace varnel::win
