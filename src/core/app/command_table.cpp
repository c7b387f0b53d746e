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

struct Listed {
  int index;
  CommandEntry entry;
};

constexpr Listed kListed[] = {
    {0, {kAllMenus, kOtherCommandsCommand, "その他"}},
    {1, {kAllMenus, 204, "詳細"}},
    {2, {kH | kB, 245, "編集"}},
    {3, {kAllMenus, 261, "修飾1"}},
    {4, {kAllMenus, 262, "修飾2"}},
    {9, {kW, 241, "見出追加"}},
    {10, {kW, 242, "見出追加(D)"}},
    {11, {kAllMenus, 243, "明細追加"}},
    {12, {kAllMenus, 244, "明細追加(D)"}},
    {13, {kAllMenus, 253, "明細追加(C)"}},
    {14, {kW | kH, 254, "複数明細追加(C)"}},
    {21, {kH | kB, 246, "複写"}},
    {22, {kH | kB, 247, "上移動"}},
    {23, {kH | kB, 248, "下移動"}},
    {30, {kW, 500, "付箋削除"}},
    {31, {kH, 250, "見出削除"}},
    {32, {kB, 250, "明細削除"}},
    {39, {kB, 290, "状態変更"}},
    {40, {kW | kH, 249, "全明細初期化"}},
    {41, {kB, 212, "ｱﾗｰﾑ設定"}},
    {47, {kH, 255, "明細化"}},
    {48, {kB, 256, "見出化"}},
    {49, {kH, 206, "見出非表示"}},
    {50, {kW, 251, "全見出表示"}},
    {57, {kW, 224, "ｻｲｽﾞ自動調整"}},
    {58, {kW, 206, "非表示"}},
    {59, {kW, 226, "編集ﾛｯｸ"}},
    {60, {kW, 223, "ｻｲｽﾞ位置固定"}},
    {61, {kW, 222, "最前面"}},
    {62, {kW, 300, "移動"}},
    {63, {kW, 600, "ｱｸﾃｨﾌﾞ時透過度"}},
    {64, {kW, 620, "非ｱｸﾃｨﾌﾞ時透過度"}},
    {68, {kW, 210, "ﾃﾞｰﾀｾｰﾌﾞ"}},
    {69, {kAllMenus, 257, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ"}},
    {70, {kW, 209, "ﾃﾞｰﾀ再読込"}},
    {75, {kW | kH, kMailCommand, "ﾒｰﾙ送信"}},
    {76, {kH | kB, 258, "ｺﾏﾝﾄﾞ実行"}},
    {77, {kH | kB, 259, "実行"}},
    {78, {kAsHotKey, 211, "新規作成"}},
    {79, {kAsHotKey, 212, "ｸｲｯｸｱﾗｰﾑ"}},
    {80, {kAsHotKey, 205, "一括表示"}},
    {81, {kAsHotKey, 206, "一括非表示"}},
    {82, {kAsHotKey, 207, "一括前面移動"}},
    {83, {kAsHotKey, 208, "一括背面移動"}},
    {84, {kAsHotKey, 210, "ﾃﾞｰﾀｾｰﾌﾞ"}},
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
