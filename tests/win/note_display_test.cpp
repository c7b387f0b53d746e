// Notes and the monitors: after a display change a note off every monitor comes back and one
// on screen stays put; a note rescales on WM_DPICHANGED; TABs painted as tab stops.
#include "core/note/note_content.h"
#include "win/note/note_painter.h"
#include "win/platform/display.h"
#include "win_check.h"

const std::string kRow = "=000000000000000000000000\r\n";
const std::string kNote = "W=200\r\nH=150\r\n[1]\r\n0S" + kRow + "0L=A\r\n1S" + kRow + "1L=a1\r\n";

// The user's frame lies where no monitor is: the primary work area stands in.
void CheckDisplayChange(CCheckWnd& away, CCheckWnd& home) {
  const FrameRange work = DisplayMonitors().front().work;
  const RECT before = RectOf(home.Window());
  SendMessageW(App().mainWindow, WM_DISPLAYCHANGE, 32, MAKELPARAM(work.right, work.bottom));
  const GlobalOptions& o = *App().options;
  CHECK((FrameRange{o.fx1, o.fy1, o.fx2, o.fy2}) == work && o.userFrame.left == 1920);
  const RECT r = RectOf(away.Window()), after = RectOf(home.Window());
  CHECK(r.left >= work.left && r.right <= work.right && r.right - r.left == 200 && r.bottom - r.top == 150);
  CHECK(EqualRect(&after, &before));
}

void SendDpi(CCheckWnd& note, int dpi, RECT suggested) {
  SendMessageW(note.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  note.LayOutNow();
}

// Sizes follow the DPI, the window takes the system's rectangle, an open edit keeps its text,
// and going back gives the note as it was; folded, it is one bar high and unfolds to its height.
void CheckDpiChange(CCheckWnd& note) {
  NoteContent& c = note.Content();
  const int row = c.rows.Find(MakeRowKey(KeyHeadingId(c.headingKeys[0]), 1));
  note.LayOutNow();
  const RowRect at96 = c.rows.At(row).rect;
  const RECT start = RectOf(note.Window()), big{start.left, start.top, start.left + 300, start.top + 225};
  CHECK(note.BeginEdit(false, row, at96));
  SetWindowTextW(GetWindow(note.Window(), GW_CHILD), L"typed");
  SendDpi(note, 144, big);
  const RowRect at144 = c.rows.At(row).rect;
  const RECT now = RectOf(note.Window());
  CHECK(note.BarHeight() == 27 && note.Geometry().checkBox.cy == 20 && EqualRect(&now, &big));
  CHECK(!note.Editing() && c.rows.At(row).text == "typed");
  CHECK(at144.bottom - at144.top == 21 && at144.top > at96.top);  // the detail font: 14 -> 21
  SendDpi(note, 96, start);
  CHECK(c.rows.At(row).rect.top == at96.top && c.rows.At(row).rect.bottom == at96.bottom);
  note.FoldTitle(1);
  SendDpi(note, 144, RECT{start.left, start.top, start.left + 300, start.top + 26});
  const RECT folded = RectOf(note.Window());
  note.FoldTitle(0);
  const RECT unfolded = RectOf(note.Window());
  CHECK(folded.bottom - folded.top == 27 && unfolded.bottom - unfolded.top == 225);
}

constexpr int kBack = 0xCCFFFF;

// Columns from..to (exclusive) of rows top..bottom hold only the background.
bool Blank(HDC dc, int from, int to, int top, int bottom) {
  for (int x = from; x < to; ++x)
    for (int y = top; y < bottom; ++y)
      if (GetPixel(dc, x, y) != kBack) return false;
  return true;
}

// A TAB painted blank up to a tab stop (eight average characters), as wide as the layout measures it.
void CheckTabsPainted() {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(400, 120, 1, 32, nullptr);
  SelectObject(dc, bitmap);
  NotePaintCache cache;
  cache.SetFace("ＭＳ Ｐゴシック");
  NoteContent note;
  const int row = note.InsertDetail(0, note.MakeRoomAfter(0, note.AddHeading("H")), "\tX");
  const NoteGeometry g{400, 120};  // width, height
  RowFonts fonts;
  const NoteLook look{kBack, 0, false, {}, 0, 0, ""};  // no frame
  PaintNote(dc, note, g, fonts, {}, look, {}, cache, nullptr, nullptr);
  SelectObject(dc, cache.Get(RowFontSpec{fonts.detailSize}));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  const int left = g.glyph.cx + 14 + g.checkBox.cx + 4, stop = left + 8 * tm.tmAveCharWidth;
  const LayoutRect& r = note.rows.At(row).rect;
  CHECK_AT(r.right >= stop && Blank(dc, left, stop - 1, r.top, r.bottom) &&
               !Blank(dc, stop - 1, r.right, r.top, r.bottom),
           "stop " + std::to_string(stop));
  DeleteDC(dc);
  DeleteObject(bitmap);
}

int main() {
  // Both notes open in the user's frame beyond the primary monitor; the second is moved onto it.
  StartTestProgram({{"Varnel.ini", "[Default]\r\nList=11\r\nFX1=1920\r\nFX2=3840\r\n"},
                    {"Varnel00.dat", "[Default]\r\nX=3000\r\nY=100\r\n" + kNote},
                    {"Varnel01.dat", "[Default]\r\nX=1920\r\nY=40\r\n" + kNote}});
  CCheckWnd &away = *App().slots[0], &home = *App().slots[1];
  SetWindowPos(home.Window(), nullptr, 60, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  CheckDisplayChange(away, home);
  CheckDpiChange(home);
  CheckTabsPainted();
  return Finish();
}
