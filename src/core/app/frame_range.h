// The frame: the screen range notes are placed and sized in ("FX1", "FY1",
// "FX2", "FY2"), the lines its dialog lists monitors with, and how notes and
// the frame are kept on the monitors there are now.
#pragma once
#include <string>
#include <vector>

namespace varnel {

struct FrameRange {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const FrameRange& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

constexpr int kFrameLimit = 9999;  // every edge within -9999..9999
constexpr int kFrameMinWidth = 40, kFrameMinHeight = 20;

// Each edge bounded to -9999..9999, as the options read them.
FrameRange ClampFrame(const FrameRange& range);
// Wide and high enough for the smallest note.
bool FrameLargeEnough(const FrameRange& range);

// "(left, top) - (right, bottom)", with " *" for the primary work area.
std::string FormatFrameLine(const FrameRange& range, bool workArea);
// The four numbers of such a line: the first after the opening '(', each next
// after the next ',' or '('; false when the line has fewer.
bool ParseFrameLine(const std::string& line, FrameRange& range);

// One display monitor: its full rectangle and its work area (without the taskbar).
struct MonitorArea {
  FrameRange monitor, work;
};
// The frame in force: the user's own while it meets a monitor, else the work
// area of the primary monitor (monitors[0]). No monitors: the user's frame.
FrameRange FrameInForce(const FrameRange& user, const std::vector<MonitorArea>& monitors);
// Where a note window goes when its grip (the title bar, or the whole window
// without one) meets no work area: into the nearest work area, keeping its
// size where it fits. Unchanged while the grip meets any work area.
FrameRange KeepOnScreen(const FrameRange& window, const FrameRange& grip,
                        const std::vector<MonitorArea>& monitors);

}  // namespace varnel
