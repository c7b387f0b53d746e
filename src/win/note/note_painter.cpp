#include "win/note/note_painter.h"

#include <algorithm>

#include "win/platform/holders.h"
#include "win/platform/text_convert.h"
#include "win/platform/theme_api.h"

namespace varnel::win {
namespace {

constexpr int kThemeButton = 0, kThemeTree = 1;
constexpr int kCheckBoxPart = 3;  // BP_CHECKBOX
constexpr int kGlyphPart = 2;     // TVP_GLYPH
constexpr COLORREF kAlarmFrame = 0x0066FF;
constexpr std::size_t kMaxKeptSizes = 2048;
constexpr int kAtlasWidth = 256, kAtlasHeight = 64;
// Row texts are drawn and measured alike: no mnemonic prefixes, and a TAB is a
// tab stop, never a glyph.
constexpr UINT kRowText = DT_NOPREFIX | DT_EXPANDTABS;

COLORREF Colour(int value) { return static_cast<COLORREF>(value & 0xFFFFFF); }
RECT ToRect(const LayoutRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void Fill(HDC dc, const LayoutRect& r, int colour) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  SetDCBrushColor(dc, Colour(colour));
  RECT rc = ToRect(r);
  FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void DrawText932(HDC dc, const std::string& text, RECT rc, UINT format) {
  const std::wstring wide = ToWide(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rc, format);
}

HTHEME_ ThemeOf(ThemeApi* theme, HWND window, int which) {
  if (!theme || !theme->Available() || !window) return nullptr;
  if (!theme->theme[which])
    theme->theme[which] = theme->openThemeData(window, which == kThemeButton ? L"BUTTON" : L"TREEVIEW");
  return theme->theme[which];
}

// A part of the given size centred vertically in the row's mark rectangle.
RECT CentredBox(const LayoutRect& mark, LayoutSize size) {
  const int h = size.cy > 0 ? size.cy : mark.bottom - mark.top;
  const int top = mark.top + (mark.bottom - mark.top - h) / 2;
  return RECT{mark.left, top, mark.left + (size.cx > 0 ? size.cx : h), top + h};
}

// A square of n pixels (9 at 96 DPI) with a minus, or a plus when folded.
void DrawClassicGlyph(HDC dc, const RECT& box, bool folded) {
  const int x = box.left, y = box.top, n = box.right - box.left;
  const int inset = n * 2 / 9, mid = n / 2;
  SelectScope pen(dc, GetStockObject(BLACK_PEN));
  SelectScope brush(dc, GetStockObject(WHITE_BRUSH));
  Rectangle(dc, x, y, x + n, y + n);
  MoveToEx(dc, x + inset, y + mid, nullptr);
  LineTo(dc, x + n - inset, y + mid);
  if (folded) {
    MoveToEx(dc, x + mid, y + inset, nullptr);
    LineTo(dc, x + mid, y + n - inset);
  }
}

void DrawGlyph(HDC dc, const RowPaint& p, const NoteGeometry& g, ThemeApi* theme, HWND window,
               NotePaintCache& cache) {
  if (HTHEME_ t = ThemeOf(theme, window, kThemeTree)) {
    RECT rc = CentredBox(p.mark, g.glyph);
    if (SUCCEEDED(theme->drawThemeBackground(t, dc, kGlyphPart, p.folded ? 1 : 2, &rc, nullptr))) return;
  }
  // The 9-pixel square (at 96 DPI), centred vertically in the glyph's place.
  const int n = g.Px(9);
  const int top = p.mark.top + (p.mark.bottom - p.mark.top - n) / 2;
  const RECT box{p.mark.left, top, p.mark.left + n, top + n};
  cache.CopyMark(dc, box, p.folded ? 1 : 0,
                 [&](HDC target, const RECT& r) { DrawClassicGlyph(target, r, p.folded); });
}

void DrawClassicCheckBox(HDC dc, const RECT& box, int state, bool alarmHot) {
  RECT rc = box;
  UINT flags = DFCS_BUTTONCHECK | DFCS_FLAT;
  if (state == 1) flags |= DFCS_CHECKED;
  if (state >= 2) flags |= DFCS_CHECKED | DFCS_INACTIVE;
  DrawFrameControl(dc, &rc, DFC_BUTTON, flags);
  if (alarmHot) {
    RECT frame = box;
    frame.bottom -= 1;
    GdiObject<HBRUSH> orange(CreateSolidBrush(kAlarmFrame));
    if (orange) FrameRect(dc, &frame, orange.Get());
  }
}

void DrawCheckBox(HDC dc, const RowPaint& p, const NoteGeometry& g, ThemeApi* theme, HWND window,
                  NotePaintCache& cache) {
  RECT rc = CentredBox(p.mark, g.checkBox);
  if (HTHEME_ t = ThemeOf(theme, window, kThemeButton)) {
    // Unchecked, checked, mixed; the hot variant marks an armed alarm.
    const int base = p.state == 0 ? 1 : p.state == 1 ? 5 : 9;
    if (SUCCEEDED(
            theme->drawThemeBackground(t, dc, kCheckBoxPart, base + (p.alarmHot ? 1 : 0), &rc, nullptr)))
      return;
  }
  const int state = std::min(p.state, 2);  // done and deleted look alike
  cache.CopyMark(dc, rc, 16 + state * 2 + (p.alarmHot ? 1 : 0),
                 [&](HDC target, const RECT& r) { DrawClassicCheckBox(target, r, state, p.alarmHot); });
}

void DrawRow(HDC dc, const RowPaint& p, const NoteGeometry& g, NotePaintCache& fonts, ThemeApi* theme,
             HWND window, int background, HFONT& selected) {
  if (p.strip) Fill(dc, p.stripRect, AltBackground(background));
  if (p.band >= 0) Fill(dc, p.bandRect, p.band);
  if (p.back >= 0) Fill(dc, p.backRect, p.back);
  if (p.heading) {
    DrawGlyph(dc, p, g, theme, window, fonts);
  } else if (!g.hideHeadingRows) {
    DrawCheckBox(dc, p, g, theme, window, fonts);
  }
  if (p.edited) return;
  // Rows in a run mostly share a font: select only on a change.
  HFONT font = fonts.Get(p.font);
  if (font != selected) SelectObject(dc, selected = font);
  SetTextColor(dc, Colour(p.textColour));
  const UINT format =
      kRowText | (p.heading ? DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS : DT_WORDBREAK | DT_NOCLIP);
  DrawText932(dc, p.text, ToRect(p.textRect), format);
}

void DrawTitleBar(HDC dc, const NoteGeometry& g, const NoteLook& look, NotePaintCache& fonts) {
  const TitleBarPaint bar = LayoutTitleBar(g, look.bar);
  Fill(dc, bar.bar, look.bar.colour0);
  for (const GradientLine& line : bar.lines)
    Fill(dc, LayoutRect{bar.lineLeft, line.y, bar.lineRight, line.y + 1}, line.colour);
  const BarBorderPaint& b = bar.border;
  if (b.kind != BarBorderPaint::kNone && b.penWidth > 0) {
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, b.penWidth, Colour(b.colour)));
    SelectScope usePen(dc, pen.Get());
    if (b.kind == BarBorderPaint::kLine) {
      MoveToEx(dc, b.rect.left, b.rect.top, nullptr);
      LineTo(dc, b.rect.right, b.rect.top);
    } else {
      SelectScope noFill(dc, GetStockObject(NULL_BRUSH));
      Rectangle(dc, b.rect.left, b.rect.top, b.rect.right, b.rect.bottom);
    }
  }
  if (bar.fontHeight <= 0 || look.title.empty()) return;
  SelectObject(dc, fonts.Title(bar.fontHeight));
  const UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
  RECT rc = ToRect(bar.textRect);
  if (look.titleShadow & 0x80000000u) {
    RECT shadow{rc.left + 1, rc.top + 1, rc.right + 1, rc.bottom + 1};
    SetTextColor(dc, Colour(static_cast<int>(look.titleShadow & 0xFFFFFF)));
    DrawText932(dc, look.title, shadow, format);
  }
  SetTextColor(dc, Colour(look.titleColour));
  DrawText932(dc, look.title, rc, format);
}

}  // namespace

void NotePaintCache::SetFace(const std::string& cp932Face) {
  std::wstring face = ToWide(cp932Face);
  if (face.size() >= LF_FACESIZE) face.resize(LF_FACESIZE - 1);
  if (face == face_) return;
  Clear();
  face_ = std::move(face);
}

HFONT NotePaintCache::Make(const RowFontSpec& spec, bool title) {
  LOGFONTW lf{};
  lf.lfHeight = spec.height;
  lf.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = spec.italic ? TRUE : FALSE;
  lf.lfStrikeOut = spec.strikeOut ? TRUE : FALSE;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynW(lf.lfFaceName, face_.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectW(&lf);
  if (!font) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts_.push_back(Entry{spec, title, font});
  return font;
}

HFONT NotePaintCache::Get(const RowFontSpec& spec) {
  for (const Entry& e : fonts_)
    if (!e.title && e.spec == spec) return e.font;
  return Make(spec, false);
}

HFONT NotePaintCache::Title(int height) {
  RowFontSpec spec;
  spec.height = height;
  spec.bold = true;
  for (const Entry& e : fonts_)
    if (e.title && e.spec == spec) return e.font;
  return Make(spec, true);
}

NotePaintCache::~NotePaintCache() {
  Clear();
  if (markDc_) {
    if (markDcBitmap_) SelectObject(markDc_, markDcBitmap_);
    DeleteDC(markDc_);
  }
  if (atlas_) DeleteObject(atlas_);
}

void NotePaintCache::CopyMark(HDC dc, const RECT& rect, int key,
                              const std::function<void(HDC, const RECT&)>& draw) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  const Mark* found = nullptr;
  for (const Mark& m : marks_)
    if (m.key == key && m.width == w && m.height == h) found = &m;
  if (!found && w > 0 && h > 0 && h <= kAtlasHeight && atlasUsed_ + w <= kAtlasWidth) {
    // All marks share one bitmap that stays selected: one BitBlt per mark.
    if (!markDc_ && (markDc_ = CreateCompatibleDC(dc)) != nullptr) {
      atlas_ = CreateCompatibleBitmap(dc, kAtlasWidth, kAtlasHeight);
      if (atlas_) markDcBitmap_ = SelectObject(markDc_, atlas_);
    }
    if (atlas_) {
      draw(markDc_, RECT{atlasUsed_, 0, atlasUsed_ + w, h});
      marks_.push_back(Mark{key, w, h, atlasUsed_});
      atlasUsed_ += w;
      found = &marks_.back();
    }
  }
  if (!found) {
    draw(dc, rect);
    return;
  }
  BitBlt(dc, rect.left, rect.top, w, h, markDc_, found->x, 0, SRCCOPY);
}

void NotePaintCache::Clear() {
  for (const Entry& e : fonts_) DeleteObject(e.font);
  fonts_.clear();
  sizes_.clear();
}

bool NotePaintCache::FindSize(const std::string& key, LayoutSize& size) const {
  const auto it = sizes_.find(key);
  if (it == sizes_.end()) return false;
  size = it->second;
  return true;
}

void NotePaintCache::KeepSize(std::string key, LayoutSize size) {
  if (sizes_.size() >= kMaxKeptSizes) sizes_.clear();  // texts change; old ones are not worth keeping
  sizes_.emplace(std::move(key), size);
}

LayoutSize GdiMeasurer::Measure(const RowFontSpec& font, std::string_view text, int width, UINT format) {
  std::string key;
  key.reserve(text.size() + 24);
  key += static_cast<char>(font.height);
  key += static_cast<char>((font.bold ? 1 : 0) | (font.italic ? 2 : 0) | (font.strikeOut ? 4 : 0));
  key.append(reinterpret_cast<const char*>(&width), sizeof width);
  key += static_cast<char>(format & DT_WORDBREAK ? 1 : 0);
  key.append(text);
  LayoutSize size;
  if (fonts_.FindSize(key, size)) return size;
  SelectScope use(dc_, fonts_.Get(font));
  const std::wstring wide = ToWide(text);
  RECT rc{0, 0, width, 0};
  DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rc, DT_CALCRECT | kRowText | format);
  size = LayoutSize{rc.right - rc.left, rc.bottom - rc.top};
  fonts_.KeepSize(std::move(key), size);
  return size;
}

LayoutSize GdiMeasurer::Line(const RowFontSpec& font, std::string_view text) {
  return Measure(font, text, 0, DT_SINGLELINE);
}

LayoutSize GdiMeasurer::Wrapped(const RowFontSpec& font, std::string_view text, int width) {
  return Measure(font, text, width > 1 ? width : 1, DT_WORDBREAK);
}

void PaintNote(HDC dc, NoteContent& content, const NoteGeometry& geometry, const RowFonts& rowFonts,
               const StateColourSet& colours, const NoteLook& look, const DateTime& now,
               NotePaintCache& fonts, ThemeApi* theme, HWND themeWindow) {
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  const bool alt = look.altHeld && geometry.colourKey;
  Fill(dc, LayoutRect{0, 0, geometry.width, geometry.height},
       alt ? AltBackground(look.background) : look.background);

  GdiMeasurer measurer(dc, fonts);
  const std::vector<RowPaint> rows = LayoutRows(content, geometry, rowFonts, colours, measurer, now);
  HFONT selected = nullptr;
  for (const RowPaint& p : rows)
    DrawRow(dc, p, geometry, fonts, theme, themeWindow, look.background, selected);

  if (geometry.bar & kBarShown) DrawTitleBar(dc, geometry, look, fonts);
  RECT client{0, 0, geometry.width, geometry.height};
  if (look.style & 2) DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
  if (look.style & 1) FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RestoreDC(dc, saved);
}

}  // namespace varnel::win
