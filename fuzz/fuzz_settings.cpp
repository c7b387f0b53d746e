// Any bytes as a settings file: a write changes its key only; menus, hot keys and shortcuts read sound.
// As a note file: the schedule keeps known states, and a load, save and load again keeps the rows.
#include "core/app/command_ids.h"
#include "core/app/command_table.h"
#include "core/app/menu_spec.h"
#include "core/features/alarm_table.h"
#include "core/features/schedule.h"
#include "core/note/note_content.h"
#include "core/text/cp932.h"
#include "fuzz_support.h"

using namespace varnel;

static bool KnownCommand(int command) {
  if (command == kCmdTitle || command == kCmdOtherCommands || command == 0) return true;
  for (const CommandEntry& e : CommandTable())
    if (e.flags && e.command == command) return true;
  return false;
}

// One level of user submenus, and "その他" may sit inside one.
static void CheckItems(const std::vector<MenuItem>& items, int depth) {
  Check(depth <= 2 || items.empty());
  for (const MenuItem& item : items) {
    Check(item.type != MenuItemType::kCommand || KnownCommand(item.command));
    CheckItems(item.items, depth + 1);
  }
}

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
  const auto values = [&](ProfileStore& store) {
    std::vector<std::string> raw;
    for (const char* section : sections)
      for (const char* key : keys) {
        raw.push_back(store.ReadRaw(section, key, "\x01", 301));
        store.ReadInt(key, "7", -5, 5, section);
        store.ReadColor(key, 3, section);
        store.ReadString(key, "d", 4, section);
      }
    return raw;
  };
  // A write changes its key only, in memory and in the saved bytes; removing a section keeps both alike.
  std::vector<std::string> expected = values(*s);
  s->WriteString("b", "new value", "1");
  expected[std::size(keys) + 1] = "new value";
  Check(values(*s) == expected && values(*file.Open()) == expected);
  s->ClearSection("1");
  Check(values(*s) == values(*file.Open()));

  MemoryFile noteFile(Bytes(data, size));
  const auto store = noteFile.Open();
  AlarmTable alarms(AlarmClock{[] { return DateTime{}; }, [](const DateTime&) { return std::int64_t{0}; }});
  // The schedule as the file gives it: every tick leaves a state the machine knows.
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
  const auto texts = [](const NoteContent& note, int h, std::size_t limit) {  // no text changes in the file
    std::string all;
    note.ForEachRow(
        h, true, [&](int row, std::uint32_t) { all += cp932::Cut(note.rows.At(row).text, limit) + '\x01'; });
    return all;
  };
  for (int h = 0; h < first.headingCount; ++h) Check(texts(first, h, 298) == texts(second, h, 1000));
  return 0;
}
