#include "win/dialogs/about_dialog.h"

#include <string>

#include "win/app/app_state.h"
#include "resource.h"
#include "win/app/message_box.h"
#include "win/dialogs/dialog_base.h"
#include "win/platform/holders.h"
#include "win/platform/shell.h"
#include "win/platform/program_paths.h"

namespace varnel::win {
namespace {

constexpr COLORREF kLinkColour = 0xFF0000;  // blue

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

class AboutDialog : public DialogBase {
 protected:
  BOOL OnInit() override {
    HWND dialog = Window();
    SetDlgItemTextW(dialog, IDC_ABOUT_NAME, L"Varnel");
    SetDlgItemTextW(dialog, IDC_ABOUT_VERSION, L"Version 1.35");
    SetDlgItemTextW(dialog, IDC_ABOUT_NOTICE, L"Copyright (C) Orvik");
    SetDlgItemTextW(dialog, IDC_ABOUT_LINK, kHomePage);
    HWND name = GetDlgItem(dialog, IDC_ABOUT_NAME);
    RECT rc{};
    GetClientRect(name, &rc);
    bold_.Reset(DerivedFont(name, true, false, -(rc.bottom - rc.top)));
    underline_.Reset(DerivedFont(GetDlgItem(dialog, IDC_ABOUT_LINK), false, true, 0));
    SendMessageW(name, WM_SETFONT, reinterpret_cast<WPARAM>(bold_.Get()), FALSE);
    SendDlgItemMessageW(dialog, IDC_ABOUT_LINK, WM_SETFONT, reinterpret_cast<WPARAM>(underline_.Get()),
                        FALSE);
    return TRUE;
  }

  bool OnCommand(int id, int code, HWND control) override {
    if (id == IDC_ABOUT_LINK && code == STN_CLICKED) {
      OpenThroughShell(kHomePage);
      return true;
    }
    return DialogBase::OnCommand(id, code, control);
  }

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override {
    handled = true;
    if (message == WM_CTLCOLORSTATIC && GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_ABOUT_LINK) {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, kLinkColour);
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    if (message == WM_SETCURSOR && OverLink()) {
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      SetWindowLongPtrW(Window(), DWLP_MSGRESULT, TRUE);
      return TRUE;
    }
    handled = false;
    return FALSE;
  }

 private:
  bool OverLink() const {
    POINT pt{};
    GetCursorPos(&pt);
    RECT rc{};
    GetWindowRect(GetDlgItem(Window(), IDC_ABOUT_LINK), &rc);
    return PtInRect(&rc, pt) != FALSE;
  }

  // The window's fonts outlive every use by the controls: freed after the window.
  GdiObject<HFONT> bold_, underline_;
};

}  // namespace

int ShowAboutDialog(HWND owner) {
  AboutDialog dialog;
  return dialog.RunModal(L"ABOUTDLG", owner, &App().busy.about) == -1 ? 0 : 1;
}

void ShowHelp() {
  std::wstring file = ProgramPath().replace_extension(L".chm").wstring();
  file += L"::/_RESOURCE/help001.html>HelpWin";
  AppState& app = App();
  if (!app.help.Call(nullptr, file.c_str(), 0x0001 /*HH_DISPLAY_TOC*/, 0)) OpenThroughShell(kHomePage);
}

}  // namespace varnel::win
