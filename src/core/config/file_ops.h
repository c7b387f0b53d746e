// The file operations the settings store needs, as plain function objects so the
// core stays portable: the host uses std::filesystem, the Windows shell installs
// FlushFileBuffers + an atomic rename (src/win/platform/win_file_ops.h).
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace varnel {

// One entry of a folder listing. Only names in plain ASCII are listed: every
// file and folder the program makes itself is named so.
struct FolderEntry {
  std::string name;
  bool folder = false;
};

// What tells that a file changed behind the store. Size and time alone miss a
// same-size file moved into place (a move keeps its time), so the file's
// identity counts too where it was taken: volume serial and file index on
// Windows, device and inode elsewhere.
struct FileStamp {
  bool exists = false;
  std::uintmax_t size = 0;
  std::int64_t mtime = 0;   // any monotonic unit with the finest resolution available
  bool identified = false;  // volume and index hold the file's identity
  std::uint64_t volume = 0, index = 0;
  bool operator==(const FileStamp& o) const {
    return exists == o.exists && size == o.size && mtime == o.mtime &&
           (!identified || !o.identified || (volume == o.volume && index == o.index));
  }
  bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

struct FileOps {
  // Whole file into out; false when missing or unreadable (out left empty).
  std::function<bool(const std::filesystem::path&, std::string& out)> read;
  std::function<FileStamp(const std::filesystem::path&)> stamp;
  // Atomic replacement: a temporary file in the same folder, flushed, swapped
  // in. Afterwards the file holds either the old or the new content, never a
  // mix. Returns false when the file could not be replaced (old file kept).
  std::function<bool(const std::filesystem::path&, const std::string& content)> replace;
  // The stamp with the file's identity, where that costs more than stamp
  // (Windows opens the file for it); empty when stamp holds it already.
  std::function<FileStamp(const std::filesystem::path&)> identify;

  // Folder work for the backups. list: false when the folder cannot be read.
  std::function<bool(const std::filesystem::path&, std::vector<FolderEntry>&)> list;
  // makeFolder: true when the folder exists afterwards.
  std::function<bool(const std::filesystem::path&)> makeFolder;
  // A file or folder moved to a name that must not exist yet; never replaces.
  std::function<bool(const std::filesystem::path& from, const std::filesystem::path& to)> rename;
  // Deletes a file, or a folder that is empty; true when it is gone (a missing
  // one counts), false when it is still there.
  std::function<bool(const std::filesystem::path&)> remove;
  // A plain write of a new file, not flushed: for copies inside a folder that
  // is renamed into place only once every copy is written.
  std::function<bool(const std::filesystem::path&, const std::string& content)> write;
};

// Portable implementation (stdio + fsync + rename). Used by the host build.
const FileOps& HostFileOps();

}  // namespace varnel
