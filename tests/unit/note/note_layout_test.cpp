// Note geometry against a fake measurer whose metrics are easy to follow by
// hand: 7 px a byte (at 96 DPI), one font height a line, wrapping after
// width / 7 bytes.
#include "core/note/note_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>

#include "test_support.h"

using namespace varnel;

namespace {

using Box = std::array<int, 4>;
Box B(const LayoutRect& r) { return {r.left, r.top, r.right, r.bottom}; }

class FakeMeasurer : public TextMeasurer {
 public:
  LayoutSize Line(const RowFontSpec& font, std::string_view text) override {
    return {ScaleToDpi(7 * static_cast<int>(text.size()), dpi), font.height};
  }
  // Breaks at LF (CR ignored), then after every width / 7 bytes.
  LayoutSize Wrapped(const RowFontSpec& font, std::string_view text, int width) override {
    lastWidth = width;
    lastText = std::string(text);
    const int perLine = std::max(1, width * 96 / (7 * dpi));
    int lines = 0, widest = 0;
    std::size_t start = 0;
    while (true) {
      const std::size_t end = std::min(text.find('\n', start), text.size());
      std::string_view piece = text.substr(start, end - start);
      int n = 0;
      for (char ch : piece) n += ch != '\r';
      lines += std::max(1, (n + perLine - 1) / perLine);
      widest = std::max(widest, ScaleToDpi(7 * std::min(n, perLine), dpi));
      if (end >= text.size()) break;
      start = end + 1;
    }
    return {widest, lines * font.height};
  }
  int lastWidth = 0;
  std::string lastText;
  int dpi = 96;
};

class NoteLayoutTest : public test::NoteRowsTest<> {
 protected:
  void SetUp() override {
    g_.width = 200;
    g_.height = 300;
  }
  Box RectAt(int heading, std::uint32_t number) const { return B(c_.rows.At(Row(heading, number)).rect); }
  std::vector<RowPaint> Layout() { return LayoutRows(c_, g_, fonts_, colours_, m_, now_); }
  RowPaint PaintOf(int heading, std::uint32_t number) {
    const int row = Row(heading, number);
    for (const RowPaint& p : Layout())
      if (p.row == row) return p;
    ADD_FAILURE() << "row not painted";
    return {};
  }
  AutoSizeResult AutoSize(bool force, int frameWidth = 1000, int frameHeight = 800) {
    return ComputeAutoSize(c_, g_, fonts_, colours_, m_, now_, frameWidth, frameHeight, force);
  }
  HitResult Hit(int x, int y) const { return HitTest(c_, g_, x, y); }

  NoteGeometry g_;
  RowFonts fonts_;  // headings 16 bold, details 14
  StateColourSet colours_;
  FakeMeasurer m_;
};

TEST_F(NoteLayoutTest, RowsStackBelowTheBarWithGapsFoldsAndHiddenHeadings) {
  Build({{"A", "a1", "a2"}, {"B", "b1"}});
  g_.bar = 0;
  EXPECT_EQ(Layout().size(), 5u);
  EXPECT_EQ(RectAt(0, 0), (Box{10, 8, 30, 24}));
  EXPECT_EQ(RectAt(0, 1), (Box{23, 26, 54, 40}));
  EXPECT_EQ(RectAt(1, 0), (Box{10, 70, 30, 86}));
  const std::pair<int, int> bars[] = {{kBarShown, 20}, {kBarShown | kBarBottom, 8}};  // 18 - 6 + 8
  for (const auto& [bar, top] : bars) {
    g_.bar = static_cast<std::uint8_t>(bar);
    Layout();
    EXPECT_EQ(RectAt(0, 0)[1], top) << bar;
  }

  g_.bar = 0;
  c_.headingAttributes[0] = kHeadingFolded;
  const std::vector<RowPaint> folded = Layout();
  ASSERT_EQ(folded.size(), 3u);
  EXPECT_TRUE(folded[0].folded);
  EXPECT_EQ(RectAt(1, 0)[1], 30);  // 4 px after a folded heading
  c_.headingAttributes[0] = kHeadingHidden;
  EXPECT_EQ(Layout().size(), 2u);
  EXPECT_EQ(RectAt(1, 0)[1], 8);

  c_.headingAttributes[0] = 0;
  g_.hideHeadingRows = true;
  const std::vector<RowPaint> bare = Layout();
  ASSERT_EQ(bare.size(), 3u);
  EXPECT_FALSE(bare[0].heading);
  EXPECT_EQ(B(bare[0].textRect), (Box{10, 8, 24, 22}));
  EXPECT_EQ(B(bare[0].mark), (Box{0, 0, 0, 0}));
  EXPECT_EQ(RectAt(1, 1)[1], 52);
}

TEST_F(NoteLayoutTest, LayoutStopsOnceWellBelowTheWindow) {
  Build({{"A", "a1"}, {"B", "b1"}, {"C", "c1"}});
  g_.bar = 0;
  c_.rows.At(Row(2, 0)).rect = RowRect{1, 2, 3, 4};
  g_.height = 24;  // C starts after y = 88 = H + 64
  EXPECT_EQ(Layout().size(), 6u);
  c_.rows.At(Row(2, 0)).rect = RowRect{1, 2, 3, 4};
  g_.height = 23;
  EXPECT_EQ(Layout().size(), 4u);
  EXPECT_EQ(RectAt(2, 0), (Box{1, 2, 3, 4}));  // not reached: kept
}

TEST_F(NoteLayoutTest, HeadingAndDetailRectanglesColoursAndFonts) {
  Build({{"Heading", "short", std::string(30, 'x')}, {std::string(40, 'H'), "b1"}});
  RowPaint h = PaintOf(0, 0);
  EXPECT_EQ(B(h.mark), (Box{10, 20, 19, 36}));
  EXPECT_EQ(B(h.textRect), (Box{23, 20, 72, 36}));
  EXPECT_EQ(h.back, -1);
  EXPECT_EQ(PaintOf(1, 0).textRect.right, 194);  // W - 6

  RowPaint d = PaintOf(0, 1);
  EXPECT_EQ(B(d.mark), (Box{23, 39, 36, 53}));
  EXPECT_EQ(B(d.textRect), (Box{40, 38, 75, 52}));
  EXPECT_EQ(m_.lastWidth, 200 - 17 - 23 - 4);
  EXPECT_EQ(B(PaintOf(0, 2).textRect), (Box{40, 56, 194, 84}));  // two lines of 22 bytes at most
  EXPECT_EQ(RectAt(1, 0)[1], 96);

  // Own background with its band over the heading's details, not the next heading's.
  c_.rows.At(Row(0, 0)).format = "C000000000123456";
  c_.rows.At(Row(0, 1)).format = "6000FF0000ABCDEF";
  const auto colours = [&](int heading, std::uint32_t number) {
    const RowPaint p = PaintOf(heading, number);
    return std::make_tuple(p.back, B(p.backRect), p.band, B(p.bandRect));
  };
  EXPECT_EQ(colours(0, 0), std::make_tuple(0x123456, Box{0, 18, 200, 36}, -1, Box{0, 0, 0, 0}));
  EXPECT_EQ(colours(0, 1), std::make_tuple(0xABCDEF, Box{21, 38, 77, 52}, 0x123456, Box{0, 36, 200, 55}));
  EXPECT_EQ(PaintOf(0, 1).textColour, 0xFF0000);
  EXPECT_EQ(PaintOf(0, 2).band, 0x123456);
  EXPECT_EQ(PaintOf(1, 1).band, -1);

  // Own height, bounded by the check box and 64; bold or italic widens the text.
  c_.rows.At(Row(0, 1)).format = "1141000000000000";
  d = PaintOf(0, 1);
  EXPECT_EQ(d.font, (RowFontSpec{20, true, false, false}));
  EXPECT_EQ(B(d.textRect), (Box{40, 38, 81, 58}));
  EXPECT_EQ(PaintOf(0, 2).rowRect.top, 62);
  EXPECT_EQ(RowFontOf("1050000000000000", false, fonts_, 13, false).height, 13);
  EXPECT_EQ(RowFontOf("1FF3000000000000", true, fonts_, 13, true), (RowFontSpec{64, true, true, true}));
  EXPECT_EQ(RowFontOf("0FF3000000000000", true, fonts_, 13, false), (RowFontSpec{16, true, false, false}));

  // Deleted details are struck out, headings never; alarm marks need both bits.
  c_.rows.At(Row(0, 0)).status = "00000003";
  c_.rows.At(Row(0, 1)).status = "0000000f";
  c_.rows.At(Row(0, 2)).status = "00000006";  // done, alarm present but not armed
  const auto marks = [&](std::uint32_t number) {
    const RowPaint p = PaintOf(0, number);
    return std::make_tuple(p.font.strikeOut, p.state, p.alarmHot);
  };
  EXPECT_FALSE(std::get<0>(marks(0)));
  EXPECT_EQ(marks(1), std::make_tuple(true, 3, true));
  EXPECT_EQ(marks(2), std::make_tuple(false, 2, false));
}

TEST_F(NoteLayoutTest, EditedRowsTakeTheEditBoxHeight) {
  Build({{"A", "a1", "a2"}});
  c_.rows.At(Row(0, 0)).format = "C000000000123456";
  g_.editedRow = Row(0, 1);
  g_.editHeight = 40;
  g_.colourKey = true;
  const RowPaint d = PaintOf(0, 1);
  EXPECT_TRUE(d.edited);
  EXPECT_EQ(B(d.rowRect), (Box{23, 38, 196, 78}));  // the box's width
  EXPECT_TRUE(d.strip);
  EXPECT_EQ(B(d.stripRect), (Box{0, 38, 23, 79}));
  EXPECT_EQ(d.band, -1);
  EXPECT_EQ(RectAt(0, 2)[1], 82);
  g_.editedRow = Row(0, 0);
  EXPECT_TRUE(PaintOf(0, 0).edited);
  EXPECT_EQ(RectAt(0, 1)[1], 38);

  EXPECT_EQ(AltBackground(0x99FFCC), 0x99FFC4);
  EXPECT_EQ(AltBackground(128), 136);
  EXPECT_EQ(AltBackground(129), 121);
}

TEST_F(NoteLayoutTest, DetailTextFromTheSecondLineAndDateCodes) {
  const std::string due = "%M/%D\r\ndue %c\"20261210\"";
  const std::array<std::string, 3> cases[] = {// text, status, shown text
                                              {"first\r\n\r\nsecond", "01000000", "second"},
                                              {"only\r\n\r\n", "01000000", "only\r\n\r\n"},
                                              {"one\ntwo\r\nthree", "01000000", "two\r\nthree"},
                                              {"one\ntwo\r\nthree", "00000000", "one\ntwo\r\nthree"},
                                              {due, "01100000", "due 3"},
                                              {due, "00000000", due}};
  for (const auto& [text, status, shown] : cases) {
    const DetailLook look = DetailLookOf(varnel::Row{0, text, kEmptyFormat, status, {}}, colours_, now_);
    EXPECT_EQ(look.text, shown) << text;
    EXPECT_EQ(look.dayValue, shown == "due 3" ? 3 : -9999) << text;
  }
}

TEST_F(NoteLayoutTest, StateColoursByDayLimits) {
  const std::string noteSpec = "20080000FF000000", globalSpec = "200800FF00000000";
  colours_.note[0] = {noteSpec, 3};
  colours_.global[0] = {globalSpec, 36160};
  colours_.note[1] = {"2008111111000000", 36160};
  varnel::Row r{0, "due %c\"20261210\"", kStateFormat, "00100000", {}};  // 3 days left
  EXPECT_EQ(DetailLookOf(r, colours_, now_).format, noteSpec);
  colours_.note[0].dayLimit = 2;
  EXPECT_EQ(DetailLookOf(r, colours_, now_).format, globalSpec);
  colours_.global[0].dayLimit = 2;
  EXPECT_EQ(DetailLookOf(r, colours_, now_).format, kStateFormat);
  colours_.global[0].dayLimit = 3;
  colours_.note[0] = {"20000000FF000000", 36160};  // not in force
  EXPECT_EQ(DetailLookOf(r, colours_, now_).format, globalSpec);

  r.status = "00100001";
  EXPECT_EQ(DetailLookOf(r, colours_, now_).format, colours_.note[1].spec);
  r.status = "00000000";  // no day count: every limit holds
  colours_.note[0] = {noteSpec, -9999};
  EXPECT_EQ(DetailLookOf(r, colours_, now_).format, noteSpec);
  r.format = kEmptyFormat;
  EXPECT_EQ(DetailLookOf(r, colours_, now_).format, kEmptyFormat);

  Build({{"A", "a1"}});
  c_.rows.At(Row(0, 1)).format = kStateFormat;
  fonts_.detailColour = 0x444444;
  EXPECT_EQ(PaintOf(0, 1).textColour, 0x0000FF);
  c_.rows.At(Row(0, 1)).format = kEmptyFormat;
  EXPECT_EQ(PaintOf(0, 1).textColour, 0x444444);
}

TEST_F(NoteLayoutTest, TitleBarGradients) {
  TitleBarStyle style;  // 0x999999 to 0xFFFFFE, mirrored
  TitleBarPaint p = LayoutTitleBar(g_, style);
  EXPECT_EQ(B(p.bar), (Box{0, 0, 200, 18}));
  EXPECT_EQ(std::pair(p.lineLeft, p.lineRight), std::pair(2, 198));
  ASSERT_EQ(p.lines.size(), 16u);
  // Mirrored: lines 0 and 1 are the outer pair, 14 and 15 meet in the middle.
  const auto line = [&](std::size_t i) { return std::pair(p.lines[i].y, p.lines[i].colour); };
  EXPECT_EQ(line(0), std::pair(1, 0x999999));
  EXPECT_EQ(line(1), std::pair(16, 0x999999));
  EXPECT_EQ(line(2).second, 0xA5A5A5);
  EXPECT_EQ(line(14).first, 8);
  EXPECT_EQ(line(15), std::pair(9, 0xF2F2F1));  // the step nearest colour 1
  for (std::size_t i = 2; i < p.lines.size(); ++i)
    for (int shift : {0, 8, 16})
      EXPECT_GE((p.lines[i].colour >> shift) & 0xFF, (p.lines[i - 2].colour >> shift) & 0xFF);
  EXPECT_EQ(B(p.textRect), (Box{6, 2, 194, 16}));
  EXPECT_EQ(p.fontHeight, 14);

  g_.bar = kBarShown | kBarBottom;
  p = LayoutTitleBar(g_, style);
  EXPECT_EQ(B(p.bar), (Box{0, 282, 200, 300}));
  EXPECT_EQ(line(0).first, 283);
  EXPECT_EQ(line(1).first, 298);
  EXPECT_EQ(p.textRect.top, 284);

  g_.bar = kBarShown;
  style.gradientKind = 1;
  p = LayoutTitleBar(g_, style);
  ASSERT_EQ(p.lines.size(), 16u);
  EXPECT_EQ(line(15), std::pair(16, 0xF8F8F7));
  style.colour0 = 0x0000FF;  // falling red, no borrow into the other channels
  style.colour1 = 0;
  p = LayoutTitleBar(g_, style);
  EXPECT_EQ(std::pair(line(1).second, line(15).second), std::pair(0xF0, 0x10));
  style.gradientKind = 3;
  EXPECT_TRUE(LayoutTitleBar(g_, style).lines.empty());
  style.gradientKind = 2;
  g_.barHeight = 2;
  EXPECT_TRUE(LayoutTitleBar(g_, style).lines.empty());
}

TEST_F(NoteLayoutTest, TitleBarBorders) {
  const auto border = [&](int kind, std::uint8_t bar, int height = 300) {
    g_.bar = bar;
    g_.height = height;
    TitleBarStyle style;
    style.border = (kind << 24) | 255;
    return LayoutTitleBar(g_, style).border;
  };
  const std::uint8_t top = kBarShown, bottom = kBarShown | kBarBottom, folded = kBarFolded;
  struct Case {
    int kind;
    std::uint8_t bar;
    int height;
    BarBorderPaint::Kind paint;
    int pen;
    Box rect;
  };
  const auto line = BarBorderPaint::kLine, frame = BarBorderPaint::kFrame, none = BarBorderPaint::kNone;
  const Case cases[] = {
      {5, top, 300, frame, 2, {1, 1, 200, 18}},       {5, bottom, 300, frame, 2, {1, 283, 200, 300}},
      {4, top, 300, frame, 1, {0, 0, 200, 18}},       {6, bottom, 300, frame, 3, {1, 283, 199, 299}},
      {1, top, 300, line, 1, {0, 18, 200, 18}},       {3, top, 300, line, 3, {0, 16, 200, 16}},
      {3, bottom, 300, line, 3, {0, 283, 200, 283}},  {2, bottom, 300, line, 2, {0, 283, 200, 283}},
      {1, top | folded, 18, none, 0, {0, 0, 0, 0}},   {7, top, 300, frame, 1, {0, 0, 200, 18}},
      {9, top, 300, frame, 1, {2, 2, 198, 18}},       {9, top | folded, 18, frame, 1, {2, 2, 198, 16}},
      {9, bottom, 300, frame, 1, {2, 282, 198, 298}}, {9, bottom | folded, 18, frame, 1, {2, 2, 198, 16}},
      {8, bottom, 300, frame, 1, {1, 282, 199, 299}}, {0, top, 300, none, 0, {0, 0, 0, 0}},
      {10, top, 300, none, 0, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    const BarBorderPaint b = border(c.kind, c.bar, c.height);
    EXPECT_EQ(std::make_tuple(b.kind, b.penWidth, B(b.rect), b.colour),
              std::make_tuple(c.paint, c.pen, c.rect, c.paint == none ? b.colour : 255))
        << c.kind << " " << int{c.bar};
  }
}

TEST_F(NoteLayoutTest, AutoSizeGrowsShrinksOnlyWithForceAndKeepsLimits) {
  Build({{"AB", "abc"}});  // heading 14 + 27 + 6; detail 48 + 21; y 12 + 8 + 18 + 18
  const auto size = [](const AutoSizeResult& r) { return std::pair(r.width, r.height); };
  EXPECT_FALSE(AutoSize(false).resize);
  AutoSizeResult r = AutoSize(true);
  EXPECT_TRUE(r.resize);
  EXPECT_EQ(size(r), std::pair(69, 60));
  EXPECT_FALSE(r.storeUnfolded);
  EXPECT_EQ(m_.lastWidth, 1000 - 48);
  g_.width = 50;
  r = AutoSize(false);
  EXPECT_TRUE(r.resize);
  EXPECT_EQ(size(r), std::pair(69, 300));  // never shrinks without force
  g_.width = 200;
  g_.height = 40;
  EXPECT_EQ(size(AutoSize(false)), std::pair(200, 60));

  g_.bar = kBarShown | kBarFolded;
  r = AutoSize(true);
  EXPECT_EQ(std::tuple(r.height, r.storeUnfolded, r.unfoldedHeight), std::tuple(18, true, 60));
  g_.bar = kBarShown | kBarBottom;
  EXPECT_EQ(AutoSize(true).height, 60);
  g_.bar = 0;
  EXPECT_EQ(AutoSize(true).height, 48);
  g_.bar = kBarShown;
  g_.fixed = true;
  EXPECT_FALSE(AutoSize(true).resize);
  g_.fixed = false;

  fonts_.detailBold = true;
  EXPECT_EQ(AutoSize(true).width, 73);  // + int(0.3 x 14)
  fonts_.detailBold = false;
  c_.headingAttributes[0] = kHeadingFolded;
  EXPECT_EQ(AutoSize(true).height, 42);
  c_.headingAttributes[0] = 0;
  g_.hideHeadingRows = true;
  EXPECT_EQ(size(AutoSize(true)), std::pair(9 + 22 + 21, 42));
  g_.hideHeadingRows = false;

  c_.rows.At(Row(0, 1)).text = "";
  EXPECT_EQ(AutoSize(true).width, 55);
  EXPECT_EQ(m_.lastText, "A");
  c_.rows.At(Row(0, 1)).text = "x\r\nwide wide";
  c_.rows.At(Row(0, 1)).status = "01000000";
  EXPECT_EQ(AutoSize(true).width, 48 + 63);

  c_.rows.At(Row(0, 0)).text = std::string(30, 'H');
  EXPECT_EQ(size(AutoSize(true, 100, 50)), std::pair(100, 50));
  c_ = NoteContent();
  EXPECT_EQ(size(AutoSize(true)), std::pair(40, 18));
}

TEST_F(NoteLayoutTest, FoldingKeepsTheBarEdge) {
  // Change, bar, top and height; the unfolded height is kept for the way back.
  const auto all = [](const FoldResult& r) { return std::make_tuple(r.change, int{r.bar}, r.top, r.height); };
  FoldResult r = ComputeFold(1, kBarShown, 18, 0, 100, 300);
  EXPECT_EQ(all(r), std::make_tuple(true, kBarShown | kBarFolded, 100, 18));
  EXPECT_EQ(r.unfoldedHeight, 300);
  EXPECT_FALSE(ComputeFold(1, r.bar, 18, 300, 100, 18).change);
  EXPECT_EQ(all(ComputeFold(-1, r.bar, 18, 300, 100, 18)), std::make_tuple(true, int{kBarShown}, 100, 300));
  EXPECT_FALSE(ComputeFold(0, kBarShown, 18, 300, 100, 300).change);

  const std::uint8_t bottom = kBarShown | kBarBottom;
  r = ComputeFold(-1, bottom, 18, 0, 100, 300);
  EXPECT_EQ(std::pair(r.top, r.height), std::pair(382, 18));
  r = ComputeFold(0, r.bar, 18, r.unfoldedHeight, r.top, r.height);
  EXPECT_EQ(all(r), std::make_tuple(true, int{bottom}, 100, 300));

  EXPECT_FALSE(ComputeFold(1, 0, 18, 0, 100, 300).change);
  EXPECT_FALSE(ComputeFold(0, kBarFolded, 18, 300, 100, 18).change);
  // A note folded before it ever knew its height opens to its bar, not to nothing.
  EXPECT_EQ(ComputeFold(0, kBarShown | kBarFolded, 18, 0, 100, 18).height, 18);
}

TEST_F(NoteLayoutTest, HitTestAgainstTheRecordedRows) {
  Build({{"A", "a1", "a2"}, {"B", "b1"}});
  Layout();  // A (10,20,30,36), a1 (23,38,54,52), a2 (23,56,54,70), B (10,82,30,98), b1 (23,100,54,114)
  const auto code = [&](int x, int y) { return Hit(x, y).code; };
  const std::array<int, 3> points[] = {
      {100, 18, kHitTitleBar}, {10, 20, kHitGlyph},    {19, 35, kHitGlyph},    {20, 35, kHitHeadingText},
      {30, 20, kHitNone},      {23, 38, kHitCheckBox}, {36, 51, kHitCheckBox}, {37, 51, kHitDetailText},
      {22, 40, kHitNone},      {40, 52, kHitNone}};
  for (const auto& [x, y, want] : points) EXPECT_EQ(code(x, y), want) << x << "," << y;
  // Code, heading, heading row and row; above the first row and below every row too.
  const auto all = [&](int x, int y) {
    const HitResult h = Hit(x, y);
    return std::make_tuple(h.code, h.heading, h.headingRow, h.row);
  };
  EXPECT_EQ(all(19, 20), std::make_tuple(kHitGlyph, 0, Row(0, 0), Row(0, 0)));
  EXPECT_EQ(all(40, 113), std::make_tuple(kHitDetailText, 1, Row(1, 0), Row(1, 1)));
  EXPECT_EQ(std::get<0>(all(40, 19)), kHitNone);
  EXPECT_EQ(std::get<1>(all(40, 19)), 0);
  EXPECT_EQ(all(40, 250), std::make_tuple(kHitNone, 1, Row(1, 0), -1));

  g_.bar = kBarShown | kBarBottom;
  EXPECT_EQ(code(5, 282), kHitTitleBar);
  EXPECT_NE(code(5, 281), kHitTitleBar);
  EXPECT_EQ(code(100, 18), kHitNone);
  g_.bar = kBarShown;

  c_.headingAttributes[0] = kHeadingFolded;
  EXPECT_EQ(code(40, 40), kHitNone);
  EXPECT_EQ(code(40, 105), kHitDetailText);
  c_.headingAttributes[0] = 0;

  // "Non": heading rows are not tested, whatever their old rectangle.
  g_.hideHeadingRows = true;
  c_.rows.At(Row(0, 0)).rect = RowRect{0, 0, 200, 300};
  EXPECT_EQ(Hit(40, 40).row, Row(0, 1));
  g_.hideHeadingRows = false;

  // A detail below the point ends only its heading; a heading below it ends all.
  c_.rows.At(Row(0, 0)).rect = RowRect{10, 0, 100, 10};
  c_.rows.At(Row(0, 1)).rect = RowRect{23, 50, 100, 60};
  c_.rows.At(Row(1, 0)).rect = RowRect{10, 20, 100, 30};
  c_.rows.At(Row(1, 1)).rect = RowRect{23, 25, 100, 28};
  EXPECT_EQ(code(50, 25), kHitHeadingText);
  c_.rows.At(Row(1, 0)).rect = RowRect{10, 26, 100, 30};
  EXPECT_EQ(code(50, 25), kHitNone);
}

TEST_F(NoteLayoutTest, HitTestPassesOverMissingRows) {
  Build({{"A", "a1", "a2"}});
  c_.MakeRoomAfter(0, Row(0, 1));  // number 2 left empty, a2 becomes 3
  Layout();
  EXPECT_EQ(RectAt(0, 3), (Box{23, 56, 54, 70}));
  EXPECT_EQ(Hit(40, 60).row, Row(0, 3));
}

TEST_F(NoteLayoutTest, ResizeEdgesAndCursors) {
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

  const std::pair<int, EdgeCursor> cursors[] = {
      {1, EdgeCursor::kWestEast},   {2, EdgeCursor::kWestEast}, {4, EdgeCursor::kNorthSouth},
      {8, EdgeCursor::kNorthSouth}, {5, EdgeCursor::kNwSe},     {10, EdgeCursor::kNwSe},
      {6, EdgeCursor::kNeSw},       {9, EdgeCursor::kNeSw},     {0, EdgeCursor::kArrow},
      {3, EdgeCursor::kArrow}};  // 3: a window narrower than both edges
  for (const auto& [mask, cursor] : cursors) EXPECT_EQ(CursorOfMask(mask), cursor) << mask;
}

TEST_F(NoteLayoutTest, EditBoxPlacementAndLineGrowth) {
  EditBoxPlacement p = PlaceEditBox(true, LayoutRect{10, 20, 44, 36}, g_);
  EXPECT_EQ(B(p.box), (Box{22, 20, 195, 36}));
  EXPECT_FALSE(p.grow);
  EXPECT_FALSE(p.strip);
  p = PlaceEditBox(false, LayoutRect{23, 38, 61, 52}, g_);
  EXPECT_EQ(B(p.box), (Box{40, 38, 196, 52}));
  g_.hideHeadingRows = true;
  EXPECT_EQ(B(PlaceEditBox(false, LayoutRect{10, 38, 61, 52}, g_).box), (Box{10, 38, 196, 52}));
  g_.hideHeadingRows = false;

  g_.colourKey = true;
  EXPECT_EQ(B(PlaceEditBox(true, LayoutRect{10, 20, 44, 36}, g_).stripRect), (Box{2, 18, 10, 36}));
  p = PlaceEditBox(false, LayoutRect{23, 38, 61, 52}, g_);
  EXPECT_TRUE(p.strip);
  EXPECT_EQ(B(p.stripRect), (Box{2, 38, 23, 53}));

  g_.height = 60;  // below the client, or only partly inside it: grow first
  p = PlaceEditBox(false, LayoutRect{23, 70, 61, 84}, g_);
  EXPECT_TRUE(p.grow);
  EXPECT_EQ(p.growHeight, 88);
  EXPECT_TRUE(PlaceEditBox(false, LayoutRect{23, 50, 61, 64}, g_).grow);
  EXPECT_FALSE(PlaceEditBox(false, LayoutRect{23, 46, 61, 60}, g_).grow);

  EXPECT_EQ(EditBoxHeightForLines(28, 2, 3), 42);
  EXPECT_EQ(EditBoxHeightForLines(42, 3, 1), 14);
  EXPECT_EQ(EditBoxHeightForLines(14, 0, 25), 280);  // counts bounded 1..20
}

// At 144 DPI every rectangle and size is the one at 96 made 1.5 times larger
// (give or take a rounded pixel) and every hit the same; sizes handed in are
// the shell's, already scaled. Catches any gap left at its 96-DPI size.
TEST_F(NoteLayoutTest, EverySizeScalesWithTheDpi) {
  Build({{"Heading", "short", std::string(30, 'x')}, {"B", "b1"}});
  c_.rows.At(Row(0, 0)).format = "C000000000123456";  // own background and band
  c_.rows.At(Row(0, 2)).format = "1141000000000000";  // own height 20, bold
  c_.headingAttributes[1] = kHeadingFolded;
  const auto take = [&](int dpi, std::vector<int>& same) {
    const auto px = [dpi](int v) { return ScaleToDpi(v, dpi); };
    std::vector<int> scaled;
    const auto keep = [&](const LayoutRect& r) {
      scaled.insert(scaled.end(), {r.left, r.top, r.right, r.bottom});
    };
    g_.dpi = m_.dpi = dpi;
    g_.width = px(200), g_.height = px(300), g_.barHeight = px(18);
    g_.checkBox = {px(14), px(14)};
    g_.glyph = {px(10), px(10)};
    g_.colourKey = true;
    g_.editedRow = -1;
    for (const std::uint8_t bar : {kBarShown, std::uint8_t(kBarShown | kBarBottom)}) {
      g_.bar = bar;
      for (const RowPaint& p : Layout()) {
        for (const LayoutRect& r : {p.mark, p.textRect, p.rowRect, p.backRect, p.bandRect}) keep(r);
        scaled.push_back(p.font.height);
      }
      const TitleBarPaint title = LayoutTitleBar(g_, TitleBarStyle{0, 0xFFFFFF, 2, 9 << 24});
      keep(title.textRect);
      keep(title.border.rect);
      const AutoSizeResult a = AutoSize(true);
      scaled.insert(scaled.end(), {title.fontHeight, title.lineLeft, title.lineRight, a.width, a.height});
      const EditBoxPlacement e = PlaceEditBox(false, c_.rows.At(Row(0, 1)).rect, g_);
      keep(e.box);
      keep(e.stripRect);
      const LayoutRect mark = PaintOf(0, 1).mark, text = PaintOf(0, 1).textRect;
      same.insert(same.end(), {Hit(mark.left + 1, mark.top + 1).code, Hit(text.right - 1, text.top + 1).code,
                               EdgeMask({0, 0, g_.width, g_.height}, px(3), px(100), false, bar, dpi),
                               EdgeMask({0, 0, g_.width, g_.height}, px(5), px(100), false, bar, dpi)});
    }
    g_.editedRow = Row(0, 1);
    g_.editHeight = px(40);
    keep(PaintOf(0, 1).textRect);
    keep(PaintOf(0, 1).stripRect);
    return scaled;
  };
  std::vector<int> same96, same144;
  const std::vector<int> at96 = take(96, same96), at144 = take(144, same144);
  ASSERT_EQ(at96.size(), at144.size());
  for (std::size_t i = 0; i < at96.size(); ++i) EXPECT_NEAR(at144[i], at96[i] * 1.5, 1) << "value " << i;
  EXPECT_EQ(same144, same96);
  EXPECT_EQ(same96,
            (std::vector<int>{kHitCheckBox, kHitDetailText, 1, 0, kHitCheckBox, kHitDetailText, 1, 0}));
  EXPECT_EQ(RowFontOf("1FF3000000000000", true, fonts_, 21, false, 144).height,
            96);  // own height up to 64 * 1.5
  EXPECT_EQ(ScaleToDpi(-3, 144), -5);
}

}  // namespace
