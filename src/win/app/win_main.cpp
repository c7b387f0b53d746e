// Program entry: the start-up order, the message loop and what follows it.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <memory>

#include "win/app/app_state.h"
#include "win/app/backups.h"
#include "core/app/command_table.h"
#include "win/app/global_commands.h"
#include "win/app/main_window.h"
#include "win/app/note_menus.h"
#include "win/app/option_changes.h"
#include "win/app/resource_menus.h"
#include "win/app/timers.h"
#include "win/note/check_wnd.h"
#include "win/platform/holders.h"
#include "win/platform/local_time.h"
#include "win/platform/program_paths.h"

using namespace varnel::win;

namespace {

int RunMessageLoop() {
  MSG msg{};
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0 && got != -1) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    // Every call of a closed note has returned by now.
    App().slots.FreeRetired();
  }
  return got == 0 ? static_cast<int>(msg.wParam) : 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  AppState& app = App();
  app.instance = instance;
  // The options are read before the single-instance check, as always.
  LoadGlobalOptions();
  app.alarms = std::make_unique<varnel::AlarmTable>(LocalAlarmClock());

  NamedMutex mutex(L"Varnel");
  if (mutex.AlreadyExisted()) return 0;
  // Before anything is written; it may set an unreadable global file aside
  // and read the options again.
  BackUpAtStart();

  INITCOMMONCONTROLSEX icc{sizeof(icc), 0x7FF};
  InitCommonControlsEx(&icc);
  const bool ole = SUCCEEDED(OleInitialize(nullptr));
  app.layered.Load();

  int exitCode = 0;
  if (RegisterWindowClasses(instance) && (app.mainWindow = CreateMainWindow(instance)) != nullptr) {
    app.tray.Create(instance, app.mainWindow);
    app.tray.Add();
    LoadResourceMenus(instance);
    app.dateFormats.Load(app.options->Store());
    BringUpNotes(app.mainWindow);
    ReportSetAsideFiles();
    SetTimers(true, nullptr);
    RegisterHotKeys(true);
    TrimWorkingSet();
    exitCode = RunMessageLoop();
    app.slots.FreeRetired();
  }

  app.layered.Free();
  if (ole) OleUninitialize();
  return exitCode;
}
