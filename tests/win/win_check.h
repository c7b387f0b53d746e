// The check macro of the Windows-side test programs: counts and prints, so one
// run reports every failed check; main returns non-zero when any failed.
#pragma once
#include <cstdio>

inline int g_failures = 0;
inline int g_checks = 0;

#define CHECK(cond)                                                   \
  do {                                                                \
    ++g_checks;                                                       \
    if (!(cond)) {                                                    \
      ++g_failures;                                                   \
      std::printf("  FAILED %s:%d: %s\n", __FILE__, __LINE__, #cond); \
    }                                                                 \
  } while (0)

// A running program in this process: the data folder written from files (name,
// bytes), the options, the main window, the menus and the notes of "List".
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <thread>
#include <fstream>
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

// Presses OK on every dialog and message box of this process while it lives,
// as a user would; counts the boxes it answered.
class DialogAnswerer {
 public:
  DialogAnswerer() : thread_([this] { Run(); }) {}
  ~DialogAnswerer() {
    watching_ = false;
    thread_.join();
  }
  int Answered() const { return answered_; }

 private:
  void Run() {
    const DWORD process = GetCurrentProcessId();
    while (watching_) {
      HWND box = nullptr;
      while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
        DWORD pid = 0;
        GetWindowThreadProcessId(box, &pid);
        if (pid == process && IsWindowVisible(box) && box != last_) {
          PostMessageW(box, WM_COMMAND, IDOK, 0);
          last_ = box;
          ++answered_;
        }
      }
      Sleep(50);
    }
  }
  std::atomic<bool> watching_{true};
  std::atomic<int> answered_{0};
  HWND last_ = nullptr;
  std::thread thread_;
};

inline bool StartTestProgram(const std::vector<std::pair<std::string, std::string>>& files) {
  using namespace varnel;
  using namespace varnel::win;
  const std::filesystem::path data = DataFolder();
  std::filesystem::remove_all(data);
  std::filesystem::create_directories(data);
  for (const auto& [name, bytes] : files) std::ofstream(data / name, std::ios::binary) << bytes;
  AppState& app = App();
  app.instance = GetModuleHandleW(nullptr);
  app.options = std::make_unique<GlobalOptions>(ProgramStoreEnv(), data, WorkArea{0, 0, 1280, 800});
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
