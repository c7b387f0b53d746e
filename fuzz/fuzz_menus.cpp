// Any bytes as the global settings file: the stored menus, hot keys and
// shortcuts must read without a crash, and what they give must be sound.
#include "core/app/command_ids.h"
#include "core/app/command_table.h"
#include "core/app/menu_spec.h"
#include "fuzz_support.h"

using namespace varnel;

namespace {

bool KnownCommand(int command) {
  if (command == kCmdTitle || command == kCmdOtherCommands || command == 0) return true;
  for (const CommandEntry& e : CommandTable())
    if (e.flags && e.command == command) return true;
  return false;
}

void CheckItems(const std::vector<MenuItem>& items, int depth) {
  // One level of user submenus, and "その他" may sit inside one.
  Check(depth <= 2 || items.empty());
  for (const MenuItem& item : items) {
    Check(item.type != MenuItemType::kCommand || KnownCommand(item.command));
    CheckItems(item.items, depth + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryFile file(Bytes(data, size));
  const auto store = file.Open();
  for (MenuKind kind : {MenuKind::kNote, MenuKind::kHeading, MenuKind::kDetail}) {
    const MenuSpec spec = BuildItemMenu(*store, kind, size % 2 == 0);
    Check(spec.builtIn || (!spec.items.empty() && spec.items.front().type == MenuItemType::kTitle));
    CheckItems(spec.items, 0);
  }
  for (const HotKeyRegistration& r : ReadHotKeys(*store))
    Check(r.virtualKey > 0 && r.virtualKey <= 0xFF && KnownCommand(r.command));
  ShortcutTable table{};
  ReadShortcuts(*store, table);
  for (const ShortcutEntry& e : table) Check(e.key >= 0 && e.key <= 0xFF);
  return 0;
}
