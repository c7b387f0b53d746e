// The shell's main window under Wine: message-box kinds and centring, the external message
// and hot-key guards, the tray double-click, the warning a restored note with a schedule
// gives, and the exit that waits for an open message box, saving once.
#include "core/app/command_ids.h"
#include "win/app/global_commands.h"
#include "win/app/message_box.h"
#include "win/app/shutdown.h"
#include "win/app/tray_icon.h"
#include "win_check.h"

using namespace varnel::win;

namespace {

void TestMessageBoxKinds() {
  const UINT types[] = {0x10, 0x30, 0x24, 0x23, 0x40, 0x00, 0x10, 0x10, 0x10, 0x10};
  for (int kind = 0; kind < 10; ++kind) CHECK_AT(MessageBoxType(kind) == types[kind], std::to_string(kind));
}

void TestCenterWindow(HINSTANCE instance) {
  // A plain class: windows of the main class would end the loop when destroyed.
  RegisterTestClass(instance, L"CentreTest");
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
  CHECK(r.left == origin.x + (client.right - 100) / 2 && r.top == origin.y + (client.bottom - 51) / 2);
  CHECK(r.right - r.left == 100 && r.bottom - r.top == 51);  // truncated, size unchanged
  // Without useParent the desktop is the reference.
  CenterWindow(box, false);
  RECT desk{};
  GetClientRect(GetDesktopWindow(), &desk);
  GetWindowRect(box, &r);
  CHECK(r.left == (desk.right - 100) / 2 && r.top == (desk.bottom - 51) / 2);
  DestroyWindow(box);
  DestroyWindow(owner);
}

void TestGuards(HWND main) {
  AppState& app = App();
  CHECK(SendMessageW(main, kExternalMessage, 11, MAKELPARAM(0, 70)) == 0);
  CHECK(SendMessageW(main, kExternalMessage, 12, MAKELPARAM(0, 3)) == 0);
  CHECK(SendMessageW(main, kExternalMessage, 99, 0) == 0);
  app.options->slotFlags[3] = '1';
  app.options->slotFlags[4] = '1';
  CHECK(RunGlobalCommand(500u | (70u << 16)) == -1);
  CHECK(RunGlobalCommand(500u | (3u << 16)) == -1 && app.options->slotFlags[3] == '0');
  SendMessageW(main, WM_HOTKEY, 500u | (4u << 16), 0);
  CHECK(app.options->slotFlags[4] == '1');
  CHECK(RunGlobalCommand(0) == -1);
  // A new note takes the lowest never-deleted slot without a file and is
  // listed at once; a note file that nothing lists is left alone.
  const std::string unlisted = "[Default]\r\nTitle=unlisted\r\n";
  PutFile(DataFolder() / "Varnel00.dat", unlisted);
  const int slot = RunGlobalCommand(kCmdNewNote);
  CHECK(slot == 1 && app.slots[1] != nullptr && app.options->slotFlags[1] == '1');
  CHECK(FileText(DataFolder() / "Varnel00.dat") == unlisted);
  // The tray double-click runs "Cmd": mode 1 with bit 0x40 arranges (index 0, from the top right).
  if (!app.slots[1]) return;
  RECT before{}, after{};
  GetWindowRect(app.slots[1]->Window(), &before);
  app.options->Store().WriteInt("Cmd", 0x140);
  SendMessageW(main, kTrayCallback, 0, WM_LBUTTONDBLCLK);
  GetWindowRect(app.slots[1]->Window(), &after);
  CHECK(after.right > before.right && after.right > 700 && after.top < 100);
}

void TestRestoredScheduleWarning(HWND main) {
  const std::filesystem::path file = DataFolder() / "Varnel05.dat";
  PutFile(file, "[Default]\r\nSDT1=100\r\n");
  DialogAnswerer answerer;
  auto* note = new CCheckWnd;
  if (note->Open(main, 5, varnel::OpenMode::Restored, main))
    SendMessageW(note->Window(), WM_CLOSE, 16, reinterpret_cast<LPARAM>(main));  // frees the note
  else
    delete note;
  CHECK(answerer.Answered() == 1 && answerer.LastIcon() == LoadIconW(nullptr, IDI_EXCLAMATION));
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
  CHECK(app.exitPending && IsWindow(main));
  const std::string saved = FileText(ini);
  CHECK(saved.find("List=01000000000000000000000000000000000000000000000000\r\n") != std::string::npos);
  CHECK(saved.find("Palette15=0x000000\r\n") != std::string::npos);
  // The teardown follows from the loop without a second save.
  app.options->palette[0] = 0x123456;
  MSG msg{};
  DWORD start = GetTickCount();
  while (GetTickCount() - start < 10000 && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  CHECK(msg.message == WM_QUIT);
  CHECK(!IsWindow(main) && app.tornDown && app.tray.State() == -1);
  CHECK(FileText(ini).find("0x123456") == std::string::npos);
  CHECK(RunGlobalCommand(kCmdExit) == -1);
}

}  // namespace

int main() {
  AppState& app = App();
  CHECK(StartTestProgram({}, varnel::WorkArea{0, 0, 800, 600}) && app.taskbarCreated != 0);
  app.tray.Create(app.instance, app.mainWindow);
  TestMessageBoxKinds();
  TestCenterWindow(app.instance);
  TestGuards(app.mainWindow);
  TestRestoredScheduleWarning(app.mainWindow);
  TestExitDuringMessageBox(app.mainWindow, DataFolder() / "Varnel.ini");
  std::filesystem::remove_all(DataFolder());
  return Finish();
}
