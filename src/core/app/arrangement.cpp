#include "core/app/arrangement.h"

#include <algorithm>

#include "core/app/command_ids.h"

namespace varnel {

namespace {

constexpr int kArrangeBase = kCmdArrangeMenu;
constexpr int kHorizontalBit = 16;

bool Vertical(int command) { return ((command - kArrangeBase) & kHorizontalBit) == 0; }

// Lists run first to last where the first note lands top or left, else last to
// first, so slots ascend on screen either way.
bool WalksBackwards(int command) {
  return command == kCmdArrangeBottomRightDown || command == kCmdArrangeBottomLeftDown ||
         command == kCmdArrangeTopRightAcross || command == kCmdArrangeBottomRightAcross;
}

bool KeepsOwnHeight(std::uint8_t bar) { return (bar & kBarShown) && (bar & kBarFolded); }

LayoutRect Moved(const LayoutRect& r, int x, int y) {
  return {x, y, x + (r.right - r.left), y + (r.bottom - r.top)};
}

}  // namespace

bool IsArrangeCommand(int command) {
  switch (command) {
    case kCmdArrangeTopRightDown:
    case kCmdArrangeTopLeftDown:
    case kCmdArrangeBottomRightDown:
    case kCmdArrangeBottomLeftDown:
    case kCmdArrangeTopRightAcross:
    case kCmdArrangeTopLeftAcross:
    case kCmdArrangeBottomRightAcross:
    case kCmdArrangeBottomLeftAcross:
      return true;
    default:
      return false;
  }
}

WorkArea NoteFrame(const GlobalOptions& options) {
  return WorkArea{options.fx1, options.fy1, options.fx2, options.fy2};
}

int PlaceNextNote(ArrangeNote& note, int command, const LayoutRect* previous, const WorkArea& frame) {
  if (!IsArrangeCommand(command) || !note.visible || note.fixed) return -1;
  const int f = command - kArrangeBase;
  const bool vertical = Vertical(command);
  const int L = frame.left, T = frame.top, R = frame.right, B = frame.bottom;
  // Reversed frame for the first note: "beside" it is the frame's own edge.
  const LayoutRect ref = previous ? *previous : LayoutRect{R, B, L, T};

  const LayoutRect& r = note.window;
  int x = r.left, y = r.top;
  const int w = note.clientWidth, h = note.clientHeight;
  const int extent = vertical ? r.right - r.left : r.bottom - r.top;

  if (f & 1) x = (vertical ? R : ref.left) - w;
  if (f & 2) x = vertical ? L : ref.right;
  if (f & 4) y = vertical ? ref.bottom : T;
  if (f & 8) y = (vertical ? ref.top : B) - h;
  // Notes that no longer fit pile up at the far edge; one larger than the frame
  // ends at its right or bottom edge.
  if (x < L) x = L;
  if (x > R - w) x = R - w;
  if (y < T) y = T;
  if (y > B - h) y = B - h;

  note.window = Moved(r, x, y);
  // A placed note always counts, even with a degenerate rectangle.
  return std::max(0, extent);
}

std::vector<NoteMove> ArrangeNotes(int command, std::vector<ArrangeNote> notes, const WorkArea& frame) {
  std::vector<NoteMove> moves;
  if (!IsArrangeCommand(command)) return moves;

  // The note list hands its selection in display order; the layout needs slot order.
  notes.erase(std::remove_if(notes.begin(), notes.end(),
                             [](const ArrangeNote& n) { return n.slot < 0 || n.slot >= kSlotCount; }),
              notes.end());
  std::stable_sort(notes.begin(), notes.end(),
                   [](const ArrangeNote& a, const ArrangeNote& b) { return a.slot < b.slot; });
  notes.erase(std::unique(notes.begin(), notes.end(),
                          [](const ArrangeNote& a, const ArrangeNote& b) { return a.slot == b.slot; }),
              notes.end());
  if (WalksBackwards(command)) std::reverse(notes.begin(), notes.end());

  // Placement pass. Only placed notes become the neighbour of the next one.
  std::vector<ArrangeNote*> placed;
  const LayoutRect* previous = nullptr;
  LayoutRect reference;
  int best = -1;
  for (ArrangeNote& note : notes) {
    const int extent = PlaceNextNote(note, command, previous, frame);
    if (extent < 0) continue;
    if (extent > best) {
      best = extent;
      reference = note.window;
    }
    previous = &note.window;
    placed.push_back(&note);
  }

  // Sizing pass, over the placed notes only: a fixed note keeps its size too.
  const bool vertical = Vertical(command);
  for (ArrangeNote* note : placed) {
    LayoutRect r = note->window;
    if (vertical) {
      r.left = reference.left;
      r.right = reference.right;
    } else if (KeepsOwnHeight(note->bar)) {
      const int own = r.bottom - r.top;
      if (note->bar & kBarBottom) {
        r.bottom = reference.bottom;
        r.top = r.bottom - own;
      } else {
        r.top = reference.top;
        r.bottom = r.top + own;
      }
    } else {
      r.top = reference.top;
      r.bottom = reference.bottom;
    }
    moves.push_back({note->slot, r});
  }
  return moves;
}

std::vector<NoteMove> AlignWidths(const std::vector<ArrangeNote>& notes) {
  std::vector<NoteMove> moves;
  const ArrangeNote* first = nullptr;
  for (const ArrangeNote& note : notes)
    if (note.slot >= 0 && note.slot < kSlotCount && (!first || note.slot < first->slot)) first = &note;
  if (!first) return moves;

  const int width = first->window.right - first->window.left;
  std::vector<const ArrangeNote*> later;
  for (const ArrangeNote& note : notes)
    if (note.slot > first->slot && note.slot < kSlotCount && note.visible && !note.fixed)
      later.push_back(&note);
  std::stable_sort(later.begin(), later.end(),
                   [](const ArrangeNote* a, const ArrangeNote* b) { return a->slot < b->slot; });
  for (const ArrangeNote* note : later) {
    if (!moves.empty() && moves.back().slot == note->slot) continue;
    LayoutRect r = note->window;
    r.right = r.left + width;
    moves.push_back({note->slot, r});
  }
  return moves;
}

}  // namespace varnel
