// "FRAMEDLG" 座標範囲設定: the frame notes are placed in, edited as four
// numbers or picked from the work area and the monitors.
#pragma once
#include <windows.h>

#include "core/app/frame_range.h"

namespace varnel::win {

// Modal, owned by owner, on range (left, top, right, bottom); on OK the range
// is replaced (each edge within -9999..9999) and true is returned.
bool RunFrameDialog(HWND owner, FrameRange& range);

}  // namespace varnel::win
