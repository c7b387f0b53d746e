// The fixed table of commands that custom menus, global hot keys and note
// shortcuts choose from. Stored settings name a command by its index here, so
// the indices never move.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "core/app/command_ids.h"
#include "core/app/shortcuts.h"

namespace varnel {

class ProfileStore;

// Where an entry may be used.
constexpr int kInNoteMenu = 1;     // 'W'
constexpr int kInHeadingMenu = 2;  // 'H'
constexpr int kInDetailMenu = 4;   // 'B'
constexpr int kAsHotKey = 8;
// Shortcuts act on the note window, so they take the note menu's commands.
constexpr int kAsShortcut = kInNoteMenu;

constexpr int kCommandCount = 85;
constexpr std::size_t kMaxCommandCaption = 39;  // CP932 bytes

// 601..610 and 621..630: an opacity step when active or inactive.
constexpr bool IsAlphaCommand(int id) {
  return (id >= kCmdAlpha10 && id <= kCmdAlpha100) || (id >= kCmdAlpha2x10 && id <= kCmdAlpha2x100);
}
// 301..310 but 303 and 307: a move to an edge or a corner of the frame.
constexpr bool IsMoveCommand(int id) {
  return id > kCmdMoveMenu && id <= kCmdMoveBottomLeft && id != kCmdMoveMenu + 3 && id != kCmdMoveMenu + 7;
}

// What the edit lock does to an entry, in every menu the entry is in. Some
// items it only greys: their commands stay open to other callers.
constexpr int kLockGreys = 1;
constexpr int kLockRefuses = 2;

struct CommandEntry {
  int flags = 0;  // 0: an unused index
  int command = 0;
  const char* caption = "";
  int lock = 0;  // kLock* bits
};
using CommandTableArray = std::array<CommandEntry, kCommandCount>;

const CommandTableArray& CommandTable();

// The entry at index, or null outside 0..84 (entries with flags 0 are returned).
const CommandEntry* CommandAt(std::int64_t index);

// Whether the edit lock greys (kLockGreys) or refuses (kLockRefuses) command in
// the menu of use (kInNoteMenu, kInHeadingMenu or kInDetailMenu).
bool LockDoes(int lockBit, int command, int use);

// Key words as the hot-key control returns them: low byte the virtual key,
// high byte these modifier flags.
constexpr int kKeyShift = 1;
constexpr int kKeyCtrl = 2;
constexpr int kKeyAlt = 4;
constexpr int kKeyExtended = 8;

// RegisterHotKey's modifier values (MOD_ALT, MOD_CONTROL, MOD_SHIFT), which
// differ from the key word's.
constexpr unsigned kHotKeyModAlt = 1;
constexpr unsigned kHotKeyModControl = 2;
constexpr unsigned kHotKeyModShift = 4;

struct HotKeyRegistration {
  int command = 0;  // also the id of the registration
  int virtualKey = 0;
  unsigned modifiers = 0;  // kHotKeyMod* bits
};

// "HotKey0".."HotKey99" up to the first empty value. Entries that are not hot-key
// commands, have no key, repeat a command or a key combination already taken
// are left out, so every registration in the list can succeed.
std::vector<HotKeyRegistration> ReadHotKeys(ProfileStore& store);

// Every command id that may be a hot key: what to unregister, whatever the file
// says by now.
std::vector<int> HotKeyCommands();

// One stored key binding ("%d,%d": index, key word) of a command 1..84.
struct KeyBinding {
  int index = 0;
  const CommandEntry* entry = nullptr;
  int keyWord = 0;  // low 16 bits of the stored number; its virtual key is not 0
};
// prefix0.. up to the first empty value or limit, the commands carrying mask.
std::vector<KeyBinding> ReadKeyBindings(ProfileStore& store, const char* prefix, int limit, int mask);

// Clears the table and fills it from "SCKey0".."SCKey29" up to the first empty value.
void ReadShortcuts(ProfileStore& store, ShortcutTable& table);

}  // namespace varnel
