// The hidden main window: tray callbacks, hot keys, timers, the shell's
// "TaskbarCreated", the external WM_APP message and the shutdown order.
#pragma once
#include <windows.h>

namespace varnel::win {

constexpr UINT kExternalMessage = WM_APP;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers "Varnel", "CCheckWnd" and "CCheckWndS"; false on failure.
bool RegisterWindowClasses(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance);

}  // namespace varnel::win
