#include "core/note/note_layout.h"

#include <algorithm>

#include "core/features/date_codes.h"
#include "core/note/note_content.h"

namespace varnel {
namespace {

int HexField(std::string_view text, std::size_t first, std::size_t count) {
  int value = 0;
  for (std::size_t i = first; i < first + count; ++i) value = value * 16 + StatusDigit(text, i);
  return value;
}

bool InForce(std::string_view spec) { return (StatusDigit(spec, 3) & 8) != 0; }

bool Contains(const LayoutRect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

int BoldGrowth(const RowFontSpec& font) {
  return (font.bold || font.italic) ? static_cast<int>(0.3 * font.height) : 0;
}

// The gap above heading i: 4 px after a folded heading, else 8.
int HeadingGap(const NoteContent& content, const NoteGeometry& g, int i) {
  const bool afterFolded =
      i > 0 && (content.headingAttributes[static_cast<std::size_t>(i - 1)] & kHeadingFolded) != 0;
  return g.Px(afterFolded ? 4 : 8);
}

int FirstRowTop(const NoteGeometry& g, bool topBarOnly) {
  const bool shown = topBarOnly ? (g.bar & (kBarShown | kBarBottom)) == kBarShown : (g.bar & kBarShown) != 0;
  return shown ? g.barHeight - g.Px(6) : 0;
}

// Text after the first line and the run of line breaks behind it; the whole
// text when nothing but line breaks follows.
std::string FromSecondLine(const std::string& text) {
  const std::size_t brk = text.find_first_of("\r\n");
  if (brk == std::string::npos) return text;
  const std::size_t rest = text.find_first_not_of("\r\n", brk);
  return rest == std::string::npos ? text : text.substr(rest);
}

class RowPlacer {
 public:
  RowPlacer(NoteContent& content, const NoteGeometry& g, const RowFonts& fonts, const StateColourSet& colours,
            TextMeasurer& measurer, const DateTime& now)
      : content_(content), g_(g), fonts_(fonts), colours_(colours), measurer_(measurer), now_(now) {}

  int Heading(int heading, int row, int y, int& band, std::vector<RowPaint>& out) {
    Row& r = content_.rows.At(row);
    const RowFormat f = ParseRowFormat(r.format);
    RowPaint p;
    p.row = row;
    p.heading = true;
    p.headingIndex = heading;
    p.font = RowFontOf(r.format, true, fonts_, g_.checkBox.cy, false, g_.dpi);
    const int fh = p.font.height;
    p.text = r.text;
    p.textColour = f.ownText ? f.textColour : fonts_.headingColour;
    if (f.ownBack) {
      p.back = f.backColour;
      p.backRect = LayoutRect{0, y - g_.Px(2), g_.width, y + fh};
    }
    band = (f.bandToDetails && f.ownBack) ? f.backColour : -1;
    const int glyphLeft = g_.Px(10);
    p.mark = LayoutRect{glyphLeft, y, glyphLeft + g_.glyph.cx, y + fh};
    p.folded = (content_.headingAttributes[static_cast<std::size_t>(heading)] & kHeadingFolded) != 0;
    p.edited = row == g_.editedRow;
    const int left = g_.glyph.cx + g_.Px(14);
    const int right = std::min(g_.width - g_.Px(6), left + measurer_.Line(p.font, p.text).cx);
    p.textRect = LayoutRect{left, y, right, y + fh};
    p.rowRect = LayoutRect{glyphLeft, y, right, y + fh};
    r.rect = p.rowRect;
    out.push_back(std::move(p));
    return y + fh + g_.Px(2);
  }

  int Detail(int heading, int row, int y, int band, std::vector<RowPaint>& out) {
    Row& r = content_.rows.At(row);
    DetailLook look = DetailLookOf(r, colours_, now_);
    const RowFormat f = ParseRowFormat(look.format);
    RowPaint p;
    p.row = row;
    p.headingIndex = heading;
    p.font = RowFontOf(look.format, false, fonts_, g_.checkBox.cy, look.strikeOut, g_.dpi);
    const int fh = p.font.height;
    p.text = std::move(look.text);
    p.textColour = f.ownText ? f.textColour : fonts_.detailColour;
    p.state = look.state;
    p.alarmHot = (StatusDigit(r.status, 7) & 12) == 12;
    const bool non = g_.hideHeadingRows;
    const int x0 = non ? g_.Px(10) : g_.glyph.cx + g_.Px(14);
    const int cw = non ? 0 : g_.checkBox.cx + g_.Px(4);
    const int limit = g_.width - cw - x0 - g_.Px(4);
    int width = 0, height = 0;
    if (row == g_.editedRow) {
      p.edited = true;
      height = g_.editHeight;
      width = std::max(limit, 0);
      if (g_.colourKey) {
        p.strip = true;
        p.stripRect = LayoutRect{0, y, x0, y + height + 1};
      }
    } else {
      const LayoutSize size = measurer_.Wrapped(p.font, p.text, limit);
      height = std::max(size.cy, fh);
      width = size.cx + BoldGrowth(p.font);
      if (band >= 0 && !non) {
        p.band = band;
        p.bandRect = LayoutRect{0, y - g_.Px(2), g_.width, y + height + g_.Px(3)};
      }
      if (f.ownBack) {
        p.back = f.backColour;
        p.backRect = LayoutRect{x0 - g_.Px(2), y, x0 + cw + width + g_.Px(2), y + height};
      }
    }
    if (!non) p.mark = LayoutRect{x0, y + g_.Px(1), x0 + g_.checkBox.cx, y + g_.Px(1) + fh};
    p.textRect = LayoutRect{x0 + cw, y, x0 + cw + width, y + height};
    p.rowRect = LayoutRect{x0, y, p.textRect.right, p.textRect.bottom};
    r.rect = p.rowRect;
    out.push_back(std::move(p));
    return y + height + g_.Px(4);
  }

 private:
  NoteContent& content_;
  const NoteGeometry& g_;
  const RowFonts& fonts_;
  const StateColourSet& colours_;
  TextMeasurer& measurer_;
  const DateTime& now_;
};

}  // namespace

RowFormat ParseRowFormat(std::string_view format) {
  RowFormat f;
  const int c0 = StatusDigit(format, 0), c3 = StatusDigit(format, 3);
  f.ownHeight = c0 & 1;
  f.ownText = c0 & 2;
  f.ownBack = c0 & 4;
  f.bandToDetails = c0 & 8;
  f.height = HexField(format, 1, 2);
  f.bold = c3 & 1;
  f.italic = c3 & 2;
  f.byState = c3 & 8;
  f.textColour = HexField(format, 4, 6);
  f.backColour = HexField(format, 10, 6);
  return f;
}

int ScaleToDpi(int value, int dpi) {
  if (dpi == 96 || dpi <= 0) return value;
  // Rounded half away from zero, as MulDiv does.
  const long long scaled = static_cast<long long>(value) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + 48) / 96 : -((-scaled + 48) / 96));
}

RowFontSpec RowFontOf(std::string_view format, bool heading, const RowFonts& fonts, int checkBoxHeight,
                      bool strikeOut, int dpi) {
  const RowFormat f = ParseRowFormat(format);
  RowFontSpec spec;
  spec.strikeOut = strikeOut;
  if (f.ownHeight) {
    const int most = ScaleToDpi(64, dpi);
    spec.height = std::clamp(ScaleToDpi(f.height, dpi), std::min(checkBoxHeight, most), most);
    spec.bold = f.bold;
    spec.italic = f.italic;
  } else if (heading) {
    spec.height = ScaleToDpi(fonts.headingSize, dpi);
    spec.bold = fonts.headingBold;
    spec.italic = fonts.headingItalic;
  } else {
    spec.height = ScaleToDpi(fonts.detailSize, dpi);
    spec.bold = fonts.detailBold;
    spec.italic = fonts.detailItalic;
  }
  return spec;
}

DetailLook DetailLookOf(const Row& detail, const StateColourSet& colours, const DateTime& now) {
  DetailLook look;
  look.state = DetailStateOf(detail.status);
  look.strikeOut = look.state == kDeleted;
  look.text = detail.text;
  if (StatusDigit(detail.status, 2) & 1) {
    DateTime working = now;
    look.dayValue = ExpandDateCodes(working, look.text, kDateMath);
  }
  if (StatusDigit(detail.status, 1) & 1) look.text = FromSecondLine(look.text);
  look.format = detail.format;
  if (ParseRowFormat(detail.format).byState) {
    const auto s = static_cast<std::size_t>(look.state);
    const StateColour& own = colours.note[s];
    const StateColour& global = colours.global[s];
    std::string_view candidate;
    if (look.dayValue <= own.dayLimit && InForce(own.spec))
      candidate = own.spec;
    else if (global.dayLimit >= look.dayValue)
      candidate = global.spec;
    if (InForce(candidate)) look.format = std::string(candidate);
  }
  return look;
}

int AltBackground(int background) {
  const int v = background & 0xFFFFFF;
  return v > 128 ? v - 8 : v + 8;
}

std::vector<RowPaint> LayoutRows(NoteContent& content, const NoteGeometry& g, const RowFonts& fonts,
                                 const StateColourSet& colours, TextMeasurer& measurer, const DateTime& now) {
  std::vector<RowPaint> out;
  RowPlacer placer(content, g, fonts, colours, measurer, now);
  int y = FirstRowTop(g, true);
  for (int i = 0; i < content.headingCount && y <= g.height + 64; ++i) {
    const std::uint32_t attributes = content.headingAttributes[static_cast<std::size_t>(i)];
    if (attributes & kHeadingHidden) continue;
    y += HeadingGap(content, g, i);
    const int headingRow = content.HeadingRow(i);
    if (headingRow < 0) continue;
    int band = -1;
    if (!g.hideHeadingRows) y = placer.Heading(i, headingRow, y, band, out);
    if (attributes & kHeadingFolded) continue;
    content.ForEachRow(i, false, [&](int row, std::uint32_t) { y = placer.Detail(i, row, y, band, out); });
  }
  return out;
}

TitleBarPaint LayoutTitleBar(const NoteGeometry& g, const TitleBarStyle& style) {
  TitleBarPaint p;
  const int bh = g.barHeight, w = g.width;
  const bool bottom = (g.bar & kBarBottom) != 0, folded = (g.bar & kBarFolded) != 0;
  const int top = bottom ? g.height - bh : 0;
  p.bar = LayoutRect{0, top, w, top + bh};
  const int one = g.Px(1);
  p.lineLeft = g.Px(2);
  p.lineRight = w - g.Px(2);
  const int innerTop = top + one, innerBottom = top + bh - one;
  const int kind = style.gradientKind;
  const int n = (kind == 1 || kind == 2) ? (innerBottom - innerTop) / kind : 0;
  for (int k = 0; k < n; ++k) {
    int colour = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const int c0 = (style.colour0 >> shift) & 0xFF, c1 = (style.colour1 >> shift) & 0xFF;
      const int step = (c1 - c0) * 1000 / n;
      colour |= ((c0 + k * step / 1000) & 0xFF) << shift;
    }
    p.lines.push_back(GradientLine{innerTop + k, colour});
    if (kind == 2) p.lines.push_back(GradientLine{innerBottom - 1 - k, colour});
  }

  BarBorderPaint& b = p.border;
  const int borderKind = (style.border >> 24) & 0xFF;
  b.colour = style.border & 0xFFFFFF;
  if (borderKind >= 1 && borderKind <= 3 && !folded) {
    b.kind = BarBorderPaint::kLine;
    b.penWidth = g.Px(borderKind);
    const int y = bottom ? g.height + b.penWidth / 2 - bh : bh - b.penWidth + one;
    b.rect = LayoutRect{0, y, w, y};
  } else if (borderKind >= 4 && borderKind <= 6) {
    b.kind = BarBorderPaint::kFrame;
    b.penWidth = g.Px(borderKind - 3);
    if (borderKind == 4) b.rect = LayoutRect{0, top, w, top + bh};
    if (borderKind == 5) b.rect = LayoutRect{one, top + one, w, top + bh};
    if (borderKind == 6) b.rect = LayoutRect{one, top + one, w - one, top + bh - one};
  } else if (borderKind >= 7 && borderKind <= 9) {
    b.kind = BarBorderPaint::kFrame;
    b.penWidth = one;
    const int m = g.Px(borderKind - 7), f = folded ? m : 0;
    const int frameTop = bottom ? g.height + f - bh : m;
    b.rect = LayoutRect{m, frameTop, w - m, frameTop + bh - m - f};
  }
  p.textRect = LayoutRect{g.Px(6), top + g.Px(2), w - g.Px(6), top + bh - g.Px(2)};
  p.fontHeight = bh - g.Px(4);
  return p;
}

AutoSizeResult ComputeAutoSize(const NoteContent& content, const NoteGeometry& g, const RowFonts& fonts,
                               const StateColourSet& colours, TextMeasurer& measurer, const DateTime& now,
                               int frameWidth, int frameHeight, bool force) {
  AutoSizeResult r;
  if (g.fixed) return r;
  const bool non = g.hideHeadingRows;
  const int headingAllowance = g.glyph.cx + g.Px(18);
  const int detailAllowance = non ? g.glyph.cx + g.Px(22) : g.glyph.cx + g.checkBox.cx + g.Px(26);
  int y = FirstRowTop(g, false), w = 0;
  for (int i = 0; i < content.headingCount && y <= frameHeight; ++i) {
    const std::uint32_t attributes = content.headingAttributes[static_cast<std::size_t>(i)];
    if (attributes & kHeadingHidden) continue;
    y += HeadingGap(content, g, i);
    const int headingRow = content.HeadingRow(i);
    if (headingRow < 0) continue;
    if (!non) {
      const Row& row = content.rows.At(headingRow);
      const LayoutSize size =
          measurer.Line(RowFontOf(row.format, true, fonts, g.checkBox.cy, false, g.dpi), row.text);
      y += size.cy + g.Px(2);
      w = std::max(w, size.cx + headingAllowance + g.Px(6));
    }
    if (attributes & kHeadingFolded) continue;
    content.ForEachRow(i, false, [&](int index, std::uint32_t) {
      const DetailLook look = DetailLookOf(content.rows.At(index), colours, now);
      const RowFontSpec font = RowFontOf(look.format, false, fonts, g.checkBox.cy, look.strikeOut, g.dpi);
      const LayoutSize size = measurer.Wrapped(font, look.text.empty() ? std::string_view("A") : look.text,
                                               frameWidth - detailAllowance);
      y += size.cy + g.Px(4);
      w = std::max(w, detailAllowance + size.cx + BoldGrowth(font));
    });
  }
  const int least = g.Px(40);
  w = std::min(std::max(w, least), std::max(frameWidth, least));
  int h = std::min(std::max(y + g.Px(4), g.barHeight), std::max(frameHeight, g.barHeight));
  if ((g.bar & kBarShown) && (g.bar & kBarFolded)) {
    r.storeUnfolded = true;
    r.unfoldedHeight = h;
    h = g.barHeight;
  }
  if (force) {
    r.resize = true;
    r.width = w;
    r.height = h;
  } else if (g.width < w || g.height < h) {
    // Without force the note only grows, in either direction.
    r.resize = true;
    r.width = std::max(g.width, w);
    r.height = std::max(g.height, h);
  }
  return r;
}

FoldResult ComputeFold(int mode, std::uint8_t bar, int barHeight, int unfoldedHeight, int windowTop,
                       int windowHeight) {
  FoldResult r;
  r.bar = bar;
  r.unfoldedHeight = unfoldedHeight;
  r.top = windowTop;
  r.height = windowHeight;
  if (!(bar & kBarShown)) return r;
  const bool folded = (bar & kBarFolded) != 0;
  const bool fold = mode == 1 || (mode < 0 && !folded);
  const bool bottom = (bar & kBarBottom) != 0;
  if (fold) {
    if (folded) return r;
    r.unfoldedHeight = windowHeight;
    r.bar = static_cast<std::uint8_t>(bar | kBarFolded);
    r.height = barHeight;
  } else {
    if (!folded) return r;
    r.bar = static_cast<std::uint8_t>(bar & ~kBarFolded);
    // A note that never knew its height opens to at least its bar.
    r.height = std::max(unfoldedHeight, barHeight);
  }
  if (bottom) r.top = windowTop + windowHeight - r.height;  // the bottom edge stays
  r.change = true;
  return r;
}

HitResult HitTest(const NoteContent& content, const NoteGeometry& g, int x, int y) {
  HitResult hit;
  if (g.bar & kBarShown) {
    const bool onBar = (g.bar & kBarBottom) ? y >= g.height - g.barHeight : y <= g.barHeight;
    if (onBar) {
      hit.code = kHitTitleBar;
      return hit;
    }
  }
  for (int i = 0; i < content.headingCount; ++i) {
    const std::uint32_t attributes = content.headingAttributes[static_cast<std::size_t>(i)];
    if (attributes & kHeadingHidden) continue;
    const int headingRow = content.HeadingRow(i);
    if (headingRow < 0) continue;
    hit.heading = i;
    hit.headingRow = headingRow;
    if (!g.hideHeadingRows) {
      const LayoutRect& r = content.rows.At(headingRow).rect;
      if (r.top > y) return hit;  // below the pointer: nothing further down can be hit
      if (Contains(r, x, y)) {
        hit.code = x <= g.glyph.cx + g.Px(10) ? kHitGlyph : kHitHeadingText;
        hit.row = headingRow;
        return hit;
      }
    }
    if (attributes & kHeadingFolded) continue;
    const std::uint32_t key = content.headingKeys[static_cast<std::size_t>(i)];
    for (std::uint32_t n = 1; n < KeyNumber(key); ++n) {
      const int row = content.rows.Find(MakeRowKey(KeyHeadingId(key), n));
      if (row < 0) continue;
      const LayoutRect& r = content.rows.At(row).rect;
      if (r.top > y) break;
      if (Contains(r, x, y)) {
        hit.code = x <= g.glyph.cx + g.checkBox.cx + g.Px(14) ? kHitCheckBox : kHitDetailText;
        hit.row = row;
        return hit;
      }
    }
  }
  return hit;
}

int EdgeMask(const LayoutRect& window, int x, int y, bool fixed, std::uint8_t bar, int dpi) {
  if (fixed || ((bar & kBarShown) && (bar & kBarFolded))) return 0;
  if (!Contains(window, x, y)) return 0;
  const int edge = ScaleToDpi(4, dpi);
  int mask = 0;
  if (x < window.left + edge) mask |= 1;
  if (x > window.right - edge) mask |= 2;
  if (y < window.top + edge) mask |= 4;
  if (y > window.bottom - edge) mask |= 8;
  return mask;
}

EdgeCursor CursorOfMask(int mask) {
  switch (mask) {
    case 1:
    case 2:
      return EdgeCursor::kWestEast;
    case 4:
    case 8:
      return EdgeCursor::kNorthSouth;
    case 5:
    case 10:
      return EdgeCursor::kNwSe;
    case 6:
    case 9:
      return EdgeCursor::kNeSw;
    default:
      return EdgeCursor::kArrow;
  }
}

EditBoxPlacement PlaceEditBox(bool heading, const LayoutRect& row, const NoteGeometry& g) {
  EditBoxPlacement p;
  // Grown whenever the row does not fit, so the box is never cut off.
  if (row.bottom > g.height) {
    p.grow = true;
    p.growHeight = row.bottom + g.Px(4);
  }
  const int height = std::max(row.bottom - row.top, 1);
  int x, width;
  if (heading) {
    x = g.glyph.cx + row.left + g.Px(3);
    width = g.width - g.glyph.cx - row.left - g.Px(8);
  } else {
    x = g.hideHeadingRows ? row.left : g.checkBox.cx + row.left + g.Px(4);
    width = g.width - x - g.Px(4);
  }
  p.box = LayoutRect{x, row.top, x + std::max(width, 1), row.top + height};
  if (g.colourKey) {
    p.strip = true;
    p.stripRect = heading ? LayoutRect{g.Px(2), row.top - g.Px(2), row.left, row.bottom}
                          : LayoutRect{g.Px(2), row.top, row.left, row.bottom + g.Px(1)};
  }
  return p;
}

int EditBoxHeightForLines(int clientHeight, int oldLines, int newLines) {
  oldLines = std::clamp(oldLines, 1, 20);
  newLines = std::clamp(newLines, 1, 20);
  return newLines * (clientHeight / oldLines);
}

}  // namespace varnel
