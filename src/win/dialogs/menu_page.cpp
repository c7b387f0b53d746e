#include "win/dialogs/menu_page.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <vector>

#include "core/app/command_table.h"
#include "core/app/menu_page_rows.h"
#include "win/app/app_state.h"
#include "win/app/message_box.h"
#include "win/dialogs/dialog_controls.h"
#include "win/platform/text_convert.h"

namespace varnel::win {
namespace {

constexpr int kDefaultsView = 5;  // the chooser's last view: the three default-item combos
constexpr int kCommandColumnWidth = 180;

HWND ListOf(HWND page, int list) { return GetDlgItem(page, IDC_MENUPAGE_LIST_W + list); }

class MenuPage : public DialogBase {
 protected:
  BOOL OnInit() override {
    HWND page = Window();
    ProfileStore& store = App().options->Store();
    SetComboItems(page, IDC_MENUPAGE_CHOOSER,
                  {"付箋ﾒﾆｭｰ", "見出ﾒﾆｭｰ", "明細ﾒﾆｭｰ", "ホットキー", "付箋ｼｮｰﾄｶｯﾄ", "ﾀﾞﾌﾞﾙｸﾘｯｸ動作"}, 0);
    for (int k = 0; k < kPageListCount; ++k) {
      HWND list = ListOf(page, k);
      SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
      RECT rc{};
      GetClientRect(list, &rc);
      const bool keys = IsKeyList(static_cast<PageList>(k));
      AddListColumn(list, 0, keys ? "キー" : "表示", rc.right - kCommandColumnWidth);
      AddListColumn(list, 1, "コマンド", kCommandColumnWidth - GetSystemMetrics(SM_CXVSCROLL));
      rows_[static_cast<std::size_t>(k)] = LoadPageRows(store, static_cast<PageList>(k));
      Fill(k, -1);
    }
    for (int k = 0; k < 3; ++k)
      FillDefaultCombo(k, ReadMenuDefault(store, PageMenuKind(static_cast<PageList>(k))));
    // A key pressed alone becomes Alt + the key.
    SendDlgItemMessageW(page, IDC_MENUPAGE_KEY, HKM_SETRULES, HKCOMB_NONE, MAKELPARAM(HOTKEYF_ALT, 0));
    ShowView(0);
    return TRUE;
  }

  bool OnCommand(int id, int code, HWND) override {
    switch (id) {
      case kOkButton:
        Apply();
        return true;
      case kCancelButton:
        return true;
      case IDC_MENUPAGE_CHOOSER:
        if (code == CBN_SELCHANGE) ShowView(ComboIndex(Window(), IDC_MENUPAGE_CHOOSER));
        return true;
      case IDC_MENUPAGE_ADD:
        Add();
        return true;
      case IDC_MENUPAGE_DELETE:
        Delete();
        return true;
      case IDC_MENUPAGE_UP:
      case IDC_MENUPAGE_DOWN:
        Move(id == IDC_MENUPAGE_UP ? -1 : 1);
        return true;
      case IDC_MENUPAGE_CHANGE:
        ChangeKey();
        return true;
      case IDM_MENUPAGE_EDIT_CAPTION:
        if (const int row = SelectedRow(List()); row >= 0) SendMessageW(List(), LVM_EDITLABELW, row, 0);
        return true;
      default:
        return false;
    }
  }

  INT_PTR OnMessage(UINT message, WPARAM, LPARAM lParam, bool& handled) override {
    handled = false;
    if (message != WM_NOTIFY) return FALSE;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom != List() || !IsMenuList()) return FALSE;
    handled = true;
    LRESULT result = 0;
    if (header->code == NM_RCLICK)
      RowPopup();
    else if (header->code == LVN_BEGINLABELEDITW)
      result = !Captioned(reinterpret_cast<const NMLVDISPINFOW*>(lParam)->item.iItem);  // TRUE refuses
    else if (header->code == LVN_ENDLABELEDITW)
      result = EndCaptionEdit(reinterpret_cast<const NMLVDISPINFOW*>(lParam)->item);
    else
      handled = false;
    SetWindowLongPtrW(Window(), DWLP_MSGRESULT, result);
    return TRUE;
  }

 private:
  std::vector<PageRow>& Rows() { return rows_[static_cast<std::size_t>(view_)]; }
  HWND List() const { return view_ < kPageListCount ? ListOf(Window(), view_) : nullptr; }
  PageList Kind() const { return static_cast<PageList>(view_); }
  bool IsMenuList() const { return view_ < 3; }

  // Separators and submenu ends show a fixed mark; commands and submenu titles have captions.
  bool Captioned(int row) {
    return row >= 0 && row < static_cast<int>(Rows().size()) &&
           (Rows()[static_cast<std::size_t>(row)].index >= 0 ||
            Rows()[static_cast<std::size_t>(row)].index == kMenuSubmenuStart);
  }

  void ShowView(int view) {
    HWND page = Window();
    view_ = view < 0 ? 0 : view;
    for (int k = 0; k < kPageListCount; ++k) ShowWindow(ListOf(page, k), k == view_ ? SW_SHOW : SW_HIDE);
    for (int id = IDC_MENUPAGE_DEFAULT_W; id <= IDC_MENUPAGE_DEFAULT_B; ++id) {
      ShowWindow(GetDlgItem(page, id), view_ == kDefaultsView ? SW_SHOW : SW_HIDE);
      ShowWindow(GetDlgItem(page, id + IDC_MENUPAGE_DEFAULT_LABEL_W - IDC_MENUPAGE_DEFAULT_W),
                 view_ == kDefaultsView ? SW_SHOW : SW_HIDE);
    }
    for (int id : {IDC_MENUPAGE_KEY_LABEL, IDC_MENUPAGE_KEY, IDC_MENUPAGE_CHANGE})
      ShowWindow(GetDlgItem(page, id), view_ < kPageListCount && !IsMenuList() ? SW_SHOW : SW_HIDE);
    for (int id :
         {IDC_MENUPAGE_CANDIDATES, IDC_MENUPAGE_ADD, IDC_MENUPAGE_DELETE, IDC_MENUPAGE_UP, IDC_MENUPAGE_DOWN})
      ShowWindow(GetDlgItem(page, id), view_ < kPageListCount ? SW_SHOW : SW_HIDE);
    if (view_ < kPageListCount) FillCandidates(0);
  }

  std::string FirstColumn(const PageRow& row) const {
    return IsMenuList() ? row.caption : KeyNameText(row.keyWord);
  }

  // The list of view from its rows, with row `selected` chosen.
  void Fill(int view, int selected) {
    const int saved = view_;
    view_ = view;
    HWND list = List();
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    int n = 0;
    for (const PageRow& row : Rows()) {
      AddListRow(list, n, FirstColumn(row), row.index);
      SetListText(list, n++, 1, RowCommandName(row.index));
    }
    if (selected >= 0 && selected < n) SelectRow(list, selected);
    view_ = saved;
  }

  // The candidate combo of the current list, with `index` chosen (or the first).
  void FillCandidates(int index) {
    candidates_ = PageCandidates(Kind(), Rows());
    std::vector<std::string> names;
    for (int c : candidates_) names.push_back(RowCommandName(c));
    const auto at = std::find(candidates_.begin(), candidates_.end(), index);
    SetComboItems(Window(), IDC_MENUPAGE_CANDIDATES, names,
                  at == candidates_.end() ? 0 : static_cast<int>(at - candidates_.begin()));
  }

  void FillDefaultCombo(int k, int command) {
    std::vector<std::string> names{"(設定なし)"};
    std::vector<int>& ids = defaultIds_[static_cast<std::size_t>(k)];
    ids = {-1};
    const int mask = PageListMask(static_cast<PageList>(k));
    for (int i = 1; i < kCommandCount; ++i) {
      const CommandEntry& e = CommandTable()[static_cast<std::size_t>(i)];
      if (!(e.flags & mask)) continue;
      names.push_back(e.caption);
      ids.push_back(e.command);
    }
    const auto at = std::find(ids.begin(), ids.end(), command);
    SetComboItems(Window(), IDC_MENUPAGE_DEFAULT_W + k, names,
                  at == ids.end() ? 0 : static_cast<int>(at - ids.begin()));
  }

  // The key of the hot-key control when it may be bound (not empty, not taken
  // by another row than except); otherwise says why and gives 0.
  int KeyToBind(int except) {
    const int key =
        static_cast<int>(SendDlgItemMessageW(Window(), IDC_MENUPAGE_KEY, HKM_GETHOTKEY, 0, 0)) & 0xFFFF;
    const char* problem = nullptr;
    if ((key & 0xFF) == 0)
      problem = "キーが指定されていません。　　";
    else if (RowWithKey(Rows(), key, except) >= 0)
      problem = "キーが重複しています。　　";
    if (problem) ShowMessage(Window(), 0, problem);
    return problem ? 0 : key;
  }

  void Add() {
    const int choice = ComboIndex(Window(), IDC_MENUPAGE_CANDIDATES);
    if (view_ >= kPageListCount || choice < 0 || choice >= static_cast<int>(candidates_.size())) return;
    if (static_cast<int>(Rows().size()) >= PageListLimit(Kind())) {
      ShowMessage(Window(), 0, "これ以上は登録できません。　　");
      return;
    }
    PageRow row = NewMenuRow(candidates_[static_cast<std::size_t>(choice)]);
    if (!IsMenuList() && (row.keyWord = KeyToBind(-1)) == 0) return;
    const int selected = SelectedRow(List());
    const int at = selected < 0 ? static_cast<int>(Rows().size()) : selected;
    Rows().insert(Rows().begin() + at, row);
    Fill(view_, selected < 0 ? -1 : selected + 1);
    // A command leaves the candidates; the special entries stay chosen.
    FillCandidates(row.index < 0 ? row.index
                                 : candidates_[std::min<std::size_t>(choice + 1, candidates_.size() - 1)]);
  }

  void Delete() {
    const int row = view_ < kPageListCount ? SelectedRow(List()) : -1;
    if (row < 0) return;
    const int index = Rows()[static_cast<std::size_t>(row)].index;
    Rows().erase(Rows().begin() + row);
    Fill(view_, std::min(row, static_cast<int>(Rows().size()) - 1));
    FillCandidates(index);
  }

  void Move(int by) {
    const int row = view_ < kPageListCount ? SelectedRow(List()) : -1;
    const int other = row + by;
    if (row < 0 || other < 0 || other >= static_cast<int>(Rows().size())) return;
    std::swap(Rows()[static_cast<std::size_t>(row)], Rows()[static_cast<std::size_t>(other)]);
    Fill(view_, other);
  }

  void ChangeKey() {
    const int row = IsMenuList() || view_ >= kPageListCount ? -1 : SelectedRow(List());
    if (row < 0) return;
    if (const int key = KeyToBind(row)) {
      Rows()[static_cast<std::size_t>(row)].keyWord = key;
      Fill(view_, row);
    }
  }

  void RowPopup() {
    if (SelectedRow(List()) < 0) return;
    HMENU menu = CreatePopupMenu();
    const std::pair<int, const char*> items[] = {{IDC_MENUPAGE_DELETE, "削除"},
                                                 {IDC_MENUPAGE_UP, "上へ"},
                                                 {IDC_MENUPAGE_DOWN, "下へ"},
                                                 {IDM_MENUPAGE_EDIT_CAPTION, "編集"}};
    for (const auto& [id, caption] : items)
      AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), ToWide(caption).c_str());
    POINT pt{};
    GetCursorPos(&pt);
    const int id = static_cast<int>(
        TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, Window(), nullptr));
    DestroyMenu(menu);
    if (id) OnCommand(id, 0, nullptr);
  }

  BOOL EndCaptionEdit(const LVITEMW& item) {
    if (!item.pszText || !item.pszText[0] || !Captioned(item.iItem)) return FALSE;
    PageRow& row = Rows()[static_cast<std::size_t>(item.iItem)];
    row.caption = FitMenuCaption(row.index, FromWide(item.pszText));
    // The list shows what is kept, cut or not.
    SetListText(List(), item.iItem, 0, row.caption);
    return FALSE;
  }

  void Apply() {
    AppState& app = App();
    std::array<int, 3> defaults{};
    for (int k = 0; k < 3; ++k) {
      const int choice = ComboIndex(Window(), IDC_MENUPAGE_DEFAULT_W + k);
      const auto& ids = defaultIds_[static_cast<std::size_t>(k)];
      defaults[static_cast<std::size_t>(k)] = choice < 0 ? -1 : ids[static_cast<std::size_t>(choice)];
      // The built-in menus keep the default item too, as the built ones get it.
      if (HMENU builtIn = GetSubMenu(app.menus.popup, 5 + k))
        SetMenuDefaultItem(builtIn, static_cast<UINT>(defaults[static_cast<std::size_t>(k)]), FALSE);
    }
    // Hot keys and shortcuts are read again and the menus rebuilt by the change.
    app.options->Apply(*app.options, PageWrites(rows_, defaults));
  }

  PageLists rows_;
  std::array<std::vector<int>, 3> defaultIds_;
  std::vector<int> candidates_;
  int view_ = 0;
};

}  // namespace

std::unique_ptr<DialogBase> MakeMenuPage() { return std::make_unique<MenuPage>(); }

std::string KeyNameText(int keyWord) {
  const int flags = (keyWord >> 8) & 0xFF, vk = keyWord & 0xFF;
  std::wstring text;
  if (flags & kKeyCtrl) text += L"Ctrl + ";
  if (flags & kKeyShift) text += L"Shift + ";
  if (flags & kKeyAlt) text += L"Alt + ";
  LONG code = static_cast<LONG>(MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC)) << 16;
  if (flags & kKeyExtended) code |= 1 << 24;
  wchar_t name[64] = {};
  GetKeyNameTextW(code, name, 64);
  text += name;
  return FromWide(text.substr(0, 15));
}

}  // namespace varnel::win
