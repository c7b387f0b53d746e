#include "core/app/frame_range.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(FrameRangeTest, LinesReadBackAsTheirFourNumbers) {
  const struct {
    const char* line;
    bool ok;
    FrameRange range;
  } cases[] = {
      {"(0, 0) - (1280, 994) *", true, {0, 0, 1280, 994}},
      {"(-1920, -8) - (0, 1072)", true, {-1920, -8, 0, 1072}},
      {"(  5,7)-(9 ,  +11)", true, {5, 7, 9, 11}},
      {"(0, 0) - (1280)", false, {}},
      {"0, 0, 10, 10", false, {}},
      {"(x, 0) - (1, 1)", false, {}},
  };
  const FrameRange untouched{-1, -1, -1, -1};
  for (const auto& c : cases) {
    FrameRange got = untouched;
    EXPECT_EQ(ParseFrameLine(c.line, got), c.ok) << c.line;
    EXPECT_EQ(got, c.ok ? c.range : untouched) << c.line;
  }
  FrameRange back;
  for (const FrameRange r : {FrameRange{0, 0, 1280, 994}, FrameRange{-9999, -1, 9999, 20}}) {
    EXPECT_TRUE(ParseFrameLine(FormatFrameLine(r, true), back));
    EXPECT_EQ(back, r);
  }
  EXPECT_EQ(FormatFrameLine({0, 0, 1280, 994}, true), "(0, 0) - (1280, 994) *");
}

TEST(FrameRangeTest, SizeAndBounds) {
  const struct {
    FrameRange range;
    bool large;
    FrameRange clamped;
  } cases[] = {
      {{0, 0, 40, 20}, true, {0, 0, 40, 20}},
      {{0, 0, 39, 20}, false, {0, 0, 39, 20}},
      {{0, 0, 40, 19}, false, {0, 0, 40, 19}},
      {{-99999, 5, 99999, 30}, true, {-9999, 5, 9999, 30}},
      {{-2000000000, 0, 2000000000, 20}, true, {-9999, 0, 9999, 20}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FrameLargeEnough(c.range), c.large) << c.range.right;
    EXPECT_EQ(ClampFrame(c.range), c.clamped) << c.range.right;
  }
}

// A primary monitor with a taskbar below and a second one to its left.
const std::vector<MonitorArea> kMonitors = {{{0, 0, 1280, 800}, {0, 0, 1280, 770}},
                                            {{-1920, -200, 0, 880}, {-1920, -200, 0, 880}}};

TEST(FrameRangeTest, FrameOutsideEveryMonitorGivesWayToThePrimaryWorkArea) {
  const struct {
    FrameRange user, inForce;
  } cases[] = {
      {{1920, 0, 3840, 1080}, {0, 0, 1280, 770}},          // the monitor it was made for is gone
      {{1279, 799, 3000, 2000}, {1279, 799, 3000, 2000}},  // one pixel on the primary still counts
      {{-3000, 0, -1920, 500}, {0, 0, 1280, 770}},         // only touches the left monitor's edge
      {{-1000, 0, -10, 500}, {-1000, 0, -10, 500}},        // on the second monitor
  };
  for (const auto& c : cases) EXPECT_EQ(FrameInForce(c.user, kMonitors), c.inForce) << c.user.left;
  EXPECT_EQ(FrameInForce({5000, 0, 6000, 10}, {}), (FrameRange{5000, 0, 6000, 10}));
}

TEST(FrameRangeTest, NotesOffEveryWorkAreaMoveToTheNearestKeepingTheirSize) {
  const auto bar = [](const FrameRange& w) { return FrameRange{w.left, w.top, w.right, w.top + 18}; };
  const struct {
    FrameRange window, placed;
  } cases[] = {
      {{100, 100, 300, 400}, {100, 100, 300, 400}},          // on screen: never moved
      {{1200, 700, 1400, 1000}, {1200, 700, 1400, 1000}},    // its bar's corner is still reachable
      {{3000, 100, 3200, 400}, {1080, 100, 1280, 400}},      // right of everything: to the primary's edge
      {{3000, 2000, 3200, 2300}, {1080, 470, 1280, 770}},    // below right
      {{-2500, 300, -2300, 500}, {-1920, 300, -1720, 500}},  // left of the second monitor
      {{100, 780, 300, 900}, {100, 650, 300, 770}},          // under the taskbar only
      {{5000, 0, 7000, 1000}, {0, 0, 1280, 770}},            // larger than the work area: cut to it
  };
  for (const auto& c : cases)
    EXPECT_EQ(KeepOnScreen(c.window, bar(c.window), kMonitors), c.placed)
        << c.window.left << "," << c.window.top;
  // A note whose bar is off screen but whose body is not still moves: the bar is what it is dragged by.
  EXPECT_EQ(KeepOnScreen({100, -300, 300, 100}, {100, -300, 300, -282}, kMonitors),
            (FrameRange{100, 0, 300, 400}));
  EXPECT_EQ(KeepOnScreen({3000, 0, 3100, 10}, {3000, 0, 3100, 10}, {}), (FrameRange{3000, 0, 3100, 10}));
}

}  // namespace
}  // namespace varnel
