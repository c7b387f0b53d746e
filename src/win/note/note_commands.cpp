// Command entry points of a note, a heading and a detail. Menus, shortcuts and
// double clicks all end here. The commands that come with the input handling
// are built; every other id does nothing until its piece lands.
#include "core/app/arrangement.h"
#include "core/app/command_table.h"
#include "win/app/app_state.h"
#include "win/app/global_commands.h"
#include "win/app/message_box.h"
#include "win/dialogs/alarm_dialog.h"
#include "win/dialogs/properties_dialog.h"
#include "win/note/check_wnd.h"
#include "core/note/note_row_commands.h"
#include "win/platform/local_time.h"

namespace varnel::win {
namespace {

constexpr const char* kDefaultHeading = "見出項目";
constexpr const char* kNoMoreHeadings = "これ以上は見出を追加できません。　　";

constexpr const char* kNoMoreRows = "これ以上は追加できません。　　";

// Where a stacking value puts the window: -1 topmost, 0 top, 1 bottom, else normal.
HWND InsertAfter(int z) {
  switch (z) {
    case -1:
      return HWND_TOPMOST;
    case 0:
      return HWND_TOP;
    case 1:
      return HWND_BOTTOM;
    default:
      return HWND_NOTOPMOST;
  }
}

}  // namespace

void CCheckWnd::PlaceInZOrder() {
  SetWindowPos(window_, InsertAfter(settings_.z), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int CCheckWnd::AddHeadingWithEdit() {
  if (settings_.hideHeadingRows) {
    if (content_.headingCount == 0 && content_.AddHeading("") < 0) return 0;
    for (int h = content_.headingCount - 1; h >= 0; --h) {
      if (content_.headingAttributes[static_cast<std::size_t>(h)] & (kHeadingHidden | kHeadingFolded))
        continue;
      return HeadingCommand(kCmdAddDetail, h, content_.HeadingRow(h));
    }
    return 0;
  }
  const int row = content_.AddHeading("");
  if (row < 0) {
    ShowMessage(nullptr, 0, kNoMoreHeadings);
    return 0;
  }
  LayOutNow(true);
  EditNewRow(true, row);
  return 1;
}

void CCheckWnd::SetAlpha(int id) {
  if (settings_.alpha < 0) return;  // see-through notes have no opacity
  const OpacityStep step = OpacityOfCommand(id);
  (step.active ? settings_.alpha : settings_.alpha2) = step.value;
  WriteNoteSettings(store_, settings_, step.active ? kNoteAlpha : kNoteAlpha2);
  if ((GetActiveWindow() == window_) == step.active) ApplyActiveAlpha(step.active);
}

int CCheckWnd::OpenPropertiesPage(int page, int row, HWND owner) {
  if (App().busy.properties) return 0;
  if (edit_) EndEdit();
  std::uint32_t newHeadingId = 0;
  if (page == 1 && row < 0) {
    // 242: a heading made for the page; it goes again when left without text.
    if (settings_.hideHeadingRows) return 0;
    row = content_.AddHeading("");
    if (row < 0) {
      ShowMessage(nullptr, 0, kNoMoreHeadings);
      return 0;
    }
    newHeadingId = KeyHeadingId(content_.rows.At(row).key);
    Repaint();
  }
  const int heading =
      content_.rows.Valid(row) ? content_.HeadingIndexOfId(KeyHeadingId(content_.rows.At(row).key)) : -1;
  if (page == 2) content_.dialogRow = row;
  const INT_PTR result = OpenNoteProperties(*this, static_cast<PropertiesKind>(page), heading, row, owner);
  if (newHeadingId) {
    const int h = content_.HeadingIndexOfId(newHeadingId);
    const int r = content_.HeadingRow(h);
    if (h >= 0 && (!content_.rows.Valid(r) || content_.rows.At(r).text.empty())) content_.DeleteHeading(h);
    Repaint();
  }
  return result == IDOK ? 1 : 0;
}
int CCheckWnd::OpenAlarmDialog(int row) {
  return ShowAlarmSetDialog(window_, static_cast<unsigned>(slot_) | (static_cast<unsigned>(row) << 16)) ==
                 IDOK
             ? 1
             : 0;
}

void CCheckWnd::EndEditBefore(int& heading, int& row) {
  if (!edit_) return;
  const std::uint32_t headingKey = heading >= 0 && heading < content_.headingCount
                                       ? content_.headingKeys[static_cast<std::size_t>(heading)]
                                       : 0;
  const std::uint32_t rowKey = content_.rows.Valid(row) ? content_.rows.At(row).key : 0;
  EndEdit();
  // An emptied new row goes with the edit: find the command's rows again.
  if (headingKey) heading = content_.HeadingIndexOfId(KeyHeadingId(headingKey));
  if (rowKey) row = content_.rows.Find(rowKey);
}

// Each level's commands as small handlers: run(note, id, heading, row). The
// edit lock's part comes from the command table, so it is spelled once.
struct CCheckWnd::Handlers {
  using Run = int (*)(CCheckWnd& n, int id, int heading, int row);
  struct Entry {
    int first, last;  // the ids it takes
    Run run;
    bool endsEdit = false;  // adds or rearranges rows: an open edit is committed first
  };
  template <std::size_t N>
  static const Entry* Find(const Entry (&table)[N], int id) {
    for (const Entry& e : table)
      if (id >= e.first && id <= e.last) return &e;
    return nullptr;
  }
  static const Entry kNote[], kHeading[], kDetail[];

  static int Show(CCheckWnd& n, int, int, int) {
    ShowWindow(n.window_, SW_SHOWNOACTIVATE);
    SetWindowPos(n.window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return 0;
  }
  static int Stack(CCheckWnd& n, int id, int, int) {
    if (id == kCmdTopmost) {
      n.settings_.z = n.settings_.z == -1 ? -2 : -1;
    } else if (n.settings_.z != -1) {
      n.settings_.z = id == kCmdToFront ? 0 : 1;
    }
    n.PlaceInZOrder();
    if (id == kCmdToBack && n.settings_.z != -1) n.settings_.z = -2;
    return 0;
  }
  static int Save(CCheckWnd& n, int, int, int) {
    n.Save();
    if (App().options->autoDel == 1) n.Reload();  // dropped deleted details leave the window too
    return 0;
  }
  static int Toggle(CCheckWnd& n, int id, int, int) {
    bool& flag = id == kCmdFixPlace ? n.settings_.fixed : n.settings_.locked;
    flag = !flag;
    WriteNoteSettings(n.store_, n.settings_, id == kCmdFixPlace ? kNoteFixed : kNoteLocked);
    return 0;
  }
  // The last heading that is shown and open takes the new detail.
  static int AddDetail(CCheckWnd& n, int id, int, int) {
    NoteContent& c = n.content_;
    if (c.headingCount == 0 && c.AddHeading(kDefaultHeading) < 0) return 0;
    for (int h = c.headingCount - 1; h >= 0; --h)
      if (!(c.headingAttributes[static_cast<std::size_t>(h)] & (kHeadingHidden | kHeadingFolded)))
        return n.HeadingCommand(id, h, c.HeadingRow(h));
    return 0;
  }
  static int DeleteNote(CCheckWnd& n, int, int, int) {
    // Saved first, so the deleted note's file holds its last content.
    n.Save();
    RunGlobalCommand(static_cast<unsigned>(kCmdDeleteNote) | (static_cast<unsigned>(n.slot_) << 16));
    n.CloseByProgram();
    return 0;
  }
  static int NewItem(CCheckWnd& n, int, int, int) {
    if (n.settings_.hideHeadingRows || n.settings_.locked) return 0;
    if (n.content_.AddHeading("") < 0) {
      ShowMessage(nullptr, 0, kNoMoreHeadings);
      return 0;
    }
    n.Repaint();
    return 1;
  }
  static int MoveWindow(CCheckWnd& n, int id, int, int) {
    if (!IsMoveCommand(id) || n.settings_.fixed) return 0;
    const LayoutRect to = CornerMove(id, WindowRectOf(n.window_), NoteFrame(*App().options));
    SetWindowPos(n.window_, nullptr, to.left, to.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  // A new detail under a heading is its last one.
  static int AddLastDetail(CCheckWnd& n, int id, int heading, int) {
    const std::uint32_t key = n.content_.headingKeys[static_cast<std::size_t>(heading)];
    int last = n.content_.rows.Find(key - 1);
    if (last < 0) last = n.content_.HeadingRow(heading);
    return n.InsertDetail(id, heading, last);
  }
  static int EditHeading(CCheckWnd& n, int, int, int row) {
    if (!n.content_.rows.Valid(row) || n.settings_.hideHeadingRows) return 0;
    return n.BeginEdit(true, row, n.content_.rows.At(row).rect) ? 1 : 0;
  }
  static int EditDetail(CCheckWnd& n, int, int, int row) {
    return n.BeginEdit(false, row, n.content_.rows.At(row).rect) ? 1 : 0;
  }
  static int Decorate(CCheckWnd& n, int id, int, int row) {
    const char* key = id == kCmdDecoration1 ? "Pen0" : "Pen1";
    const std::string own = n.store_.ReadString(key, "", 300);
    const std::string global = App().options->Store().ReadString(key, "", 300);
    return n.ApplyRowResult(DecorateDetail(n.content_, row, DecorationPreset(own, global)));
  }
};

// A row command of the core, applied with its message and repaint.
#define VARNEL_ROW(call)                     \
  [](CCheckWnd& n, int id, int h, int row) { \
    (void)id, (void)h, (void)row;            \
    return n.ApplyRowResult(call);           \
  }

const CCheckWnd::Handlers::Entry CCheckWnd::Handlers::kNote[] = {
    {kCmdShow, kCmdShow, Show},
    {kCmdHide, kCmdHide, [](CCheckWnd& n, int, int, int) { return ShowWindow(n.window_, SW_HIDE), 0; }},
    {kCmdToFront, kCmdToBack, Stack},
    {kCmdTopmost, kCmdTopmost, Stack},
    {kCmdReload, kCmdReload, [](CCheckWnd& n, int, int, int) { return n.Reload(), 0; }},
    {kCmdSave, kCmdSave, Save},
    {kCmdFixPlace, kCmdFixPlace, Toggle},
    {kCmdEditLock, kCmdEditLock, Toggle},
    {kCmdAutoSize, kCmdAutoSize, [](CCheckWnd& n, int, int, int) { return n.AutoSize(true), 0; }},
    {kCmdAddHeading, kCmdAddHeading, [](CCheckWnd& n, int, int, int) { return n.AddHeadingWithEdit(); },
     true},
    {kCmdAddDetail, kCmdAddDetailDlg, AddDetail, true},
    {kCmdAddDetailClip, kCmdAddDetailClip, AddDetail, true},
    {kCmdResetDetails, kCmdResetDetails, VARNEL_ROW(ResetAllDetails(n.content_, n.Rules(), LocalNow())),
     true},
    {kCmdShowAllHeadings, kCmdShowAllHeadings, VARNEL_ROW(ShowAllHeadings(n.content_)), true},
    {kCmdFold, kCmdFold, [](CCheckWnd& n, int, int, int) { return n.FoldTitle(1), 0; }},
    {kCmdDeleteNote, kCmdDeleteNote, DeleteNote},
    {kCmdProperties, kCmdProperties, [](CCheckWnd& n, int, int, int) { return n.OpenPropertiesPage(0, 0); }},
    {kCmdAddHeadingDlg, kCmdAddHeadingDlg,
     [](CCheckWnd& n, int, int, int) { return n.OpenPropertiesPage(1, -1); }},
    {kCmdAddDetailsClip, kCmdAddDetailsClip, [](CCheckWnd& n, int, int, int) { return n.PasteDetails(-1); },
     true},
    {kCmdCopy, kCmdCopy, [](CCheckWnd& n, int id, int, int) { return n.ExportText(id, -1, -1); }},
    {kCmdMail, kCmdMail, [](CCheckWnd& n, int id, int, int) { return n.ExportText(id, -1, -1); }},
    {kCmdNewItem, kCmdNewItem, NewItem, true},
    {kCmdAlpha10, kCmdAlpha100, [](CCheckWnd& n, int id, int, int) { return n.SetAlpha(id), 0; }},
    {kCmdAlpha2x10, kCmdAlpha2x100, [](CCheckWnd& n, int id, int, int) { return n.SetAlpha(id), 0; }},
    {kCmdMoveRight, kCmdMoveBottomLeft, MoveWindow},
};

const CCheckWnd::Handlers::Entry CCheckWnd::Handlers::kHeading[] = {
    {kCmdShow, kCmdHide, VARNEL_ROW(ShowHeading(n.content_, h, id == kCmdShow))},
    {kCmdAddDetail, kCmdAddDetailDlg, AddLastDetail},
    {kCmdAddDetailClip, kCmdAddDetailClip, AddLastDetail},
    {kCmdEdit, kCmdEdit, EditHeading},
    {kCmdDuplicate, kCmdDuplicate, VARNEL_ROW(DuplicateHeading(n.content_, h))},
    {kCmdMoveUp, kCmdMoveUp, VARNEL_ROW(MoveHeadingUp(n.content_, h))},
    {kCmdMoveDown, kCmdMoveDown, VARNEL_ROW(MoveHeadingDown(n.content_, h))},
    {kCmdResetDetails, kCmdResetDetails, VARNEL_ROW(ResetHeading(n.content_, h, n.Rules(), LocalNow()))},
    {kCmdDelete, kCmdDelete, VARNEL_ROW(DeleteHeadingCommand(n.content_, h))},
    {kCmdToDetail, kCmdToDetail, VARNEL_ROW(TurnHeadingIntoDetails(n.content_, h))},
    {kCmdProperties, kCmdProperties,
     [](CCheckWnd& n, int, int, int row) { return n.OpenPropertiesPage(1, row); }},
    {kCmdAddDetailsClip, kCmdAddDetailsClip, [](CCheckWnd& n, int, int h, int) { return n.PasteDetails(h); }},
    {kCmdCopy, kCmdCopy, [](CCheckWnd& n, int id, int h, int) { return n.ExportText(id, h, -1); }},
    {kCmdMail, kCmdMail, [](CCheckWnd& n, int id, int h, int) { return n.ExportText(id, h, -1); }},
    {kCmdRunCommand, kCmdRun,
     VARNEL_ROW(
         RunHeadingRows(n.content_, h, n.Rules(), LocalNow(), [&](int r) { return n.RunRow(id, r); }))},
};

const CCheckWnd::Handlers::Entry CCheckWnd::Handlers::kDetail[] = {
    {kCmdAddDetail, kCmdAddDetailDlg,
     [](CCheckWnd& n, int id, int h, int row) { return n.InsertDetail(id, h, row); }},
    {kCmdAddDetailClip, kCmdAddDetailClip,
     [](CCheckWnd& n, int id, int h, int row) { return n.InsertDetail(id, h, row); }},
    {kCmdEdit, kCmdEdit, EditDetail},
    {kCmdDuplicate, kCmdDuplicate, VARNEL_ROW(DuplicateDetail(n.content_, row))},
    {kCmdMoveUp, kCmdMoveUp, VARNEL_ROW(MoveDetailUp(n.content_, row))},
    {kCmdMoveDown, kCmdMoveDown, VARNEL_ROW(MoveDetailDown(n.content_, row))},
    {kCmdDelete, kCmdDelete,
     [](CCheckWnd& n, int, int h, int row) {
       n.content_.DeleteDetailCommand(row, h, n.Rules(), LocalNow());
       return n.Repaint(), 1;
     }},
    {kCmdToHeading, kCmdToHeading,
     [](CCheckWnd& n, int, int, int row) {
       return n.settings_.hideHeadingRows ? 0 : n.ApplyRowResult(TurnDetailIntoHeading(n.content_, row));
     }},
    {kCmdDecoration1, kCmdDecoration2, Decorate},
    {kCmdStateUnchecked, kCmdStateDeleted,
     VARNEL_ROW(SetDetailStateCommand(n.content_, row, id - kCmdStateUnchecked, n.Rules(), LocalNow()))},
    {kCmdProperties, kCmdProperties,
     [](CCheckWnd& n, int, int, int row) { return n.OpenPropertiesPage(2, row); }},
    {kCmdAlarm, kCmdAlarm, [](CCheckWnd& n, int, int, int row) { return n.OpenAlarmDialog(row); }},
    {kCmdCopy, kCmdCopy, [](CCheckWnd& n, int id, int h, int row) { return n.ExportText(id, h, row); }},
    // The state stays as it is.
    {kCmdRunCommand, kCmdRun, [](CCheckWnd& n, int id, int, int row) { return n.RunRow(id, row), 0; }},
};

#undef VARNEL_ROW

int CCheckWnd::NoteCommand(int id) {
  const Handlers::Entry* e = Handlers::Find(Handlers::kNote, id);
  if (!e) return 0;
  if (edit_ && e->endsEdit) EndEdit();
  if (settings_.locked && LockDoes(kLockRefuses, id, kInNoteMenu)) return 0;
  return e->run(*this, id, -1, -1);
}

int CCheckWnd::ApplyRowResult(const RowCommandResult& result) {
  switch (result.message) {
    case RowMessage::kNoMoreRows:
      ShowMessage(nullptr, 0, kNoMoreRows);
      break;
    case RowMessage::kNoMoreHeadings:
      ShowMessage(nullptr, 0, kNoMoreHeadings);
      break;
    case RowMessage::kAlarmNotSet:
      ShowMessage(nullptr, 0, kAlarmFailed);
      break;
    case RowMessage::kNone:
      break;
  }
  if (result.effect == RowEffect::kStamp) Stamp();
  if (result.effect == RowEffect::kRepaint) Repaint();
  return result.effect == RowEffect::kNone ? 0 : 1;
}

int CCheckWnd::HeadingCommand(int id, int heading, int headingRow) {
  if (heading < 0 || heading >= content_.headingCount) return 0;
  if (settings_.locked && LockDoes(kLockRefuses, id, kInHeadingMenu)) return 0;
  EndEditBefore(heading, headingRow);
  const Handlers::Entry* e = Handlers::Find(Handlers::kHeading, id);
  return e && heading >= 0 ? e->run(*this, id, heading, headingRow) : 0;
}

int CCheckWnd::DetailCommand(int id, int heading, int row) {
  if (!content_.rows.Valid(row) || KeyNumber(content_.rows.At(row).key) == 0) return 0;
  if (settings_.locked && LockDoes(kLockRefuses, id, kInDetailMenu)) return 0;
  EndEditBefore(heading, row);
  const Handlers::Entry* e = Handlers::Find(Handlers::kDetail, id);
  return e && content_.rows.Valid(row) ? e->run(*this, id, heading, row) : 0;
}

}  // namespace varnel::win
