// Notes and the frame follow the monitors there are: at start-up and whenever
// the display configuration or a work area changes.
#pragma once

namespace varnel::win {

// The frame in force: the user's while it meets a monitor, else the primary work area.
void PutFrameInForce();
// Every note whose bar lies on no monitor moves onto the nearest one.
void KeepNotesOnScreen();
// Both, after WM_DISPLAYCHANGE or a change of the work area.
void FollowDisplayChange();

}  // namespace varnel::win
