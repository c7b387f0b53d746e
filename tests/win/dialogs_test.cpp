// The dialogs under Wine: the kit's tabbed container, number filter and swatch text; the
// frame dialog driven through its controls from a second thread as a user would (40 x 20
// taken, 39 wide refused with its message, the work-area line copied by a double-click, edges
// bounded on OK, Cancel); one note's style page ("PDLGW") on a real note: what it shows, what
// OK writes (a second OK nothing new), and a title re-derived when the global mode changes.
#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "resource.h"
#include "win/app/option_changes.h"
#include "win/dialogs/dialog_controls.h"
#include "win/dialogs/frame_dialog.h"
#include "win/dialogs/style_page.h"
#include "win/dialogs/tab_pages.h"
#include "win_check.h"

using namespace varnel;
using namespace varnel::win;

namespace {

std::vector<std::pair<HWND, int>> g_closes;  // page, command id

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) g_closes.emplace_back(window, LOWORD(wParam));
  return DefWindowProcW(window, message, wParam, lParam);
}

// The pages fill the tab's display area, the selected one shows, and OK or Cancel closes
// every page in tab order.
void CheckTabPages(HINSTANCE instance) {
  RegisterTestClass(instance, L"PageTest", PageProc);
  HWND dialog = CreateWindowExW(0, L"PageTest", L"dlg", WS_POPUP, 50, 50, 400, 300, nullptr, nullptr,
                                instance, nullptr);
  HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 10, 10, 380, 250, dialog,
                              reinterpret_cast<HMENU>(1000), instance, nullptr);
  TabPages pages(dialog);
  std::vector<HWND> children;
  for (const char* caption : {"付箋", "見出", "明細"}) {
    children.push_back(
        CreateWindowExW(0, L"PageTest", L"", WS_CHILD, 0, 0, 10, 10, dialog, nullptr, instance, nullptr));
    pages.Add(caption, children.back());
  }
  CHECK(pages.Count() == 3 && SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0) == 3);
  RECT tabRect{}, pageRect{};
  GetWindowRect(tabs, &tabRect);
  for (HWND page : children) {
    GetWindowRect(page, &pageRect);
    CHECK(pageRect.left > tabRect.left && pageRect.top > tabRect.top && pageRect.right < tabRect.right &&
          pageRect.bottom < tabRect.bottom && pageRect.right - pageRect.left > 300);
  }
  // Selected, shown: out of range, the first or the current page.
  const int selections[][2] = {{-1, 0}, {2, 2}, {1, 1}, {7, 1}};
  for (const auto& s : selections) {
    pages.Select(s[0]);
    for (int i = 0; i < 3; ++i)
      CHECK_AT(((GetWindowLongW(children[static_cast<std::size_t>(i)], GWL_STYLE) & WS_VISIBLE) != 0) ==
                   (i == s[1]),
               std::to_string(s[0]));
  }
  for (int id : {11, 12}) {
    g_closes.clear();
    pages.Close(id == 11);
    CHECK_AT((g_closes ==
              std::vector<std::pair<HWND, int>>{{children[0], id}, {children[1], id}, {children[2], id}}),
             std::to_string(id));
  }
  DestroyWindow(dialog);
}

void CheckSignedNumberFilter() {
  const struct {
    const wchar_t* text;
    DWORD pos;
    wchar_t ch;
    bool taken;
  } cases[] = {
      {L"", 0, L'5', true},     {L"12", 2, L'3', true},  {L"", 0, L'-', true},    {L"12", 0, L'-', true},
      {L"-12", 0, L'-', false}, {L"12", 1, L'-', false}, {L"-1", 0, L'4', false}, {L"-1", 1, L'4', true},
      {L"1", 1, L'a', false},   {L"1", 1, L'.', false},  {L"1", 1, L'+', false},  {L"", 0, L'５', false},
  };
  for (const auto& c : cases)
    CHECK_AT(SignedNumberAccepts(c.text, c.pos, c.ch) == c.taken,
             std::to_string(c.ch) + " at " + std::to_string(c.pos));
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

// The visible top-level dialog with this caption, waited for up to 10 s.
HWND WaitWindow(const wchar_t* caption) {
  for (int i = 0; i < 200; ++i) {
    HWND h = FindWindowW(L"#32770", caption);
    if (h && IsWindowVisible(h)) return h;
    Sleep(50);
  }
  return nullptr;
}

std::wstring Text(HWND dialog, int id) {
  wchar_t buf[256] = {};
  GetDlgItemTextW(dialog, id, buf, 256);
  return buf;
}

void SetEdges(HWND dialog, const wchar_t* const (&edges)[4]) {
  for (int i = 0; i < 4; ++i) SetDlgItemTextW(dialog, IDC_FRAME_LEFT + i, edges[i]);
}

void Press(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Runs the dialog on range while user() drives it; the dialog's result.
bool Drive(FrameRange& range, const std::function<void(HWND)>& user) {
  std::thread driver([&] {
    HWND dialog = WaitWindow(L"座標範囲設定");
    CHECK(dialog != nullptr);
    if (dialog) user(dialog);
  });
  const bool ok = RunFrameDialog(nullptr, range);
  driver.join();
  return ok;
}

// Edges typed and OK pressed; then 39 wide refused with its message; then the work area.
void CheckFrameDialog() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);

  const struct {
    const wchar_t* edges[4];
    FrameRange result;
  } cases[] = {
      {{L"0", L"0", L"40", L"20"}, {0, 0, 40, 20}},
      {{L"-100", L"-50", L"-60", L"-30"}, {-100, -50, -60, -30}},
      {{L"-99999", L"0", L"99999", L"20"}, {-9999, 0, 9999, 20}},
  };
  for (const auto& c : cases) {
    FrameRange range{1, 2, 300, 400};
    CHECK(Drive(range, [&](HWND dialog) {
      CHECK(Text(dialog, IDC_FRAME_LEFT) == L"1" && Text(dialog, IDC_FRAME_BOTTOM) == L"400");
      SetEdges(dialog, c.edges);
      Press(dialog, IDC_OK);
    }));
    CHECK(range == c.result);
  }

  // 39 wide: the message, the dialog stays; then Cancel keeps the caller's range.
  FrameRange range{1, 2, 300, 400};
  std::wstring message;
  CHECK(!Drive(range, [&](HWND dialog) {
    SetEdges(dialog, {L"0", L"0", L"39", L"20"});
    Press(dialog, IDC_OK);
    HWND box = WaitWindow(L"Varnel");
    CHECK(box != nullptr);
    if (!box) return;
    message = Text(box, 0xFFFF);
    Press(box, IDOK);
    for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(50);
    CHECK(IsWindowVisible(dialog));
    Press(dialog, IDC_CANCEL);
  }));
  CHECK(message == L"座標範囲を広げてください。　　");
  CHECK(range == (FrameRange{1, 2, 300, 400}));

  // A double-click on the first line copies the work area.
  std::wstring first;
  CHECK(Drive(range, [&](HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_FRAME_MONITORS);
    CHECK(SendMessageW(list, LB_GETCOUNT, 0, 0) >= 2);  // the work area and at least one monitor
    wchar_t line[128] = {};
    SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    first = line;
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FRAME_MONITORS, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    Press(dialog, IDC_OK);
  }));
  CHECK(range == (FrameRange{work.left, work.top, work.right, work.bottom}));
  CHECK(first.size() > 2 && first.substr(first.size() - 2) == L" *");
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
  const std::string after = FileText(file);
  for (const char* line :
       {"Font=IPAGothic", "Non=1", "BarStat=0", "FontB=2", "FontH=1", "Pen1=2001000000000000", "Title=own"})
    CHECK_AT(after.find(line + std::string("\r\n")) != std::string::npos, line);
  CHECK(after.find("Pen0=") == std::string::npos);  // a decoration of zeros goes
  CHECK(note.Settings().fontFace == "IPAGothic" && note.Settings().hideHeadingRows);
  RunPage(note, nullptr);
  CHECK(FileText(file) == after);
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
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  CHECK(StartTestProgram(
      {{"Varnel.ini", "[Default]\r\nList=11\r\n"},
       {"Varnel00.dat", "[Default]\r\nTitle=own\r\nPen0=12\r\nPen1=2001000000000000EXTRA\r\n"},
       {"Varnel01.dat",
        "[Default]\r\n[1]\r\n0S=00000000\r\n0L=A\r\n1S=000000000000000000000000\r\n1L=a1\r\n"}}));
  AppState& app = App();
  app.options->onApplied = FollowOptionChanges;
  CheckTabPages(app.instance);
  CheckSignedNumberFilter();
  CheckSwatchText();
  CheckFrameDialog();
  if (app.slots[0]) CheckNotePage(*app.slots[0], DataFolder() / "Varnel00.dat");
  if (app.slots[1]) CheckTitleFollowsMode(*app.slots[1]);
  CHECK(app.slots[0] && app.slots[1]);
  CloseNotesQuietly(app.mainWindow);
  return Finish();
}
