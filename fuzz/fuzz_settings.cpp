// Any bytes as a settings file: reads never crash, a write is read back and keeps every other
// key's value; the menus, hot keys and shortcuts stored in it read sound. The same bytes as a
// note file: its schedule reads within bounds, and a load, save and load again keeps the rows.
#include "core/app/command_ids.h"
#include "core/app/command_table.h"
#include "core/app/menu_spec.h"
#include "core/features/alarm_table.h"
#include "core/features/schedule.h"
#include "core/note/note_content.h"
#include "core/text/cp932.h"
#include "fuzz_support.h"

using namespace varnel;

namespace {

bool KnownCommand(int command) {
  if (command == kCmdTitle || command == kCmdOtherCommands || command == 0) return true;
  for (const CommandEntry& e : CommandTable())
    if (e.flags && e.command == command) return true;
  return false;
}

// One level of user submenus, and "その他" may sit inside one.
void CheckItems(const std::vector<MenuItem>& items, int depth) {
  Check(depth <= 2 || items.empty());
  for (const MenuItem& item : items) {
    Check(item.type != MenuItemType::kCommand || KnownCommand(item.command));
    CheckItems(item.items, depth + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryFile file(Bytes(data, size));
  const auto s = file.Open();
  for (MenuKind kind : {MenuKind::kNote, MenuKind::kHeading, MenuKind::kDetail}) {
    const MenuSpec spec = BuildItemMenu(*s, kind, size % 2 == 0);
    Check(spec.builtIn || (!spec.items.empty() && spec.items.front().type == MenuItemType::kTitle));
    CheckItems(spec.items, 0);
  }
  for (const HotKeyRegistration& r : ReadHotKeys(*s))
    Check(r.virtualKey > 0 && r.virtualKey <= 0xFF && KnownCommand(r.command));
  ShortcutTable table{};
  ReadShortcuts(*s, table);
  for (const ShortcutEntry& e : table) Check(e.key >= 0 && e.key <= 0xFF);

  const char* keys[] = {"A", "b", "Section", "UseReg", "0T", "%dS", "List", ""};
  const char* sections[] = {"Default", "1", "x", " default "};
  std::string before[4][8];
  for (int si = 0; si < 4; ++si)
    for (int ki = 0; ki < 8; ++ki) {
      before[si][ki] = s->ReadRaw(sections[si], keys[ki], "\x01", 301);
      s->ReadInt(keys[ki], "7", -5, 5, sections[si]);
      s->ReadColor(keys[ki], 3, sections[si]);
      s->ReadString(keys[ki], "d", 4, sections[si]);
    }
  s->WriteString("b", "new value", "1");
  Check(s->ReadRaw("1", "b", "", 301) == "new value" &&
        file.Open()->ReadRaw("1", "b", "", 301) == "new value");
  for (int si = 0; si < 4; ++si)
    for (int ki = 0; ki < 8; ++ki)
      Check((si == 1 && ki == 1) || s->ReadRaw(sections[si], keys[ki], "\x01", 301) == before[si][ki]);
  // After removing a section, memory and the saved bytes still agree.
  s->ClearSection("1");
  const auto third = file.Open();
  for (const char* key : keys)
    Check(s->ReadRaw("1", key, "\x01", 301) == third->ReadRaw("1", key, "\x01", 301));

  MemoryFile noteFile(Bytes(data, size));
  const auto store = noteFile.Open();
  AlarmTable alarms(AlarmClock{[] { return DateTime{}; }, [](const DateTime&) { return std::int64_t{0}; }});
  // The schedule keys as the file gives them: read within bounds, and every
  // tick leaves a state the machine knows.
  NoteSchedule schedule = ReadSchedule(*store);
  int unused = 0;
  ReadSchedule3(*store, unused);
  for (int minute : {0, 719, 1439}) {
    EvaluateNoteSchedule(schedule, minute & 1, ScheduleMoment{9472, minute, false, true});
    const int st = schedule.state;
    Check(st == -1 || st == 0 || st == 1 || st == 9 || (st >= 10 && st < 30) || st == 99);
  }
  NoteContent first, second;
  first.alarms = second.alarms = &alarms;
  first.LoadItems(*store);
  {
    ProfileStore::Batch batch(*store);
    first.SaveItems(*store, 0);
  }
  second.LoadItems(*store);
  Check(second.headingCount == first.headingCount);
  for (int h = 0; h < first.headingCount; ++h) {  // no text changes on its way through the file
    std::string a, b;
    first.ForEachRow(h, true,
                     [&](int row, std::uint32_t) { a += cp932::Cut(first.rows.At(row).text, 298) + '\x01'; });
    second.ForEachRow(h, true, [&](int row, std::uint32_t) { b += second.rows.At(row).text + '\x01'; });
    Check(a == b);
  }
  return 0;
}
