#include "win/app/backups.h"

#include <vector>

#include "core/config/backup.h"
#include "win/app/app_state.h"
#include "win/app/message_box.h"
#include "win/app/option_changes.h"
#include "win/app/shutdown.h"
#include "win/note/check_wnd.h"
#include "win/platform/local_time.h"
#include "win/platform/program_paths.h"
#include "win/platform/win_file_ops.h"

namespace varnel::win {
namespace {

constexpr const char* kSetAsideHead = "次のファイルは読めないため、名前を変えて残しました。\r\n";
constexpr const char* kInBackup = "（バックアップあり）";
constexpr const char* kBackupExists =
    "\r\nバックアップから、トレイのメニューの「バックアップから復元...」で戻せます。　　";
constexpr const char* kNoBackup = "\r\nこのファイルのバックアップはありません。　　";
constexpr const char* kSaveFailed = "今の付箋を保存できないため、復元を中止しました。　　";
constexpr const char* kBackupFailed = "今の付箋をバックアップできないため、復元を中止しました。　　";
constexpr const char* kRestoreFailed =
    "一部のファイルを復元できませんでした。復元の前の状態もバックアップにあります。　　";

StartupBackupResult startResult;  // what BackUpAtStart found, for the message after the notes opened

}  // namespace

void BackUpAtStart() {
  AppState& app = App();
  startResult = BackUpDataFolder(WinFileOps(), DataFolder(), LocalNow(), true, app.options->backup);
  bool global = false;
  for (const SetAsideFile& f : startResult.setAside) global = global || SlotOfDataFile(f.name) < 0;
  if (global) LoadGlobalOptions();
  // A note whose file went aside stays closed: opened, it would be an empty
  // note that overwrites nothing but hides that something is missing.
  for (const SetAsideFile& f : startResult.setAside)
    if (const int slot = SlotOfDataFile(f.name); slot >= 0)
      app.options->slotFlags[static_cast<size_t>(slot)] = '0';
}

void ReportSetAsideFiles() {
  if (startResult.setAside.empty()) return;
  std::string text = kSetAsideHead;
  bool anyBackup = false;
  for (const SetAsideFile& f : startResult.setAside) {
    text += "\r\n" + f.name + " → " + f.badName + (f.inBackup ? kInBackup : "");
    anyBackup = anyBackup || f.inBackup;
  }
  text += "\r\n";
  text += anyBackup ? kBackupExists : kNoBackup;
  startResult = {};
  ShowMessage(nullptr, 1, text);
}

void BackUpDaily() {
  if (App().options->backup) BackUpDataFolder(WinFileOps(), DataFolder(), LocalNow(), false);
}

bool RestoreFromBackup(HWND owner, const std::string& name) {
  AppState& app = App();
  if (!ShutdownSave().empty()) {
    ShowMessage(owner, 1, kSaveFailed);
    return false;
  }
  if (BackUpDataFolder(WinFileOps(), DataFolder(), LocalNow(), false).failed) {
    ShowMessage(owner, 1, kBackupFailed);
    return false;
  }
  CloseNotesQuietly(app.mainWindow);
  // No note code is on the stack here (a tray command), and the old notes must
  // release their alarms before the new ones take them.
  app.slots.FreeRetired();
  app.failedAtStart = {};
  const bool ok = RestoreBackup(WinFileOps(), DataFolder(), name);
  // The options come from the restored global file, as at start-up.
  LoadGlobalOptions();
  app.dateFormats.Load(app.options->Store());
  FollowOptionChanges(kOptionTimers | kOptionMenus | kOptionHotKeys);
  BringUpNotes(app.mainWindow);
  if (!ok) ShowMessage(owner, 1, kRestoreFailed);
  return ok;
}

}  // namespace varnel::win
