// The visual-styles entry points of uxtheme.dll, looked up at run time so that
// painting falls back to classic drawing when they are missing.
#pragma once
#include <windows.h>

namespace varnel::win {

using HTHEME_ = HANDLE;

class ThemeApi {
 public:
  using OpenThemeDataFn = HTHEME_(WINAPI*)(HWND, LPCWSTR);
  using CloseThemeDataFn = HRESULT(WINAPI*)(HTHEME_);
  using GetThemePartSizeFn = HRESULT(WINAPI*)(HTHEME_, HDC, int, int, LPCRECT, int, SIZE*);
  using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HTHEME_, HDC, int, int, LPCRECT, LPCRECT);

  ThemeApi();
  ~ThemeApi();
  ThemeApi(const ThemeApi&) = delete;
  ThemeApi& operator=(const ThemeApi&) = delete;

  bool Available() const {
    return openThemeData && closeThemeData && getThemePartSize && drawThemeBackground;
  }

  OpenThemeDataFn openThemeData = nullptr;
  CloseThemeDataFn closeThemeData = nullptr;
  GetThemePartSizeFn getThemePartSize = nullptr;
  DrawThemeBackgroundFn drawThemeBackground = nullptr;
  // Opened by note painting (check box and tree glyph), closed here at the end.
  HTHEME_ theme[2] = {nullptr, nullptr};

 private:
  HMODULE module_ = nullptr;
};

}  // namespace varnel::win
