// Arranging notes along the edges of the frame and aligning their widths.
// Pure geometry over the notes' window rectangles: the shell gathers the
// notes, calls these and moves the windows to the rectangles returned.
#pragma once
#include <cstdint>
#include <vector>

#include "core/config/global_options.h"
#include "core/note/note_layout.h"

namespace varnel {

// One note as the arrangement sees it.
struct ArrangeNote {
  int slot = -1;
  LayoutRect window;                      // window rectangle on the screen
  int clientWidth = 0, clientHeight = 0;  // as the note last recorded them (WM_SIZE)
  bool visible = false;
  bool fixed = false;    // "Fix": size and position are not to change
  std::uint8_t bar = 0;  // bar flags (kBarShown, kBarBottom, kBarFolded)
};

// The new window rectangle of a note; the shell applies it with Z order unchanged.
struct NoteMove {
  int slot = -1;
  LayoutRect window;
};

// Where a move command (301..310) puts a window: against the frame's right,
// left, top or bottom edge as the command names, size unchanged.
LayoutRect CornerMove(int command, const LayoutRect& window, const WorkArea& frame);

// The arrangement ids 405, 406, 409, 410 (vertical) and 421, 422, 425, 426 (horizontal).
bool IsArrangeCommand(int command);

// The frame notes are kept in ("FX1".."FY2").
WorkArea NoteFrame(const GlobalOptions& options);

// Moves note.window beside previous (null: the frame's starting corner), kept
// inside the frame, size unchanged. Returns the note's extent along the
// arrangement (width when vertical, height when horizontal), or -1 when the note
// is hidden or fixed or the command is no arrangement: then nothing moves.
int PlaceNextNote(ArrangeNote& note, int command, const LayoutRect* previous, const WorkArea& frame);

// Places the notes one after the other from the command's corner so that their
// slots ascend top to bottom or left to right, then gives every placed note the
// width (vertical) or height (horizontal) of the widest or tallest one; a note
// folded to its bar keeps its height. The notes may come in any order; hidden
// and fixed ones stay where they are. One move per placed note, in placing order.
std::vector<NoteMove> ArrangeNotes(int command, std::vector<ArrangeNote> notes, const WorkArea& frame);

// notes: every note there is. Every visible unfixed note after the lowest slot
// takes the width of the lowest slot's note (visible or not), keeping its
// position and height.
std::vector<NoteMove> AlignWidths(const std::vector<ArrangeNote>& notes);

}  // namespace varnel
