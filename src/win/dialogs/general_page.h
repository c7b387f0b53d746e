// The general page "全般" of the settings dialog: sounds, automatic deletion,
// timers, alarm sound, check states and the double-click actions.
#pragma once
#include <memory>

#include "win/dialogs/dialog_base.h"

namespace varnel::win {

std::unique_ptr<DialogBase> MakeGeneralPage();

}  // namespace varnel::win
