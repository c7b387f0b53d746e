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

}  // namespace
}  // namespace varnel
