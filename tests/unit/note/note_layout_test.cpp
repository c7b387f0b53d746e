// Note geometry against a fake measurer whose metrics are easy to follow by hand: 7 px a byte
// (at 96 DPI), one font height a line, wrapping after width / 7 bytes.
#include "core/note/note_layout.h"

#include <algorithm>
#include <functional>

#include "test_support.h"

using namespace varnel;

namespace {

using Ints = std::vector<int>;
std::string B(const LayoutRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}
std::string B(int colour) {  // in hex, -1 (none) as it is
  char s[16];
  std::snprintf(s, sizeof s, colour < 0 ? "%d" : "%x", colour);
  return s;
}

class FakeMeasurer : public TextMeasurer {
 public:
  LayoutSize Line(const RowFontSpec& font, std::string_view text) override {
    return {ScaleToDpi(7 * static_cast<int>(text.size()), dpi), font.height};
  }
  LayoutSize Wrapped(const RowFontSpec& font, std::string_view text, int width) override {
    lastWidth = width;
    const int perLine = std::max(1, width * 96 / (7 * dpi)), n = static_cast<int>(text.size());
    return {ScaleToDpi(7 * std::min(n, perLine), dpi),
            std::max(1, (n + perLine - 1) / perLine) * font.height};
  }
  int lastWidth = 0, dpi = 96;
};

class NoteLayoutTest : public test::NoteRowsTest<> {
 protected:
  NoteLayoutTest() { g_.width = 200, g_.height = 300; }
  std::vector<RowPaint> Layout() { return LayoutRows(c_, g_, fonts_, colours_, m_, now_); }
  // Values (fields or functions) of every painted row: "a/b" a row, rows apart by blanks.
  template <class... F>
  std::string Each(F... values) {
    std::string out;
    for (const RowPaint& p : Layout()) {
      std::string row;
      ((row += (row.empty() ? "" : "/") + B(std::invoke(values, p))), ...);
      out += (out.empty() ? "" : " ") + row;
    }
    return out;
  }
  AutoSizeResult AutoSize(bool force, int frameWidth = 1000, int frameHeight = 800) {
    return ComputeAutoSize(c_, g_, fonts_, colours_, m_, now_, frameWidth, frameHeight, force);
  }
  int Hit(int x, int y) const { return HitTest(c_, g_, x, y).code; }

  NoteGeometry g_;
  RowFonts fonts_;  // headings 16 bold, details 14
  StateColourSet colours_;
  FakeMeasurer m_;
};

TEST_F(NoteLayoutTest, RowsStackBelowTheBarWithGapsFoldsAndHiddenHeadings) {
  Build({{"A", "a1", "a2"}, {"B", "b1"}});
  const std::tuple<std::uint8_t, std::uint32_t, bool, const char*> cases[] = {
      // bar, attributes of A, no heading rows, rows
      {0, 0, false, "10,8,30,24 23,26,54,40 23,44,54,58 10,70,30,86 23,88,54,102"},
      {kBarShown, 0, false, "10,20,30,36 23,38,54,52 23,56,54,70 10,82,30,98 23,100,54,114"},
      {kBarShown | kBarBottom, 0, false, "10,8,30,24 23,26,54,40 23,44,54,58 10,70,30,86 23,88,54,102"},
      {0, kHeadingHidden, false, "10,8,30,24 23,26,54,40"},
      {0, 0, true, "10,8,24,22 10,26,24,40 10,52,24,66"},
      {0, kHeadingFolded, false, "10,8,30,24 10,30,30,46 23,48,54,62"}};  // 4 px after a folded heading
  for (const auto& [bar, attributes, bare, rects] : cases) {
    g_.bar = bar, g_.hideHeadingRows = bare;
    c_.headingAttributes[0] = attributes;
    EXPECT_EQ(Each(&RowPaint::rowRect), rects) << int{bar} << " " << attributes << " " << bare;
  }
  EXPECT_EQ(Each(&RowPaint::folded), "1 0 0");
  g_.hideHeadingRows = true, c_.headingAttributes[0] = 0;
  EXPECT_EQ(Each(&RowPaint::mark, &RowPaint::heading), "0,0,0,0/0 0,0,0,0/0 0,0,0,0/0");
}

TEST_F(NoteLayoutTest, LayoutStopsOnceWellBelowTheWindowKeepingOldRectangles) {
  Build({{"A", "a1"}, {"B", "b1"}, {"C", "c1"}});
  g_.bar = 0;
  for (const auto& [height, rows] : {std::pair(24, 6u), std::pair(23, 4u)}) {
    c_.rows.At(Row(2, 0)).rect = RowRect{1, 2, 3, 4};
    g_.height = height;  // C starts at y = 88 = H + 64
    EXPECT_EQ(Layout().size(), rows) << height;
  }
  EXPECT_EQ(B(c_.rows.At(Row(2, 0)).rect), "1,2,3,4");
}

TEST_F(NoteLayoutTest, HeadingAndDetailRectanglesColoursAndFonts) {
  Build({{"Heading", "short", std::string(30, 'x')}, {std::string(40, 'H'), "b1"}});
  // A detail wraps after 22 bytes; a long heading is cut at W - 6.
  EXPECT_EQ(Each(&RowPaint::mark), "10,20,19,36 23,39,36,53 23,57,36,71 10,96,19,112 23,115,36,129");
  EXPECT_EQ(Each(&RowPaint::textRect), "23,20,72,36 40,38,75,52 40,56,194,84 23,96,194,112 40,114,54,128");
  EXPECT_EQ(m_.lastWidth, 200 - 17 - 23 - 4);

  // Own background with its band over the heading's details, not the next heading's (a band needs
  // its own background); own text colours.
  c_.rows.At(Row(0, 0)).format = "E00000AB00123456";
  c_.rows.At(Row(1, 0)).format = "8000000000654321";
  c_.rows.At(Row(0, 1)).format = "6000FF0000ABCDEF";
  EXPECT_EQ(Each(&RowPaint::back, &RowPaint::textColour, &RowPaint::backRect),
            "123456/ab00/0,18,200,36 abcdef/ff0000/21,38,77,52 -1/0/0,0,0,0 -1/0/0,0,0,0 -1/0/0,0,0,0");
  EXPECT_EQ(Each(&RowPaint::band, &RowPaint::bandRect),
            "-1/0,0,0,0 123456/0,36,200,55 123456/0,54,200,87 -1/0,0,0,0 -1/0,0,0,0");

  // Own height, bounded by the check box and 64; bold or italic widens the text.
  c_.rows.At(Row(0, 1)).format = "1142000000000000";
  EXPECT_EQ(Layout()[1].font, (RowFontSpec{20, false, true, false}));
  EXPECT_EQ(B(Layout()[1].textRect), "40,38,81,58");
  EXPECT_EQ(RowFontOf("1050000000000000", false, fonts_, 13, false).height, 13);
  EXPECT_EQ(RowFontOf("1FF3000000000000", true, fonts_, 13, true), (RowFontSpec{64, true, true, true}));
  EXPECT_EQ(RowFontOf("0FF3000000000000", true, fonts_, 13, false), (RowFontSpec{16, true, false, false}));

  // Deleted details are struck out, headings never; alarm marks need both bits.
  const char* statuses[] = {"00000003", "0000000f", "00000006"};  // the last: done, alarm not armed
  for (std::uint32_t n = 0; n < 3; ++n) c_.rows.At(Row(0, n)).status = statuses[n];
  EXPECT_EQ(Each([](const RowPaint& p) { return p.font.strikeOut; }, &RowPaint::state, &RowPaint::alarmHot),
            "0/0/0 1/3/1 0/2/0 0/0/0 0/0/0");
}

TEST_F(NoteLayoutTest, DetailTextFromTheSecondLineDateCodesAndStateColours) {
  const std::string due = "%M/%D\r\ndue %c\"20261210\"";
  // text, status, shown text
  const std::array<std::string, 3> cases[] = {{"first\r\n\r\nsecond", "01000000", "second"},
                                              {"only\r\n\r\n", "01000000", "only\r\n\r\n"},
                                              {"one\ntwo\r\nthree", "01000000", "two\r\nthree"},
                                              {"one\ntwo\r\nthree", "00000000", "one\ntwo\r\nthree"},
                                              {due, "01100000", "due 3"},
                                              {due, "00000000", due}};
  for (const auto& [text, status, shown] : cases) {
    const DetailLook look = DetailLookOf(varnel::Row{0, text, kEmptyFormat, status, {}}, colours_, now_);
    EXPECT_EQ(std::pair(look.text, look.dayValue), std::pair(shown, shown == "due 3" ? 3 : -9999)) << text;
  }

  // The note's record while its day limit holds and it is in force, else the global one's.
  const std::string noteSpec = "20080000FF000000", globalSpec = "200800FF00000000", off = "20000000FF000000";
  const std::tuple<std::string, int, int, const char*, const char*> colours[] = {
      // the note's record, its day limit, the global one's, status, the record used
      {noteSpec, 3, 36160, "00100000", noteSpec.c_str()},  // 3 days left
      {noteSpec, 2, 36160, "00100000", globalSpec.c_str()},
      {noteSpec, 2, 2, "00100000", kStateFormat},
      {off, 36160, 3, "00100000", globalSpec.c_str()},
      {noteSpec, 2, 2, "00100001", "2008111111000000"},     // checked: its own state's record
      {noteSpec, -9999, 2, "00000000", noteSpec.c_str()}};  // no day count: every limit holds
  colours_.note[1] = {"2008111111000000", 36160};
  for (const auto& [spec, noteLimit, globalLimit, status, format] : colours) {
    colours_.note[0] = {spec, noteLimit};
    colours_.global[0] = {globalSpec, globalLimit};
    const varnel::Row r{0, "due %c\"20261210\"", kStateFormat, status, {}};
    EXPECT_EQ(DetailLookOf(r, colours_, now_).format, format) << noteLimit << " " << globalLimit;
  }
  Build({{"A", "a1", "a2"}});
  c_.rows.At(Row(0, 1)).format = kStateFormat;
  fonts_.detailColour = 0x444444;
  EXPECT_EQ(Each(&RowPaint::textColour), "0 ff 444444");
}

TEST_F(NoteLayoutTest, TitleBarGradientsAndBorders) {
  // The line count and "y:colour" of lines 0, 1, 2 and the last. Mirrored (kind 2), lines 0 and 1
  // are the outer pair and the last two meet in the middle at the step nearest colour 1.
  const std::tuple<std::uint8_t, int, int, int, int, const char*> cases[] = {
      // bar, kind, colour 0, colour 1, bar height, lines
      {kBarShown, 2, 0x999999, 0xFFFFFE, 18, "16 1:999999 16:999999 2:a5a5a5 9:f2f2f1"},
      {kBarShown, 1, 0x999999, 0xFFFFFE, 18, "16 1:999999 2:9f9f9f 3:a5a5a5 16:f8f8f7"},
      {kBarShown, 1, 0x0000FF, 0, 18, "16 1:ff 2:f0 3:e0 16:10"},  // falling red, no borrow into the others
      {kBarShown, 3, 0x999999, 0xFFFFFE, 18, "0"},
      {kBarShown, 2, 0x999999, 0xFFFFFE, 2, "0"},
      {kBarShown | kBarBottom, 2, 0x999999, 0xFFFFFE, 18,
       "16 283:999999 298:999999 284:a5a5a5 291:f2f2f1"}};  // the state kept below
  for (const auto& [bar, kind, colour0, colour1, height, lines] : cases) {
    g_.bar = bar, g_.barHeight = height;
    const TitleBarPaint p = LayoutTitleBar(g_, TitleBarStyle{colour0, colour1, kind, 0});
    std::ostringstream out;
    out << p.lines.size();
    for (const std::size_t i : {std::size_t{0}, std::size_t{1}, std::size_t{2}, p.lines.size() - 1})
      if (i < p.lines.size()) out << " " << p.lines[i].y << ":" << std::hex << p.lines[i].colour << std::dec;
    EXPECT_EQ(out.str(), lines) << kind << " " << int{bar};
  }
  const TitleBarPaint p = LayoutTitleBar(g_, TitleBarStyle{});
  EXPECT_EQ(std::make_tuple(B(p.bar), p.lineLeft, p.lineRight, B(p.textRect), p.fontHeight),
            std::make_tuple("0,282,200,300", 2, 198, "6,284,194,298", 14));

  const std::uint8_t top = kBarShown, bottom = kBarShown | kBarBottom, folded = kBarFolded;
  const auto line = BarBorderPaint::kLine, frame = BarBorderPaint::kFrame, none = BarBorderPaint::kNone;
  const std::tuple<int, std::uint8_t, BarBorderPaint::Kind, int, const char*> borders[] = {
      // "TBorder" kind, bar, what is drawn, pen width, where
      {4, top, frame, 1, "0,0,200,18"},       {5, bottom, frame, 2, "1,283,200,300"},
      {6, bottom, frame, 3, "1,283,199,299"}, {1, top, line, 1, "0,18,200,18"},
      {3, top, line, 3, "0,16,200,16"},       {3, bottom, line, 3, "0,283,200,283"},
      {1, top | folded, none, 0, "0,0,0,0"},  {7, top, frame, 1, "0,0,200,18"},
      {9, top, frame, 1, "2,2,198,18"},       {9, top | folded, frame, 1, "2,2,198,16"},
      {9, bottom, frame, 1, "2,282,198,298"}, {9, bottom | folded, frame, 1, "2,2,198,16"},
      {8, bottom, frame, 1, "1,282,199,299"}, {10, top, none, 0, "0,0,0,0"}};
  for (const auto& [kind, bar, paint, pen, rect] : borders) {
    g_.bar = bar;
    g_.height = bar & folded ? 18 : 300;
    const BarBorderPaint b = LayoutTitleBar(g_, TitleBarStyle{0, 0, 2, (kind << 24) | 255}).border;
    EXPECT_EQ(std::make_tuple(b.kind, b.penWidth, B(b.rect), b.colour),
              std::make_tuple(paint, pen, rect, paint == none ? b.colour : 255))
        << kind << " " << int{bar};
  }
}

TEST_F(NoteLayoutTest, AutoSizeGrowsShrinksOnlyWithForceAndKeepsLimits) {
  Build({{"AB", "abc"}});  // heading 14 + 27 + 6; detail 48 + 21; y 12 + 8 + 18 + 18
  const auto size = [](const AutoSizeResult& r) { return std::make_tuple(r.resize, r.width, r.height); };
  const std::uint8_t top = kBarShown, bottom = kBarShown | kBarBottom;
  // Unforced the note never shrinks; bold details add int(0.3 x 14).
  const std::tuple<std::uint8_t, std::string_view, int, int, std::tuple<bool, int, int>> cases[] = {
      // bar; f force, x fixed, b bold details, n no heading rows, a A folded; width, height before; result
      {top, "", 200, 300, {false, 0, 0}},      {top, "f", 200, 300, {true, 69, 60}},
      {top, "", 50, 300, {true, 69, 300}},     {top, "", 200, 40, {true, 200, 60}},
      {bottom, "f", 200, 300, {true, 69, 60}}, {0, "f", 200, 300, {true, 69, 48}},
      {top, "fx", 200, 300, {false, 0, 0}},    {top, "fb", 200, 300, {true, 73, 60}},
      {top, "fa", 200, 300, {true, 47, 42}},   {top, "fn", 200, 300, {true, 9 + 22 + 21, 42}}};
  for (const auto& [bar, flags, width, height, result] : cases) {
    const auto has = [flags = flags](char c) { return flags.find(c) != std::string_view::npos; };
    g_.bar = bar, g_.fixed = has('x'), fonts_.detailBold = has('b'), g_.hideHeadingRows = has('n');
    g_.width = width, g_.height = height;
    c_.headingAttributes[0] = has('a') ? kHeadingFolded : 0;
    EXPECT_EQ(size(AutoSize(has('f'))), result) << int{bar} << flags << width << height;
  }
  c_.headingAttributes[0] = 0, g_.hideHeadingRows = false, g_.bar = kBarShown | kBarFolded;
  const AutoSizeResult r = AutoSize(true);
  EXPECT_EQ(std::tuple(r.height, r.storeUnfolded, r.unfoldedHeight), std::tuple(18, true, 60));
  EXPECT_EQ(m_.lastWidth, 1000 - 48);

  g_.bar = kBarShown;
  c_.rows.At(Row(0, 1)).text = "";
  EXPECT_EQ(AutoSize(true).width, 55);
  c_.rows.At(Row(0, 1)).text = "x\r\nwide wide";
  c_.rows.At(Row(0, 1)).status = "01000000";
  EXPECT_EQ(AutoSize(true).width, 48 + 63);
  c_.rows.At(Row(0, 0)).text = std::string(30, 'H');
  EXPECT_EQ(size(AutoSize(true, 100, 50)), std::make_tuple(true, 100, 50));
  c_ = NoteContent();
  EXPECT_EQ(size(AutoSize(true)), std::make_tuple(true, 40, 18));
}

TEST_F(NoteLayoutTest, FoldingKeepsTheBarEdgeAndEdgesResizeWithTheirCursors) {
  const std::uint8_t shown = kBarShown, bottom = kBarShown | kBarBottom, folded = kBarFolded;
  const std::tuple<int, std::uint8_t, int, int, std::tuple<bool, int, int, int, int>> cases[] = {
      // mode, bar, unfolded height, height (top 100); change, bar, top, height, unfolded height
      {1, shown, 0, 300, {true, shown | folded, 100, 18, 300}},
      {1, shown | folded, 300, 18, {false, shown | folded, 100, 18, 300}},
      {-1, shown | folded, 300, 18, {true, shown, 100, 300, 300}},
      {0, shown, 300, 300, {false, shown, 100, 300, 300}},
      {-1, bottom, 0, 300, {true, bottom | folded, 382, 18, 300}},
      {0, bottom | folded, 300, 18, {true, bottom, -182, 300, 300}},  // the bottom edge stays at 118
      {1, 0, 0, 300, {false, 0, 100, 300, 0}},
      {0, folded, 300, 18, {false, folded, 100, 18, 300}},
      {0, shown | folded, 0, 18, {true, shown, 100, 18, 0}}};  // never knew its height: opens to its bar
  for (const auto& [mode, bar, unfolded, height, result] : cases) {
    const FoldResult r = ComputeFold(mode, bar, 18, unfolded, 100, height);
    EXPECT_EQ(std::make_tuple(r.change, int{r.bar}, r.top, r.height, r.unfoldedHeight), result)
        << mode << " " << int{bar};
  }
  const LayoutRect w{100, 100, 300, 400};
  const std::array<int, 5> edges[] = {
      // x, y, fixed, bar, mask
      {100, 100, 0, kBarShown, 5}, {299, 100, 0, kBarShown, 6}, {299, 399, 0, kBarShown, 10},
      {103, 399, 0, kBarShown, 9}, {104, 200, 0, kBarShown, 0}, {296, 396, 0, kBarShown, 0},
      {297, 200, 0, kBarShown, 2}, {200, 397, 0, kBarShown, 8}, {300, 200, 0, kBarShown, 0},  // outside
      {99, 200, 0, kBarShown, 0},  {100, 100, 1, kBarShown, 0}, {100, 100, 0, kBarShown | kBarFolded, 0},
      {100, 100, 0, kBarFolded, 5}};  // no bar: folding means nothing
  for (const auto& [x, y, fixed, bar, mask] : edges)
    EXPECT_EQ(EdgeMask(w, x, y, fixed != 0, static_cast<std::uint8_t>(bar)), mask) << x << "," << y;

  // By mask 0..11; 3: a window narrower than both edges.
  const auto no = EdgeCursor::kArrow, we = EdgeCursor::kWestEast, ns = EdgeCursor::kNorthSouth,
             nwse = EdgeCursor::kNwSe, nesw = EdgeCursor::kNeSw;
  const EdgeCursor cursors[] = {no, we, we, no, ns, nwse, nesw, no, ns, nesw, nwse, no};
  for (int mask = 0; mask < 12; ++mask) EXPECT_EQ(CursorOfMask(mask), cursors[mask]) << mask;
}

TEST_F(NoteLayoutTest, HitTestAgainstTheRecordedRows) {
  Build({{"A", "a1", "a2"}, {"B", "b1"}});
  Layout();  // A (10,20,30,36), a1 (23,38,54,52), a2 (23,56,54,70), B (10,82,30,98), b1 (23,100,54,114)
  const int a = Row(0, 0), a1 = Row(0, 1), b1 = Row(1, 1), bottom = 1, folded = 2, bare = 3;
  const int none = kHitNone, glyph = kHitGlyph, text = kHitHeadingText, box = kHitCheckBox,
            detail = kHitDetailText, bar = kHitTitleBar;
  // Heading rows are not tested with "Non"; a miss reports the last heading walked.
  const std::array<int, 6> points[] = {
      // x, y, case (0 plain, bottom bar, A folded, no heading rows); code, heading, row
      {100, 18, 0, bar, -1, -1},     {10, 20, 0, glyph, 0, a},      {19, 35, 0, glyph, 0, a},
      {20, 35, 0, text, 0, a},       {30, 20, 0, none, 1, -1},      {23, 38, 0, box, 0, a1},
      {36, 51, 0, box, 0, a1},       {37, 51, 0, detail, 0, a1},    {22, 40, 0, none, 1, -1},
      {40, 52, 0, none, 1, -1},      {40, 113, 0, detail, 1, b1},   {40, 19, 0, none, 0, -1},
      {5, 282, bottom, bar, -1, -1}, {5, 281, bottom, none, 1, -1}, {100, 18, bottom, none, 0, -1},
      {40, 40, folded, none, 1, -1}, {20, 30, bare, none, 1, -1},   {40, 105, folded, detail, 1, b1},
      {40, 250, 0, none, 1, -1}};  // the last as the rows were laid out
  for (const auto& [x, y, state, code, heading, row] : points) {
    g_.bar = state == bottom ? kBarShown | kBarBottom : kBarShown, g_.hideHeadingRows = state == bare;
    c_.headingAttributes[0] = state == folded ? kHeadingFolded : 0;
    const HitResult h = HitTest(c_, g_, x, y);
    EXPECT_EQ(std::tuple(h.code, h.heading, h.row), std::tuple(code, heading, row)) << x << "," << y;
  }
  // A detail below the point ends only its heading.
  c_.rows.At(a1).rect = RowRect{23, 50, 100, 60};
  c_.rows.At(Row(1, 0)).rect = RowRect{10, 20, 100, 30};
  EXPECT_EQ(Hit(50, 25), kHitHeadingText);
  // Past a row number left empty (a2 becomes number 3).
  c_.MakeRoomAfter(0, a1);
  const HitResult h = HitTest(c_, g_, 40, 60);
  EXPECT_EQ(std::pair(h.row, h.headingRow), std::pair(Row(0, 3), a));
}

TEST_F(NoteLayoutTest, EditBoxPlacementLineGrowthAndTheEditedRow) {
  // A row below the client, or only partly inside it, grows the client first.
  const std::tuple<bool, bool, bool, int, LayoutRect, const char*> cases[] = {
      // heading, no heading rows, colour key, client height, row; box, grown height, strip
      {true, false, false, 300, {10, 20, 44, 36}, "22,20,195,36 0 -"},
      {false, false, false, 300, {23, 38, 61, 52}, "40,38,196,52 0 -"},
      {false, true, false, 300, {10, 38, 61, 52}, "10,38,196,52 0 -"},
      {true, false, true, 300, {10, 20, 44, 36}, "22,20,195,36 0 2,18,10,36"},
      {false, false, false, 60, {23, 70, 61, 84}, "40,70,196,84 88 -"},
      {false, false, false, 60, {23, 50, 61, 64}, "40,50,196,64 68 -"},
      {false, false, false, 60, {23, 46, 61, 60}, "40,46,196,60 0 -"},
      {false, false, true, 300, {23, 38, 61, 52}, "40,38,196,52 0 2,38,23,53"}};  // the state kept below
  for (const auto& [heading, bare, key, height, row, want] : cases) {
    g_.hideHeadingRows = bare, g_.colourKey = key, g_.height = height;
    const EditBoxPlacement p = PlaceEditBox(heading, row, g_);
    EXPECT_EQ(
        B(p.box) + " " + std::to_string(p.grow ? p.growHeight : 0) + " " + (p.strip ? B(p.stripRect) : "-"),
        want);
  }
  EXPECT_EQ(Ints({EditBoxHeightForLines(28, 2, 3), EditBoxHeightForLines(42, 3, 1),
                  EditBoxHeightForLines(14, 0, 25)}),
            (Ints{42, 14, 280}));  // counts bounded 1..20

  // The edited row takes the box's height and width.
  Build({{"A", "a1", "a2"}});
  c_.rows.At(Row(0, 0)).format = "C000000000123456";
  g_.editedRow = Row(0, 1), g_.editHeight = 40, g_.colourKey = true;
  EXPECT_EQ(Each(&RowPaint::rowRect), "10,20,30,36 23,38,196,78 23,82,54,96");  // the box's width
  EXPECT_EQ(Each(&RowPaint::strip, &RowPaint::edited, &RowPaint::band, &RowPaint::stripRect),
            "0/0/-1/0,0,0,0 1/1/-1/0,38,23,79 0/0/123456/0,0,0,0");
  g_.editedRow = Row(0, 0);
  EXPECT_EQ(Each(&RowPaint::edited), "1 0 0");
  EXPECT_EQ(std::make_tuple(AltBackground(0x99FFCC), AltBackground(128), AltBackground(129)),
            std::make_tuple(0x99FFC4, 136, 121));
}

// At 144 DPI every rectangle and size is the one at 96 made 1.5 times larger (give or take a
// rounded pixel) and every hit the same; sizes handed in are the shell's, already scaled.
TEST_F(NoteLayoutTest, EverySizeScalesWithTheDpi) {
  // The heading is the widest row, so its allowance sets the auto size.
  Build({{std::string(40, 'H'), "short", std::string(30, 'x')}, {"B", "b1"}});
  c_.rows.At(Row(0, 0)).format = "C000000000123456";  // own background and band
  c_.rows.At(Row(0, 2)).format = "1FF1000000000000";  // own height at its cap, bold
  c_.headingAttributes[1] = kHeadingFolded;
  g_.colourKey = true;
  const auto take = [&](int dpi) {
    const auto px = [dpi](int v) { return ScaleToDpi(v, dpi); };
    Ints scaled;
    const auto keep = [&](std::initializer_list<LayoutRect> rects, Ints more) {
      for (const LayoutRect& r : rects) scaled.insert(scaled.end(), {r.left, r.top, r.right, r.bottom});
      scaled.insert(scaled.end(), more.begin(), more.end());
    };
    g_.dpi = m_.dpi = dpi;
    g_.width = px(200), g_.height = px(300), g_.barHeight = px(18), g_.editedRow = -1;
    g_.checkBox = {px(14), px(14)}, g_.glyph = {px(10), px(10)};
    for (const std::uint8_t bar : {kBarShown, std::uint8_t(kBarShown | kBarBottom)}) {
      g_.bar = bar;
      for (const RowPaint& p : Layout())
        keep({p.mark, p.textRect, p.rowRect, p.backRect, p.bandRect}, {p.font.height});
      const TitleBarPaint title = LayoutTitleBar(g_, TitleBarStyle{0, 0xFFFFFF, 2, 9 << 24});
      const AutoSizeResult a = AutoSize(true);
      const EditBoxPlacement e = PlaceEditBox(false, c_.rows.At(Row(0, 1)).rect, g_);
      keep({title.textRect, title.border.rect, e.box, e.stripRect},
           {title.fontHeight, title.lineLeft, title.lineRight, a.width, a.height});
      const LayoutRect mark = Layout()[1].mark, text = Layout()[1].textRect, w{0, 0, g_.width, g_.height};
      EXPECT_EQ(
          Ints({Hit(mark.right - 1, mark.top + 1), Hit(text.right - 1, text.top + 1),
                EdgeMask(w, px(3), px(100), false, bar, dpi), EdgeMask(w, px(5), px(100), false, bar, dpi)}),
          (Ints{kHitCheckBox, kHitDetailText, 1, 0}));
    }
    g_.editedRow = Row(0, 1), g_.editHeight = px(40);
    keep({Layout()[1].textRect, Layout()[1].stripRect}, {});
    return scaled;
  };
  const Ints at96 = take(96), at144 = take(144);
  ASSERT_EQ(at96.size(), at144.size());
  for (std::size_t i = 0; i < at96.size(); ++i) EXPECT_NEAR(at144[i], at96[i] * 1.5, 1) << "value " << i;
  EXPECT_EQ(ScaleToDpi(-3, 144), -5);
}

}  // namespace
