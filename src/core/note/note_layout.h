// Note layout: where every row, the title bar and its decorations go, how a
// click maps to a row, how big the note wants to be and how folding moves it.
// Pure geometry over the note's rows and a text measurer handed in, so the
// shell only draws what this decides and the rules are tested without GDI.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/features/calendar.h"
#include "core/note/note_settings.h"
#include "core/note/row_store.h"

namespace varnel {

class NoteContent;

using LayoutRect = RowRect;  // left, top, right (exclusive), bottom (exclusive)

struct LayoutSize {
  int cx = 0, cy = 0;
};

// Bar flags.
constexpr std::uint8_t kBarShown = 1;
constexpr std::uint8_t kBarBottom = 2;
constexpr std::uint8_t kBarFolded = 4;

// A format string (16 hex digits) decoded; missing or bad digits read as 0.
struct RowFormat {
  bool ownHeight = false;      // char 0 bit 0
  bool ownText = false;        // char 0 bit 1
  bool ownBack = false;        // char 0 bit 2
  bool bandToDetails = false;  // char 0 bit 3 (heading)
  int height = 0;              // chars 1..2
  bool bold = false;           // char 3 bit 0
  bool italic = false;         // char 3 bit 1
  bool byState = false;        // char 3 bit 3 (detail: colour by state; state spec: in force)
  int textColour = 0;          // chars 4..9 as 0x00BBGGRR
  int backColour = 0;          // chars 10..15 as 0x00BBGGRR
};
RowFormat ParseRowFormat(std::string_view format);

// The font of a row as CreateRowFont makes it (face: the note's).
struct RowFontSpec {
  int height = 0;
  bool bold = false, italic = false, strikeOut = false;
  bool operator==(const RowFontSpec& o) const {
    return height == o.height && bold == o.bold && italic == o.italic && strikeOut == o.strikeOut;
  }
};
// Every size the program stores or measures at 96 DPI, in pixels at dpi.
int ScaleToDpi(int value, int dpi);

// Own height (bounded checkBoxHeight..64) and bits when char 0 bit 0 is set,
// else the note's heading or detail size and bits; the height in pixels at dpi
// (checkBoxHeight already is).
RowFontSpec RowFontOf(std::string_view format, bool heading, const RowFonts& fonts, int checkBoxHeight,
                      bool strikeOut, int dpi = 96);

// The state colour records in force for a note: its own and the global ones
// ("CColor%d"/"CCDay%d").
struct StateColourSet {
  std::array<StateColour, 4> note;
  std::array<StateColour, 4> global;
};

// What a detail looks like right now: its effective format string, the text
// to show (date codes expanded when status char 2 bit 0 asks for it, and from
// the second line on when char 1 bit 0 does), its day value and strike-out.
struct DetailLook {
  std::string format;
  std::string text;
  int dayValue = -9999;
  int state = 0;
  bool strikeOut = false;
};
DetailLook DetailLookOf(const Row& detail, const StateColourSet& colours, const DateTime& now);

// Text measurement in CP932, with a font of the given spec and the note's face.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // One line: its width and height.
  virtual LayoutSize Line(const RowFontSpec& font, std::string_view text) = 0;
  // Word-wrapped within width: the width and height the wrapped text takes.
  virtual LayoutSize Wrapped(const RowFontSpec& font, std::string_view text, int width) = 0;
};

// The window-side facts the layout needs, all in pixels of the note's monitor;
// dpi scales the layout's own gaps and the fonts' sizes.
struct NoteGeometry {
  int width = 0, height = 0;  // client W and H
  std::uint8_t bar = kBarShown;
  int barHeight = 18;
  bool hideHeadingRows = false;  // "Non"
  bool fixed = false;            // "Fix"
  bool colourKey = false;        // active alpha < 0: the background is see-through
  LayoutSize checkBox{13, 13};
  LayoutSize glyph{9, 9};
  int editedRow = -1;  // row index of the open edit box, -1 none
  int editHeight = 0;  // the edit box's client height
  int dpi = 96;
  int Px(int value) const { return ScaleToDpi(value, dpi); }
};

// Alt-held background in colour-key mode: minus 8 when above 128, else plus 8.
int AltBackground(int background);

// One painted row: what to draw where. Colours are 0x00BBGGRR, -1 = none.
struct RowPaint {
  int row = -1;
  bool heading = false;
  int headingIndex = -1;
  RowFontSpec font;
  std::string text;  // the text to draw
  int textColour = 0;
  int back = -1;          // own background
  LayoutRect backRect;    // where the own background is filled
  int band = -1;          // heading band colour covering this detail
  LayoutRect bandRect;    // where the band is filled
  LayoutRect mark;        // fold glyph (heading) or check box (detail)
  bool folded = false;    // heading: the glyph shows closed
  int state = 0;          // detail state 0..3
  bool alarmHot = false;  // detail: alarm present and armed
  bool edited = false;    // the edit box covers the text: draw no text
  LayoutRect textRect;
  bool strip = false;  // colour-key mode, edited detail: fill the strip left of the box
  LayoutRect stripRect;
  LayoutRect rowRect;  // also written to the row's rect
};

// Lays out every painted row from the top while y <= H + 64 and records each
// row's rectangle in the row; rows not reached keep their old rectangle.
std::vector<RowPaint> LayoutRows(NoteContent& content, const NoteGeometry& geometry, const RowFonts& fonts,
                                 const StateColourSet& colours, TextMeasurer& measurer, const DateTime& now);

// Title bar.
struct GradientLine {
  int y = 0;
  int colour = 0;
};
struct BarBorderPaint {
  enum Kind { kNone, kLine, kFrame } kind = kNone;
  int penWidth = 0;
  int colour = 0;
  LayoutRect rect;  // kLine: from (left, top) to (right, top); kFrame: the rectangle
};
struct TitleBarPaint {
  LayoutRect bar;
  int lineLeft = 0, lineRight = 0;  // horizontal extent of every gradient line
  std::vector<GradientLine> lines;  // in the order they are drawn
  BarBorderPaint border;
  LayoutRect textRect;
  int fontHeight = 0;
};
struct TitleBarStyle {
  int colour0 = 0x999999, colour1 = 0xFFFFFE;
  int gradientKind = 2;  // "TDiv"
  int border = 0;        // "TBorder": kind in bits 24..31, colour in bits 0..23
};
TitleBarPaint LayoutTitleBar(const NoteGeometry& geometry, const TitleBarStyle& style);

// Auto size. frameWidth/Height: FX2 - FX1 and FY2 - FY1.
struct AutoSizeResult {
  bool resize = false;  // false: leave the window as it is
  int width = 0, height = 0;
  bool storeUnfolded = false;  // folded note: the computed height becomes the unfolded height
  int unfoldedHeight = 0;
};
AutoSizeResult ComputeAutoSize(const NoteContent& content, const NoteGeometry& geometry,
                               const RowFonts& fonts, const StateColourSet& colours, TextMeasurer& measurer,
                               const DateTime& now, int frameWidth, int frameHeight, bool force);

// Folding to the title bar. mode 1 fold, 0 unfold, negative toggle.
struct FoldResult {
  bool change = false;
  std::uint8_t bar = 0;
  int unfoldedHeight = 0;
  int top = 0, height = 0;  // the window's new top and height (screen)
};
FoldResult ComputeFold(int mode, std::uint8_t bar, int barHeight, int unfoldedHeight, int windowTop,
                       int windowHeight);

// Hit codes of a client point.
enum HitCode {
  kHitNone = 0,
  kHitGlyph = 1,
  kHitHeadingText = 2,
  kHitTitleBar = 3,
  kHitCheckBox = -1,
  kHitDetailText = -2
};
struct HitResult {
  int code = kHitNone;
  int heading = -1;     // the heading under the pointer (last one walked)
  int headingRow = -1;  // its heading row
  int row = -1;         // the hit row (heading or detail)
};
// Against the rectangles the last layout recorded.
HitResult HitTest(const NoteContent& content, const NoteGeometry& geometry, int x, int y);

// Resize edges: 1 left, 2 right, 4 top, 8 bottom; window and point in screen
// coordinates. 0 for a fixed note and a folded one with its bar shown.
int EdgeMask(const LayoutRect& window, int x, int y, bool fixed, std::uint8_t bar, int dpi = 96);
enum class EdgeCursor { kArrow, kWestEast, kNorthSouth, kNwSe, kNeSw };
EdgeCursor CursorOfMask(int mask);  // kArrow for any mask that is no edge or corner

// The in-place edit box of a row.
struct EditBoxPlacement {
  LayoutRect box;
  bool grow = false;  // the row lies below the client: grow the client to growHeight first
  int growHeight = 0;
  bool strip = false;  // colour-key mode: fill stripRect with AltBackground first
  LayoutRect stripRect;
};
EditBoxPlacement PlaceEditBox(bool heading, const LayoutRect& row, const NoteGeometry& geometry);

// The edit box's new height when its line count changes (counts bounded 1..20).
int EditBoxHeightForLines(int clientHeight, int oldLines, int newLines);

}  // namespace varnel
