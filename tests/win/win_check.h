// The check macros and shared fixtures of the Windows-side test programs. CHECK counts and
// prints, so one run reports every failed check; Finish() gives main's exit code.
#pragma once
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
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

inline int g_failures = 0;
inline int g_checks = 0;

// context: what a table row was, printed with the failure.
#define CHECK_AT(cond, context)                                                                        \
  do {                                                                                                 \
    ++g_checks;                                                                                        \
    if (!(cond)) {                                                                                     \
      ++g_failures;                                                                                    \
      std::printf("  FAILED %s:%d: %s %s\n", __FILE__, __LINE__, #cond, std::string(context).c_str()); \
    }                                                                                                  \
  } while (0)
#define CHECK(cond) CHECK_AT(cond, "")

inline int Finish() {
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

// Names in a folder, read through the long-path spelling.
inline std::vector<std::wstring> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW d;
  HANDLE h = FindFirstFileW((varnel::win::ApiPath(folder) + L"\\*").c_str(), &d);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (std::wcscmp(d.cFileName, L".") && std::wcscmp(d.cFileName, L"..")) names.push_back(d.cFileName);
  } while (FindNextFileW(h, &d));
  FindClose(h);
  return names;
}

// A fresh folder under the temporary folder, removed with all it holds (read-only files
// and paths past MAX_PATH included) when the fixture goes.
class TempFolder {
 public:
  explicit TempFolder(const std::wstring& name)
      : path_(std::filesystem::temp_directory_path() /
              (name + L"-" + std::to_wstring(GetCurrentProcessId()))) {
    Remove(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() { Remove(path_); }
  const std::filesystem::path& Path() const { return path_; }
  static void Remove(const std::filesystem::path& p) {
    const std::wstring api = varnel::win::ApiPath(p);
    const DWORD a = GetFileAttributesW(api.c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) {
      for (const auto& n : FolderEntries(p)) Remove(p / n);
      RemoveDirectoryW(api.c_str());
    } else if (a != INVALID_FILE_ATTRIBUTES) {
      SetFileAttributesW(api.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(api.c_str());
    }
  }

 private:
  std::filesystem::path path_;
};

// Presses OK on every dialog and message box this thread opens while it lives, as a user
// would; counts the boxes it answered.
class DialogAnswerer {
 public:
  DialogAnswerer() : hook_(SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId())) { answered_ = 0; }
  ~DialogAnswerer() { UnhookWindowsHookEx(hook_); }
  int Answered() const { return answered_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM window, LPARAM info) {
    wchar_t name[8] = {};
    const HWND box = reinterpret_cast<HWND>(window);
    if (code == HCBT_CREATEWND && GetClassNameW(box, name, 8) && !std::wcscmp(name, L"#32770")) {
      ++answered_;
      PostMessageW(box, WM_COMMAND, IDOK, 0);  // handled once the box runs its loop
    }
    return CallNextHookEx(nullptr, code, window, info);
  }
  inline static int answered_ = 0;
  HHOOK hook_;
};

// A running program in this process: the data folder written from files (name, bytes),
// the options, the main window, the menus and the notes of "List".
inline bool StartTestProgram(const std::vector<std::pair<std::string, std::string>>& files,
                             varnel::WorkArea work = {0, 0, 1280, 800}) {
  using namespace varnel;
  using namespace varnel::win;
  const std::filesystem::path data = DataFolder();
  std::filesystem::remove_all(data);
  std::filesystem::create_directories(data);
  for (const auto& [name, bytes] : files) PutFile(data / name, bytes);
  AppState& app = App();
  app.instance = GetModuleHandleW(nullptr);
  app.options = std::make_unique<GlobalOptions>(ProgramStoreEnv(), data, work);
  app.alarms = std::make_unique<AlarmTable>(LocalAlarmClock());
  if (!RegisterWindowClasses(app.instance) || !(app.mainWindow = CreateMainWindow(app.instance)))
    return false;
  LoadResourceMenus(app.instance);
  OpenNotesAtStart(app.mainWindow);
  return true;
}

// The note's rows as "heading[detail:state ...]", hidden headings in parentheses.
inline std::string RowsOf(varnel::win::CCheckWnd& note) {
  using namespace varnel;
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
inline bool PutOnClipboard(UINT format, const void* bytes, std::size_t size, HWND owner = nullptr) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(block), bytes, size);
  GlobalUnlock(block);
  const bool put = SetClipboardData(format, block) != nullptr;
  CloseClipboard();
  return put;
}

// The clipboard's block of a format as it lies there, terminator included.
template <typename Char>
std::basic_string<Char> ClipboardBlock(HWND owner, UINT format) {
  std::basic_string<Char> out;
  if (!OpenClipboard(owner)) return out;
  if (HANDLE data = GetClipboardData(format)) {
    const auto* p = static_cast<const Char*>(GlobalLock(data));
    out.assign(p, GlobalSize(data) / sizeof(Char));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return out;
}
