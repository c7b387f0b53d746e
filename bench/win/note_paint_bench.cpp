// Painting one rich note (20 headings, details in every state, date codes,
// own colours, gradient bar) into a memory bitmap, against the bare DrawTextW
// of the same texts in the same rectangles. Prints medians and the ratio;
// fails only when it cannot run or painting draws nothing.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/note/note_content.h"
#include "win/note/note_painter.h"
#include "win/platform/text_convert.h"

using namespace varnel;
using namespace varnel::win;

namespace {

constexpr int kWidth = 320, kHeight = 2600;

void BuildNote(NoteContent& note) {
  static const char* const texts[] = {"買い物: 牛乳とパン", "締切 %M月%D日(%W)", "会議の資料を印刷する",
                                      "電話 03-1234-5678",
                                      "週報を書いて送る。長い文は折り返して二行目に続く"};
  for (int h = 0; h < kMaxHeadings; ++h) {
    const int row = note.AddHeading("見出し " + std::to_string(h + 1));
    if (h % 4 == 1) note.rows.At(row).format = "C000000000FFEECC";  // band over the details
    for (int d = 0; d < 5; ++d) {
      const int last = note.rows.Find(note.headingKeys[static_cast<std::size_t>(h)] - 1);
      const std::uint32_t key = note.MakeRoomAfter(h, last);
      const int r = note.InsertDetail(h, key, texts[(h + d) % 5]);
      Row& detail = note.rows.At(r);
      SetStatusDigit(detail.status, 7, d % 4);
      if ((h + d) % 5 == 1) SetStatusDigit(detail.status, 2, 1);  // holds date codes
      if (d == 3) detail.format = "3000000FF0000000";             // own colour, bold
    }
  }
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

template <typename F>
double Time(F&& f, int rounds) {
  std::vector<double> ms;
  for (int i = 0; i < rounds; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    GdiFlush();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
  }
  return Median(ms);
}

}  // namespace

int main() {
  NoteContent note;
  BuildNote(note);
  NoteGeometry geometry;
  geometry.width = kWidth;
  geometry.height = kHeight;
  NoteLook look;
  look.title = "今週のやること";
  look.titleShadow = 0x80EEEEEE;
  look.bar.border = 0x05000000 | 0x0000FF;
  RowFonts fonts;
  StateColourSet colours;
  DateTime now{};
  now.year = 2026, now.month = 12, now.day = 7, now.dayOfWeek = 1, now.hour = 10;

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
  ReleaseDC(nullptr, screen);
  if (!dc || !bitmap) {
    std::printf("cannot make a memory bitmap\n");
    return 1;
  }
  SelectObject(dc, bitmap);
  NotePaintCache cache;
  cache.SetFace("ＭＳ Ｐゴシック");

  // The rows' texts and rectangles as painting places them, for the baseline.
  GdiMeasurer measurer(dc, cache);
  const std::vector<RowPaint> rows = LayoutRows(note, geometry, fonts, colours, measurer, now);
  struct Text {
    std::wstring text;
    RECT rect;
    UINT format;
    HFONT font;
  };
  std::vector<Text> texts;
  for (const RowPaint& p : rows)
    texts.push_back(
        Text{ToWide(p.text), RECT{p.textRect.left, p.textRect.top, p.textRect.right, p.textRect.bottom},
             p.heading ? UINT(DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_EXPANDTABS)
                       : UINT(DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX | DT_EXPANDTABS),
             cache.Get(p.font)});
  if (rows.size() < 100) {
    std::printf("only %zu rows laid out\n", rows.size());
    return 1;
  }

  const auto paint = [&] {
    PaintNote(dc, note, geometry, fonts, colours, look, now, cache, nullptr, nullptr);
  };
  const auto bare = [&] {
    SetBkMode(dc, TRANSPARENT);
    HFONT selected = nullptr;
    for (Text& t : texts) {
      if (t.font != selected) SelectObject(dc, selected = t.font);
      DrawTextW(dc, t.text.c_str(), static_cast<int>(t.text.size()), &t.rect, t.format);
    }
  };
  paint();
  bare();  // warm both (font realisation, caches)
  // Interleaved rounds, so machine noise hits both alike.
  std::vector<double> paints, bares;
  for (int i = 0; i < 15; ++i) {
    paints.push_back(Time(paint, 3));
    bares.push_back(Time(bare, 3));
  }
  const double p = Median(paints), b = Median(bares);
  std::printf("      note paint, %zu rows     %7.3f ms\n", rows.size(), p);
  std::printf("      bare DrawTextW            %7.3f ms   paint ratio %5.2fx (goal <= 2x)\n", b,
              b > 0 ? p / b : 0.0);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return 0;
}
