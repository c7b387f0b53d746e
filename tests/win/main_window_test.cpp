// The shell's main window under Wine: message-box kinds and centring, the external message
// and hot-key guards, a new note's slot, the tray double-click.
#include "core/app/command_ids.h"
#include "win/app/global_commands.h"
#include "win/app/message_box.h"
#include "win_check.h"

void TestMessageBoxes(HINSTANCE instance) {
  const UINT types[] = {0x10, 0x30, 0x24, 0x23, 0x40, 0x00, 0x10, 0x10, 0x10, 0x10};
  for (int kind = 0; kind < 10; ++kind) CHECK_AT(MessageBoxType(kind) == types[kind], std::to_string(kind));
  // Centred on the owner's client area or on the desktop, the size unchanged. Plain windows:
  // those of the main class would end the loop when destroyed.
  HWND owner =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 100, 80, 401, 301, nullptr, nullptr, instance, nullptr);
  HWND box = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 51, owner, nullptr, instance, nullptr);
  const RECT desk = RectOf(GetDesktopWindow());
  for (const auto& [useParent, left, top] :
       {std::tuple{true, 250L, 205L}, {false, (desk.right - 100) / 2, (desk.bottom - 51) / 2}}) {
    CenterWindow(box, useParent);
    const RECT r = RectOf(box);
    CHECK_AT(r.left == left && r.top == top && r.right - r.left == 100 && r.bottom - r.top == 51,
             useParent ? "owner" : "desktop");
  }
  DestroyWindow(owner);
}

void TestGuards(HWND main) {
  AppState& app = App();
  CHECK(SendMessageW(main, kExternalMessage, 11, MAKELPARAM(0, 70)) == 0);
  CHECK(SendMessageW(main, kExternalMessage, 12, MAKELPARAM(0, 3)) == 0);
  app.options->slotFlags.replace(3, 2, "11");
  CHECK(RunGlobalCommand(500u | (70u << 16)) == -1);
  CHECK(RunGlobalCommand(500u | (3u << 16)) == -1 && app.options->slotFlags[3] == '0');
  SendMessageW(main, WM_HOTKEY, 500u | (4u << 16), 0);
  CHECK(app.options->slotFlags[4] == '1' && RunGlobalCommand(0) == -1);
  // A new note takes the lowest never-deleted slot without a file and is listed at once; a
  // note file that nothing lists is left alone.
  const std::string unlisted = "[Default]\r\nTitle=unlisted\r\n";
  PutFile(DataFolder() / "Varnel00.dat", unlisted);
  CHECK(RunGlobalCommand(kCmdNewNote) == 1 && app.slots[1] && app.options->slotFlags[1] == '1');
  CHECK(FileText(DataFolder() / "Varnel00.dat") == unlisted);
  // The tray double-click runs "Cmd": mode 1 with bit 0x40 arranges (index 0, from the top right).
  if (!app.slots[1]) return;
  const RECT before = RectOf(app.slots[1]->Window());
  app.options->Store().WriteInt("Cmd", 0x140);
  SendMessageW(main, kTrayCallback, 0, WM_LBUTTONDBLCLK);
  const RECT after = RectOf(app.slots[1]->Window());
  CHECK(after.right > before.right && after.right > 700 && after.top < 100);
}

int main() {
  AppState& app = App();
  StartTestProgram({}, varnel::WorkArea{0, 0, 800, 600});
  CHECK(app.taskbarCreated != 0);
  TestMessageBoxes(app.instance);
  TestGuards(app.mainWindow);
  return Finish();
}
