// The frame dialog under Wine, driven through its controls from a second
// thread as a user would: 40 x 20 taken, 39 wide refused with its message, the
// work-area line copied by a double-click, edges bounded on OK, Cancel.
#include "win/dialogs/frame_dialog.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <thread>

#include "resource.h"
#include "tests/win/win_check.h"
#include "win/app/app_state.h"

using namespace varnel;
using namespace varnel::win;

namespace {

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

}  // namespace

int main() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  App().instance = GetModuleHandleW(nullptr);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);

  const struct {
    const wchar_t* edges[4];
    bool ok;
    FrameRange result;
  } cases[] = {
      {{L"0", L"0", L"40", L"20"}, true, {0, 0, 40, 20}},
      {{L"-100", L"-50", L"-60", L"-30"}, true, {-100, -50, -60, -30}},
      {{L"-99999", L"0", L"99999", L"20"}, true, {-9999, 0, 9999, 20}},
  };
  for (const auto& c : cases) {
    FrameRange range{1, 2, 300, 400};
    CHECK(Drive(range, [&](HWND dialog) {
            CHECK(Text(dialog, IDC_FRAME_LEFT) == L"1" && Text(dialog, IDC_FRAME_BOTTOM) == L"400");
      SetEdges(dialog, c.edges);
            Press(dialog, IDC_OK);
          }) == c.ok);
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

  std::printf("%d checks, %d failed\n", g_checks, g_failures);
  return g_failures ? 1 : 0;
}
