#include "win/platform/win_file_ops.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "win/platform/holders.h"

namespace varnel::win {
namespace {

// A virus scanner or an editor may hold the file for a moment; wait for it a
// little instead of losing the write.
constexpr int kRetries = 5;
constexpr DWORD kRetryDelayMs = 50;

// Attributes the user may have set on the old file that must survive a
// replacement.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool IsTransient(DWORD err) {
  return err == ERROR_SHARING_VIOLATION || err == ERROR_LOCK_VIOLATION || err == ERROR_ACCESS_DENIED ||
         err == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

std::wstring FullPath(const std::filesystem::path& path) {
  std::wstring p = path.wstring();
  for (wchar_t& c : p)
    if (c == L'/') c = L'\\';
  if (p.empty()) return {};
  if (p.rfind(L"\\\\?\\", 0) == 0) return p;
  DWORD n = GetFullPathNameW(p.c_str(), 0, nullptr, nullptr);
  if (n == 0) return {};
  std::wstring full(n, L'\0');
  n = GetFullPathNameW(p.c_str(), n, full.data(), nullptr);
  if (n == 0 || n >= full.size()) return {};
  full.resize(n);
  return full;
}

// The classic rules stop at MAX_PATH; the margin of 12 is what a folder name
// must leave for an 8.3 file name inside it.
std::wstring LongPathForm(const std::wstring& full) {
  if (full.size() < MAX_PATH - 12 || full.rfind(L"\\\\?\\", 0) == 0) return full;
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

bool ReadWhole(const std::filesystem::path& path, std::string& out) {
  out.clear();
  std::wstring name = ApiPath(path);
  if (name.empty()) return false;
  for (int attempt = 0;; ++attempt) {
    FileHandle h(CreateFileW(name.c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!h) {
      DWORD err = GetLastError();
      // Access denied is also what a folder gives: not worth waiting for.
      if ((err == ERROR_SHARING_VIOLATION || err == ERROR_LOCK_VIOLATION) && attempt < kRetries) {
        Sleep(kRetryDelayMs);
        continue;
      }
      return false;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(h.Get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > out.max_size())
      return false;
    std::string data(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < data.size()) {
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 30));
      DWORD got = 0;
      if (!ReadFile(h.Get(), data.data() + done, chunk, &got, nullptr)) return false;
      if (got == 0) break;  // the file shrank while we read it
      done += got;
    }
    data.resize(done);
    out = std::move(data);
    return true;
  }
}

FileStamp Stamp(const std::filesystem::path& path) {
  FileStamp s;
  std::wstring name = ApiPath(path);
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (name.empty() || !GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &d)) return s;
  if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return s;
  s.exists = true;
  s.size = (static_cast<std::uintmax_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
  s.mtime = static_cast<std::int64_t>((static_cast<std::uint64_t>(d.ftLastWriteTime.dwHighDateTime) << 32) |
                                      d.ftLastWriteTime.dwLowDateTime);
  return s;
}

// Opened for no access at all, so it is in nobody's way; the handle gives the
// file's identity, which tells a same-size file moved into place. An open
// costs far more than a look at the attributes, so the store asks for this
// once a batch, not at every key.
FileStamp Identify(const std::filesystem::path& path) {
  std::wstring name = ApiPath(path);
  if (name.empty()) return {};
  FileHandle h(CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!h || !GetFileInformationByHandle(h.Get(), &info)) return Stamp(path);
  FileStamp s;
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return s;
  s.exists = true;
  s.size = (static_cast<std::uintmax_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  s.mtime =
      static_cast<std::int64_t>((static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                                info.ftLastWriteTime.dwLowDateTime);
  s.identified = true;
  s.volume = info.dwVolumeSerialNumber;
  s.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return s;
}

// Creates a new file beside the target and writes content to it, flushed to
// the disk. Returns its name in the wide API's form, or empty on failure
// (nothing left behind).
std::wstring WriteTemp(const std::wstring& targetFull, const std::string& content) {
  static LONG counter = 0;
  for (int tries = 0; tries < 100; ++tries) {
    std::wstring name = LongPathForm(targetFull + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                     std::to_wstring(InterlockedIncrement(&counter)) + L".tmp");
    FileHandle h(
        CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) {
      if (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS) continue;
      return {};
    }
    bool ok = true;
    size_t done = 0;
    while (ok && done < content.size()) {
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 30));
      DWORD put = 0;
      ok = WriteFile(h.Get(), content.data() + done, chunk, &put, nullptr) && put == chunk;
      done += put;
    }
    ok = ok && FlushFileBuffers(h.Get());
    ok = h.Reset() && ok;
    if (ok) return name;
    DeleteFileW(name.c_str());
    return {};
  }
  return {};
}

bool MoveIn(const std::wstring& temp, const std::wstring& target) {
  return MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Replace(const std::filesystem::path& path, const std::string& content) {
  std::wstring full = FullPath(path);
  if (full.empty()) return false;
  std::wstring target = LongPathForm(full);
  DWORD attrs = GetFileAttributesW(target.c_str());
  bool oldExists = attrs != INVALID_FILE_ATTRIBUTES;
  // A folder in the way, or a file the user made read-only: refuse, as the
  // profile API does, before anything is written.
  if (oldExists && (attrs & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) return false;

  std::wstring temp = WriteTemp(full, content);
  if (temp.empty()) return false;

  // A rename over the old file, not ReplaceFileW: ReplaceFileW sets the old
  // file aside before it moves the new one in (under Wine it deletes it), so a
  // kill between the two steps left no file at all. The attributes that matter
  // are copied onto the new file first.
  if (oldExists) SetFileAttributesW(temp.c_str(), attrs & kKeptAttributes);
  for (int attempt = 0;; ++attempt) {
    if (MoveIn(temp, target)) return true;
    if (!IsTransient(GetLastError()) || attempt >= kRetries) break;
    Sleep(kRetryDelayMs);
  }
  DeleteFileW(temp.c_str());
  return false;
}

bool List(const std::filesystem::path& folder, std::vector<FolderEntry>& out) {
  out.clear();
  std::wstring pattern = ApiPath(folder);
  if (pattern.empty()) return false;
  pattern += L"\\*";
  WIN32_FIND_DATAW found;
  FindHandle h(FindFirstFileW(pattern.c_str(), &found));
  if (!h) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    std::string name;
    for (const wchar_t* c = found.cFileName; *c && name.size() < MAX_PATH; ++c) {
      if (*c >= 0x80) {
        name.clear();
        break;
      }
      name += static_cast<char>(*c);
    }
    if (name.empty() || name == "." || name == "..") continue;
    out.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(h.Get(), &found));
  return true;
}

bool MakeFolder(const std::filesystem::path& folder) {
  const std::wstring name = ApiPath(folder);
  if (name.empty()) return false;
  if (CreateDirectoryW(name.c_str(), nullptr)) return true;
  const DWORD attrs = GetFileAttributesW(name.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool RenameNew(const std::filesystem::path& from, const std::filesystem::path& to) {
  const std::wstring a = ApiPath(from), b = ApiPath(to);
  // No REPLACE_EXISTING: a name already taken is never overwritten.
  return !a.empty() && !b.empty() && MoveFileExW(a.c_str(), b.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool Remove(const std::filesystem::path& path) {
  const std::wstring name = ApiPath(path);
  if (name.empty()) return false;
  const DWORD attrs = GetFileAttributesW(name.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) {
    const DWORD err = GetLastError();
    return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND;  // already gone
  }
  if (attrs & FILE_ATTRIBUTE_DIRECTORY) return RemoveDirectoryW(name.c_str()) != 0;
  // A copy the user made read-only inside a backup still goes with its backup.
  if (attrs & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(name.c_str(), attrs & ~FILE_ATTRIBUTE_READONLY);
  for (int attempt = 0;; ++attempt) {
    if (DeleteFileW(name.c_str())) return true;
    const DWORD err = GetLastError();
    if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) return true;
    if (!IsTransient(err) || attempt >= kRetries) return false;
    Sleep(kRetryDelayMs);
  }
}

bool WritePlain(const std::filesystem::path& path, const std::string& content) {
  const std::wstring name = ApiPath(path);
  if (name.empty()) return false;
  FileHandle h(
      CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h) return false;
  size_t done = 0;
  while (done < content.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 30));
    DWORD put = 0;
    if (!WriteFile(h.Get(), content.data() + done, chunk, &put, nullptr) || put != chunk) return false;
    done += put;
  }
  return h.Reset();
}

}  // namespace

std::wstring ApiPath(const std::filesystem::path& path) { return LongPathForm(FullPath(path)); }

const varnel::FileOps& WinFileOps() {
  static const varnel::FileOps ops{ReadWhole,  Stamp,     Replace, Identify,  List,
                                   MakeFolder, RenameNew, Remove,  WritePlain};
  return ops;
}

}  // namespace varnel::win
