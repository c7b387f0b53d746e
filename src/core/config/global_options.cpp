#include "core/config/global_options.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "core/note/format_record.h"
#include "core/text/cp932.h"

namespace varnel {

namespace {

// Style options. "Theight" is listed too but is never taken from a note.
// "Timer"/"STimer" allow 0 (= off), as the settings dialog offers it.
const NoteOptionDef kNoteOptions[] = {
    {"Cmd", "0x100", 0, 2047, 0},
    {"Style", "1", 0, 7, kOptionNotes},
    {"Alpha", "255", -1, 255, kOptionNotes},
    {"Alpha2", "-1", -1, 255, kOptionNotes},
    {"SizeH", "16", 13, 64, kOptionNotes},
    {"FontH", "0x01", 0, 3, kOptionNotes},
    {"SizeB", "14", 13, 64, kOptionNotes},
    {"FontB", "0x00", 0, 3, kOptionNotes},
    {"Timer", "5", 0, 600, kOptionTimers},
    {"STimer", "0", 0, 60, kOptionTimers},
    {"Bar", "1", 0, 7, kOptionNotes},
    {"TDiv", "2", 1, 2, kOptionNotes},
    {"BColor0", "0x999999", 0, 0xFFFFFF, kOptionNotes},
    {"BColor1", "0xFFFFFE", 0, 0xFFFFFF, kOptionNotes},
    {"TColor0", "0", 0, 0xFFFFFF, kOptionNotes},
    {"TColor1", "0xEEEEEE", 0, 0xFFFFFF, kOptionNotes},
    {"TShadow", "1", 0, 1, kOptionNotes},
    {"TBorder", "0", 0, 0x0FFFFFFF, kOptionNotes},
    {"Theight", "18", 10, 99, kOptionNotes},
};
const NoteOptionDef kBkColor = {"BkColor", "0x99FFCC", 0, 0xFFFFFF, kOptionNotes};
const NoteOptionDef kTxtColor = {"TxtColor", "0x000000", 0, 0xFFFFFF, kOptionNotes};

constexpr int kPaletteDefaults[16] = {0x99FFCC, 0x66FFFF, 0xFFFFCC, 0xEECCCC, 0xFFCCFF, 0x66CCFF, 0xEEEEEE};
constexpr const char* kZeroFormat = "0000000000000000";
constexpr std::size_t kFormatLength = 16;

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

namespace {

std::string PaletteDefault(const WorkArea&, int index) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", index < 16 ? kPaletteDefaults[index] : 0);
  return text;
}

// The monitor frame defaults to the work area at construction.
std::string FrameDefault(const WorkArea& a, int index) {
  const int edges[4] = {a.left, a.top, a.right, a.bottom};
  return Decimal(edges[index & 3]);
}

template <auto Member>
OptionRef Field(OptionValues& v, int) {
  return &(v.*Member);
}
template <auto Member>
OptionRef Element(OptionValues& v, int index) {
  return &(v.*Member)[static_cast<std::size_t>(index)];
}
// The frame is read as four keys of one row; index picks the edge.
OptionRef FrameEdge(OptionValues& v, int index) {
  int* edges[4] = {&v.fx1, &v.fy1, &v.fx2, &v.fy2};
  return edges[index & 3];
}

}  // namespace

std::string GlobalOptionKey(const GlobalOptionDef& def, int index) {
  if (def.count == 1) return def.key;
  char key[32];
  if (std::strcmp(def.key, "FX") == 0)
    std::snprintf(key, sizeof key, "F%c%d", "XYXY"[index & 3], index / 2 + 1);
  else
    std::snprintf(key, sizeof key, def.key, index);
  return key;
}

const std::vector<GlobalOptionDef>& GlobalOptionTable() {
  using V = OptionValues;
  constexpr unsigned kNone = 0, kRules = kOptionNotes, kStates = kOptionMenus | kOptionNotes;
  static const std::vector<GlobalOptionDef> table = {
      {"List", 1, OptionKind::Slots, "", 0, kSlotCount, kNone, Field<&V::slotFlags>, nullptr},
      {"Sound", 1, OptionKind::Int, "0", 0, 6, kNone, Field<&V::sound>, nullptr},
      {"SoundFile", 1, OptionKind::Text, "", 0, 259, kNone, Field<&V::soundFile>, nullptr},
      {"AutoDel", 1, OptionKind::Int, "0", 0, 2, kRules, Field<&V::autoDel>, nullptr},
      {"Alarm", 1, OptionKind::Int, "0", 0, 6, kNone, Field<&V::alarm>, nullptr},
      {"AlarmFile", 1, OptionKind::Text, "", 0, 259, kNone, Field<&V::alarmFile>, nullptr},
      {"AlarmTime", 1, OptionKind::Int, "60", -1, 10800, kNone, Field<&V::alarmTime>, nullptr},
      {"Snooze", 1, OptionKind::Int, "180", 10, 10800, kNone, Field<&V::snooze>, nullptr},
      {"CkType1", 1, OptionKind::Flag, "1", 0, 1, kStates, Field<&V::ckType1>, nullptr},
      {"CkType2", 1, OptionKind::Flag, "1", 0, 1, kStates, Field<&V::ckType2>, nullptr},
      {"CkType3", 1, OptionKind::Flag, "1", 0, 1, kStates, Field<&V::ckType3>, nullptr},
      {"PasteSize", 1, OptionKind::Flag, "0", 0, 1, kNone, Field<&V::pasteSize>, nullptr},
      {"DDLine", 1, OptionKind::Flag, "0", 0, 1, kNone, Field<&V::ddLine>, nullptr},
      {"Title", 1, OptionKind::Int, "0", 0, 3, kRules, Field<&V::title>, nullptr},
      {"TFmt", 1, OptionKind::Text, "", 0, 63, kRules, Field<&V::tFmt>, nullptr},
      {"CColor%d", 4, OptionKind::StateFormat, "", 0, 19, kNone, Element<&V::cColor>, nullptr},
      {"CCDay%d", 4, OptionKind::DayLimit, "-100", -100, 999, kNone, Element<&V::ccDay>, nullptr},
      {"FX", 4, OptionKind::Int, nullptr, -9999, 9999, kNone, FrameEdge, FrameDefault},
      {"Palette%d", 16, OptionKind::Colour, nullptr, 0, 0, kNone, Element<&V::palette>, PaletteDefault},
      {"DefBtn", 1, OptionKind::Flag, "1", 0, 1, kNone, Field<&V::defBtn>, nullptr},
      {"Backup", 1, OptionKind::Flag, "1", 0, 1, kNone, Field<&V::backup>, nullptr},
  };
  return table;
}

namespace {

void ReadOption(ProfileStore& store, const GlobalOptionDef& def, int index, OptionValues& values,
                const WorkArea& area) {
  const std::string key = GlobalOptionKey(def, index);
  const std::string fallback = def.defaultText ? def.defaultText : def.defaultOf(area, index);
  const OptionRef ref = def.field(values, index);
  switch (def.kind) {
    case OptionKind::Int:
      *std::get<int*>(ref) = store.ReadInt(key.c_str(), fallback.c_str(), def.min, def.max);
      break;
    case OptionKind::Flag:
      *std::get<bool*>(ref) = store.ReadBool(key.c_str(), fallback.c_str());
      break;
    case OptionKind::Colour:
      *std::get<int*>(ref) = store.ReadColor(key.c_str(), static_cast<int>(ParseNumber(fallback)));
      break;
    case OptionKind::DayLimit: {
      const int day = store.ReadInt(key.c_str(), fallback.c_str(), def.min, def.max);
      *std::get<int*>(ref) = day < -99 ? kNeverDay : day;
      break;
    }
    default: {
      std::string text =
          store.ReadString(key.c_str(), fallback.c_str(), static_cast<std::size_t>(def.max) + 1);
      // Readers of a format take 16 fixed-width characters; never give them fewer.
      if (def.kind == OptionKind::StateFormat && text.size() < kFormatLength) text = kZeroFormat;
      if (def.kind != OptionKind::Text)
        text.resize(def.kind == OptionKind::Slots ? kSlotCount : kFormatLength, '0');
      *std::get<std::string*>(ref) = text;
    }
  }
}

// The value as it is written; a day of "never" goes back as the default.
void WriteOption(ProfileStore& store, const GlobalOptionDef& def, int index, const OptionRef& ref) {
  const std::string key = GlobalOptionKey(def, index);
  if (const bool* const* flag = std::get_if<bool*>(&ref)) return store.WriteBool(key.c_str(), **flag ? 1 : 0);
  if (const std::string* const* text = std::get_if<std::string*>(&ref))
    return store.WriteString(key.c_str(), (*text)->c_str());
  const int value = *std::get<int*>(ref);
  if (def.kind == OptionKind::Colour) return store.WriteColor(key.c_str(), value);
  store.WriteInt(key.c_str(), def.kind == OptionKind::DayLimit ? StoredDayLimit(value) : value);
}

bool SameValue(const OptionRef& a, const OptionRef& b) {
  return std::visit([&](auto* left) { return *left == *std::get<decltype(left)>(b); }, a);
}

// What a write of a key outside the table asks of the program.
unsigned EffectsOfKey(const std::string& key) {
  if (const NoteOptionDef* def = FindNoteOption(key.c_str())) return def->effects;
  if (StartsWithNoCase(key.c_str(), "HotKey") || StartsWithNoCase(key.c_str(), "SCKey"))
    return kOptionHotKeys;
  if (StartsWithNoCase(key.c_str(), "Menu")) return kOptionMenus;
  if (EqualNoCase(key.c_str(), "Font")) return kOptionNotes;
  return 0;
}

}  // namespace

GlobalOptions::GlobalOptions(const StoreEnv& env, const std::filesystem::path& dataFolder,
                             const WorkArea& workArea)
    : dataFolder_(dataFolder) {
  std::error_code ec;
  std::filesystem::create_directories(dataFolder_, ec);  // a missing folder just means defaults
  const std::filesystem::path file = dataFolder_ / "Varnel.ini";
  store_.Open(env, false, "Default", &file, nullptr);
  // "SCKey%d" (note shortcut keys) are read once the command table exists.
  for (const GlobalOptionDef& def : GlobalOptionTable())
    for (int i = 0; i < def.count; ++i) ReadOption(store_, def, i, *this, workArea);
  userFrame = WorkArea{fx1, fy1, fx2, fy2};
}

unsigned GlobalOptions::Apply(const OptionValues& next, const std::vector<OptionWrite>& writes) {
  unsigned effects = 0;
  OptionValues wanted = next;
  wanted.slotFlags.resize(kSlotCount, '0');
  // A frame in force merely passed through stays unwritten; one the user
  // changed is written in full over the user's old one.
  const bool frameChanged = wanted.fx1 != fx1 || wanted.fy1 != fy1 || wanted.fx2 != fx2 || wanted.fy2 != fy2;
  OptionValues held = *this;
  if (frameChanged) {
    held.fx1 = userFrame.left, held.fy1 = userFrame.top, held.fx2 = userFrame.right,
    held.fy2 = userFrame.bottom;
    userFrame = WorkArea{wanted.fx1, wanted.fy1, wanted.fx2, wanted.fy2};
  }
  {
    ProfileStore::Batch batch(store_);
    for (const GlobalOptionDef& def : GlobalOptionTable()) {
      for (int i = 0; i < def.count; ++i) {
        const OptionRef now = def.field(held, i), to = def.field(wanted, i);
        if (SameValue(now, to)) continue;
        WriteOption(store_, def, i, to);
        effects |= def.effects;
      }
    }
    for (const OptionWrite& w : writes) {
      store_.WriteString(w.key.c_str(), w.text ? w.value.c_str() : nullptr);
      effects |= EffectsOfKey(w.key);
    }
  }
  static_cast<OptionValues&>(*this) = wanted;
  if (effects && onApplied) onApplied(effects);
  return effects;
}

int GlobalOptions::ReadNoteOption(ProfileStore* note, const char* key) {
  const NoteOptionDef* def = FindNoteOption(key);
  if (!def) return 0;  // not a style option: nothing to read
  int min = def->min;
  if (EqualNoCase(def->key, "SizeH") || EqualNoCase(def->key, "SizeB")) min = minimumFontSize;
  int value = store_.ReadInt(key, def->defaultText, min, std::max(min, def->max));
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
  std::string text = store_.ReadString(key, "", size);
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
  if (p.w < 40) p.w = store_.ReadInt("W", "200", 40, spanW);
  p.h = note ? note->ReadInt("H", "-1", -1, spanH) : -1;
  if (p.h < 20) p.h = store_.ReadInt("H", "300", 20, spanH);

  auto position = [&](const char* key, int low, int high, int size) {
    std::string text = note ? note->ReadString(key, "", 31) : std::string();
    if (text.empty()) text = store_.ReadString(key, "", 31);
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
  ProfileStore::Batch batch(store_);
  for (const GlobalOptionDef& def : GlobalOptionTable()) {
    if (def.kind != OptionKind::Slots && def.kind != OptionKind::Colour) continue;
    for (int i = 0; i < def.count; ++i) WriteOption(store_, def, i, def.field(*this, i));
  }
}

}  // namespace varnel
