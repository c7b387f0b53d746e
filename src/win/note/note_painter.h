// GDI side of a note's look: fonts, text measurement and drawing of what the
// core's layout decided. Kept apart from the window so the painting can be
// measured on a memory bitmap.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/note/note_layout.h"

namespace varnel::win {

class ThemeApi;

// What painting one note makes once and keeps while the note lives: the fonts
// of its face, the sizes they measured and the classic check box and glyph images.
class NotePaintCache {
 public:
  NotePaintCache() = default;
  ~NotePaintCache();
  NotePaintCache(const NotePaintCache&) = delete;
  NotePaintCache& operator=(const NotePaintCache&) = delete;

  void SetFace(const std::string& cp932Face);  // drops every font when the face changes
  HFONT Get(const RowFontSpec& spec);
  HFONT Title(int height);  // the bar's bold font
  void Clear();

  // Sizes measured with these fonts: a repaint measures nothing it measured before.
  bool FindSize(const std::string& key, LayoutSize& size) const;
  void KeepSize(std::string key, LayoutSize size);

  // Copies the mark image for key to dc at rect, drawing it with draw on first
  // use. Only opaque, unthemed marks are kept this way.
  void CopyMark(HDC dc, const RECT& rect, int key, const std::function<void(HDC, const RECT&)>& draw);

 private:
  struct Entry {
    RowFontSpec spec;
    bool title;
    HFONT font;
  };
  struct Mark {
    int key, width, height, x;  // x: its place in the atlas
  };
  HFONT Make(const RowFontSpec& spec, bool title);
  std::wstring face_;
  std::vector<Entry> fonts_;
  std::unordered_map<std::string, LayoutSize> sizes_;
  std::vector<Mark> marks_;
  HDC markDc_ = nullptr;
  HBITMAP atlas_ = nullptr;
  HGDIOBJ markDcBitmap_ = nullptr;
  int atlasUsed_ = 0;
};

class GdiMeasurer : public TextMeasurer {
 public:
  GdiMeasurer(HDC dc, NotePaintCache& fonts) : dc_(dc), fonts_(fonts) {}
  LayoutSize Line(const RowFontSpec& font, std::string_view text) override;
  LayoutSize Wrapped(const RowFontSpec& font, std::string_view text, int width) override;

 private:
  LayoutSize Measure(const RowFontSpec& font, std::string_view text, int width, UINT format);
  HDC dc_;
  NotePaintCache& fonts_;
};

struct NoteLook {
  int background = 0x99FFCC;
  int style = 1;         // bit 0 frame, bit 1 raised edge
  bool altHeld = false;  // colour-key note shown with a visible background
  TitleBarStyle bar;
  int titleColour = 0;
  std::uint32_t titleShadow = 0;  // bit 31 on, bits 0..23 colour
  std::string title;
};

// Paints the whole note into dc (which should be a memory DC of the client size).
// Records the rows' rectangles through the layout.
void PaintNote(HDC dc, NoteContent& content, const NoteGeometry& geometry, const RowFonts& rowFonts,
               const StateColourSet& colours, const NoteLook& look, const DateTime& now,
               NotePaintCache& fonts, ThemeApi* theme, HWND themeWindow);

}  // namespace varnel::win
