#include "win/dialogs/about_dialog.h"

#include <string>

#include "win/app/app_state.h"
#include "win/app/message_box.h"
#include "win/platform/holders.h"
#include "win/platform/shell.h"
#include "win/platform/program_paths.h"

namespace varnel::win {
namespace {

constexpr int kName = 2, kVersion = 3, kNotice = 4, kLink = 5;
constexpr COLORREF kLinkColour = 0xFF0000;  // blue

struct AboutFonts {
  GdiObject<HFONT> bold, underline;
};

HFONT DerivedFont(HWND control, bool bold, bool underline, int height) {
  LOGFONTW lf{};
  HFONT base = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  if (!base || !GetObjectW(base, sizeof lf, &lf))
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  if (bold) lf.lfWeight = FW_BOLD;
  if (underline) lf.lfUnderline = TRUE;
  if (height) lf.lfHeight = height;
  return CreateFontIndirectW(&lf);
}

void Init(HWND dialog) {
  auto* fonts = new AboutFonts;
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(fonts));
  SetDlgItemTextW(dialog, kName, L"Varnel");
  SetDlgItemTextW(dialog, kVersion, L"Version 1.35");
  SetDlgItemTextW(dialog, kNotice, L"Copyright (C) Orvik");
  SetDlgItemTextW(dialog, kLink, kHomePage);
  HWND name = GetDlgItem(dialog, kName);
  RECT rc{};
  GetClientRect(name, &rc);
  fonts->bold.Reset(DerivedFont(name, true, false, -(rc.bottom - rc.top)));
  fonts->underline.Reset(DerivedFont(GetDlgItem(dialog, kLink), false, true, 0));
  SendMessageW(name, WM_SETFONT, reinterpret_cast<WPARAM>(fonts->bold.Get()), FALSE);
  SendDlgItemMessageW(dialog, kLink, WM_SETFONT, reinterpret_cast<WPARAM>(fonts->underline.Get()), FALSE);
  CenterWindow(dialog, false);
}

bool OverLink(HWND dialog) {
  POINT pt{};
  GetCursorPos(&pt);
  RECT rc{};
  GetWindowRect(GetDlgItem(dialog, kLink), &rc);
  return PtInRect(&rc, pt) != FALSE;
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Init(dialog);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == kLink) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kLinkColour);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
      }
      return FALSE;
    case WM_SETCURSOR:
      if (OverLink(dialog)) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == kLink && HIWORD(wParam) == STN_CLICKED) {
        OpenThroughShell(kHomePage);
        return TRUE;
      }
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 1);
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      delete reinterpret_cast<AboutFonts*>(GetWindowLongPtrW(dialog, DWLP_USER));
      SetWindowLongPtrW(dialog, DWLP_USER, 0);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

int ShowAboutDialog(HWND owner) {
  AppState& app = App();
  if (app.busy.about) return 0;
  app.busy.about = true;
  ModalScope modal;
  DialogBoxParamW(app.instance, L"ABOUTDLG", owner, AboutProc, 0);
  app.busy.about = false;
  return 1;
}

void ShowHelp() {
  std::wstring file = ProgramPath().replace_extension(L".chm").wstring();
  file += L"::/_RESOURCE/help001.html>HelpWin";
  AppState& app = App();
  if (!app.help.Call(nullptr, file.c_str(), 0x0001 /*HH_DISPLAY_TOC*/, 0)) OpenThroughShell(kHomePage);
}

}  // namespace varnel::win
