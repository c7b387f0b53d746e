// Keyboard shortcuts of the note windows: up to 30 bindings of a note command
// to a virtual key and an exact set of modifiers.
#pragma once
#include <array>
#include <cstdint>

namespace varnel {

constexpr std::uint8_t kShortcutShift = 1;
constexpr std::uint8_t kShortcutCtrl = 2;
constexpr std::uint8_t kShortcutAlt = 4;
constexpr int kShortcutCount = 30;

struct ShortcutEntry {
  int command = 0;
  int key = 0;  // virtual key; 0 ends the table
  std::uint8_t modifiers = 0;
};
using ShortcutTable = std::array<ShortcutEntry, kShortcutCount>;

// Appends an entry after the last one; false when the table is full or key is 0.
bool AddShortcut(ShortcutTable& table, int command, int key, std::uint8_t modifiers);

// The first entry for key whose modifiers are exactly the ones held down.
bool LookupShortcut(const ShortcutTable& table, int key, std::uint8_t modifiersDown, int& command);

}  // namespace varnel
