// The geometry of notes on the screen: arrangements, corner moves, the frame and keeping notes on it.
#include "core/app/arrangement.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

#include "core/app/frame_range.h"

namespace varnel {
namespace {

// An offset frame, so a mix-up of its edges shows.
const WorkArea kFrame{100, 50, 1380, 1000};

ArrangeNote Note(int slot, int w, int h, int x = 400, int y = 300) {
  return {slot, LayoutRect{x, y, x + w, y + h}, w, h, true, false, kBarShown};
}

// The example's three notes: widths 200, 260 and 180 in slots 2, 5 and 8.
std::vector<ArrangeNote> ThreeNotes() {
  return {Note(2, 200, 150, 10, 10), Note(5, 260, 120, 700, 500), Note(8, 180, 200, 300, 900)};
}

using Box = std::array<int, 4>;
Box B(const LayoutRect& r) { return {r.left, r.top, r.right, r.bottom}; }
std::map<int, Box> BoxesOf(const std::vector<NoteMove>& moves) {
  std::map<int, Box> out;
  for (const NoteMove& m : moves)
    EXPECT_TRUE(out.emplace(m.slot, B(m.window)).second) << "slot twice: " << m.slot;
  return out;
}

using Boxes = std::array<Box, 3>;  // of slots 2, 5 and 8
Boxes Placed(int command, const std::vector<ArrangeNote>& notes) {
  auto r = BoxesOf(ArrangeNotes(command, notes, kFrame));
  EXPECT_EQ(r.size(), 3u) << command;
  return {r[2], r[5], r[8]};
}

// Worked out by hand from the frame: first note in the corner, the rest touching
// it, then every note stretched to the widest (vertical) or tallest (horizontal).
const std::pair<int, Boxes> kLayouts[] = {
    {405, {{{1120, 50, 1380, 200}, {1120, 200, 1380, 320}, {1120, 320, 1380, 520}}}},    // 右上縦
    {406, {{{100, 50, 360, 200}, {100, 200, 360, 320}, {100, 320, 360, 520}}}},          // 左上縦
    {409, {{{1120, 530, 1380, 680}, {1120, 680, 1380, 800}, {1120, 800, 1380, 1000}}}},  // 右下縦
    {410, {{{100, 530, 360, 680}, {100, 680, 360, 800}, {100, 800, 360, 1000}}}},        // 左下縦
    {421, {{{740, 50, 940, 250}, {940, 50, 1200, 250}, {1200, 50, 1380, 250}}}},         // 右上横
    {422, {{{100, 50, 300, 250}, {300, 50, 560, 250}, {560, 50, 740, 250}}}},            // 左上横
    {425, {{{740, 800, 940, 1000}, {940, 800, 1200, 1000}, {1200, 800, 1380, 1000}}}},   // 右下横
    {426, {{{100, 800, 300, 1000}, {300, 800, 560, 1000}, {560, 800, 740, 1000}}}},      // 左下横
};

TEST(ArrangeNotes, EachArrangementPlacesNotesFromItsCornerOthersNone) {
  // The note list passes its selection as it is sorted on screen, repeats included.
  const std::vector<ArrangeNote> shuffled = {Note(8, 180, 200), Note(2, 200, 150), Note(5, 260, 120),
                                             Note(2, 200, 150)};
  for (const auto& [command, boxes] : kLayouts) {
    for (const std::vector<ArrangeNote>& notes : {ThreeNotes(), shuffled}) {
      EXPECT_EQ(Placed(command, notes), boxes) << command;
      // The corner's note is placed first: the next one is laid against it.
      const bool backwards = command == 409 || command == 410 || command == 421 || command == 425;
      EXPECT_EQ(ArrangeNotes(command, notes, kFrame).front().slot, backwards ? 8 : 2) << command;
    }
  }
  // Other commands do nothing.
  for (int command : {0, 400, 404, 407, 411, 420, 427, 301, 405 + 65536})
    EXPECT_TRUE(ArrangeNotes(command, ThreeNotes(), kFrame).empty()) << command;
  EXPECT_TRUE(ArrangeNotes(405, {}, kFrame).empty());
}

// Horizontal: a folded note keeps its bar height, on the bar's side; vertical: it takes the widest
// width; folded without a bar it is stretched like any other. Rows: command, folded note, its bar.
TEST(ArrangeNotes, FoldedNoteKeepsItsHeightOnItsBarSide) {
  const int bottom = kBarShown | kBarBottom;
  const std::tuple<int, int, int, Boxes> cases[] = {
      {421, 0, kBarShown, {{{740, 50, 940, 74}, {940, 50, 1200, 250}, {1200, 50, 1380, 250}}}},
      {425, 0, bottom, {{{740, 976, 940, 1000}, {940, 800, 1200, 1000}, {1200, 800, 1380, 1000}}}},
      {426, 0, kBarShown, {{{100, 800, 300, 824}, {300, 800, 560, 1000}, {560, 800, 740, 1000}}}},
      {421, 0, 0, {{{740, 50, 940, 250}, {940, 50, 1200, 250}, {1200, 50, 1380, 250}}}},
      {406, 1, kBarShown, {{{100, 50, 360, 200}, {100, 200, 360, 224}, {100, 224, 360, 424}}}},
  };
  for (const auto& [command, folded, bar, boxes] : cases) {
    auto notes = ThreeNotes();
    ArrangeNote& n = notes[static_cast<std::size_t>(folded)];
    n = Note(n.slot, n.clientWidth, 24);
    n.bar = bar | kBarFolded;
    EXPECT_EQ(Placed(command, notes), boxes) << command << " bar " << bar;
  }
}

// Four notes of 400 in a frame 950 high, or of 500 in one 1280 wide: the last ones sit on the far
// edge; a note larger than the frame ends at its right and bottom edge.
TEST(ArrangeNotes, NotesThatDoNotFitPileUpAtTheFarEdge) {
  std::vector<ArrangeNote> tall, wide;
  for (int slot : {0, 1, 2, 3}) {
    tall.push_back(Note(slot, 200, 400));
    wide.push_back(Note(slot, 500, 100));
  }
  const std::pair<int, std::array<int, 4>> cases[] = {{405, {50, 450, 600, 600}},
                                                      {409, {50, 50, 200, 600}},
                                                      {422, {100, 600, 880, 880}},
                                                      {421, {100, 100, 380, 880}}};
  for (const auto& [command, edges] : cases) {
    const bool vertical = command < 420;  // compare tops, else lefts
    auto r = BoxesOf(ArrangeNotes(command, vertical ? tall : wide, kFrame));
    EXPECT_EQ((std::array<int, 4>{r[0][vertical], r[1][vertical], r[2][vertical], r[3][vertical]}), edges)
        << command;
  }
  EXPECT_EQ(BoxesOf(ArrangeNotes(405, tall, kFrame))[3][3], 1000);
  EXPECT_EQ(BoxesOf(ArrangeNotes(406, {Note(0, 1500, 1200)}, kFrame)),
            (std::map<int, Box>{{0, {-120, -200, 1380, 1000}}}));
}

// Fixed notes (the note list may select them) neither move nor get resized; the others close up.
TEST(ArrangeNotes, FixedAndHiddenNotesAreLeftAlone) {
  auto notes = ThreeNotes();
  notes[1].fixed = true;
  EXPECT_EQ(BoxesOf(ArrangeNotes(405, notes, kFrame)),
            (std::map<int, Box>{{2, {1180, 50, 1380, 200}}, {8, {1180, 200, 1380, 400}}}));
  notes[1].fixed = notes[0].visible = false;
  EXPECT_EQ(BoxesOf(ArrangeNotes(422, notes, kFrame)),
            (std::map<int, Box>{{5, {100, 50, 360, 250}}, {8, {360, 50, 540, 250}}}));
  for (ArrangeNote& n : notes) n.fixed = true;
  EXPECT_TRUE(ArrangeNotes(405, notes, kFrame).empty());
}

TEST(AlignWidths, LaterVisibleUnfixedNotesTakeTheLowestNotesWidth) {
  std::vector<ArrangeNote> notes = {Note(9, 300, 100, 50, 60), Note(3, 240, 80, 500, 500),
                                    Note(7, 100, 200, 10, 20), Note(12, 180, 50, 5, 5),
                                    Note(20, 400, 90, 1, 2)};
  notes[1].visible = false;  // the lowest: hidden, still the measure, never resized
  notes[3].fixed = true;
  notes[4].visible = false;
  EXPECT_EQ(BoxesOf(AlignWidths(notes)),
            (std::map<int, Box>{{7, {10, 20, 250, 220}}, {9, {50, 60, 290, 160}}}));
  EXPECT_TRUE(AlignWidths({}).empty());
  EXPECT_TRUE(AlignWidths({Note(4, 200, 100)}).empty());
}

TEST(CornerMove, EachMoveTakesItsEdgesOfTheFrame) {
  const LayoutRect w{400, 300, 600, 450};
  const std::pair<int, Box> moves[] = {{301, {1180, 300, 1380, 450}},  {302, {100, 300, 300, 450}},
                                       {304, {400, 50, 600, 200}},     {305, {1180, 50, 1380, 200}},
                                       {306, {100, 50, 300, 200}},     {308, {400, 850, 600, 1000}},
                                       {309, {1180, 850, 1380, 1000}}, {310, {100, 850, 300, 1000}}};
  for (const auto& [command, box] : moves) EXPECT_EQ(B(CornerMove(command, w, kFrame)), box) << command;
}

TEST(FrameRangeTest, LinesReadBackAsTheirFourNumbersWithinBounds) {
  const FrameRange untouched{-1, -1, -1, -1};  // what a line that does not read leaves
  const std::pair<const char*, FrameRange> cases[] = {{"(0, 0) - (1280, 994) *", {0, 0, 1280, 994}},
                                                      {"(-1920, -8) - (0, 1072)", {-1920, -8, 0, 1072}},
                                                      {"(  5,7)-(9 ,  +11)", {5, 7, 9, 11}},
                                                      {"(0, 0) - (1280)", untouched},
                                                      {"0, 0, 10, 10", untouched},
                                                      {"(x, 0) - (1, 1)", untouched}};
  for (const auto& [line, range] : cases) {
    FrameRange got = untouched;
    EXPECT_EQ(ParseFrameLine(line, got), !(range == untouched)) << line;
    EXPECT_EQ(got, range) << line;
  }
  // Written as the first two rows read: the work area's frame is marked.
  EXPECT_EQ(FormatFrameLine({0, 0, 1280, 994}, true), "(0, 0) - (1280, 994) *");
  EXPECT_EQ(FormatFrameLine({-1920, -8, 0, 1072}, false), "(-1920, -8) - (0, 1072)");
  // At least 40 by 20 (edges far apart must not overflow), and every edge within 9999.
  EXPECT_TRUE(FrameLargeEnough({0, 0, 40, 20}) && FrameLargeEnough({-2000000000, 0, 2000000000, 20}));
  EXPECT_FALSE(FrameLargeEnough({0, 0, 39, 20}) || FrameLargeEnough({0, 0, 40, 19}));
  EXPECT_EQ(ClampFrame({0, 0, 39, 20}), (FrameRange{0, 0, 39, 20}));
  EXPECT_EQ(ClampFrame({-99999, 5, 99999, 30}), (FrameRange{-9999, 5, 9999, 30}));
  EXPECT_EQ(ClampFrame({-2000000000, 0, 2000000000, 20}), (FrameRange{-9999, 0, 9999, 20}));
}

// A primary monitor with a taskbar below and a second one to its left.
const std::vector<MonitorArea> kMonitors = {{{0, 0, 1280, 800}, {0, 0, 1280, 770}},
                                            {{-1920, -200, 0, 880}, {-1920, -200, 0, 880}}};

TEST(FrameRangeTest, FramesAndNotesOffEveryMonitorGiveWayToAWorkArea) {
  // A frame (F) or a note with its bar along its top (N); the frame in force or where the note goes.
  const std::tuple<char, FrameRange, FrameRange> cases[] = {
      {'F', {1920, 0, 3840, 1080}, {0, 0, 1280, 770}},          // the monitor it was made for is gone
      {'F', {1279, 799, 3000, 2000}, {1279, 799, 3000, 2000}},  // one pixel on the primary still counts
      {'F', {-3000, 0, -1920, 500}, {0, 0, 1280, 770}},         // only touches the left monitor's edge
      {'F', {-1000, 0, -10, 500}, {-1000, 0, -10, 500}},        // on the second monitor
      {'N', {100, 100, 300, 400}, {100, 100, 300, 400}},        // on screen: never moved
      {'N', {1200, 700, 1400, 1000}, {1200, 700, 1400, 1000}},  // its bar's corner is still reachable
      {'N', {3000, 100, 3200, 400}, {1080, 100, 1280, 400}},    // right of everything: to the primary's edge
      {'N', {3000, 2000, 3200, 2300}, {1080, 470, 1280, 770}},  // below right
      {'N', {-2500, 300, -2300, 500}, {-1920, 300, -1720, 500}},  // left of the second monitor
      {'N', {100, 780, 300, 900}, {100, 650, 300, 770}},          // under the taskbar only
      {'N', {5000, 0, 7000, 1000}, {0, 0, 1280, 770}},            // larger than the work area: cut to it
  };
  for (const auto& [kind, in, out] : cases) {
    const FrameRange bar{in.left, in.top, in.right, in.top + 18};
    EXPECT_EQ(kind == 'F' ? FrameInForce(in, kMonitors) : KeepOnScreen(in, bar, kMonitors), out)
        << kind << in.left << "," << in.top;
  }
  EXPECT_EQ(FrameInForce({5000, 0, 6000, 10}, {}), (FrameRange{5000, 0, 6000, 10}));
  // A note whose bar is off screen but whose body is not still moves: the bar is what it is dragged by.
  EXPECT_EQ(KeepOnScreen({100, -300, 300, 100}, {100, -300, 300, -282}, kMonitors),
            (FrameRange{100, 0, 300, 400}));
  EXPECT_EQ(KeepOnScreen({3000, 0, 3100, 10}, {3000, 0, 3100, 10}, {}), (FrameRange{3000, 0, 3100, 10}));
}

}  // namespace
}  // namespace varnel
