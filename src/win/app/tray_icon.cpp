#include "win/app/tray_icon.h"

#include "resource.h"

namespace varnel::win {

TrayIcon::~TrayIcon() {
  if (data_.hIcon) DestroyIcon(data_.hIcon);
  if (images_) ImageList_Destroy(images_);
}

void TrayIcon::Create(HINSTANCE instance, HWND owner) {
  data_.cbSize = sizeof(data_);
  data_.hWnd = owner;
  data_.uID = 0;
  data_.uCallbackMessage = kTrayCallback;
  lstrcpynW(data_.szTip, L"Varnel", ARRAYSIZE(data_.szTip));
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  images_ = ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, 1, 0);
  if (images_) {
    ImageList_SetBkColor(images_, GetSysColor(COLOR_WINDOW));
    if (HICON icon =
            static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VARNEL), IMAGE_ICON, cx, cy, 0))) {
      ImageList_AddIcon(images_, icon);
      DestroyIcon(icon);
    }
  }
  state_ = 1;
}

bool TrayIcon::Add() {
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  if (data_.hIcon) DestroyIcon(data_.hIcon);
  data_.hIcon = images_ ? ImageList_GetIcon(images_, 0, ILD_NORMAL) : nullptr;
  // The shell may be busy right after log-on; it reports that as a time-out.
  for (int attempt = 1; attempt <= 10; ++attempt) {
    SetLastError(0);
    if (Shell_NotifyIconW(NIM_ADD, &data_)) return true;
    if (GetLastError() != ERROR_TIMEOUT || attempt == 10) break;
    Sleep(1000);
  }
  return false;
}

void TrayIcon::Remove() {
  if (state_ == -1) return;
  if (state_ > 0) {
    data_.uFlags = 0;
    Shell_NotifyIconW(NIM_DELETE, &data_);
  }
  state_ = -1;
}

}  // namespace varnel::win
