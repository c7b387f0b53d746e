// The dialogs under Wine: the signed number filter; the frame dialog driven from a second thread as
// a user would; a note's style page ("PDLGW"); a title re-derived when the global mode changes.
#include "win_check.h"

#include <commctrl.h>
#include <functional>
#include <thread>

#include "resource.h"
#include "win/app/option_changes.h"
#include "win/dialogs/dialog_controls.h"
#include "win/dialogs/frame_dialog.h"
#include "win/dialogs/style_page.h"

// What the edge boxes take, at the caret.
void CheckSignedNumberFilter() {
  const std::tuple<const wchar_t*, DWORD, wchar_t, bool> keys[] = {
      {L"", 0, L'5', true},     {L"12", 2, L'3', true},  {L"", 0, L'-', true},    {L"12", 0, L'-', true},
      {L"-12", 0, L'-', false}, {L"12", 1, L'-', false}, {L"-1", 0, L'4', false}, {L"-1", 1, L'4', true},
      {L"1", 1, L'a', false},   {L"1", 1, L'.', false},  {L"1", 1, L'+', false},  {L"", 0, L'５', false},
  };
  for (const auto& [text, pos, ch, taken] : keys)
    CHECK_AT(SignedNumberAccepts(text, pos, ch) == taken, std::to_string(ch) + " at " + std::to_string(pos));
}

// The visible top-level dialog with this caption, waited for up to 10 s.
HWND WaitWindow(const wchar_t* caption) {
  for (int i = 0; i < 200; ++i, Sleep(50))
    if (HWND h = FindWindowW(L"#32770", caption); h && IsWindowVisible(h)) return h;
  return nullptr;
}

void SetEdges(HWND dialog, const std::vector<std::string>& edges) {
  for (int i = 0; i < 4; ++i) SetControlText(dialog, IDC_FRAME_LEFT + i, edges[static_cast<std::size_t>(i)]);
}

void Press(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Runs the dialog on range while user() drives it from a second thread; the dialog's result.
bool Drive(FrameRange& range, const std::function<void(HWND)>& user) {
  std::thread driver([&] { user(WaitWindow(L"座標範囲設定")); });  // none: the checks fail
  const bool ok = RunFrameDialog(nullptr, range);
  driver.join();
  return ok;
}

// The edges shown; 39 wide refused with its message while the dialog stays; edges bounded on
// OK; the work-area line copied by a double-click; Cancel keeps the caller's range.
void CheckFrameDialog() {
  FrameRange range{1, 2, 300, 400};
  std::string message;
  CHECK(Drive(range, [&](HWND dialog) {
    CHECK(GetControlText(dialog, IDC_FRAME_LEFT, 8) == "1" &&
          GetControlText(dialog, IDC_FRAME_BOTTOM, 8) == "400");
    SetEdges(dialog, {"0", "0", "39", "20"});
    Press(dialog, IDC_OK);
    if (HWND box = WaitWindow(L"Varnel")) {
      message = GetControlText(box, 0xFFFF, 256);
      Press(box, IDOK);
      for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(50);
    }
    CHECK(IsWindowVisible(dialog));
    SetEdges(dialog, {"-99999", "-50", "99999", "-30"});
    Press(dialog, IDC_OK);
  }));
  CHECK(message == "座標範囲を広げてください。　　");
  CHECK(range == (FrameRange{-9999, -50, 9999, -30}));

  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  CHECK(!Drive(range, [&](HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_FRAME_MONITORS);
    CHECK(SendMessageW(list, LB_GETCOUNT, 0, 0) >= 2);  // the work area and at least one monitor
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FRAME_MONITORS, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    const LONG edges[4] = {work.left, work.top, work.right, work.bottom};
    for (int i = 0; i < 4; ++i)
      CHECK(GetControlText(dialog, IDC_FRAME_LEFT + i, 8) == std::to_string(edges[i]));
    Press(dialog, IDC_CANCEL);
  }));
  CHECK(range == (FrameRange{-9999, -50, 9999, -30}));
}

// The style page in a stand-in host closed with OK twice: what it shows and writes, then nothing new.
void CheckNotePage(CCheckWnd& note, const std::filesystem::path& file) {
  std::string after;
  for (const bool edit : {true, false}) {
    HWND host =
        CreateWindowExW(0, L"#32770", L"", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr, nullptr, nullptr);
    auto page = MakeNoteStylePage(note);
    HWND w = page->CreateChild(L"PDLGW", host);
    CHECK(w != nullptr);
    if (w && edit) {
      CHECK(IsChecked(w, IDC_STYLE_OPEN) &&
            GetControlText(w, IDC_STYLE_TITLE, 260) == "own");                     // no "BarStat"
      CHECK(IsChecked(w, IDC_STYLE_BOLD_H) && !IsChecked(w, IDC_STYLE_ITALIC_H));  // "FontH" 0x01
      SetControlText(w, IDC_STYLE_FONT, "IPAGothic");
      SetChecked(w, IDC_STYLE_NON, true);
      SetChecked(w, IDC_STYLE_ITALIC_B, true);
    }
    if (w) SendMessageW(w, WM_COMMAND, MAKEWPARAM(11, BN_CLICKED), 0);
    DestroyWindow(host);
    CHECK(edit || FileText(file) == after);
    after = FileText(file);
  }
  for (const char* line :
       {"Font=IPAGothic", "Non=1", "BarStat=0", "FontB=2", "FontH=1", "Pen1=2001000000000000", "Title=own"})
    CHECK_AT(after.find(line + std::string("\r\n")) != std::string::npos, line);
  CHECK(after.find("Pen0=") == std::string::npos);  // a decoration of zeros goes
  CHECK(note.Settings().fontFace == "IPAGothic" && note.Settings().hideHeadingRows);
}

void CheckTitleFollowsMode(CCheckWnd& note) {
  OptionValues next = *App().options;
  for (const auto& [mode, title] : {std::pair{1, "A"}, {0, "(付箋2)"}}) {
    next.title = mode;
    App().options->Apply(next);
    CHECK_AT(note.Content().title == title, title);
  }
}

int main() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  StartTestProgram({{"Varnel.ini", "[Default]\r\nList=11\r\n"},
                    {"Varnel00.dat", "[Default]\r\nTitle=own\r\nPen0=12\r\nPen1=2001000000000000EXTRA\r\n"},
                    {"Varnel01.dat",
                     "[Default]\r\n[1]\r\n0S=00000000\r\n0L=A\r\n1S=000000000000000000000000\r\n1L=a1\r\n"}});
  AppState& app = App();
  app.options->onApplied = FollowOptionChanges;
  CheckSignedNumberFilter();
  CheckFrameDialog();
  CheckNotePage(*app.slots[0], DataFolder() / "Varnel00.dat");
  CheckTitleFollowsMode(*app.slots[1]);
  return Finish();
}
