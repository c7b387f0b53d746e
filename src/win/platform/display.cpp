#include "win/platform/display.h"

namespace varnel::win {
namespace {

FrameRange RangeOf(const RECT& r) { return FrameRange{r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  auto& monitors = *reinterpret_cast<std::vector<MonitorArea>*>(list);
  const MonitorArea area{RangeOf(info.rcMonitor), RangeOf(info.rcWork)};
  if (info.dwFlags & MONITORINFOF_PRIMARY)
    monitors.insert(monitors.begin(), area);
  else
    monitors.push_back(area);
  return TRUE;
}

}  // namespace

int WindowDpi(HWND window) {
  using GetDpiFn = UINT(WINAPI*)(HWND);
  static const auto getDpi = reinterpret_cast<GetDpiFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpi && window)
    if (const UINT dpi = getDpi(window)) return static_cast<int>(dpi);
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

std::vector<MonitorArea> DisplayMonitors() {
  std::vector<MonitorArea> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

}  // namespace varnel::win
