// Any bytes as the global settings file: the stored menus, hot keys and
// shortcuts must read without a crash, and what they give must be sound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "core/app/command_ids.h"
#include "core/app/command_table.h"
#include "core/app/menu_spec.h"
#include "core/config/profile_store.h"

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
  if (depth > 2 && !items.empty()) std::abort();
  for (const MenuItem& item : items) {
    if (item.type == MenuItemType::kCommand && !KnownCommand(item.command)) std::abort();
    CheckItems(item.items, depth + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("varnel_fuzz_menus_" + std::to_string(getpid()));
  static StoreEnv env = [] {
    std::filesystem::create_directories(dir);
    StoreEnv e;
    e.programPath = dir / "Varnel.exe";
    return e;
  }();
  const std::filesystem::path file = dir / "Varnel.ini";
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  ProfileStore store;
  store.Open(env, false, "Default", &file, nullptr);
  for (MenuKind kind : {MenuKind::kNote, MenuKind::kHeading, MenuKind::kDetail}) {
    const MenuSpec spec = BuildItemMenu(store, kind, size % 2 == 0);
    if (!spec.builtIn && (spec.items.empty() || spec.items.front().type != MenuItemType::kTitle)) std::abort();
    CheckItems(spec.items, 0);
  }
  for (const HotKeyRegistration& r : ReadHotKeys(store))
    if (r.virtualKey <= 0 || r.virtualKey > 0xFF || !KnownCommand(r.command)) std::abort();
  ShortcutTable table{};
  ReadShortcuts(store, table);
  for (const ShortcutEntry& e : table)
    if (e.key < 0 || e.key > 0xFF) std::abort();
  return 0;
}
