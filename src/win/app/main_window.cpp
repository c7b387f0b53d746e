#include "win/app/main_window.h"

#include "core/app/command_ids.h"
#include "resource.h"
#include "win/app/alarm_check.h"
#include "win/app/app_state.h"
#include "win/app/display_changes.h"
#include "win/app/note_menus.h"
#include "win/note/check_wnd.h"
#include "win/app/global_commands.h"
#include "win/app/message_box.h"
#include "win/app/save_report.h"
#include "win/app/shutdown.h"
#include "win/app/schedule_tick.h"
#include "win/app/timers.h"
#include "win/platform/local_time.h"
#include "win/platform/sound.h"

namespace varnel::win {

namespace {

constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;

LRESULT OnCreate(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  App().help.Initialize();
  InstallActivationHook();
  App().taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT OnDestroy() {
  App().help.Uninitialize();
  PostQuitMessage(0);
  return 0;
}

// Exit or end of session. With a modal window open, the save runs now and the
// teardown waits until the last modal window has returned (ModalScope).
void CloseOrDefer() {
  AppState& app = App();
  if (app.tornDown) return;
  if (app.modalDepth > 0) {
    app.exitPending = true;
    SetTimers(false, nullptr);
    EndModalWindows();
    return;
  }
  Teardown();
}

LRESULT OnClose() {
  AppState& app = App();
  if (app.tornDown) return 0;
  if (!app.exitPending) {  // a pending exit has saved already
    const std::filesystem::path failed = ShutdownSave();
    // Nothing is lost without the user's word: "No" keeps the program and
    // every change in memory, and the next save tries again.
    static bool asking = false;  // a second exit request while the question is open
    if (!failed.empty()) {
      if (asking) return 0;
      asking = true;
      const int answer = ShowMessage(nullptr, 2, SaveMessageText(kExitAnywayQuestion, failed), MB_DEFBUTTON2);
      asking = false;
      if (answer != IDYES || app.tornDown) return 0;
    }
  }
  CloseOrDefer();
  return 0;
}

// The end of the session never waits for the user: what can be saved is saved.
LRESULT OnQueryEndSession() {
  AppState& app = App();
  if (!app.exitPending && !app.tornDown) {
    ShutdownSave();
    app.sessionSaved = true;
  }
  return 1;
}

LRESULT OnEndSession(WPARAM ending) {
  AppState& app = App();
  if (!ending) {
    app.sessionSaved = false;  // the session goes on, and so do the changes
    return 0;
  }
  // A forced log-off sends no WM_QUERYENDSESSION: save now.
  if (!app.sessionSaved && !app.exitPending && !app.tornDown) ShutdownSave();
  CloseOrDefer();
  return 0;
}

LRESULT OnTimer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (wParam == kAlarmTimer) {
    RunAlarmTick();
    // "STimer" is 0 by default: the day change is looked for here too.
    FollowNewDay(TodayDayNumber(LocalNow()));
  } else if (wParam == kScheduleTimer) {
    RunScheduleTick();
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT OnHotKey(HWND window, WPARAM id) {
  SetForegroundWindow(window);
  // Deletion bookkeeping is only ever reported by a note, never by a key.
  if ((id & 0xFFFF) != kCmdDeleteNote) RunGlobalCommand(static_cast<unsigned int>(id));
  return 0;
}

void ShowTrayMenu(HWND window) {
  HMENU menu = App().menus.main;
  if (!menu) return;
  RunGlobalCommand(static_cast<unsigned>(TrackMenuAtCursor(menu, window)));
}

LRESULT OnTrayCallback(HWND window, LPARAM event) {
  switch (static_cast<UINT>(event)) {
    case WM_LBUTTONDOWN:
      SetForegroundWindow(window);
      RunGlobalCommand(kCmdToFront);
      break;
    case WM_LBUTTONDBLCLK:
      RunDoubleClickAction();
      break;
    case WM_RBUTTONDOWN:
      ShowTrayMenu(window);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT OnTaskbarCreated() {
  if (App().tray.State() > 0) App().tray.Add();
  return 0;
}

bool SlotHoldsNote(int slot) {
  return slot >= 0 && slot < kSlotCount && App().slots[static_cast<size_t>(slot)] != nullptr;
}

LRESULT OnExternalMessage(WPARAM wParam, LPARAM lParam) {
  const int slot = HIWORD(lParam);
  switch (wParam) {
    case 11:
      // A detail from the clipboard into heading LOWORD(lParam) of the note.
      if (SlotHoldsNote(slot)) {
        CCheckWnd& note = *App().slots[static_cast<size_t>(slot)];
        const int heading = LOWORD(lParam);
        note.HeadingCommand(kCmdAddDetailClip, heading, note.Content().HeadingRow(heading));
      }
      break;
    case 21:
      // A new note holding the clipboard's text as its detail.
      if (const int created = RunGlobalCommand(kCmdNewNote); SlotHoldsNote(created))
        App().slots[static_cast<size_t>(created)]->NoteCommand(kCmdAddDetailClip);
      break;
    case 12:
      // Several details from the clipboard into a new heading of the note.
      if (SlotHoldsNote(slot)) App().slots[static_cast<size_t>(slot)]->NoteCommand(kCmdAddDetailsClip);
      break;
    case 22:
      // A new note holding the clipboard's lines as its list.
      if (const int created = RunGlobalCommand(kCmdNewNote); SlotHoldsNote(created))
        App().slots[static_cast<size_t>(created)]->NoteCommand(kCmdAddDetailsClip);
      break;
    default:
      break;
  }
  return 0;
}

bool RegisterClassWith(HINSTANCE instance, const wchar_t* name, UINT style, WNDPROC proc, HBRUSH background) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VARNEL));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window, message, wParam, lParam);
    case WM_DESTROY:
      return OnDestroy();
    case WM_CLOSE:
      return OnClose();
    case WM_QUERYENDSESSION:
      return OnQueryEndSession();
    case WM_ENDSESSION:
      return OnEndSession(wParam);
    case WM_TIMER:
      return OnTimer(window, message, wParam, lParam);
    case WM_HOTKEY:
      return OnHotKey(window, wParam);
    case kTrayCallback:
      return OnTrayCallback(window, lParam);
    case kExternalMessage:
      return OnExternalMessage(wParam, lParam);
    case WM_DISPLAYCHANGE:
      FollowDisplayChange();
      break;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETWORKAREA) FollowDisplayChange();
      break;
    default:
      break;
  }
  if (message != 0 && message == App().taskbarCreated) return OnTaskbarCreated();
  // Tests read whether a looping sound still plays; nothing else can hear it.
  static const UINT soundLooping = RegisterWindowMessageW(L"Varnel.SoundLooping");
  if (message == soundLooping) return SoundLooping() ? 1 : 0;
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterWindowClasses(HINSTANCE instance) {
  if (!RegisterClassWith(instance, L"Varnel", kClassStyle, MainWindowProc,
                         reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1))))
    return false;
  // Both note classes share the note window procedure; "CCheckWndS" adds the
  // drop shadow where the system offers it.
  if (!RegisterClassWith(instance, L"CCheckWnd", kClassStyle, CCheckWnd::WindowProc, nullptr)) return false;
  if (RegisterClassWith(instance, L"CCheckWndS", kClassStyle | CS_DROPSHADOW, CCheckWnd::WindowProc, nullptr))
    return true;
  return RegisterClassWith(instance, L"CCheckWndS", kClassStyle, CCheckWnd::WindowProc, nullptr);
}

HWND CreateMainWindow(HINSTANCE instance) {
  return CreateWindowExW(WS_EX_CONTROLPARENT, L"Varnel", L"Varnel", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
}

}  // namespace varnel::win
