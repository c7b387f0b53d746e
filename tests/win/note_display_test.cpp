// Notes and the monitors: a note off every monitor comes back when the display
// changes, one on screen stays put, and a note rescales when its DPI changes.
#include <windows.h>

#include <cstdio>
#include <string>

#include "win/app/display_changes.h"
#include "win/platform/display.h"
#include "win_check.h"

using namespace varnel;
using namespace varnel::win;

namespace {

const std::string kRow = "=000000000000000000000000\r\n";
const std::string kRows = "[1]\r\n0S" + kRow + "0L=A\r\n1S" + kRow + "1L=a1\r\n2S" + kRow + "2L=a2\r\n";

RECT RectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}
bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

// The user's frame lies on a monitor that is gone: the primary work area
// stands in, the note beyond it comes back, the one on screen stays.
void CheckDisplayChange(CCheckWnd& away, CCheckWnd& home) {
  const std::vector<MonitorArea> monitors = DisplayMonitors();
  CHECK(!monitors.empty());
  if (monitors.empty()) return;
  const FrameRange work = monitors.front().work;
  const RECT before = RectOf(home.Window());
  SendMessageW(App().mainWindow, WM_DISPLAYCHANGE, 32, MAKELPARAM(work.right, work.bottom));
  const GlobalOptions& o = *App().options;
  CHECK((FrameRange{o.fx1, o.fy1, o.fx2, o.fy2}) == work);
  CHECK(o.userFrame.left == 1920 && o.userFrame.right == 3840);
  const RECT r = RectOf(away.Window());
  CHECK(r.left >= work.left && r.right <= work.right && r.top >= work.top && r.bottom <= work.bottom);
  CHECK(r.right - r.left == 200 && r.bottom - r.top == 150);  // its size kept
  CHECK(Same(RectOf(home.Window()), before));
}

LRESULT SendDpi(CCheckWnd& note, int dpi, RECT suggested) {
  return SendMessageW(note.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                      reinterpret_cast<LPARAM>(&suggested));
}

// Every size follows the DPI, the window takes the system's rectangle, an open
// edit is committed, and going back gives the note as it was.
void CheckDpiChange(CCheckWnd& note) {
  note.LayOutNow();
  const int row = note.Content().rows.Find(MakeRowKey(KeyHeadingId(note.Content().headingKeys[0]), 1));
  const RowRect at96 = note.Content().rows.At(row).rect;
  const RECT start = RectOf(note.Window());
  CHECK(note.BeginEdit(false, row, at96));
  SetWindowTextW(GetWindow(note.Window(), GW_CHILD), L"typed");

  const RECT big{start.left, start.top, start.left + 300, start.top + 225};
  CHECK(SendDpi(note, 144, big) == 0);
  CHECK(note.Dpi() == 144 && note.BarHeight() == 27 && note.Geometry().checkBox.cy == 20);
  CHECK(!note.Editing() && note.Content().rows.At(row).text == "typed");
  CHECK(Same(RectOf(note.Window()), big));
  note.LayOutNow();
  const RowRect at144 = note.Content().rows.At(row).rect;
  CHECK(at144.bottom - at144.top == 21 && at144.top > at96.top);  // detail font 14 -> 21
  UpdateWindow(note.Window());

  CHECK(SendDpi(note, 96, start) == 0);
  note.LayOutNow();
  const RowRect back = note.Content().rows.At(row).rect;
  CHECK(back.top == at96.top && back.bottom == at96.bottom && Same(RectOf(note.Window()), start));

  // Folded, it stays exactly one bar high at either DPI.
  note.FoldTitle(1);
  CHECK(SendDpi(note, 144, RECT{start.left, start.top, start.left + 300, start.top + 26}) == 0);
  CHECK(RectOf(note.Window()).bottom - RectOf(note.Window()).top == 27);
  note.FoldTitle(0);
  CHECK(RectOf(note.Window()).bottom - RectOf(note.Window()).top == 225);
}

}  // namespace

int main() {
  const std::string frame = "FX1=1920\r\nFX2=3840\r\nFY1=0\r\nFY2=1080\r\n";
  const std::string place = "W=200\r\nH=150\r\n";
  if (!StartTestProgram({{"Varnel.ini", "[Default]\r\nList=11\r\n" + frame},
                         {"Varnel00.dat", "[Default]\r\nX=3000\r\nY=100\r\n" + place + kRows},
                         {"Varnel01.dat", "[Default]\r\nX=1920\r\nY=40\r\n" + place + kRows}})) {
    std::printf("FAIL: program start\n");
    return 1;
  }
  AppState& app = App();
  CHECK(app.slots[0] && app.slots[1]);
  if (app.slots[0] && app.slots[1]) {
    // Opened inside the user's frame, the second at its left edge, now the
    // primary's right: moved there by hand it sits on the screen.
    SetWindowPos(app.slots[1]->Window(), nullptr, 60, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CheckDisplayChange(*app.slots[0], *app.slots[1]);
    CheckDpiChange(*app.slots[1]);
  }
  std::printf("%d checks, %d failed\n", g_checks, g_failures);
  return g_failures ? 1 : 0;
}
