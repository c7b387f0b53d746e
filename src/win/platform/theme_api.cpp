#include "win/platform/theme_api.h"

namespace varnel::win {

namespace {
template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
}  // namespace

ThemeApi::ThemeApi() {
  module_ = LoadLibraryW(L"uxtheme.dll");
  if (!module_) return;
  openThemeData = Lookup<OpenThemeDataFn>(module_, "OpenThemeData");
  closeThemeData = Lookup<CloseThemeDataFn>(module_, "CloseThemeData");
  getThemePartSize = Lookup<GetThemePartSizeFn>(module_, "GetThemePartSize");
  drawThemeBackground = Lookup<DrawThemeBackgroundFn>(module_, "DrawThemeBackground");
}

ThemeApi::~ThemeApi() {
  for (HTHEME_& t : theme) {
    if (t && closeThemeData) closeThemeData(t);
    t = nullptr;
  }
  if (module_) FreeLibrary(module_);
}

}  // namespace varnel::win
