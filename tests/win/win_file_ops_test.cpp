// The Windows file operations of the settings store, on a real (Wine) file
// system: atomic replacement, attributes, refusals, long paths, held files.
#include "win/platform/win_file_ops.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "win/platform/text_convert.h"
#include "win_check.h"

namespace fs = std::filesystem;
using varnel::FileStamp;
using varnel::win::ApiPath;
using varnel::win::WinFileOps;

namespace {

std::string Narrow(const fs::path& p) { return varnel::win::FromWide(p.wstring()); }

bool WriteRaw(const fs::path& p, const std::string& bytes) {
  HANDLE h = CreateFileW(ApiPath(p).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD put = 0;
  bool ok =
      WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) && put == bytes.size();
  CloseHandle(h);
  return ok;
}

std::string ReadBack(const fs::path& p) {
  std::string s;
  if (!WinFileOps().read(p, s)) return "<unreadable>";
  return s;
}

// Names in a folder, to see that no temporary file was left behind.
std::vector<std::wstring> List(const fs::path& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW d;
  HANDLE h = FindFirstFileW((ApiPath(folder) + L"\\*").c_str(), &d);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring n = d.cFileName;
    if (n != L"." && n != L"..") names.push_back(n);
  } while (FindNextFileW(h, &d));
  FindClose(h);
  return names;
}

bool OnlyEntryIs(const fs::path& folder, const std::wstring& name) {
  auto names = List(folder);
  if (names.size() == 1 && names[0] == name) return true;
  for (const auto& n : names) std::printf("  found: %s\n", varnel::win::FromWide(n).c_str());
  return false;
}

void RemoveTree(const fs::path& p) {
  std::wstring api = ApiPath(p);
  DWORD a = GetFileAttributesW(api.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return;
  if (a & FILE_ATTRIBUTE_DIRECTORY) {
    for (const auto& n : List(p)) RemoveTree(p / n);
    RemoveDirectoryW(api.c_str());
  } else {
    SetFileAttributesW(api.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(api.c_str());
  }
}

fs::path MakeFolder(const fs::path& p) {
  CreateDirectoryW(ApiPath(p).c_str(), nullptr);
  return p;
}

void TestReplaceCreatesAndReplaces(const fs::path& root) {
  std::printf("replace creates a missing file and replaces an existing one\n");
  fs::path dir = MakeFolder(root / L"basic");
  fs::path file = dir / L"note.ini";
  std::string out = "stale";
  CHECK(!WinFileOps().read(file, out));
  CHECK(out.empty());
  CHECK(!WinFileOps().stamp(file).exists);

  CHECK(WinFileOps().replace(file, "[Default]\r\nAlpha=255\r\n"));
  CHECK(ReadBack(file) == "[Default]\r\nAlpha=255\r\n");
  CHECK(WinFileOps().stamp(file).exists);
  CHECK(WinFileOps().stamp(file).size == 22);

  // Every byte value, more than one buffer's worth, survives the round trip.
  std::string big;
  for (int i = 0; i < 300000; ++i) big.push_back(static_cast<char>(i * 7 % 256));
  CHECK(WinFileOps().replace(file, big));
  CHECK(ReadBack(file) == big);

  CHECK(WinFileOps().replace(file, ""));
  CHECK(WinFileOps().read(file, out));
  CHECK(out.empty());
  CHECK(WinFileOps().stamp(file).exists);
  CHECK(OnlyEntryIs(dir, L"note.ini"));

  // A Japanese folder and file name, as users name their data folders.
  fs::path jp = root / L"メモ帳";
  if (!CreateDirectoryW(ApiPath(jp).c_str(), nullptr)) {
    // Wine maps names through the Unix locale; without a UTF-8 LC_CTYPE it
    // cannot store non-ASCII names at all.
    std::printf("  (this file system cannot store Japanese names, error %lu; check skipped)\n",
                GetLastError());
    return;
  }
  CHECK(WinFileOps().replace(jp / L"付箋.ini", "[1]\r\n見出し=買い物\r\n"));
  CHECK(ReadBack(jp / L"付箋.ini") == "[1]\r\n見出し=買い物\r\n");
  CHECK(OnlyEntryIs(jp, L"付箋.ini"));
}

void TestAttributesAndRefusals(const fs::path& root) {
  std::printf("attributes kept; read-only file and folder refused cleanly\n");
  fs::path dir = MakeFolder(root / L"attrs");
  fs::path file = dir / L"hidden.ini";
  CHECK(WriteRaw(file, "old"));
  SetFileAttributesW(ApiPath(file).c_str(), FILE_ATTRIBUTE_HIDDEN);
  if (!(GetFileAttributesW(ApiPath(file).c_str()) & FILE_ATTRIBUTE_HIDDEN)) {
    std::printf("  (this file system does not keep the hidden attribute; check skipped)\n");
  } else {
    CHECK(WinFileOps().replace(file, "new"));
    CHECK(ReadBack(file) == "new");
    DWORD a = GetFileAttributesW(ApiPath(file).c_str());
    CHECK(a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_HIDDEN));
    CHECK(OnlyEntryIs(dir, L"hidden.ini"));
  }

  fs::path ro = dir / L"readonly.ini";
  CHECK(WriteRaw(ro, "keep me"));
  SetFileAttributesW(ApiPath(ro).c_str(), FILE_ATTRIBUTE_READONLY);
  CHECK(!WinFileOps().replace(ro, "lost"));
  CHECK(ReadBack(ro) == "keep me");
  SetFileAttributesW(ApiPath(ro).c_str(), FILE_ATTRIBUTE_NORMAL);

  fs::path folder = MakeFolder(dir / L"folder.ini");
  CHECK(!WinFileOps().replace(folder, "text"));
  std::string out = "stale";
  CHECK(!WinFileOps().read(folder, out));
  CHECK(out.empty());
  CHECK(!WinFileOps().stamp(folder).exists);
  CHECK(List(folder).empty());

  // A folder that does not exist: nothing to create the file in.
  CHECK(!WinFileOps().replace(dir / L"missing" / L"a.ini", "text"));

  auto names = List(dir);
  CHECK(names.size() == 3);  // hidden.ini, readonly.ini, folder.ini: no temporary files
  for (const auto& n : names) CHECK(n.find(L".tmp") == std::wstring::npos);
}

void TestLongPath(const fs::path& root) {
  std::printf("folder path longer than 260 characters\n");
  fs::path dir = root;
  while (dir.wstring().size() < 300) dir = MakeFolder(dir / std::wstring(40, L'd'));
  std::printf("  folder path of %zu characters\n", dir.wstring().size());
  fs::path file = dir / L"long.ini";
  CHECK(WinFileOps().replace(file, "first"));
  CHECK(WinFileOps().replace(file, "second"));
  CHECK(ReadBack(file) == "second");
  FileStamp s = WinFileOps().stamp(file);
  CHECK(s.exists && s.size == 6);
  CHECK(OnlyEntryIs(dir, L"long.ini"));
  // Relative spellings are made absolute the same way.
  CHECK(ApiPath(dir / L"x" / L".." / L"long.ini") == ApiPath(file));
  CHECK(ApiPath(file).rfind(L"\\\\?\\", 0) == 0);
  CHECK(ApiPath(root / L"short.ini").rfind(L"\\\\?\\", 0) != 0 || root.wstring().size() >= MAX_PATH - 12);
}

// Opened for reading without FILE_SHARE_DELETE, as a scanner or an editor does.
HANDLE Hold(const fs::path& p) {
  return CreateFileW(ApiPath(p).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void TestHeldFile(const fs::path& root) {
  std::printf("file held open by another program\n");
  fs::path dir = MakeFolder(root / L"held");
  fs::path file = dir / L"held.ini";

  // Released within the retry window.
  CHECK(WriteRaw(file, "old content"));
  HANDLE h = Hold(file);
  CHECK(h != INVALID_HANDLE_VALUE);
  std::thread release([h] {
    Sleep(80);
    CloseHandle(h);
  });
  auto t0 = std::chrono::steady_clock::now();
  bool ok = WinFileOps().replace(file, "new content");
  auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
  release.join();
  std::printf("  released after 80 ms: replace %s after %lld ms\n", ok ? "succeeded" : "failed",
              static_cast<long long>(ms));
  CHECK(ReadBack(file) == (ok ? "new content" : "old content"));
  CHECK(OnlyEntryIs(dir, L"held.ini"));

  // Held for longer than the retries last: never a torn or lost file.
  CHECK(WriteRaw(file, "old content"));
  h = Hold(file);
  CHECK(h != INVALID_HANDLE_VALUE);
  t0 = std::chrono::steady_clock::now();
  ok = WinFileOps().replace(file, "newer content");
  ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
  std::string seen;
  CHECK(WinFileOps().read(file, seen));  // reading never waits for the holder
  CloseHandle(h);
  std::printf("  held throughout: replace %s after %lld ms\n", ok ? "succeeded" : "failed",
              static_cast<long long>(ms));
  CHECK(seen == (ok ? "newer content" : "old content"));
  CHECK(ReadBack(file) == (ok ? "newer content" : "old content"));
  CHECK(ms < 2000);  // a few short retries, not a hang
  CHECK(OnlyEntryIs(dir, L"held.ini"));

  // A writer that shares everything (another instance reading the file) does
  // not stop a read.
  HANDLE w =
      CreateFileW(ApiPath(file).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  CHECK(w != INVALID_HANDLE_VALUE);
  std::string during;
  CHECK(WinFileOps().read(file, during));
  CHECK(during == ReadBack(file));
  CloseHandle(w);
}

void TestStamps(const fs::path& root) {
  std::printf("stamps change after a write\n");
  fs::path dir = MakeFolder(root / L"stamps");
  fs::path file = dir / L"s.ini";
  CHECK(WinFileOps().replace(file, "AAAA"));
  FileStamp a = WinFileOps().stamp(file);
  CHECK(a == WinFileOps().stamp(file));
  Sleep(30);
  CHECK(WinFileOps().replace(file, "BBBB"));  // same size: only the time tells
  FileStamp b = WinFileOps().stamp(file);
  CHECK(b.exists && b.size == 4);
  CHECK(a != b);
  Sleep(30);
  CHECK(WriteRaw(file, "CCCCC"));  // changed by hand, outside the store
  FileStamp c = WinFileOps().identify(file);
  CHECK(c != b);
  CHECK(c.size == 5);
  // Same size and time, moved into place (an exchange of notes does that):
  // only the file's identity tells.
  fs::path other = dir / L"other.ini";
  CHECK(WriteRaw(other, "DDDDD"));
  HANDLE from = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE to = CreateFileW(other.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME t{};
  CHECK(GetFileTime(from, nullptr, nullptr, &t) && SetFileTime(to, nullptr, nullptr, &t));
  CloseHandle(from);
  CloseHandle(to);
  CHECK(MoveFileExW(other.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING));
  FileStamp d = WinFileOps().identify(file);
  CHECK(d.size == c.size && d.mtime == c.mtime);
  CHECK(d != c);
}

}  // namespace

int main() {
  wchar_t tmp[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, tmp);
  if (n == 0 || n > MAX_PATH) {
    std::printf("no temporary folder\n");
    return 2;
  }
  fs::path root = fs::path(tmp) / (L"varnel-fileops-" + std::to_wstring(GetCurrentProcessId()));
  RemoveTree(root);
  if (!CreateDirectoryW(root.c_str(), nullptr)) {
    std::printf("cannot create %s\n", Narrow(root).c_str());
    return 2;
  }
  TestReplaceCreatesAndReplaces(root);
  TestAttributesAndRefusals(root);
  TestLongPath(root);
  TestHeldFile(root);
  TestStamps(root);
  RemoveTree(root);
  CHECK(GetFileAttributesW(root.c_str()) == INVALID_FILE_ATTRIBUTES);
  std::printf("%d checks, %d failed\n", g_checks, g_failures);
  return g_failures == 0 ? 0 : 1;
}
