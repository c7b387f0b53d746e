// Command entry points of a note, a heading and a detail. Menus, shortcuts and
// double clicks all end here. The commands that come with the input handling
// are built; every other id does nothing until its piece lands.
#include "win/app/app_state.h"
#include "win/note/check_wnd.h"

namespace varnel::win {
namespace {

constexpr const char* kDefaultHeading = "見出項目";

bool IsAddDetail(int id) { return id == 243 || id == 244 || id == 253; }

}  // namespace

int CCheckWnd::NoteCommand(int id) {
  if (IsAddDetail(id)) {
    if (settings_.locked) return 0;
    if (content_.headingCount == 0 && content_.AddHeading(kDefaultHeading) < 0) return 0;
    // The last heading that is shown and open takes the new detail.
    for (int h = content_.headingCount - 1; h >= 0; --h) {
      if (content_.headingAttributes[static_cast<std::size_t>(h)] & (kHeadingHidden | kHeadingFolded))
        continue;
      return HeadingCommand(id, h, content_.HeadingRow(h));
    }
    return 0;
  }
  if (id == 224) {
    AutoSize(true);
    return 0;
  }
  if (id == 252) {
    FoldTitle(1);
    return 0;
  }
  if (id > 300 && id <= 310) {
    const int k = id - 300;
    if (k == 3 || k == 7 || settings_.fixed) return 0;
    const GlobalOptions& o = *App().options;
    RECT r{};
    GetWindowRect(window_, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    int left = r.left, top = r.top;
    if (k & 1) left = o.fx2 - w;
    if (k & 2) left = o.fx1;
    if (k & 4) top = o.fy1;
    if (k & 8) top = o.fy2 - h;
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  return 0;
}

int CCheckWnd::HeadingCommand(int id, int heading, int headingRow) {
  if (heading < 0 || heading >= content_.headingCount) return 0;
  if (IsAddDetail(id)) {
    // A locked note takes no new rows, whichever way they are asked for.
    if (settings_.locked) return 0;
    const std::uint32_t key = content_.headingKeys[static_cast<std::size_t>(heading)];
    int last = content_.rows.Find(key - 1);
    if (last < 0) last = content_.HeadingRow(heading);
    return InsertDetail(id, heading, last);
  }
  if (id == 245 && content_.rows.Valid(headingRow) && !settings_.hideHeadingRows) {
    return BeginEdit(true, headingRow, content_.rows.At(headingRow).rect) ? 1 : 0;
  }
  return 0;
}

int CCheckWnd::DetailCommand(int id, int heading, int row) {
  if (!content_.rows.Valid(row)) return 0;
  if (IsAddDetail(id)) {
    if (settings_.locked) return 0;
    return InsertDetail(id, heading, row);
  }
  if (id == 245) return BeginEdit(false, row, content_.rows.At(row).rect) ? 1 : 0;
  return 0;
}

}  // namespace varnel::win
