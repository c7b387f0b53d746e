#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>

#include "core/config/file_ops.h"

#if defined(_WIN32)
#include <process.h>
#define VARNEL_GETPID _getpid
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define VARNEL_GETPID getpid
#endif

namespace varnel {
namespace {

namespace fs = std::filesystem;

bool ReadWhole(const fs::path& path, std::string& out) {
  out.clear();
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  // Straight into the string: the file is read once, not copied through a stream buffer.
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) return false;
  in.seekg(0, std::ios::beg);
  out.resize(static_cast<std::size_t>(size));
  if (size > 0 && !in.read(out.data(), size)) return false;
  return true;
}

FileStamp Stamp(const fs::path& path) {
  FileStamp s;
#if !defined(_WIN32)
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return s;
  s.exists = true;
  s.size = static_cast<std::uintmax_t>(st.st_size);
  s.mtime = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  s.volume = static_cast<std::uint64_t>(st.st_dev);
  s.index = static_cast<std::uint64_t>(st.st_ino);
  s.identified = true;
  return s;
#else
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return s;
  s.size = fs::file_size(path, ec);
  if (ec) return FileStamp{};
  auto t = fs::last_write_time(path, ec);
  if (ec) return FileStamp{};
  s.mtime = static_cast<std::int64_t>(t.time_since_epoch().count());
  s.exists = true;
  return s;
#endif
}

// Temp file in the same folder (same volume, so the rename is atomic), synced,
// then renamed over the target.
bool Replace(const fs::path& path, const std::string& content) {
  static unsigned counter = 0;
  fs::path temp = path;
  temp += ".tmp" + std::to_string(VARNEL_GETPID()) + "_" + std::to_string(++counter);
  std::FILE* f = std::fopen(temp.string().c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size() && std::fflush(f) == 0;
#if !defined(_WIN32)
  ok = ok && fsync(fileno(f)) == 0;
#endif
  ok = (std::fclose(f) == 0) && ok;
  std::error_code ec;
  if (ok) {
    std::error_code dirEc;
    if (fs::is_directory(path, dirEc)) ok = false;  // never replace a folder
  }
  if (ok) fs::rename(temp, path, ec);
  if (!ok || ec) {
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

bool IsAscii(const std::string& name) {
  for (unsigned char c : name)
    if (c >= 0x80) return false;
  return true;
}

bool List(const fs::path& folder, std::vector<FolderEntry>& out) {
  out.clear();
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return false;
  for (const fs::directory_entry& e : it) {
    const std::string name = e.path().filename().string();
    if (IsAscii(name)) out.push_back({name, e.is_directory(ec)});
  }
  return true;
}

bool MakeFolder(const fs::path& folder) {
  std::error_code ec;
  fs::create_directory(folder, ec);
  return fs::is_directory(folder, ec);
}

bool RenameNew(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  if (fs::exists(fs::symlink_status(to, ec))) return false;
  fs::rename(from, to, ec);
  return !ec;
}

bool Remove(const fs::path& path) {
  std::error_code ec;
  fs::remove(path, ec);
  if (ec) return false;
  // A missing path sets ec here too: only the status answers.
  return !fs::exists(fs::symlink_status(path, ec));
}

bool WritePlain(const fs::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  return out.write(content.data(), static_cast<std::streamsize>(content.size())) && out.flush();
}

}  // namespace

const FileOps& HostFileOps() {
  static const FileOps ops{ReadWhole,  Stamp,     Replace, nullptr,   List,
                           MakeFolder, RenameNew, Remove,  WritePlain};
  return ops;
}

}  // namespace varnel
