// One note's style page ("PDLGW") on a real note: what it shows, what OK writes
// to the note file (the face, "Non", "BarStat" 0 by default, decorations cut
// to 16 characters or removed), and that a second OK writes nothing new; a
// change of the global title mode re-derives a derived title; the swatch text
// colour rule.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/features/alarm_table.h"
#include "win/app/app_state.h"
#include "win/app/main_window.h"
#include "win/app/option_changes.h"
#include "win/dialogs/dialog_controls.h"
#include "win/dialogs/style_page.h"
#include "win/note/check_wnd.h"
#include "win/platform/local_time.h"
#include "win/platform/program_paths.h"
#include "tests/win/win_check.h"

using namespace varnel;
using namespace varnel::win;

namespace {

std::string Read(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Has(const std::string& text, const std::string& line) {
  return text.find(line + "\r\n") != std::string::npos;
}

void CheckSwatchText() {
  const struct {
    COLORREF colour;
    bool white;
    const wchar_t* text;
  } cases[] = {
      {0x000000, true, L"0x000000"},  {0xFFFFFF, false, L"0xFFFFFF"},   {0x99FFCC, false, L"0x99FFCC"},
      {0x0000FF, true, L"0x0000FF"},  {0xFF0000, true, L"0xFF0000"},    {0x7F7F7F, true, L"0x7F7F7F"},
      {0x808080, false, L"0x808080"}, {0xFF00FF, false, L"0xFF00FF"},   {0x00FF7F, true, L"0x00FF7F"},
      {0x7F00FF, true, L"0x7F00FF"},  {0xFFFFFFFF, false, L"0xFFFFFF"},
  };
  for (const auto& c : cases) {
    CHECK(SwatchTextWhite(c.colour) == c.white);
    CHECK(SwatchText(c.colour) == c.text);
  }
}

// The page inside a stand-in for the properties dialog, closed with OK.
void RunPage(CCheckWnd& note, void (*edit)(HWND page)) {
  HWND host =
      CreateWindowExW(0, L"#32770", L"", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr, nullptr, nullptr);
  auto page = MakeNoteStylePage(note);
  HWND window = page->CreateChild(L"PDLGW", host);
  CHECK(window != nullptr);
  if (window && edit) edit(window);
  if (window) SendMessageW(window, WM_COMMAND, MAKEWPARAM(11, BN_CLICKED), 0);
  DestroyWindow(host);
}

void CheckNotePage(CCheckWnd& note, const std::filesystem::path& file) {
  RunPage(note, [](HWND page) {
    CHECK(IsChecked(page, IDC_STYLE_OPEN));  // no "BarStat": starts unfolded
    CHECK(GetControlText(page, IDC_STYLE_TITLE, 260) == "own");
    CHECK(IsChecked(page, IDC_STYLE_BOLD_H) && !IsChecked(page, IDC_STYLE_ITALIC_H));  // "FontH" 0x01
    SetControlText(page, IDC_STYLE_FONT, "IPAGothic");
    SetChecked(page, IDC_STYLE_NON, true);
    SetChecked(page, IDC_STYLE_ITALIC_B, true);
  });
  const std::string after = Read(file);
  for (const char* line :
       {"Font=IPAGothic", "Non=1", "BarStat=0", "FontB=2", "FontH=1", "Pen1=2001000000000000", "Title=own"})
    CHECK(Has(after, line));
  CHECK(after.find("Pen0=") == std::string::npos);  // a decoration of zeros goes
  CHECK(note.Settings().fontFace == "IPAGothic" && note.Settings().hideHeadingRows);
  RunPage(note, nullptr);
  CHECK(Read(file) == after);
}

void CheckTitleFollowsMode(CCheckWnd& note) {
  GlobalOptions& options = *App().options;
  CHECK(note.Content().title == "(付箋2)");
  OptionValues next = options;
  next.title = 1;
  options.Apply(next);
  CHECK(note.Content().title == "A");
  next.title = 0;
  options.Apply(next);
  CHECK(note.Content().title == "(付箋2)");
}

}  // namespace

int main() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  CheckSwatchText();
  const std::filesystem::path data = DataFolder();
  std::filesystem::remove_all(data);
  std::filesystem::create_directories(data);
  std::ofstream(data / "Varnel.ini", std::ios::binary) << "[Default]\r\nList=11\r\n";
  std::ofstream(data / "Varnel00.dat", std::ios::binary)
      << "[Default]\r\nTitle=own\r\nPen0=12\r\nPen1=2001000000000000EXTRA\r\n";
  std::ofstream(data / "Varnel01.dat", std::ios::binary)
      << "[Default]\r\n[1]\r\n0S=00000000\r\n0L=A\r\n1S=000000000000000000000000\r\n1L=a1\r\n";
  AppState& app = App();
  app.instance = instance;
  app.options = std::make_unique<GlobalOptions>(ProgramStoreEnv(), data, WorkArea{0, 0, 1280, 800});
  app.options->onApplied = FollowOptionChanges;
  app.alarms = std::make_unique<AlarmTable>(LocalAlarmClock());
  if (!RegisterWindowClasses(instance) || !(app.mainWindow = CreateMainWindow(instance))) {
    std::printf("FAILED: main window\n");
    return 1;
  }
  OpenNotesAtStart(app.mainWindow);
  CHECK(app.slots[0] && app.slots[1]);
  if (app.slots[0]) CheckNotePage(*app.slots[0], data / "Varnel00.dat");
  if (app.slots[1]) CheckTitleFollowsMode(*app.slots[1]);
  CloseNotesQuietly(app.mainWindow);
  std::printf("%d checks, %d failed\n", g_checks, g_failures);
  return g_failures ? 1 : 0;
}
