// "DATEFMTDLG": builds a date format from ticked rows for a heading or detail
// page; its boxes are kept in "FmtDate".
#pragma once
#include <windows.h>

namespace varnel::win {

// page holds the format combo (3151) and the "書式変換" box (3155); on OK the
// built format goes into the combo. IDOK or IDCANCEL.
INT_PTR OpenDateFormatAssistant(HWND page);

}  // namespace varnel::win
