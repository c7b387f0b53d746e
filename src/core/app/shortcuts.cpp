#include "core/app/shortcuts.h"

namespace varnel {

bool AddShortcut(ShortcutTable& table, int command, int key, std::uint8_t modifiers) {
  if (key == 0) return false;
  for (ShortcutEntry& e : table) {
    if (e.key != 0) continue;
    e = ShortcutEntry{command, key, static_cast<std::uint8_t>(modifiers & 7)};
    return true;
  }
  return false;
}

bool LookupShortcut(const ShortcutTable& table, int key, std::uint8_t modifiersDown, int& command) {
  for (const ShortcutEntry& e : table) {
    if (e.key == 0) break;
    // An extra modifier held down is a different key combination.
    if (e.key == key && (e.modifiers & 7) == (modifiersDown & 7)) {
      command = e.command;
      return true;
    }
  }
  return false;
}

}  // namespace varnel
