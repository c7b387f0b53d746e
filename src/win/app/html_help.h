// HTML Help loaded at run time: a missing hhctrl.ocx never stops the program.
#pragma once
#include <windows.h>

namespace varnel::win {

class HtmlHelpApi {
 public:
  HtmlHelpApi() = default;
  ~HtmlHelpApi();
  HtmlHelpApi(const HtmlHelpApi&) = delete;
  HtmlHelpApi& operator=(const HtmlHelpApi&) = delete;

  void Initialize();  // loads the library and runs HH_INITIALIZE
  void Uninitialize();
  // Closes every help window when one is open.
  void CloseAll(HWND owner);
  // HtmlHelpW, or null when the library is missing.
  HWND Call(HWND owner, const wchar_t* file, UINT command, DWORD_PTR data);

 private:
  using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  HMODULE module_ = nullptr;
  HtmlHelpFn fn_ = nullptr;
  DWORD cookie_ = 0;
  bool initialized_ = false;
};

}  // namespace varnel::win
