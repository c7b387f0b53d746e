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

}  // namespace varnel
