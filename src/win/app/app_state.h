// AppState: the one program-wide record that owns the shell's state for the
// whole process.
#pragma once
#include <windows.h>

#include <array>
#include <memory>

#include "core/config/global_options.h"
#include "core/features/alarm_table.h"
#include "core/features/date_formats.h"
#include "win/app/html_help.h"
#include "win/app/tray_icon.h"
#include "win/platform/layered_window_api.h"
#include "win/platform/theme_api.h"

namespace varnel::win {

class CCheckWnd;  // the note object; its window handling owns and frees it

struct BusyFlags {
  bool about = false, settings = false, properties = false, quickAlarm = false, noteList = false;
};

struct AppMenus {
  HMENU popup = nullptr;  // the whole "POPUPMENU" resource
  HMENU main = nullptr, listW = nullptr, listH = nullptr;
  // A note's, a heading's and a detail's context menus.
  HMENU note = nullptr, heading = nullptr, detail = nullptr;
  // What BuildNoteMenus made itself and frees when it builds them again.
  HMENU madeNote = nullptr, madeHeading = nullptr, madeDetail = nullptr, state = nullptr;
};

struct AppState {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;
  std::array<CCheckWnd*, kSlotCount> slots{};
  // Slots whose note failed to open at start: their "List" flag stays '1'.
  std::array<bool, kSlotCount> failedAtStart{};
  std::unique_ptr<AlarmTable> alarms;
  AppMenus menus;
  TrayIcon tray;
  BusyFlags busy;
  std::unique_ptr<GlobalOptions> options;
  DateFormatList dateFormats;  // the format combo of the heading and detail pages
  LayeredWindowApi layered;
  ThemeApi theme;
  HtmlHelpApi help;
  UINT taskbarCreated = 0;  // registered "TaskbarCreated" message
  // Modal windows (message boxes, dialogs) on the stack, and the exit that
  // waits for them to return before anything they use is freed.
  int modalDepth = 0;
  bool exitPending = false;
  bool tornDown = false;
  // The shutdown save of WM_QUERYENDSESSION ran and the session has not gone on since.
  bool sessionSaved = false;
  int shownDay = -1;  // the day number the notes were last drawn for
};

AppState& App();

}  // namespace varnel::win
