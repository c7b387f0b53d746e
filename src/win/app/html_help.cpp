#include "win/app/html_help.h"

namespace varnel::win {

namespace {
constexpr UINT kHhCloseAll = 0x0012;
constexpr UINT kHhInitialize = 0x001C;
constexpr UINT kHhUninitialize = 0x001D;
constexpr UINT kHhGetWinHandle = 0x0020;
}  // namespace

HtmlHelpApi::~HtmlHelpApi() {
  Uninitialize();
  if (module_) FreeLibrary(module_);
}

void HtmlHelpApi::Initialize() {
  if (!module_) {
    module_ = LoadLibraryW(L"hhctrl.ocx");
    if (module_)
      fn_ = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(module_, "HtmlHelpW")));
  }
  if (fn_ && !initialized_) {
    fn_(nullptr, nullptr, kHhInitialize, reinterpret_cast<DWORD_PTR>(&cookie_));
    initialized_ = true;
  }
}

void HtmlHelpApi::Uninitialize() {
  if (fn_ && initialized_) fn_(nullptr, nullptr, kHhUninitialize, cookie_);
  initialized_ = false;
}

void HtmlHelpApi::CloseAll(HWND owner) {
  if (!fn_) return;
  if (fn_(owner, L"Varnel", kHhGetWinHandle, reinterpret_cast<DWORD_PTR>(L"HelpWin")))
    fn_(nullptr, nullptr, kHhCloseAll, 0);
}

HWND HtmlHelpApi::Call(HWND owner, const wchar_t* file, UINT command, DWORD_PTR data) {
  return fn_ ? fn_(owner, file, command, data) : nullptr;
}

}  // namespace varnel::win
