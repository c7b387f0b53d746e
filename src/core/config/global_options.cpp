#include "core/config/global_options.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "core/text/cp932.h"

namespace varnel {

namespace {

int g_minimumFontSize = 13;

// Style options. "Theight" is listed too but is never taken from a note.
// "Timer"/"STimer" allow 0 (= off), as the settings dialog offers it.
const NoteOptionDef kNoteOptions[] = {
    {"Cmd", "0x100", 0, 2047},
    {"Style", "1", 0, 7},
    {"Alpha", "255", -1, 255},
    {"Alpha2", "-1", -1, 255},
    {"SizeH", "16", 13, 64},
    {"FontH", "0x01", 0, 3},
    {"SizeB", "14", 13, 64},
    {"FontB", "0x00", 0, 3},
    {"Timer", "5", 0, 600},
    {"STimer", "0", 0, 60},
    {"Bar", "1", 0, 7},
    {"TDiv", "2", 1, 2},
    {"BColor0", "0x999999", 0, 0xFFFFFF},
    {"BColor1", "0xFFFFFE", 0, 0xFFFFFF},
    {"TColor0", "0", 0, 0xFFFFFF},
    {"TColor1", "0xEEEEEE", 0, 0xFFFFFF},
    {"TShadow", "1", 0, 1},
    {"TBorder", "0", 0, 0x0FFFFFFF},
    {"Theight", "18", 10, 99},
};
const NoteOptionDef kBkColor = {"BkColor", "0x99FFCC", 0, 0xFFFFFF};
const NoteOptionDef kTxtColor = {"TxtColor", "0x000000", 0, 0xFFFFFF};

constexpr int kPaletteDefaults[16] = {0x99FFCC, 0x66FFFF, 0xFFFFCC, 0xEECCCC, 0xFFCCFF, 0x66CCFF, 0xEEEEEE};
constexpr const char* kZeroFormat = "0000000000000000";
constexpr std::size_t kFormatLength = 16;
constexpr int kNeverDay = 36160;

bool EqualNoCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    char ca = *a, cb = *b;
    if (ca >= 'A' && ca <= 'Z') ca = static_cast<char>(ca - 'A' + 'a');
    if (cb >= 'A' && cb <= 'Z') cb = static_cast<char>(cb - 'A' + 'a');
    if (ca != cb) return false;
  }
  return *a == *b;
}

bool StartsWithNoCase(const char* text, const char* prefix) {
  std::size_t n = std::strlen(prefix);
  if (std::strlen(text) < n) return false;
  std::string head(text, n);
  return EqualNoCase(head.c_str(), prefix);
}

std::string Decimal(int value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d", value);
  return buf;
}

}  // namespace

const NoteOptionDef* FindNoteOption(const char* key) {
  if (!key) return nullptr;
  // Key names are compared like the store compares them: without ASCII case.
  for (const NoteOptionDef& def : kNoteOptions)
    if (EqualNoCase(key, def.key)) return &def;
  if (StartsWithNoCase(key, "BkColor")) return &kBkColor;
  if (StartsWithNoCase(key, "TxtColor")) return &kTxtColor;
  return nullptr;
}

int MinimumFontSize() { return g_minimumFontSize; }
void SetMinimumFontSize(int size) { g_minimumFontSize = size; }

GlobalOptions::GlobalOptions(const StoreEnv& env, const std::filesystem::path& dataFolder,
                             const WorkArea& workArea)
    : dataFolder_(dataFolder) {
  std::error_code ec;
  std::filesystem::create_directories(dataFolder_, ec);  // a missing folder just means defaults
  const std::filesystem::path file = dataFolder_ / "Varnel.ini";
  Open(env, false, "Default", &file, nullptr);

  slotFlags = ReadString("List", "", kSlotCount + 1);
  slotFlags.resize(kSlotCount, '0');

  sound = ReadInt("Sound", "0", 0, 6);
  soundFile = ReadString("SoundFile", "", 260);
  autoDel = ReadInt("AutoDel", "0", 0, 2);
  alarm = ReadInt("Alarm", "0", 0, 6);
  alarmFile = ReadString("AlarmFile", "", 260);
  alarmTime = ReadInt("AlarmTime", "60", -1, 10800);
  snooze = ReadInt("Snooze", "180", 10, 10800);
  ckType1 = ReadBool("CkType1", "1");
  ckType2 = ReadBool("CkType2", "1");
  ckType3 = ReadBool("CkType3", "1");
  pasteSize = ReadBool("PasteSize", "0");
  ddLine = ReadBool("DDLine", "0");
  title = ReadInt("Title", "0", 0, 3);
  tFmt = ReadString("TFmt", "", 64);
  for (int i = 0; i < 4; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "CColor%d", i);
    std::string format = ReadString(key, "", 20);
    // Readers of the format take 16 fixed-width characters; never give them fewer.
    if (format.size() < kFormatLength) format = kZeroFormat;
    format.resize(kFormatLength);
    cColor[i] = format;
    std::snprintf(key, sizeof key, "CCDay%d", i);
    int day = ReadInt(key, "-100", -100, 999);
    ccDay[i] = day < -99 ? kNeverDay : day;
  }
  fx1 = ReadInt("FX1", Decimal(workArea.left).c_str(), -9999, 9999);
  fy1 = ReadInt("FY1", Decimal(workArea.top).c_str(), -9999, 9999);
  fx2 = ReadInt("FX2", Decimal(workArea.right).c_str(), -9999, 9999);
  fy2 = ReadInt("FY2", Decimal(workArea.bottom).c_str(), -9999, 9999);
  // "SCKey%d" (note shortcut keys) are read here once the command table exists.
  for (int i = 0; i < 16; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "Palette%d", i);
    palette[i] = ReadColor(key, kPaletteDefaults[i]);
  }
  defBtn = ReadBool("DefBtn", "1");
}

int GlobalOptions::ReadNoteOption(ProfileStore* note, const char* key) {
  const NoteOptionDef* def = FindNoteOption(key);
  if (!def) return 0;  // not a style option: nothing to read
  int min = def->min;
  if (EqualNoCase(def->key, "SizeH") || EqualNoCase(def->key, "SizeB")) min = MinimumFontSize();
  int value = ReadInt(key, def->defaultText, min, std::max(min, def->max));
  // The bar height is program-wide: every note's bar uses the global value.
  if (!note || EqualNoCase(def->key, "Theight")) return value;
  return note->ReadInt(key, Decimal(value).c_str(), min, std::max(min, def->max));
}

std::string GlobalOptions::ReadNoteText(ProfileStore* note, const char* key, std::size_t size,
                                        std::size_t minLength) {
  if (note) {
    std::string own = note->ReadString(key, "", size);
    if (own.size() >= minLength && !(minLength == 0 && own.empty())) return own;
  }
  std::string text = ReadString(key, "", size);
  if (text.empty() && EqualNoCase(key, "Font")) text = cp932::Cut("ＭＳ Ｐゴシック", size > 0 ? size - 1 : 0);
  return text;
}

NotePlacement GlobalOptions::ReadNotePlacement(ProfileStore* note) {
  NotePlacement p;
  // A frame narrower than the minimum size still gets a valid range (the minimum).
  const int spanW = std::max(fx2 - fx1, 40);
  const int spanH = std::max(fy2 - fy1, 20);
  const int right = std::max(fx1, fx2);
  const int bottom = std::max(fy1, fy2);

  p.w = note ? note->ReadInt("W", "-1", -1, spanW) : -1;
  if (p.w < 40) p.w = ReadInt("W", "200", 40, spanW);
  p.h = note ? note->ReadInt("H", "-1", -1, spanH) : -1;
  if (p.h < 20) p.h = ReadInt("H", "300", 20, spanH);

  auto position = [&](const char* key, int low, int high, int size) {
    std::string text = note ? note->ReadString(key, "", 31) : std::string();
    if (text.empty()) text = ReadString(key, "", 31);
    if (!text.empty()) {
      std::int64_t v = Clamp<std::int64_t>(ParseNumber(text), low, high);
      return static_cast<int>(v);
    }
    // Centre inside the frame, which need not start at 0 (a second monitor).
    return std::max(low, low + (high - low - size) / 2);
  };
  p.x = position("X", fx1, right, p.w);
  p.y = position("Y", fy1, bottom, p.h);
  return p;
}

void GlobalOptions::SaveSlotFlagsAndPalette() {
  slotFlags.resize(kSlotCount, '0');
  Batch batch(*this);
  WriteString("List", slotFlags.c_str());
  for (int i = 0; i < 16; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "Palette%d", i);
    WriteColor(key, palette[i]);
  }
}

}  // namespace varnel
