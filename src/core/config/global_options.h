// GlobalOptions: the options of the global settings file held in memory, the
// store on that file, and Apply, which writes changed options back and tells
// the running program what changed. The shell hands in the data folder and the
// primary work area; the core never looks at the screen or the clock itself.
#pragma once
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "core/app/shortcuts.h"
#include "core/config/profile_store.h"

namespace varnel {

constexpr int kSlotCount = 50;

struct WorkArea {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct NotePlacement {
  int x = 0, y = 0, w = 0, h = 0;
};

// What a change of an option asks of the running program (bits of Apply's result).
enum OptionEffect : unsigned {
  kOptionTimers = 1,   // restart the alarm and schedule timers
  kOptionMenus = 2,    // rebuild the note menus and the state submenu
  kOptionHotKeys = 4,  // register hot keys and read note shortcuts again
  kOptionNotes = 8,    // every note re-reads fonts, title mode, state colours, check types
};

// Bounds and default text of one style option, read on demand.
struct NoteOptionDef {
  const char* key;
  const char* defaultText;
  int min;
  int max;
  unsigned effects;
};
// The definition for key (exact keys, plus the "BkColor*"/"TxtColor*" prefixes);
// null for a key that is not a style option.
const NoteOptionDef* FindNoteOption(const char* key);

// The program-wide minimum font size: 13 at start, then the themed check box height.

// The options kept in memory, as the settings dialog edits a copy of them.
struct OptionValues {
  // Slot flags: 50 characters, '1' = slot holds a note.
  std::string slotFlags;  // always exactly kSlotCount characters
  std::array<int, 16> palette{};
  int sound = 0;
  std::string soundFile;
  int autoDel = 0;
  int alarm = 0;
  std::string alarmFile;
  int alarmTime = 60;
  int snooze = 180;
  bool ckType1 = true, ckType2 = true, ckType3 = true;
  bool pasteSize = false;
  bool ddLine = false;
  int title = 0;
  std::string tFmt;
  std::array<std::string, 4> cColor;  // 16-character format texts
  std::array<int, 4> ccDay{};         // 36160 = never
  int fx1 = 0, fy1 = 0, fx2 = 0, fy2 = 0;
  bool defBtn = true;
  bool backup = true;  // "Backup": rolling backups of the data folder at start-up and daily
};

enum class OptionKind { Int, Flag, Text, Colour, Slots, StateFormat, DayLimit };
using OptionRef = std::variant<int*, bool*, std::string*>;

// One option kept in memory: its key ("%d" stands for the index when count > 1),
// its form, default and bounds (Text: the most bytes kept), and what a change asks.
struct GlobalOptionDef {
  const char* key;
  int count;
  OptionKind kind;
  const char* defaultText;  // null: taken from defaultOf
  int min, max;
  unsigned effects;
  OptionRef (*field)(OptionValues& values, int index);
  std::string (*defaultOf)(const WorkArea& area, int index);
};
// Every option kept in memory, in the order they are read.
const std::vector<GlobalOptionDef>& GlobalOptionTable();
// The key of entry index of def ("CColor2", "FY1").
std::string GlobalOptionKey(const GlobalOptionDef& def, int index);

// A global key outside the table written by Apply (style options, hot keys,
// shortcuts, menus): null text removes it.
struct OptionWrite {
  std::string key;
  const char* text;
  std::string value;  // holds the text when text is not null
  static OptionWrite Set(std::string key, std::string value) {
    return OptionWrite{std::move(key), "", std::move(value)};
  }
  static OptionWrite Remove(std::string key) { return OptionWrite{std::move(key), nullptr, {}}; }
};

class GlobalOptions : public OptionValues {
 public:
  // Creates dataFolder, opens "<dataFolder>/Varnel.ini" and reads the table.
  GlobalOptions(const StoreEnv& env, const std::filesystem::path& dataFolder, const WorkArea& workArea);

  const std::filesystem::path& DataFolder() const { return dataFolder_; }
  ProfileStore& Store() { return store_; }
  bool LastWriteOk() const { return store_.LastWriteOk(); }

  // Note shortcut keys, filled from "SCKey%d" at start.
  ShortcutTable shortcuts{};

  // The frame as the user set it. fx1..fy2 hold the frame in force, which the
  // shell replaces while this one lies off every monitor; the file keeps this.
  WorkArea userFrame;

  // Writes the options of next that differ from the ones in memory, and the
  // other writes, as one replacement of the file; takes them into memory and
  // tells onApplied what they ask of the program. Returns those effects.
  unsigned Apply(const OptionValues& next, const std::vector<OptionWrite>& writes = {});
  std::function<void(unsigned effects)> onApplied;

  // Style value: the global value, overridden by the note's own.
  int ReadNoteOption(ProfileStore* note, const char* key);
  // Lower bound of "SizeH"/"SizeB": the check box's height, as the shell measures it.
  int minimumFontSize = 13;
  // The note's text when it has at least minLength bytes, else the global one;
  // "Font" falls back to "ＭＳ Ｐゴシック".
  std::string ReadNoteText(ProfileStore* note, const char* key, std::size_t size, std::size_t minLength);
  NotePlacement ReadNotePlacement(ProfileStore* note);

  // "List" and "Palette0".."Palette15", as one replacement of the file.
  void SaveSlotFlagsAndPalette();

 private:
  std::filesystem::path dataFolder_;
  ProfileStore store_;
};

}  // namespace varnel
