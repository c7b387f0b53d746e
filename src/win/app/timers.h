// The two periodic timers of the main window.
#pragma once
#include <windows.h>

namespace varnel::win {

constexpr UINT_PTR kAlarmTimer = 101;
constexpr UINT_PTR kScheduleTimer = 103;

// Always stops both first; when on, starts them from "Timer" and "STimer".
void SetTimers(bool on, HWND owner);

}  // namespace varnel::win
