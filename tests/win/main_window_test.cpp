// The shell's main window under Wine: message-box kinds and centring, the
// external message and hot-key guards, the warning a restored note with a
// schedule gives, and the exit that waits for an open message box, saving once.
#include "win/app/main_window.h"
#include "win/app/tray_icon.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "core/app/command_ids.h"
#include "win/app/app_state.h"
#include "win/app/global_commands.h"
#include "win/app/message_box.h"
#include "win/app/shutdown.h"
#include "win/note/check_wnd.h"
#include "win/platform/program_paths.h"

using namespace varnel::win;

namespace {

int g_failures = 0;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::printf("FAIL: %s\n", what);
    ++g_failures;
  }
}

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void TestMessageBoxKinds() {
  Check(MessageBoxType(1) == 0x30, "kind 1");
  Check(MessageBoxType(2) == 0x24, "kind 2");
  Check(MessageBoxType(3) == 0x23, "kind 3");
  Check(MessageBoxType(4) == 0x40, "kind 4");
  Check(MessageBoxType(5) == 0x00, "kind 5");
  Check(MessageBoxType(0) == 0x10 && MessageBoxType(9) == 0x10, "other kinds");
}

void TestCenterWindow(HINSTANCE instance) {
  // A plain class: windows of the main class would end the loop when destroyed.
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = L"CentreTest";
  RegisterClassW(&wc);
  HWND owner = CreateWindowExW(0, L"CentreTest", L"owner", WS_POPUP, 100, 80, 401, 301, nullptr, nullptr,
                               instance, nullptr);
  HWND box =
      CreateWindowExW(0, L"CentreTest", L"box", WS_POPUP, 0, 0, 100, 51, owner, nullptr, instance, nullptr);
  CenterWindow(box, true);
  RECT client{}, r{};
  GetClientRect(owner, &client);
  POINT origin{0, 0};
  ClientToScreen(owner, &origin);
  GetWindowRect(box, &r);
  Check(r.left == origin.x + (client.right - 100) / 2, "centred x on the owner");
  Check(r.top == origin.y + (client.bottom - 51) / 2, "centred y on the owner, truncated");
  Check(r.right - r.left == 100 && r.bottom - r.top == 51, "size unchanged");
  // Without useParent the desktop is the reference.
  CenterWindow(box, false);
  RECT desk{};
  GetClientRect(GetDesktopWindow(), &desk);
  GetWindowRect(box, &r);
  Check(r.left == (desk.right - 100) / 2 && r.top == (desk.bottom - 51) / 2, "centred on the desktop");
  DestroyWindow(box);
  DestroyWindow(owner);
}

void TestGuards(HWND main) {
  AppState& app = App();
  Check(SendMessageW(main, kExternalMessage, 11, MAKELPARAM(0, 70)) == 0, "WM_APP slot out of range");
  Check(SendMessageW(main, kExternalMessage, 12, MAKELPARAM(0, 3)) == 0, "WM_APP empty slot");
  Check(SendMessageW(main, kExternalMessage, 99, 0) == 0, "WM_APP other");
  app.options->slotFlags[3] = '1';
  app.options->slotFlags[4] = '1';
  Check(RunGlobalCommand(500u | (70u << 16)) == -1, "500 with a slot past the end");
  Check(RunGlobalCommand(500u | (3u << 16)) == -1 && app.options->slotFlags[3] == '0',
        "500 frees the slot flag");
  SendMessageW(main, WM_HOTKEY, 500u | (4u << 16), 0);
  Check(app.options->slotFlags[4] == '1', "a hot key never runs 500");
  Check(RunGlobalCommand(0) == -1, "unknown command");
  // A new note takes the lowest never-deleted slot without a file and is
  // listed at once; a note file that nothing lists is left alone.
  const std::string unlisted = "[Default]\r\nTitle=unlisted\r\n";
  std::ofstream(DataFolder() / "Varnel00.dat", std::ios::binary) << unlisted;
  const int slot = RunGlobalCommand(kCmdNewNote);
  Check(slot == 1 && app.slots[1] != nullptr && app.options->slotFlags[1] == '1',
        "211 opens a note in slot 1");
  Check(ReadFile(DataFolder() / "Varnel00.dat") == unlisted, "the unlisted note file kept");
  // The tray double-click runs "Cmd": mode 1 with bit 0x40 arranges (index 0, from the top right).
  if (!app.slots[1]) return;
  RECT before{}, after{};
  GetWindowRect(app.slots[1]->Window(), &before);
  app.options->Store().WriteInt("Cmd", 0x140);
  SendMessageW(main, kTrayCallback, 0, WM_LBUTTONDBLCLK);
  GetWindowRect(app.slots[1]->Window(), &after);
  Check(after.right > before.right && after.right > 700 && after.top < 100, "the double-click arranges");
}

// The icon of the first message box of this process, then the box is answered.
HICON AnswerBoxWithIcon() {
  for (int i = 0; i < 200; ++i, Sleep(50)) {
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
      DWORD pid = 0;
      GetWindowThreadProcessId(box, &pid);
      if (pid != GetCurrentProcessId() || !IsWindowVisible(box)) continue;
      HICON icon = nullptr;
      for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
          icon = reinterpret_cast<HICON>(SendMessageW(c, STM_GETICON, 0, 0));
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return icon;
    }
  }
  return nullptr;
}

void TestRestoredScheduleWarning(HWND main) {
  const std::filesystem::path file = DataFolder() / "Varnel05.dat";
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << "[Default]\r\nSDT1=100\r\n";
  std::atomic<HICON> icon{nullptr};
  std::thread watcher([&] { icon = AnswerBoxWithIcon(); });
  auto* note = new CCheckWnd;
  if (note->Open(main, 5, varnel::OpenMode::Restored, main))
    SendMessageW(note->Window(), WM_CLOSE, 16, reinterpret_cast<LPARAM>(main));  // frees the note
  else
    delete note;
  watcher.join();
  Check(icon != nullptr && icon == LoadIconW(nullptr, IDI_EXCLAMATION), "schedule warning with the ! icon");
  std::filesystem::remove(file);
}

void CALLBACK CloseFromTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  PostMessageW(App().mainWindow, WM_CLOSE, 0, 0);
}

void TestExitDuringMessageBox(HWND main, const std::filesystem::path& ini) {
  AppState& app = App();
  // An exit request arrives while a box is open: the save runs at once and the
  // box is ended, but nothing is torn down under it.
  SetTimer(nullptr, 0, 300, CloseFromTimer);
  ShowMessage(main, 1, "テスト　　");
  Check(app.exitPending, "exit pending after the box was ended");
  Check(IsWindow(main), "main window kept while the box was open");
  const std::string saved = ReadFile(ini);
  Check(saved.find("List=01000000000000000000000000000000000000000000000000\r\n") != std::string::npos,
        "List saved");
  Check(saved.find("Palette15=0x000000\r\n") != std::string::npos, "palette saved");
  // The teardown follows from the loop without a second save.
  app.options->palette[0] = 0x123456;
  MSG msg{};
  DWORD start = GetTickCount();
  while (GetTickCount() - start < 10000 && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  Check(msg.message == WM_QUIT, "message loop ended");
  Check(!IsWindow(main) && app.tornDown, "torn down");
  Check(app.tray.State() == -1, "tray removed");
  Check(ReadFile(ini).find("0x123456") == std::string::npos, "no second save");
  Check(RunGlobalCommand(kCmdExit) == -1, "commands after teardown do nothing");
}

}  // namespace

int main() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const std::filesystem::path data = std::filesystem::temp_directory_path() / "varnel_main_window_test";
  std::filesystem::remove_all(data);
  // The notes' own folder beside the test program, fresh.
  std::filesystem::remove_all(DataFolder());
  std::filesystem::create_directories(DataFolder());
  AppState& app = App();
  app.instance = instance;
  app.options =
      std::make_unique<varnel::GlobalOptions>(ProgramStoreEnv(), data, varnel::WorkArea{0, 0, 800, 600});
  if (!RegisterWindowClasses(instance)) {
    std::printf("FAIL: window classes\n");
    return 1;
  }
  app.mainWindow = CreateMainWindow(instance);
  Check(app.mainWindow != nullptr, "main window");
  Check(app.taskbarCreated != 0, "TaskbarCreated registered");
  app.tray.Create(instance, app.mainWindow);

  TestMessageBoxKinds();
  TestCenterWindow(instance);
  TestGuards(app.mainWindow);
  TestRestoredScheduleWarning(app.mainWindow);
  TestExitDuringMessageBox(app.mainWindow, data / "Varnel.ini");

  std::filesystem::remove_all(data);
  std::filesystem::remove_all(DataFolder());
  std::printf(g_failures ? "%d failure(s)\n" : "all passed\n", g_failures);
  return g_failures ? 1 : 0;
}
