#include "core/app/frame_range.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace varnel {

FrameRange ClampFrame(const FrameRange& r) {
  const auto bound = [](int v) { return std::clamp(v, -kFrameLimit, kFrameLimit); };
  return {bound(r.left), bound(r.top), bound(r.right), bound(r.bottom)};
}

bool FrameLargeEnough(const FrameRange& r) {
  // In 64 bits: edges far apart must not wrap round.
  return static_cast<long long>(r.right) - r.left >= kFrameMinWidth &&
         static_cast<long long>(r.bottom) - r.top >= kFrameMinHeight;
}

std::string FormatFrameLine(const FrameRange& r, bool workArea) {
  char text[80];
  std::snprintf(text, sizeof text, "(%d, %d) - (%d, %d)%s", r.left, r.top, r.right, r.bottom,
                workArea ? " *" : "");
  return text;
}

bool ParseFrameLine(const std::string& line, FrameRange& range) {
  int* edges[4] = {&range.left, &range.top, &range.right, &range.bottom};
  FrameRange read;
  int* into[4] = {&read.left, &read.top, &read.right, &read.bottom};
  std::size_t pos = line.find('(');
  for (int i = 0; i < 4; ++i, pos = line.find_first_of(",(", pos)) {
    if (pos == std::string::npos) return false;
    const char* start = line.c_str() + pos + 1;
    char* end = nullptr;
    const long value = std::strtol(start, &end, 10);
    if (end == start) return false;
    *into[i] = static_cast<int>(std::clamp<long>(value, -kFrameLimit * 10L, kFrameLimit * 10L));
    pos = static_cast<std::size_t>(end - line.c_str());
  }
  for (int i = 0; i < 4; ++i) *edges[i] = *into[i];
  return true;
}

namespace {

bool Meets(const FrameRange& a, const FrameRange& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Squared gap between two rectangles; 0 when they touch or overlap.
long long Gap(const FrameRange& a, const FrameRange& b) {
  const long long dx =
      std::max({0LL, static_cast<long long>(b.left) - a.right, static_cast<long long>(a.left) - b.right});
  const long long dy =
      std::max({0LL, static_cast<long long>(b.top) - a.bottom, static_cast<long long>(a.top) - b.bottom});
  return dx * dx + dy * dy;
}

// The start of a span of length size moved inside low..high, keeping start where it can.
int Within(int start, int size, int low, int high) { return std::max(low, std::min(start, high - size)); }

}  // namespace

FrameRange FrameInForce(const FrameRange& user, const std::vector<MonitorArea>& monitors) {
  if (monitors.empty()) return user;
  for (const MonitorArea& m : monitors)
    if (Meets(user, m.monitor)) return user;
  return monitors.front().work;
}

FrameRange KeepOnScreen(const FrameRange& window, const FrameRange& grip,
                        const std::vector<MonitorArea>& monitors) {
  const MonitorArea* nearest = nullptr;
  long long best = 0;
  for (const MonitorArea& m : monitors) {
    if (Meets(grip, m.work)) return window;
    const long long gap = Gap(window, m.work);
    if (!nearest || gap < best) nearest = &m, best = gap;
  }
  if (!nearest) return window;
  const FrameRange& a = nearest->work;
  const int w = std::min(window.right - window.left, a.right - a.left);
  const int h = std::min(window.bottom - window.top, a.bottom - a.top);
  const int x = Within(window.left, w, a.left, a.right), y = Within(window.top, h, a.top, a.bottom);
  return {x, y, x + w, y + h};
}

}  // namespace varnel
