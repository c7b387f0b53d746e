// The check macros and shared fixtures of the Windows-side test programs. CHECK counts and
// prints, so one run reports every failed check.
#pragma once
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "core/features/alarm_table.h"
#include "win/app/app_state.h"
#include "win/app/main_window.h"
#include "win/app/resource_menus.h"
#include "win/note/check_wnd.h"
#include "win/platform/local_time.h"
#include "win/platform/program_paths.h"
#include "win/platform/text_convert.h"
#include "win/platform/win_file_ops.h"

using namespace varnel;
using namespace varnel::win;

inline int g_failures = 0, g_checks = 0;

inline void Check(bool ok, const char* where, int line, const char* what, const std::string& context) {
  ++g_checks;
  if (ok) return;
  ++g_failures;
  std::printf("  FAILED %s:%d: %s %s\n", where, line, what, context.c_str());
}
// context: what a table row was, printed with the failure.
#define CHECK_AT(cond, context) Check(cond, __FILE__, __LINE__, #cond, context)
#define CHECK(cond) CHECK_AT(cond, "")

// main's exit code, after the notes of a running program closed.
inline int Finish() {
  if (App().mainWindow) CloseNotesQuietly(App().mainWindow);
  std::printf("%d checks, %d failed\n", g_checks, g_failures);
  return g_failures ? 1 : 0;
}

inline std::string FileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);  // closed again: a file held open cannot be replaced
  return std::string(std::istreambuf_iterator<char>(in), {});
}
inline void PutFile(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

inline RECT RectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

// Names in a folder, read through the long-path spelling.
inline std::vector<std::wstring> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW d;
  HANDLE h = FindFirstFileW((ApiPath(folder) + L"\\*").c_str(), &d);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (std::wcscmp(d.cFileName, L".") && std::wcscmp(d.cFileName, L"..")) names.push_back(d.cFileName);
  } while (FindNextFileW(h, &d));
  FindClose(h);
  return names;
}

// Removes a file or a folder with all it holds, read-only files and paths past MAX_PATH included.
inline void RemoveAll(const std::filesystem::path& p) {
  const std::wstring api = ApiPath(p);
  for (const auto& n : FolderEntries(p)) RemoveAll(p / n);  // a file has none
  SetFileAttributesW(api.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!RemoveDirectoryW(api.c_str())) DeleteFileW(api.c_str());
}

// From now on presses OK on every dialog and message box this thread opens, as a user would,
// counting them.
inline int g_answered = 0;
inline void AnswerDialogs() {
  const HOOKPROC hook = [](int code, WPARAM window, LPARAM info) -> LRESULT {
    wchar_t name[8] = {};
    const HWND box = reinterpret_cast<HWND>(window);
    if (code == HCBT_CREATEWND && GetClassNameW(box, name, 8) && !std::wcscmp(name, L"#32770")) {
      ++g_answered;
      PostMessageW(box, WM_COMMAND, IDOK, 0);  // handled once the box runs its loop
    }
    return CallNextHookEx(nullptr, code, window, info);
  };
  SetWindowsHookExW(WH_CBT, hook, nullptr, GetCurrentThreadId());
}

// A running program in this process: the data folder written from files (name, bytes),
// the options, the main window, the menus and the notes of "List"; the run ends when one is missing.
inline void StartTestProgram(const std::vector<std::pair<std::string, std::string>>& files,
                             WorkArea work = {0, 0, 1280, 800}) {
  const std::filesystem::path data = DataFolder();
  std::filesystem::remove_all(data);
  std::filesystem::create_directories(data);
  for (const auto& [name, bytes] : files) PutFile(data / name, bytes);
  AppState& app = App();
  app.instance = GetModuleHandleW(nullptr);
  app.options = std::make_unique<GlobalOptions>(ProgramStoreEnv(), data, work);
  app.alarms = std::make_unique<AlarmTable>(LocalAlarmClock());
  if (RegisterWindowClasses(app.instance) && (app.mainWindow = CreateMainWindow(app.instance))) {
    LoadResourceMenus(app.instance);
    OpenNotesAtStart(app.mainWindow);
  }
  for (std::size_t s = 0; s < app.options->slotFlags.size(); ++s)
    if (!app.mainWindow || (app.options->slotFlags[s] == '1' && !app.slots[s])) {
      std::printf("FAILED: the program or note %zu did not open\n", s);
      std::exit(1);
    }
}

// The note's rows as "heading[detail:state ...]", hidden headings in parentheses.
inline std::string RowsOf(CCheckWnd& note) {
  NoteContent& c = note.Content();
  std::string out;
  for (int h = 0; h < c.headingCount; ++h) {
    const bool hidden = (c.headingAttributes[static_cast<std::size_t>(h)] & kHeadingHidden) != 0;
    out += std::string(h ? " " : "") + (hidden ? "(" : "") + c.rows.At(c.HeadingRow(h)).text +
           (hidden ? ")[" : "[");
    c.ForEachRow(h, false, [&](int row, std::uint32_t) {
      out += (out.back() == '[' ? "" : " ") + c.rows.At(row).text + ":" +
             std::to_string(DetailStateOf(c.rows.At(row).status));
    });
    out += "]";
  }
  return out;
}

// Puts bytes as they are, as another program would, with no terminator added.
inline void PutOnClipboard(UINT format, const void* bytes, std::size_t size, HWND owner = nullptr) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(block), bytes, size);
  GlobalUnlock(block);
  SetClipboardData(format, block);
  CloseClipboard();
}

// The clipboard's CF_TEXT block as it lies there, terminator included.
inline std::string ClipboardBlock() {
  std::string out;
  if (!OpenClipboard(nullptr)) return out;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    out.assign(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return out;
}
