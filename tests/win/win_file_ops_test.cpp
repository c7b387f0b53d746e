// The Windows file operations of the settings store, on a real (Wine) file system: atomic
// replacement, attributes, refusals, long paths, held files, stamps.
#include <algorithm>

#include "win_check.h"

namespace fs = std::filesystem;
using varnel::FileStamp;
using varnel::win::ApiPath;

namespace {

const varnel::FileOps& Ops() { return varnel::win::WinFileOps(); }

// Written behind the store's back, as by hand or by another program.
bool WriteRaw(const fs::path& p, const std::string& bytes) {
  HANDLE h = CreateFileW(ApiPath(p).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  DWORD put = 0;
  const bool ok = h != INVALID_HANDLE_VALUE &&
                  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
                  put == bytes.size();
  CloseHandle(h);
  return ok;
}

std::string ReadBack(const fs::path& p) {
  std::string s;
  return Ops().read(p, s) ? s : "<unreadable>";
}

// The folder holds these names and nothing else: no temporary file left behind.
bool Holds(const fs::path& folder, std::vector<std::wstring> names) {
  std::vector<std::wstring> found = FolderEntries(folder);
  std::sort(found.begin(), found.end());
  std::sort(names.begin(), names.end());
  return found == names;
}

fs::path MakeFolder(const fs::path& p) {
  CreateDirectoryW(ApiPath(p).c_str(), nullptr);
  return p;
}

void TestReplace(const fs::path& root) {
  const fs::path dir = MakeFolder(root / L"basic"), file = dir / L"note.ini";
  std::string out = "stale";
  CHECK(!Ops().read(file, out) && out.empty() && !Ops().stamp(file).exists);
  // Every byte value, more than one buffer's worth, survives the round trip; so does nothing.
  std::string big;
  for (int i = 0; i < 300000; ++i) big.push_back(static_cast<char>(i * 7 % 256));
  for (const std::string& content : {big, std::string()}) {
    const bool replaced = Ops().replace(file, content);
    const FileStamp s = Ops().stamp(file);
    CHECK_AT(replaced && ReadBack(file) == content && s.exists && s.size == content.size(),
             std::to_string(content.size()));
  }
  CHECK(Holds(dir, {L"note.ini"}));

  // A Japanese folder and file name, as users name their data folders. Wine maps names
  // through the Unix locale; without a UTF-8 LC_CTYPE it cannot store them at all.
  const fs::path jp = root / L"メモ帳";
  if (!CreateDirectoryW(ApiPath(jp).c_str(), nullptr))
    return (void)std::printf("  (no Japanese names here, error %lu; check skipped)\n", GetLastError());
  CHECK(Ops().replace(jp / L"付箋.ini", "[1]\r\n見出し=買い物\r\n"));
  CHECK(ReadBack(jp / L"付箋.ini") == "[1]\r\n見出し=買い物\r\n" && Holds(jp, {L"付箋.ini"}));
}

void TestAttributesAndRefusals(const fs::path& root) {
  const fs::path dir = MakeFolder(root / L"attrs"), hidden = dir / L"hidden.ini", ro = dir / L"readonly.ini";
  CHECK(WriteRaw(hidden, "old") && WriteRaw(ro, "keep me"));
  SetFileAttributesW(ApiPath(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW(ApiPath(ro).c_str(), FILE_ATTRIBUTE_READONLY);
  if (GetFileAttributesW(ApiPath(hidden).c_str()) & FILE_ATTRIBUTE_HIDDEN) {  // kept by this file system
    CHECK(Ops().replace(hidden, "new") && ReadBack(hidden) == "new");
    const DWORD a = GetFileAttributesW(ApiPath(hidden).c_str());
    CHECK(a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_HIDDEN));
  }
  CHECK(!Ops().replace(ro, "lost") && ReadBack(ro) == "keep me");
  const fs::path folder = MakeFolder(dir / L"folder.ini");
  std::string out = "stale";
  CHECK(!Ops().replace(folder, "text") && FolderEntries(folder).empty());
  CHECK(!Ops().read(folder, out) && out.empty() && !Ops().stamp(folder).exists);
  CHECK(!Ops().replace(dir / L"missing" / L"a.ini", "text"));  // nothing to create the file in
  CHECK(Holds(dir, {L"hidden.ini", L"readonly.ini", L"folder.ini"}));
}

void TestLongPath(const fs::path& root) {
  fs::path dir = root;
  while (dir.wstring().size() < 300) dir = MakeFolder(dir / std::wstring(40, L'd'));
  const fs::path file = dir / L"long.ini";
  CHECK(Ops().replace(file, "first") && Ops().replace(file, "second") && ReadBack(file) == "second");
  CHECK(Ops().stamp(file).size == 6 && Holds(dir, {L"long.ini"}));
  // Relative spellings are made absolute the same way; short paths keep the classic form.
  CHECK(ApiPath(dir / L"x" / L".." / L"long.ini") == ApiPath(file) &&
        ApiPath(file).rfind(L"\\\\?\\", 0) == 0);
  CHECK(ApiPath(root / L"short.ini").rfind(L"\\\\?\\", 0) != 0 || root.wstring().size() >= MAX_PATH - 12);
}

// Held open without FILE_SHARE_DELETE by a program that shares reading and writing (a scanner,
// an editor, another instance): a replace gives up within its retries and never tears or loses
// the file; a read never waits for the holder.
void TestHeldFile(const fs::path& root) {
  const fs::path dir = MakeFolder(root / L"held"), file = dir / L"held.ini";
  CHECK(WriteRaw(file, "old content"));
  HANDLE h =
      CreateFileW(ApiPath(file).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  const DWORD start = GetTickCount();
  const bool ok = Ops().replace(file, "new content");
  CHECK(h != INVALID_HANDLE_VALUE && GetTickCount() - start < 2000);
  CHECK(ReadBack(file) == (ok ? "new content" : "old content") && Holds(dir, {L"held.ini"}));
  CloseHandle(h);
}

void TestStamps(const fs::path& root) {
  const fs::path dir = MakeFolder(root / L"stamps"), file = dir / L"s.ini", other = dir / L"other.ini";
  CHECK(Ops().replace(file, "AAAA"));
  const FileStamp a = Ops().stamp(file);
  CHECK(a == Ops().stamp(file));
  Sleep(30);
  CHECK(Ops().replace(file, "BBBB"));  // same size: only the time tells
  const FileStamp b = Ops().stamp(file);
  CHECK(b.exists && b.size == 4 && a != b);
  Sleep(30);
  CHECK(WriteRaw(file, "CCCCC"));  // changed by hand, outside the store
  const FileStamp c = Ops().identify(file);
  CHECK(c != b && c.size == 5);
  // Same size and time, moved into place (an exchange of notes does that): only the file's
  // identity tells.
  CHECK(WriteRaw(other, "DDDDD"));
  HANDLE from = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE to = CreateFileW(other.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME t{};
  CHECK(GetFileTime(from, nullptr, nullptr, &t) && SetFileTime(to, nullptr, nullptr, &t));
  CloseHandle(from);
  CloseHandle(to);
  CHECK(MoveFileExW(other.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING));
  const FileStamp d = Ops().identify(file);
  CHECK(d.size == c.size && d.mtime == c.mtime && d != c);
}

}  // namespace

int main() {
  fs::path root;
  {
    TempFolder temp(L"varnel-fileops");
    root = temp.Path();
    TestReplace(root);
    TestAttributesAndRefusals(root);
    TestLongPath(root);
    TestHeldFile(root);
    TestStamps(root);
  }
  CHECK(GetFileAttributesW(root.c_str()) == INVALID_FILE_ATTRIBUTES);
  return Finish();
}
