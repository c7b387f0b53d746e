#include "win/platform/layered_window_api.h"

namespace varnel::win {

void LayeredWindowApi::Load() {
  if (loaded_) return;
  loaded_ = true;
  user32_ = LoadLibraryW(L"user32.dll");
  if (user32_)
    set_ = reinterpret_cast<SetFn>(
        reinterpret_cast<void*>(GetProcAddress(user32_, "SetLayeredWindowAttributes")));
}

void LayeredWindowApi::Free() {
  set_ = nullptr;
  if (user32_) FreeLibrary(user32_);
  user32_ = nullptr;
}

BOOL LayeredWindowApi::SetAttributes(HWND window, COLORREF key, BYTE alpha, DWORD flags) const {
  return set_ ? set_(window, key, alpha, flags) : 0;
}

}  // namespace varnel::win
