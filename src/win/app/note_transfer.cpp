#include "win/app/note_transfer.h"

#include <memory>

#include "core/app/command_ids.h"
#include "core/app/note_exchange.h"
#include "win/app/app_state.h"
#include "win/app/message_box.h"
#include "win/dialogs/dialog_controls.h"
#include "win/note/check_wnd.h"
#include "win/platform/program_paths.h"
#include "win/platform/win_file_ops.h"

namespace varnel::win {
namespace {

constexpr const char* kExchangeFailed = "付箋の番号を入れ替えられませんでした。付箋は元のままです。　　";
constexpr const char* kExchangeBusy =
    "前回の番号の入替で残った一時ファイル data\\Varnel.tmp があるため、入れ替えられません。　　";
constexpr const char* kExchangeLeft =
    "番号の入替を最後まで書き込めませんでした。次回の起動時に完了します。　　";
constexpr const char* kRecoveryKept =
    "前回の番号の入替を復旧できませんでした。付箋の内容は data\\Varnel.tmp に残っています。　　";
constexpr const char* kNotANoteFile = "付箋ファイルではないため、インポートできません。　　";
constexpr const char* kImportFailed = "インポートできませんでした。付箋は元のままです。　　";
constexpr const char* kOpenFailed = "付箋を開けませんでした。　　";
constexpr const char* kOwnFile = "Varnel自身のファイルには書き出せません。　　";
constexpr const char* kExportFailed = "エクスポートできませんでした。　　";
constexpr const char* kSlotTaken = "この番号には新しい付箋が作成されているため、復元できません。　　";

std::filesystem::path JournalPath() { return DataFolder() / "Varnel.tmp"; }

RecoveryResult Recover() { return RecoverExchange(WinFileOps(), JournalPath(), NoteFilePath); }

bool InDataFolder(const std::filesystem::path& path) {
  const std::wstring folder = ApiPath(path.parent_path()), data = ApiPath(DataFolder());
  std::error_code ec;
  return (!folder.empty() &&
          CompareStringOrdinal(folder.c_str(), -1, data.c_str(), -1, TRUE) == CSTR_EQUAL) ||
         std::filesystem::equivalent(path.parent_path(), DataFolder(), ec);
}

}  // namespace

bool ImportNoteFile(HWND owner, int slot, const std::filesystem::path& chosen) {
  const FileOps& files = WinFileOps();
  std::string bytes;
  const FileStamp stamp = files.stamp(chosen);
  if (stamp.exists && stamp.size > kMaxImportBytes) {
    ShowMessage(owner, 0, kNotANoteFile);
    return false;
  }
  if (!files.read(chosen, bytes)) {
    ShowMessage(owner, 0, kImportFailed);
    return false;
  }
  if (!IsNoteFileContent(bytes)) {
    ShowMessage(owner, 0, kNotANoteFile);
    return false;
  }
  AppState& app = App();
  // The note stays whole in its slot until its file holds the new content.
  if (!app.slots[static_cast<std::size_t>(slot)] || !files.replace(NoteFilePath(slot), bytes)) {
    ShowMessage(owner, 0, kImportFailed);
    return false;
  }
  app.slots[static_cast<std::size_t>(slot)]->Discard();
  auto note = std::make_unique<CCheckWnd>();
  if (note->Open(app.mainWindow, slot, OpenMode::Existing, app.mainWindow)) {
    app.slots.Put(static_cast<std::size_t>(slot), std::move(note));
    return true;
  }
  // Its file is still a note: no new note may take the slot over.
  app.failedAtStart[static_cast<std::size_t>(slot)] = true;
  ShowMessage(owner, 0, kOpenFailed);
  return false;
}

bool ExportNoteFile(HWND owner, int slot, const std::filesystem::path& chosen) {
  if (IsProgramFileName(chosen) && InDataFolder(chosen)) {
    ShowMessage(owner, 0, kOwnFile);
    return false;
  }
  CCheckWnd* note = App().slots[static_cast<std::size_t>(slot)];
  if (!note) return false;
  note->Save();  // what is shown is what goes out
  std::string bytes;
  if (WinFileOps().read(NoteFilePath(slot), bytes) && WinFileOps().replace(chosen, bytes)) return true;
  ShowMessage(owner, 0, kExportFailed);
  return false;
}

bool ExchangeNotes(int slotA, int slotB, HWND owner) {
  AppState& app = App();
  if (slotA == slotB || slotA < 0 || slotB < 0 || slotA >= kSlotCount || slotB >= kSlotCount) return false;
  CCheckWnd* a = app.slots[static_cast<std::size_t>(slotA)];
  CCheckWnd* b = app.slots[static_cast<std::size_t>(slotB)];
  if (!a || !b) return false;
  // The files must hold what the notes show before they move.
  a->Save();
  b->Save();
  ExchangeResult result =
      ExchangeNoteFiles(WinFileOps(), JournalPath(), slotA, NoteFilePath(slotA), slotB, NoteFilePath(slotB));
  if (result == ExchangeResult::kInterrupted && Recover() == RecoveryResult::kFinished)
    result = ExchangeResult::kDone;
  if (result == ExchangeResult::kBusy || result == ExchangeResult::kFailed) {
    ShowMessage(owner, 0, result == ExchangeResult::kBusy ? kExchangeBusy : kExchangeFailed);
    return false;
  }
  // Interrupted: the next start completes the exchange, so the notes follow it now.
  app.slots.Swap(static_cast<std::size_t>(slotA), static_cast<std::size_t>(slotB));
  app.alarms->SwapNotes(slotA, slotB);
  a->Renumber(slotB, NoteFilePath(slotB));
  b->Renumber(slotA, NoteFilePath(slotA));
  a->UpdateTitle(-9);
  b->UpdateTitle(-9);
  if (result == ExchangeResult::kInterrupted) ShowMessage(owner, 1, kExchangeLeft);
  return true;
}

void ImportExportNote(int command, HWND owner, int slot) {
  if (slot < 0 || slot >= kSlotCount || !App().slots[static_cast<std::size_t>(slot)]) return;
  const bool import = command == kCmdImport;
  if (!import && command != kCmdExport) return;
  std::filesystem::path chosen;
  if (!ChooseFilePath(owner, L"*.dat", L"dat", !import, chosen)) return;
  // The dialog was modal: a hot key may have deleted the note meanwhile.
  if (!App().slots[static_cast<std::size_t>(slot)]) return;
  if (import)
    ImportNoteFile(owner, slot, chosen);
  else
    ExportNoteFile(owner, slot, chosen);
}

bool RestoreNote(int slot, HWND owner) {
  AppState& app = App();
  if (slot < 0 || slot >= kSlotCount) return false;
  std::error_code ec;
  if (app.slots[static_cast<std::size_t>(slot)] || !std::filesystem::exists(NoteFilePath(slot), ec)) {
    ShowMessage(owner, 0, kSlotTaken);
    return false;
  }
  auto note = std::make_unique<CCheckWnd>();
  if (!note->Open(app.mainWindow, slot, OpenMode::Restored, owner)) {
    ShowMessage(owner, 0, kOpenFailed);
    return false;
  }
  CCheckWnd* restored = note.get();
  app.slots.Put(static_cast<std::size_t>(slot), std::move(note));
  app.failedAtStart[static_cast<std::size_t>(slot)] = false;
  app.options->slotFlags[static_cast<std::size_t>(slot)] = '1';
  app.options->SaveSlotFlagsAndPalette();
  restored->NoteCommand(kCmdShow);
  return true;
}

void RecoverNoteExchange() {
  if (Recover() == RecoveryResult::kKept) ShowMessage(nullptr, 0, kRecoveryKept);
}

}  // namespace varnel::win
