// GlobalOptions: the store on the global settings file plus the option values
// the program needs all the time. The shell hands in the data folder and the
// primary work area; the core never looks at the screen or the clock itself.
#pragma once
#include <array>
#include <filesystem>
#include <string>

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

// Bounds and default text of one style option of table B.
struct NoteOptionDef {
  const char* key;
  const char* defaultText;
  int min;
  int max;
};
// The definition for key (exact keys, plus the "BkColor*"/"TxtColor*" prefixes);
// null for a key that is not a style option.
const NoteOptionDef* FindNoteOption(const char* key);

// The program-wide minimum font size: 13 at start, then the themed check box height.
int MinimumFontSize();
void SetMinimumFontSize(int size);

class GlobalOptions : public ProfileStore {
 public:
  // Creates dataFolder, opens "<dataFolder>/Varnel.ini" and reads table A.
  GlobalOptions(const StoreEnv& env, const std::filesystem::path& dataFolder, const WorkArea& workArea);

  const std::filesystem::path& DataFolder() const { return dataFolder_; }

  // Slot flags: 50 characters, '1' = slot holds a note.
  std::string slotFlags;  // always exactly kSlotCount characters
  std::array<int, 16> palette{};

  // Table A.
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
  // Note shortcut keys, filled from "SCKey%d" at start.
  ShortcutTable shortcuts{};

  // Style value of table B: the global value, overridden by the note's own.
  int ReadNoteOption(ProfileStore* note, const char* key);
  // The note's text when it has at least minLength bytes, else the global one;
  // "Font" falls back to "ＭＳ Ｐゴシック".
  std::string ReadNoteText(ProfileStore* note, const char* key, std::size_t size, std::size_t minLength);
  NotePlacement ReadNotePlacement(ProfileStore* note);

  // "List" and "Palette0".."Palette15", as one replacement of the file.
  void SaveSlotFlagsAndPalette();

 private:
  std::filesystem::path dataFolder_;
};

}  // namespace varnel
