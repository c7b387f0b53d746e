#include "win/dialogs/note_list_page.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "core/app/arrangement.h"
#include "core/app/command_ids.h"
#include "core/app/note_exchange.h"
#include "core/app/slot_choice.h"
#include "win/app/app_state.h"
#include "win/app/global_commands.h"
#include "win/app/message_box.h"
#include "win/app/note_menus.h"
#include "win/app/note_transfer.h"
#include "win/dialogs/dialog_controls.h"
#include "win/note/check_wnd.h"
#include "win/platform/program_paths.h"
#include "win/platform/text_convert.h"

namespace varnel::win {
namespace {

constexpr const char* kNotSortedByNo = "上下移動はNo昇順に並んでいる時しかできません。　　";
constexpr const char* kImportQuestion = "現在の付箋内容は失われますがよろしいですか？　　";
// Posted to a page that is to fill itself again, so no list is rebuilt inside
// one of its own notifications.
constexpr UINT kRefillMessage = WM_APP + 16;
constexpr std::size_t kListTextBytes = 299;

std::string NumberText(int slot) {
  char text[8];
  std::snprintf(text, sizeof text, "%2d", slot + 1);
  return text;
}

// The list pages' shared part: the list, its sort state and the sort.
class ListPage : public DialogBase {
 protected:
  explicit ListPage(HWND AppState::*registered) : registered_(registered) {}
  HWND List() const { return GetDlgItem(Window(), IDC_NOTELIST_LIST); }
  int Slot(int row) const { return static_cast<int>(ListParam(List(), row)); }
  CCheckWnd* NoteOf(int row) const { return App().slots[static_cast<std::size_t>(Slot(row))]; }

  BOOL OnInit() override {
    SetUpCheckList(List());
    App().*registered_ = Window();
    return TRUE;
  }

  // Deletes every row and column and adds the columns: the title takes what the others leave.
  void StartFill(const std::vector<std::pair<const char*, int>>& columns, int titleColumn) {
    HWND list = List();
    ListView_DeleteAllItems(list);
    while (ListView_DeleteColumn(list, 0)) {
    }
    RECT client{};
    GetClientRect(list, &client);
    int others = 0;
    for (const auto& c : columns) others += c.second;
    for (std::size_t i = 0; i < columns.size(); ++i)
      AddListColumn(
          list, static_cast<int>(i), columns[i].first,
          static_cast<int>(i) == titleColumn
              ? std::max(40, static_cast<int>(client.right) - GetSystemMetrics(SM_CXVSCROLL) - others)
              : columns[i].second);
  }

  // The texts are read before the sort: while the list sorts, its row indices move.
  void Sort(int column) {
    sortColumn_ = column;
    HWND list = List();
    for (int row = 0, n = ListView_GetItemCount(list); row < n; ++row)
      sortTexts_[static_cast<std::size_t>(Slot(row))] = ToWide(ListText(list, row, column, kListTextBytes));
    ListView_SortItems(list, Compare, reinterpret_cast<LPARAM>(this));
  }

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override {
    handled = true;
    switch (message) {
      case WM_SHOWWINDOW:
        if (wParam) Refill();
        handled = false;
        return FALSE;
      case kRefillMessage:
        Refill();
        return TRUE;
      case WM_DESTROY:
        if (App().*registered_ == Window()) App().*registered_ = nullptr;
        handled = false;
        return FALSE;
      case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        handled = header.idFrom == IDC_NOTELIST_LIST;
        if (!handled) return FALSE;
        SetWindowLongPtrW(Window(), DWLP_MSGRESULT, OnNotify(header));
        return TRUE;
      }
      default:
        handled = false;
        return FALSE;
    }
  }

  virtual void Refill() = 0;
  virtual INT_PTR OnNotify(const NMHDR& header) = 0;

  std::array<int, 4> direction_{1, 1, 1, 1};
  int sortColumn_ = 0;
  bool filling_ = false;

 private:
  static int CALLBACK Compare(LPARAM slotA, LPARAM slotB, LPARAM self) {
    const auto& page = *reinterpret_cast<const ListPage*>(self);
    const int a = static_cast<int>(slotA), b = static_cast<int>(slotB), column = page.sortColumn_;
    int textOrder = 0;
    if (column > 0) {
      const std::wstring& ta = page.sortTexts_[static_cast<std::size_t>(a)];
      const std::wstring& tb = page.sortTexts_[static_cast<std::size_t>(b)];
      textOrder = CompareStringW(LOCALE_USER_DEFAULT, 0, ta.c_str(), -1, tb.c_str(), -1) - CSTR_EQUAL;
    }
    return CompareListRows(a, b, textOrder, column, page.direction_[static_cast<std::size_t>(column)]);
  }

  std::array<std::wstring, kSlotCount> sortTexts_;

  HWND AppState::*registered_;
};

class NoteListPage : public ListPage {
 public:
  NoteListPage() : ListPage(&AppState::noteListPage) {}

 protected:
  bool OnCommand(int id, int, HWND) override {
    if (id != IDC_NOTELIST_NEW) return id == kOkButton || id == kCancelButton;
    RunGlobalCommand(kCmdNewItem);
    Refill();
    SetFocus(List());
    return true;
  }

  void Refill() override {
    filling_ = true;
    StartFill({{"No", 40}, {"タイトル", 0}, {"更新日時", 102}, {"作成日時", 102}}, 1);
    int row = 0;
    for (int slot = 0; slot < kSlotCount; ++slot)
      if (App().slots[static_cast<std::size_t>(slot)])
        ShowRow(AddListRow(List(), row++, NumberText(slot), slot));
    filling_ = false;
    Sort(sortColumn_);
  }

  // The row's note as it is now: title, visibility and times.
  void ShowRow(int row) {
    CCheckWnd* note = NoteOf(row);
    if (!note) return;
    const bool wasFilling = filling_;
    filling_ = true;
    HWND list = List();
    ListView_SetCheckState(list, row, IsWindowVisible(note->Window()));
    SetListText(list, row, 1, note->Content().title);
    const DateTime& t = note->Content().updateStamp;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d/%02d/%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
    SetListText(list, row, 2, stamp);
    SetListText(list, row, 3, note->Store().ReadRaw("Default", "Create", "", 20));
    filling_ = wasFilling;
  }

  INT_PTR OnNotify(const NMHDR& header) override {
    switch (header.code) {
      case LVN_COLUMNCLICK: {
        const int column = reinterpret_cast<const NMLISTVIEW&>(header).iSubItem;
        direction_[static_cast<std::size_t>(column)] *= -1;
        Sort(column);
        return 0;
      }
      case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        bool ticked = false;
        if (!filling_ && CheckBoxChanged(change, ticked))
          if (CCheckWnd* note = NoteOf(change.iItem)) note->NoteCommand(ticked ? kCmdShow : kCmdHide);
        return 0;
      }
      case NM_RCLICK: {
        const int row = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
        if (CCheckWnd* note = row >= 0 ? NoteOf(row) : nullptr)
          RunMenuCommand(ShowNoteMenu(*note, Window(), App().menus.listW), row);
        return 0;
      }
      default:
        return 0;
    }
  }

  void RunMenuCommand(int id, int row) {
    const int slot = Slot(row);
    CCheckWnd* note = NoteOf(row);
    if (id <= 0 || !note) return;
    if (id == kCmdProperties) {
      note->OpenPropertiesPage(0, 0, Window());
      if (App().slots[static_cast<std::size_t>(slot)] == note) ShowRow(row);
    } else if (id == kCmdImport) {
      if (ShowMessage(Window(), 2, kImportQuestion) != IDYES) return;
      ImportExportNote(kCmdImport, Window(), slot);
      Refill();
    } else if (id == kCmdExport) {
      ImportExportNote(kCmdExport, Window(), slot);
    } else if (id == kCmdMoveUp || id == kCmdMoveDown) {
      MoveRow(row, id == kCmdMoveUp ? row - 1 : row + 1);
    } else if (IsArrangeCommand(id)) {
      std::vector<int> slots;
      for (int r : SelectedRows())
        if (IsWindowVisible(NoteOf(r) ? NoteOf(r)->Window() : nullptr)) slots.push_back(Slot(r));
      ArrangeSlots(id, slots);
    } else {
      RunOnSelected(id);
    }
  }

  // Notes exchange numbers; the rows keep theirs and show the other note.
  void MoveRow(int row, int other) {
    if (sortColumn_ != 0 || direction_[0] != 1) {
      ShowMessage(Window(), 0, kNotSortedByNo);
      return;
    }
    if (other < 0 || other >= ListView_GetItemCount(List())) return;
    if (!ExchangeNotes(Slot(row), Slot(other), Window())) return;
    ShowRow(row);
    ShowRow(other);
    // The moved note stays selected, so it can move on.
    ListView_SetItemState(List(), row, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(List(), other, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }

  std::vector<int> SelectedRows() const {
    std::vector<int> rows;
    for (int r = ListView_GetNextItem(List(), -1, LVNI_SELECTED); r >= 0;
         r = ListView_GetNextItem(List(), r, LVNI_SELECTED))
      rows.push_back(r);
    return rows;
  }

  // Each selected row's note in list order, the list refreshed once at the end.
  void RunOnSelected(int id) {
    std::vector<int> slots;
    for (int r : SelectedRows()) slots.push_back(Slot(r));
    bool& busy = App().busy.noteList;
    busy = true;
    for (int slot : slots)
      if (CCheckWnd* note = App().slots[static_cast<std::size_t>(slot)]) note->NoteCommand(id);
    busy = false;
    if (id == kCmdDeleteNote) {
      Refill();
    } else {
      for (int r : SelectedRows()) ShowRow(r);
    }
  }
};

class DeletedNotesPage : public ListPage {
 public:
  DeletedNotesPage() : ListPage(&AppState::deletedNotesPage) {}

 protected:
  void Refill() override {
    filling_ = true;
    StartFill({{"No", 40}, {"タイトル", 0}, {"削除日時", 102}}, 1);
    int row = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
      const std::filesystem::path file = NoteFilePath(slot);
      std::error_code ec;
      if (App().slots[static_cast<std::size_t>(slot)] || !std::filesystem::exists(file, ec)) continue;
      const int r = AddListRow(List(), row++, NumberText(slot), slot);
      ProfileStore store;
      store.Open(ProgramStoreEnv(), false, "Default", &file, nullptr);
      std::string title = store.ReadRaw("Default", "Title", "", kListTextBytes + 1);
      if (title.empty()) title = "(付箋" + std::to_string(slot + 1) + ")";
      SetListText(List(), r, 1, title);
      SetListText(List(), r, 2, ReadDeleteTime(App().options->Store(), slot));
      ListView_SetCheckState(List(), r, FALSE);
    }
    filling_ = false;
  }

  INT_PTR OnNotify(const NMHDR& header) override {
    if (header.code == LVN_COLUMNCLICK) {
      const int column = reinterpret_cast<const NMLISTVIEW&>(header).iSubItem;
      direction_[static_cast<std::size_t>(column)] *= -1;
      Sort(column);
    } else if (header.code == LVN_ITEMCHANGED) {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      bool ticked = false;
      if (filling_ || !CheckBoxChanged(change, ticked)) return 0;
      const int slot = Slot(change.iItem);
      if (ticked) {
        // Refused (the slot was taken meanwhile): the list shows what is there now.
        if (!RestoreNote(slot, Window())) PostMessageW(Window(), kRefillMessage, 0, 0);
      } else if (CCheckWnd* note = App().slots[static_cast<std::size_t>(slot)]) {
        note->NoteCommand(kCmdDeleteNote);
      }
    }
    return 0;
  }
};

bool PostRefill(HWND page) {
  if (!page || !IsWindowVisible(page)) return false;
  PostMessageW(page, kRefillMessage, 0, 0);
  return true;
}

}  // namespace

std::unique_ptr<DialogBase> MakeNoteListPage() { return std::make_unique<NoteListPage>(); }
std::unique_ptr<DialogBase> MakeDeletedNotesPage() { return std::make_unique<DeletedNotesPage>(); }

bool RefreshNoteListPages() {
  AppState& app = App();
  if (app.noteListPage && IsWindowVisible(app.noteListPage))
    return app.busy.noteList || PostRefill(app.noteListPage);
  return PostRefill(app.deletedNotesPage);
}

}  // namespace varnel::win
