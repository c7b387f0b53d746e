// ProfileStore: our own INI engine. Reads files by the rules of the Windows
// profile API (GetPrivateProfileStringA) on the same bytes and writes the same
// layout, but keeps the parsed file in memory (checked against the file's
// size/mtime before use) and replaces the file atomically on every write.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/file_ops.h"

namespace varnel {

// The registry back end lives in the Windows shell; the core only calls it.
// Values under HKCU\Software\Orvik\<profile>\<section>.
struct RegistryOps {
  // Value or default; the result holds at most size-1 bytes.
  std::function<std::string(const std::string& profile, const std::string& section, const std::string& key,
                            const std::string& def, std::size_t size)>
      read;
  // text null deletes the value.
  std::function<void(const std::string& profile, const std::string& section, const std::string& key,
                     const char* text)>
      write;
  std::function<void(const std::string& profile, const std::string& section)> clearSection;
};

// What a store needs from its surroundings. Must outlive the stores using it.
struct StoreEnv {
  std::filesystem::path programPath;  // full path of the executable
  FileOps files = HostFileOps();
  RegistryOps registry;  // empty functions: no registry (host)
};

class IniDocument;  // parsed file content (profile_store.cpp)

class ProfileStore {
 public:
  ProfileStore();
  ~ProfileStore();
  ProfileStore(const ProfileStore&) = delete;
  ProfileStore& operator=(const ProfileStore&) = delete;

  // path null: program path with extension ".ini"; absolute (drive or root):
  // as given; else relative to the program's folder. May be called again.
  void Open(const StoreEnv& env, bool registryPermitted, const char* defaultSection,
            const std::filesystem::path* path, const char* profileName);

  // Every read: section null means the current section. bufferSize is the
  // caller's buffer including the terminating zero, as the profile API takes it;
  // a longer value is cut on a whole CP932 character.
  int ReadInt(const char* key, const char* defaultText, int min, int max, const char* section = nullptr);
  std::string ReadString(const char* key, const char* defaultText, std::size_t bufferSize,
                         const char* section = nullptr);
  bool ReadBool(const char* key, const char* defaultText, const char* section = nullptr);
  int ReadColor(const char* key, int defaultValue, const char* section = nullptr);
  // Raw back-end read: the value, or def when the key is absent (no empty->default rule).
  std::string ReadRaw(const char* section, const char* key, const char* def, std::size_t bufferSize);
  bool HasKey(const char* key, const char* section = nullptr);
  // Every key line of the section in file order, with the name and the whole
  // value a read would see (not cut); a repeated name comes again, while reads
  // take the first. The views are valid until the next call on this store.
  // False when the back end cannot list keys (registry): nothing is visited.
  using KeyVisitor = std::function<void(std::string_view name, std::string_view value)>;
  bool ForEachKey(const char* section, const KeyVisitor& visit);

  void WriteInt(const char* key, int value, const char* section = nullptr);
  void WriteString(const char* key, const char* text, const char* section = nullptr);  // null removes
  void WriteBool(const char* key, int value, const char* section = nullptr);
  void WriteColor(const char* key, int value, const char* section = nullptr);
  void ClearSection(const char* section);
  // Removes every key of the section that is not in keys (and repeated keys).
  void RetainKeys(const char* section, const std::vector<std::string>& keys);

  // Groups writes into one replacement of the file: nothing reaches the disk
  // until the outermost EndBatch, and unchanged content is not written at all.
  void BeginBatch();
  bool EndBatch();  // false when the final replacement failed
  class Batch {
   public:
    explicit Batch(ProfileStore& s) : s_(s) { s_.BeginBatch(); }
    ~Batch() { s_.EndBatch(); }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    ProfileStore& s_;
  };

  const std::filesystem::path& FileName() const { return fileName_; }
  const std::string& CurrentSection() const { return section_; }
  const std::string& ProfileName() const { return profile_; }
  bool UsesIni() const { return useIni_; }
  // False when the last write could not reach the disk (kept in memory).
  bool LastWriteOk() const { return lastWriteOk_; }

 private:
  // Parsed content, refreshed when the file changed; identify: also by the
  // file's identity (done at a batch's start, where it may cost more).
  const IniDocument& Load(bool identify = false);
  FileStamp LookAtFile(bool identify) const;
  bool Commit();  // write the document unless batching
  void IniWrite(const char* section, const char* key, const char* text);

  const StoreEnv* env_ = nullptr;
  std::string profile_ = "Varnel";
  bool useIni_ = true;
  std::filesystem::path fileName_;
  std::string section_ = "Default";
  std::unique_ptr<IniDocument> doc_;
  FileStamp stamp_;
  bool loaded_ = false;
  bool unreadable_ = false;  // the file exists but could not be read: no writes
  int batchDepth_ = 0;
  bool dirty_ = false;
  bool lastWriteOk_ = true;
};

// Number helpers shared by every reader of packed texts.
std::int64_t ParseNumber(std::string_view text);
// At most 29 characters of text[0..length); asIs 0 reads them as hexadecimal.
std::int64_t ParseField(std::string_view text, int length, int asIs);
template <typename T>
constexpr T Clamp(T value, T low, T high) {
  return value < low ? low : (value > high ? high : value);
}

}  // namespace varnel
