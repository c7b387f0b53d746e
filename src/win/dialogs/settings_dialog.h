// The settings dialog "Varnel 設定": a tabbed container of the general,
// defaults, note list, deleted notes and menu pages. Each page applies its
// settings when it is closed with OK (11) and drops them with Cancel (12).
#pragma once
#include <windows.h>

#include <memory>

#include "win/dialogs/dialog_base.h"

namespace varnel::win {

// The container sends the defaults page this command (3826) when the user asks
// to apply the defaults to the notes already made; its lParam is 1, or 2 with
// "除背景" (keep each note's background and transparency).
constexpr int kApplyToNotesCommand = IDC_SETTINGS_APPLY_NOTES;

// A page of the container: its tab caption (CP932), its template and how to make it.
struct SettingsPageDef {
  const char* caption;
  const wchar_t* templateName;
  std::unique_ptr<DialogBase> (*make)();
};

// Modal, guarded by the settings busy flag; 1 when closed with OK.
int RunSettingsDialog(HWND owner);

}  // namespace varnel::win
