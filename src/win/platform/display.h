// The monitors and their DPI, looked up at run time: GetDpiForWindow is
// missing before Windows 10, where the system DPI stands in for it.
#pragma once
#include <windows.h>

#include <vector>

#include "core/app/frame_range.h"

namespace varnel::win {

// The DPI of the monitor a window is on (its own under per-monitor awareness).
int WindowDpi(HWND window);
// Every display monitor with its work area, the primary one first.
std::vector<MonitorArea> DisplayMonitors();

}  // namespace varnel::win
