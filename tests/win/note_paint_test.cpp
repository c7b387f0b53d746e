// A note painted into a memory bitmap: a TAB in a heading or a detail is a tab
// stop (eight average characters), blank where it stands and measured as wide
// by the layout that auto size shares, never a box glyph.
#include <windows.h>

#include <cstdio>

#include "core/note/note_content.h"
#include "win/note/note_painter.h"
#include "win_check.h"

using namespace varnel;
using namespace varnel::win;

namespace {

constexpr int kWidth = 400, kHeight = 120;
constexpr COLORREF kBack = 0xCCFFFF;

// Columns from..to (exclusive) of rows top..bottom hold only the background.
bool Blank(HDC dc, int from, int to, int top, int bottom) {
  for (int x = from; x < to; ++x)
    for (int y = top; y < bottom; ++y)
      if (GetPixel(dc, x, y) != kBack) return false;
  return true;
}

}  // namespace

int main() {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
  ReleaseDC(nullptr, screen);
  SelectObject(dc, bitmap);
  NotePaintCache cache;
  cache.SetFace("ＭＳ Ｐゴシック");

  NoteContent note;
  const int heading = note.AddHeading("\tH");
  const int detail = note.InsertDetail(0, note.MakeRoomAfter(0, heading), "\tX");
  NoteGeometry geometry;
  geometry.width = kWidth;
  geometry.height = kHeight;
  NoteLook look;
  look.background = static_cast<int>(kBack);
  look.style = 0;
  RowFonts fonts;
  PaintNote(dc, note, geometry, fonts, StateColourSet{}, look, DateTime{}, cache, nullptr, nullptr);

  const struct {
    int row, textLeft, size;
    bool bold;
  } rows[] = {{heading, geometry.glyph.cx + 14, fonts.headingSize, fonts.headingBold},
              {detail, geometry.glyph.cx + 14 + geometry.checkBox.cx + 4, fonts.detailSize, false}};
  for (const auto& r : rows) {
    RowFontSpec spec;
    spec.height = r.size;
    spec.bold = r.bold;
    SelectObject(dc, cache.Get(spec));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    const int stop = 8 * tm.tmAveCharWidth;
    const LayoutRect& rect = note.rows.At(r.row).rect;
    std::printf("row %d: text from %d, tab stop %d, row right %d\n", r.row, r.textLeft, stop, rect.right);
    CHECK(rect.right >= r.textLeft + stop);  // measured with the tab stop
    CHECK(Blank(dc, r.textLeft, r.textLeft + stop - 1, rect.top, rect.bottom));
    CHECK(!Blank(dc, r.textLeft + stop - 1, rect.right, rect.top, rect.bottom));  // the letter after it
  }
  DeleteDC(dc);
  DeleteObject(bitmap);
  std::printf(g_failures ? "%d of %d checks failed\n" : "all %d checks passed\n",
              g_failures ? g_failures : g_checks, g_checks);
  return g_failures ? 1 : 0;
}
