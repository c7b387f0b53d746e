// The alarm window "ALARMDLG" and the alarm setting dialog "ALARMSETDLG".
#pragma once
#include <windows.h>

namespace varnel::win {

// The alarm window for a slot index of the alarm table, or -1 for the quick
// alarm. Modal; 0 when refused because an alarm window is open.
int ShowAlarmWindow(HWND owner, int slotIndex);

// The alarm setting dialog: low 16 bits the note's slot, high 16 bits the
// detail's list row, or 0xFFFF for the properties page's detail (its state
// comes from and goes back to *pageState). IDOK when the alarm was set.
int ShowAlarmSetDialog(HWND owner, unsigned int parameter, int* pageState = nullptr);

}  // namespace varnel::win
