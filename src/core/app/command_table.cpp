#include "core/app/command_table.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/config/profile_store.h"

namespace varnel {

namespace {

constexpr int kAllMenus = kInNoteMenu | kInHeadingMenu | kInDetailMenu;
constexpr int kW = kInNoteMenu, kH = kInHeadingMenu, kB = kInDetailMenu;
constexpr int kLocked = kLockGreys | kLockRefuses;

struct Listed {
  int index;
  CommandEntry entry;
};

constexpr Listed kListed[] = {
    {0, {kAllMenus, kCmdOtherCommands, "その他"}},
    {1, {kAllMenus, kCmdProperties, "詳細"}},
    {2, {kH | kB, kCmdEdit, "編集", kLocked}},
    {3, {kAllMenus, kCmdDecoration1, "修飾1"}},
    {4, {kAllMenus, kCmdDecoration2, "修飾2"}},
    {9, {kW, kCmdAddHeading, "見出追加", kLocked}},
    {10, {kW, kCmdAddHeadingDlg, "見出追加(D)", kLocked}},
    {11, {kAllMenus, kCmdAddDetail, "明細追加", kLocked}},
    {12, {kAllMenus, kCmdAddDetailDlg, "明細追加(D)", kLocked}},
    {13, {kAllMenus, kCmdAddDetailClip, "明細追加(C)", kLocked}},
    {14, {kW | kH, kCmdAddDetailsClip, "複数明細追加(C)", kLocked}},
    {21, {kH | kB, kCmdDuplicate, "複写", kLocked}},
    {22, {kH | kB, kCmdMoveUp, "上移動", kLocked}},
    {23, {kH | kB, kCmdMoveDown, "下移動", kLocked}},
    {30, {kW, kCmdDeleteNote, "付箋削除"}},
    {31, {kH, kCmdDelete, "見出削除", kLocked}},
    {32, {kB, kCmdDelete, "明細削除", kLocked}},
    {39, {kB, kCmdStateMenu, "状態変更"}},
    {40, {kW | kH, kCmdResetDetails, "全明細初期化", kLockGreys}},
    {41, {kB, kCmdAlarm, "ｱﾗｰﾑ設定"}},
    {47, {kH, kCmdToDetail, "明細化", kLocked}},
    {48, {kB, kCmdToHeading, "見出化", kLocked}},
    {49, {kH, kCmdHide, "見出非表示", kLocked}},
    {50, {kW, kCmdShowAllHeadings, "全見出表示", kLockGreys}},
    {57, {kW, kCmdAutoSize, "ｻｲｽﾞ自動調整"}},
    {58, {kW, kCmdHide, "非表示"}},
    {59, {kW, kCmdEditLock, "編集ﾛｯｸ"}},
    {60, {kW, kCmdFixPlace, "ｻｲｽﾞ位置固定"}},
    {61, {kW, kCmdTopmost, "最前面"}},
    {62, {kW, kCmdMoveMenu, "移動"}},
    {63, {kW, kCmdAlphaMenu, "ｱｸﾃｨﾌﾞ時透過度"}},
    {64, {kW, kCmdAlpha2Menu, "非ｱｸﾃｨﾌﾞ時透過度"}},
    {68, {kW, kCmdSave, "ﾃﾞｰﾀｾｰﾌﾞ"}},
    {69, {kAllMenus, kCmdCopy, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ"}},
    {70, {kW, kCmdReload, "ﾃﾞｰﾀ再読込"}},
    {75, {kW | kH, kCmdMail, "ﾒｰﾙ送信"}},
    {76, {kH | kB, kCmdRunCommand, "ｺﾏﾝﾄﾞ実行"}},
    {77, {kH | kB, kCmdRun, "実行"}},
    {78, {kAsHotKey, kCmdNewNote, "新規作成"}},
    {79, {kAsHotKey, kCmdAlarm, "ｸｲｯｸｱﾗｰﾑ"}},
    {80, {kAsHotKey, kCmdShow, "一括表示"}},
    {81, {kAsHotKey, kCmdHide, "一括非表示"}},
    {82, {kAsHotKey, kCmdToFront, "一括前面移動"}},
    {83, {kAsHotKey, kCmdToBack, "一括背面移動"}},
    {84, {kAsHotKey, kCmdSave, "ﾃﾞｰﾀｾｰﾌﾞ"}},
};

constexpr CommandTableArray MakeTable() {
  CommandTableArray table{};
  for (const Listed& l : kListed) table[static_cast<std::size_t>(l.index)] = l.entry;
  return table;
}

constexpr CommandTableArray kTable = MakeTable();

}  // namespace

// "%d,%d" (index, key word) values of prefix0.. up to the first empty one, for
// commands 1..84 carrying mask and with a virtual key.
std::vector<KeyBinding> ReadKeyBindings(ProfileStore& store, const char* prefix, int limit, int mask) {
  std::vector<KeyBinding> out;
  for (int i = 0; i < limit; ++i) {
    char key[24];
    std::snprintf(key, sizeof key, "%s%d", prefix, i);
    const std::string value = store.ReadString(key, "", 64);
    if (value.empty()) break;
    const std::int64_t index = ParseNumber(value);
    if (index < 1) continue;  // index 0 is the place of a submenu, no command
    const CommandEntry* entry = CommandAt(index);
    if (!entry || !(entry->flags & mask)) continue;
    const std::size_t comma = value.find(',');
    if (comma == std::string::npos) continue;
    const int keyWord =
        static_cast<int>(static_cast<std::uint64_t>(ParseNumber(value.substr(comma + 1))) & 0xFFFF);
    // A modifier without a key would bind the bare modifier or end the shortcut table early.
    if ((keyWord & 0xFF) == 0) continue;
    out.push_back({static_cast<int>(index), entry, keyWord});
  }
  return out;
}

const CommandTableArray& CommandTable() { return kTable; }

const CommandEntry* CommandAt(std::int64_t index) {
  if (index < 0 || index >= kCommandCount) return nullptr;
  return &kTable[static_cast<std::size_t>(index)];
}

bool LockDoes(int lockBit, int command, int use) {
  return std::any_of(kTable.begin(), kTable.end(), [&](const CommandEntry& e) {
    return (e.flags & use) && e.command == command && (e.lock & lockBit);
  });
}

std::vector<HotKeyRegistration> ReadHotKeys(ProfileStore& store) {
  std::vector<HotKeyRegistration> out;
  for (const KeyBinding& b : ReadKeyBindings(store, "HotKey", 100, kAsHotKey)) {
    const int flags = b.keyWord >> 8;
    HotKeyRegistration r;
    r.command = b.entry->command;
    r.virtualKey = b.keyWord & 0xFF;
    // The extended-key flag has no meaning for a registration.
    if (flags & kKeyCtrl) r.modifiers |= kHotKeyModControl;
    if (flags & kKeyShift) r.modifiers |= kHotKeyModShift;
    if (flags & kKeyAlt) r.modifiers |= kHotKeyModAlt;
    // One registration per command id, and Windows refuses a combination this
    // window holds already: the first entry wins, as the settings page shows it.
    const bool taken = std::any_of(out.begin(), out.end(), [&](const HotKeyRegistration& o) {
      return o.command == r.command || (o.virtualKey == r.virtualKey && o.modifiers == r.modifiers);
    });
    if (!taken) out.push_back(r);
  }
  return out;
}

std::vector<int> HotKeyCommands() {
  std::vector<int> out;
  for (const CommandEntry& e : kTable)
    if ((e.flags & kAsHotKey) && std::find(out.begin(), out.end(), e.command) == out.end())
      out.push_back(e.command);
  return out;
}

void ReadShortcuts(ProfileStore& store, ShortcutTable& table) {
  table = ShortcutTable{};
  for (const KeyBinding& b : ReadKeyBindings(store, "SCKey", kShortcutCount, kAsShortcut))
    AddShortcut(table, b.entry->command, b.keyWord & 0xFF, static_cast<std::uint8_t>(b.keyWord >> 8));
}

}  // namespace varnel
