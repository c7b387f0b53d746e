#include "core/config/profile_store.h"

#include <cstdio>

#include "core/config/ini_document.h"
#include "core/text/cp932.h"

namespace varnel {

ProfileStore::ProfileStore() : doc_(std::make_unique<IniDocument>()) {}
ProfileStore::~ProfileStore() = default;

void ProfileStore::Open(const StoreEnv& env, bool registryPermitted, const char* defaultSection,
                        const std::filesystem::path* path, const char* profileName) {
  env_ = &env;
  profile_ = profileName ? profileName : "Varnel";
  if (!path) {
    fileName_ = env.programPath;
    fileName_.replace_extension(".ini");
  } else if (path->has_root_name() || path->has_root_directory()) {
    fileName_ = *path;
  } else {
    fileName_ = env.programPath.parent_path() / *path;
  }
  loaded_ = false;
  dirty_ = false;
  batchDepth_ = 0;
  lastWriteOk_ = true;
  useIni_ = true;
  // One look at the file for both reads.
  Batch batch(*this);

  std::string useReg = ReadRaw("Default", "UseReg", "#", 2);
  if (useReg == "#") {
    useReg = env.registry.read ? env.registry.read(profile_, "Default", "UseReg", "0", 4) : "0";
  }
  useIni_ = !(registryPermitted && !useReg.empty() && useReg[0] == '2');

  const char* def = defaultSection ? defaultSection : "Default";
  section_ = ReadRaw("Default", "Section", def, 260);
  if (section_.empty()) section_ = def;
}

FileStamp ProfileStore::LookAtFile(bool identify) const {
  return identify && env_->files.identify ? env_->files.identify(fileName_) : env_->files.stamp(fileName_);
}

const IniDocument& ProfileStore::Load(bool identify) {
  // Inside a batch the file is ours: one check at its start is enough, also
  // when it found the file unreadable (each look would wait for it again).
  if ((loaded_ || unreadable_) && batchDepth_ > 0) return *doc_;
  FileStamp now = LookAtFile(identify);
  if (now == stamp_ && now.identified && !stamp_.identified) stamp_ = now;
  if (!loaded_ || (now != stamp_ && !dirty_)) {
    std::string bytes;
    bool read = env_->files.read(fileName_, bytes);
    // A file that exists but cannot be read (held by another program) must not be
    // taken for an empty one: a write would then replace it with a single key.
    unreadable_ = !read && now.exists;
    if (!unreadable_ || !loaded_) doc_->Parse(unreadable_ ? std::string() : std::move(bytes));
    stamp_ = now;
    loaded_ = !unreadable_;
  }
  return *doc_;
}

std::string ProfileStore::ReadRaw(const char* section, const char* key, const char* def,
                                  std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  const char* sec = section ? section : section_.c_str();
  if (env_ && useIni_) {
    auto v = Load().Get(sec, key ? key : "");
    const std::string_view value = v ? *v : std::string_view(def ? def : "");
    return std::string(value.substr(0, cp932::CutLength(value, bufferSize - 1)));
  }
  std::string value = env_ && env_->registry.read
                          ? env_->registry.read(profile_, sec, key ? key : "", def ? def : "", bufferSize)
                          : std::string(def ? def : "");
  value.resize(cp932::CutLength(value, bufferSize - 1));
  return value;
}

bool ProfileStore::HasKey(const char* key, const char* section) {
  if (!env_ || !useIni_) return ReadRaw(section, key, "\x01", 3) != "\x01";
  return Load().Get(section ? section : section_.c_str(), key ? key : "").has_value();
}

bool ProfileStore::ForEachKey(const char* section, const KeyVisitor& visit) {
  if (!env_) return true;  // no file: an empty section, as for every read
  if (!useIni_) return false;
  Load().ForEachKey(section ? section : section_.c_str(), visit);
  return true;
}

int ProfileStore::ReadInt(const char* key, const char* defaultText, int min, int max, const char* section) {
  std::string text = ReadRaw(section, key, defaultText ? defaultText : "", 32);
  return Clamp(static_cast<int>(static_cast<std::int32_t>(ParseNumber(text))), min, max);
}

std::string ProfileStore::ReadString(const char* key, const char* defaultText, std::size_t bufferSize,
                                     const char* section) {
  std::string text = ReadRaw(section, key, defaultText ? defaultText : "", bufferSize);
  if (text.empty() && bufferSize > 0) text = cp932::Cut(defaultText ? defaultText : "", bufferSize - 1);
  return text;
}

bool ProfileStore::ReadBool(const char* key, const char* defaultText, const char* section) {
  return ReadInt(key, defaultText, 0, 1, section) == 1;
}

int ProfileStore::ReadColor(const char* key, int defaultValue, const char* section) {
  std::string text = ReadRaw(section, key, "#", 32);
  if (text.empty() || text[0] != '#') {
    if (!text.empty() && text[0] == '-') return -1;
    return static_cast<int>(static_cast<std::int32_t>(ParseNumber(text)));
  }
  return defaultValue;
}

void ProfileStore::IniWrite(const char* section, const char* key, const char* text) {
  Load();
  if (doc_->Set(section, key, text)) {
    dirty_ = true;
    Commit();
  }
}

bool ProfileStore::Commit() {
  if (batchDepth_ > 0 || !dirty_) return true;
  if (unreadable_) {
    lastWriteOk_ = false;
    return false;
  }
  bool ok = env_->files.replace(fileName_, doc_->Serialize());
  lastWriteOk_ = ok;
  if (ok) {
    dirty_ = false;
    stamp_ = LookAtFile(true);
  }
  return ok;
}

void ProfileStore::WriteString(const char* key, const char* text, const char* section) {
  if (!env_ || !key) return;
  const char* sec = section ? section : section_.c_str();
  if (useIni_) {
    IniWrite(sec, key, text);
  } else if (env_->registry.write) {
    env_->registry.write(profile_, sec, key, text);
  }
}

void ProfileStore::WriteInt(const char* key, int value, const char* section) {
  WriteString(key, std::to_string(value).c_str(), section);
}

void ProfileStore::WriteBool(const char* key, int value, const char* section) {
  WriteString(key, value ? "1" : "0", section);
}

void ProfileStore::WriteColor(const char* key, int value, const char* section) {
  char buf[16];
  if (value < 0)
    std::snprintf(buf, sizeof buf, "-1");
  else
    std::snprintf(buf, sizeof buf, "0x%06X", static_cast<unsigned>(value));
  WriteString(key, buf, section);
}

void ProfileStore::RetainKeys(const char* section, const std::vector<std::string>& keys) {
  if (!env_) return;
  const char* sec = section ? section : section_.c_str();
  if (useIni_) {
    Load();
    if (doc_->RetainKeys(sec, keys)) {
      dirty_ = true;
      Commit();
    }
  }
  // Note files, the only users, are always INI files.
}

void ProfileStore::ClearSection(const char* section) {
  if (!env_) return;
  const char* sec = section ? section : section_.c_str();
  if (useIni_) {
    Load();
    if (doc_->RemoveSection(sec)) {
      dirty_ = true;
      Commit();
    }
  } else if (env_->registry.clearSection) {
    env_->registry.clearSection(profile_, sec);
  }
}

void ProfileStore::BeginBatch() {
  // The check comes before the depth goes up: inside a batch Load trusts what it has.
  if (batchDepth_ == 0 && env_ && useIni_) Load(true);
  ++batchDepth_;
}

bool ProfileStore::EndBatch() {
  if (batchDepth_ == 0) return true;
  if (--batchDepth_ > 0 || !env_) return true;
  return Commit();
}

namespace {

// Digits of base from text[i] up to the first other character. Unsigned, so
// long digit runs wrap instead of overflowing.
std::uint64_t ParseDigits(std::string_view text, std::size_t i, unsigned base) {
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    unsigned d;
    if (c >= '0' && c <= '9')
      d = static_cast<unsigned>(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = static_cast<unsigned>(c - 'a' + 10);
    else if (base == 16 && c >= 'A' && c <= 'F')
      d = static_cast<unsigned>(c - 'A' + 10);
    else
      break;
    value = value * base + d;
  }
  return value;
}

}  // namespace

std::int64_t ParseNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && text[i] == '-') {
    negative = true;
    ++i;
  } else if (i < text.size() && text[i] == '+') {
    ++i;
  }
  unsigned base = 10;
  if (i + 1 < text.size() && ((text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) ||
                              (text[i] == '&' && (text[i + 1] == 'h' || text[i + 1] == 'H')))) {
    base = 16;
    i += 2;
  }
  std::uint64_t value = ParseDigits(text, i, base);
  if (negative) value = 0 - value;
  return static_cast<std::int64_t>(value);
}

std::int64_t ParseField(std::string_view text, int length, int asIs) {
  std::size_t n = length < 0 ? 0 : static_cast<std::size_t>(length);
  if (n > 29) n = 29;
  text = text.substr(0, n);
  // Hexadecimal digits only, from the first character: no blanks, sign or prefix.
  // A NUL byte ends them like any other character.
  if (asIs == 0) return static_cast<std::int64_t>(ParseDigits(text, 0, 16));
  if (std::size_t nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
  return ParseNumber(text);
}

}  // namespace varnel
