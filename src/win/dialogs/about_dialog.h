// The about dialog and help: the program's name, version, notice and home page.
#pragma once
#include <windows.h>

namespace varnel::win {

constexpr const wchar_t* kHomePage = L"https://www.orvik.jp/varnel/";

// Modal "ABOUTDLG" owned by owner; returns 1 when it ran.
int ShowAboutDialog(HWND owner);

// The help file beside the program, or the home page when there is none.
void ShowHelp();

}  // namespace varnel::win
