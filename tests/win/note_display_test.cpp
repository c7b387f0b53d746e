// Notes and the monitors: after a display change a note off every monitor
// comes back and one on screen stays put; a note rescales on WM_DPICHANGED.
#include <windows.h>

#include <cstdio>
#include <string>

#include "win/platform/display.h"
#include "win_check.h"

using namespace varnel;
using namespace varnel::win;

namespace {

const std::string kRow = "=000000000000000000000000\r\n";
const std::string kNote = "W=200\r\nH=150\r\n[1]\r\n0S" + kRow + "0L=A\r\n1S" + kRow + "1L=a1\r\n";

RECT RectOf(CCheckWnd& note) {
  RECT r{};
  GetWindowRect(note.Window(), &r);
  return r;
}
int HeightOf(CCheckWnd& note) { return RectOf(note).bottom - RectOf(note).top; }

// The user's frame lies where no monitor is: the primary work area stands in.
void CheckDisplayChange(CCheckWnd& away, CCheckWnd& home) {
  const FrameRange work = DisplayMonitors().front().work;
  const RECT before = RectOf(home);
  SendMessageW(App().mainWindow, WM_DISPLAYCHANGE, 32, MAKELPARAM(work.right, work.bottom));
  const GlobalOptions& o = *App().options;
  CHECK((FrameRange{o.fx1, o.fy1, o.fx2, o.fy2}) == work && o.userFrame.left == 1920);
  const RECT r = RectOf(away), after = RectOf(home);
  CHECK(r.left >= work.left && r.right <= work.right && r.right - r.left == 200 && r.bottom - r.top == 150);
  CHECK(EqualRect(&after, &before));
}

void SendDpi(CCheckWnd& note, int dpi, RECT suggested) {
  SendMessageW(note.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// Sizes follow the DPI, the window takes the system's rectangle, an open edit
// keeps its text, and going back gives the note as it was.
void CheckDpiChange(CCheckWnd& note) {
  NoteContent& c = note.Content();
  const int row = c.rows.Find(MakeRowKey(KeyHeadingId(c.headingKeys[0]), 1));
  note.LayOutNow();
  const RowRect at96 = c.rows.At(row).rect;
  const RECT start = RectOf(note), big{start.left, start.top, start.left + 300, start.top + 225};
  CHECK(note.BeginEdit(false, row, at96));
  SetWindowTextW(GetWindow(note.Window(), GW_CHILD), L"typed");
  SendDpi(note, 144, big);
  note.LayOutNow();
  const RowRect at144 = c.rows.At(row).rect;
  const RECT now = RectOf(note);
  CHECK(note.BarHeight() == 27 && note.Geometry().checkBox.cy == 20 && EqualRect(&now, &big));
  CHECK(!note.Editing() && c.rows.At(row).text == "typed");
  CHECK(at144.bottom - at144.top == 21 && at144.top > at96.top);  // the detail font: 14 -> 21
  SendDpi(note, 96, start);
  note.LayOutNow();
  CHECK(c.rows.At(row).rect.top == at96.top && c.rows.At(row).rect.bottom == at96.bottom);
  // Folded, it is one bar high at either DPI and unfolds to its height there.
  note.FoldTitle(1);
  SendDpi(note, 144, RECT{start.left, start.top, start.left + 300, start.top + 26});
  CHECK(HeightOf(note) == 27);
  note.FoldTitle(0);
  CHECK(HeightOf(note) == 225);
}

}  // namespace

int main() {
  // Both notes open inside the user's frame, beyond the primary monitor; the
  // second is moved onto the screen by hand.
  if (!StartTestProgram({{"Varnel.ini", "[Default]\r\nList=11\r\nFX1=1920\r\nFX2=3840\r\n"},
                         {"Varnel00.dat", "[Default]\r\nX=3000\r\nY=100\r\n" + kNote},
                         {"Varnel01.dat", "[Default]\r\nX=1920\r\nY=40\r\n" + kNote}})) {
    std::printf("FAIL: program start\n");
    return 1;
  }
  CCheckWnd *away = App().slots[0], *home = App().slots[1];
  CHECK(away && home);
  if (!away || !home) return 1;
  SetWindowPos(home->Window(), nullptr, 60, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  CheckDisplayChange(*away, *home);
  CheckDpiChange(*home);
  std::printf("%d checks, %d failed\n", g_checks, g_failures);
  return g_failures ? 1 : 0;
}
