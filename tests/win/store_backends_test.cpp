// The settings store's back ends under Wine: the file operations on a real file system, the raw
// registry operations, the choice between them by UseReg, and odd files read as the profile API does.
#include "core/config/profile_store.h"
#include "win/platform/registry_ops.h"
#include "win_check.h"

namespace fs = std::filesystem;

const FileOps& Ops() { return WinFileOps(); }

std::string ReadBack(const fs::path& p) {
  std::string s;
  return Ops().read(p, s) ? s : "<unreadable>";
}

fs::path MakeFolder(const fs::path& p) {
  CreateDirectoryW(ApiPath(p).c_str(), nullptr);
  return p;
}

// In a folder past MAX_PATH: every byte value, more than one buffer's worth, survives the
// round trip, so does nothing, and no temporary file is left.
void TestReplace(const fs::path& root) {
  fs::path dir = root;
  while (dir.wstring().size() < 300) dir = MakeFolder(dir / std::wstring(40, L'd'));
  const fs::path file = dir / L"note.ini";
  std::string out = "stale", big;
  CHECK(!Ops().read(file, out) && out.empty() && !Ops().stamp(file).exists);
  for (int i = 0; i < 300000; ++i) big.push_back(static_cast<char>(i * 7 % 256));
  for (const std::string& content : {big, std::string(), std::string("second")}) {
    const bool replaced = Ops().replace(file, content);
    const FileStamp s = Ops().stamp(file);
    CHECK_AT(replaced && ReadBack(file) == content && s.exists && s.size == content.size(),
             std::to_string(content.size()));
  }
  CHECK(FolderEntries(dir).size() == 1);  // no temporary file left
  // Relative spellings are made absolute the same way; short paths keep the classic form.
  CHECK(ApiPath(dir / L"x" / L".." / L"note.ini") == ApiPath(file) &&
        ApiPath(file).rfind(L"\\\\?\\", 0) == 0);
  CHECK(ApiPath(root / L"short.ini").rfind(L"\\\\?\\", 0) != 0 || root.wstring().size() >= MAX_PATH - 12);
}

// Refusals leave the old file whole and no temporary file behind. A file held open by a scanner or
// an editor (sharing reading and writing, not deleting) is given up; a read never waits for it.
void TestAttributesAndRefusals(const fs::path& root) {
  const fs::path dir = MakeFolder(root / L"attrs"), hidden = dir / L"hidden.ini", ro = dir / L"readonly.ini";
  const fs::path held = dir / L"held.ini";
  for (const fs::path& p : {hidden, ro, held}) PutFile(p, "old");  // written behind the store's back
  SetFileAttributesW(ApiPath(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW(ApiPath(ro).c_str(), FILE_ATTRIBUTE_READONLY);
  const auto attributes = [](const fs::path& p) { return GetFileAttributesW(ApiPath(p).c_str()); };
  if (attributes(hidden) & FILE_ATTRIBUTE_HIDDEN)  // kept by this file system
    CHECK(Ops().replace(hidden, "new") && ReadBack(hidden) == "new" &&
          attributes(hidden) != INVALID_FILE_ATTRIBUTES && (attributes(hidden) & FILE_ATTRIBUTE_HIDDEN));
  CHECK(!Ops().replace(ro, "lost") && ReadBack(ro) == "old");
  HANDLE h =
      CreateFileW(ApiPath(held).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  CHECK(h != INVALID_HANDLE_VALUE && !Ops().replace(held, "new") && ReadBack(held) == "old");
  CloseHandle(h);
  const fs::path folder = MakeFolder(dir / L"folder.ini");
  std::string out = "stale";
  CHECK(!Ops().replace(folder, "text") && FolderEntries(folder).empty());
  CHECK(!Ops().read(folder, out) && out.empty() && !Ops().stamp(folder).exists);
  CHECK(!Ops().replace(dir / L"missing" / L"a.ini", "text"));  // nothing to create the file in
  CHECK(FolderEntries(dir).size() == 4);                       // the four files, no temporary one
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
  // Changed by hand; then a file of the same size and time moved into place, as an exchange of
  // notes does: only the identity tells.
  PutFile(file, "CCCCC");
  PutFile(other, "DDDDD");
  for (const fs::path& p : {file, other}) fs::last_write_time(p, fs::last_write_time(file));
  const FileStamp c = Ops().identify(file);
  CHECK(c != b && c.size == 5);
  CHECK(MoveFileExW(other.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING));
  const FileStamp d = Ops().identify(file);
  CHECK(d.size == c.size && d.mtime == c.mtime && d != c);
}

const std::string g_profile =
    "VarnelTest-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());

std::wstring KeyPath(const char* section = nullptr) {
  return L"Software\\Orvik\\" + ToWide(g_profile) + (section ? L"\\" + ToWide(section) : L"");
}

bool KeyExists(const char* section = nullptr) {
  HKEY k;
  return RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(section).c_str(), 0, KEY_READ, &k) == ERROR_SUCCESS &&
         RegCloseKey(k) == ERROR_SUCCESS;
}

// The value as another program sees it.
std::string RegText(const char* section, const char* key) {
  wchar_t buf[1024] = {};
  DWORD type = 0, bytes = sizeof(buf) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, KeyPath(section).c_str(), ToWide(key).c_str(), RRF_RT_ANY, &type, buf,
                   &bytes) != ERROR_SUCCESS)
    return "<none>";
  return type == REG_SZ ? FromWide(buf) : "<type " + std::to_string(type) + ">";
}

void DeleteProfile() {
  RegDeleteTreeW(HKEY_CURRENT_USER, KeyPath().c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Orvik");  // only when no other profile is left
}

void TestRawOperations() {
  RegistryOps reg = WinRegistryOps();
  CHECK(reg.read(g_profile, "Default", "Alpha", "255", 31) == "255");  // no key at all
  reg.write(g_profile, "Default", "Alpha", "128");
  reg.write(g_profile, "見出し", "題名", "買い物メモ");
  reg.write(g_profile, "Default", "Empty", "");
  reg.write(g_profile, "", "Alpha", "1");  // without a section there is nowhere to write
  const DWORD seven = 7;
  RegSetKeyValueW(HKEY_CURRENT_USER, KeyPath("Default").c_str(), L"Foreign", REG_SZ, L"0x80", 5 * 2);
  RegSetKeyValueW(HKEY_CURRENT_USER, KeyPath("Default").c_str(), L"Number", REG_DWORD, &seven, 4);
  CHECK(RegText("Default", "Alpha") == "128" && RegText("見出し", "題名") == "買い物メモ" &&
        RegText("Default", "Empty").empty() && RegText(nullptr, "Alpha") == "<none>");

  // Japanese text round-trips through UTF-16, and a cut keeps whole characters.
  const std::tuple<const char*, const char*, const char*, std::size_t, const char*> reads[] = {
      {"Default", "Alpha", "255", 31, "128"},  {"見出し", "題名", "", 256, "買い物メモ"},
      {"見出し", "題名", "", 6, "買い"},       {"見出し", "題名", "", 4, "買"},
      {"見出し", "無い", "既定値", 5, "既定"}, {"見出し", "題名", "x", 1, ""},
      {"見出し", "題名", "x", 0, ""},          {"Default", "Foreign", "#", 31, "0x80"},
      {"Default", "Number", "def", 31, "def"}, {"Default", "Empty", "def", 31, ""}};
  for (const auto& [section, key, fallback, size, expected] : reads)
    CHECK_AT(reg.read(g_profile, section, key, fallback, size) == expected,
             std::string(key) + " in " + std::to_string(size));

  // Null text deletes the value; deleting a missing one is harmless and creates nothing.
  for (const char* section : {"Default", "Default", "Nowhere"})
    reg.write(g_profile, section, "Alpha", nullptr);
  CHECK(RegText("Default", "Alpha") == "<none>" && !KeyExists("Nowhere"));
  // Cleared twice, a profile key that cannot be opened, no section: only the one section goes.
  for (const auto& [profile, section] :
       {std::pair{g_profile, "見出し"}, {g_profile, "見出し"}, {g_profile + "-none", "1"}, {g_profile, ""}})
    reg.clearSection(profile, section);
  CHECK(!KeyExists("見出し") && KeyExists("Default"));
}

// The back end comes from the file's UseReg first, then the registry's, and only when permitted;
// the store's own rules are the host tests'.
void TestChoice(const std::filesystem::path& file) {
  RegistryOps reg = WinRegistryOps();
  const std::tuple<const char*, const char*, const char*, bool, bool, int> rows[] = {
      {"[Default]\r\nUseReg=2\r\nAlpha=10\r\n", nullptr, nullptr, true, false, 255},
      {"[Default]\r\nAlpha=10\r\n", "2", "20", true, false, 20},
      {"[Default]\r\nAlpha=10\r\n", "0", "20", true, true, 10},
      {"[Default]\r\nUseReg=1\r\nAlpha=11\r\n", "2", "20", true, true, 11},
      {"[Default]\r\nUseReg=2\r\nAlpha=12\r\n", "2", "20", false, true, 12},
      {"[Default]\r\nAlpha=10\r\n", "2", "20", false, true, 10},
  };
  for (const auto& [fileText, regUseReg, regAlpha, permitted, ini, alpha] : rows) {
    const std::string row = std::string(fileText) + (regUseReg ? regUseReg : "-");
    CHECK(Ops().replace(file, fileText));
    reg.write(g_profile, "Default", "UseReg", regUseReg);
    reg.write(g_profile, "Default", "Alpha", regAlpha);
    ProfileStore s;
    s.Open(ProgramStoreEnv(), permitted, "Default", &file, g_profile.c_str());
    CHECK_AT(s.UsesIni() == ini && s.ReadInt("Alpha", "255", -1, 255) == alpha, row);
    // A write goes to the chosen back end only.
    s.WriteInt("Alpha", 13);
    const std::string text = FileText(file);
    CHECK_AT(ini ? text.find("Alpha=13\r\n") != std::string::npos && RegText("Default", "Alpha") == regAlpha
                 : text == fileText && RegText("Default", "Alpha") == "13",
             row);
  }
  DeleteProfile();
}

// Odd files (blanks, quotes, '#', text after a header, no last line break): ours read as the API's.
void TestAgainstProfileApi(const fs::path& dir) {
  const std::string cases[] = {"[ DeFault ]\r\n  a  =  1  \r\nB\t=\tx\t\r\n",
                               "[Default]\r\nQ=\"q\"\r\nS='s'\r\nM=\"m'\r\nO=\"\r\nI=a\"b\"\r\n",
                               "[Default]\r\nA=1\r\nB=2", "[Default]\r\n;A=1\r\n B=2\r\n#C=3\r\n",
                               "[Default] junk\r\nA=1\r\n"};
  for (const std::string& text : cases) {
    const fs::path file =
        dir / ("odd" + std::to_string(text.size()) + ".ini");  // the API keeps files it read
    PutFile(file, text);
    ProfileStore store;
    store.Open(ProgramStoreEnv(), false, "Default", &file, nullptr);
    for (const char* key : {"A", "B", "C", "Q", "S", "M", "O", "I"}) {
      char buf[256];
      const DWORD n =
          GetPrivateProfileStringA("Default", key, "<absent>", buf, sizeof buf, file.string().c_str());
      const std::string api(buf, n), ours = store.ReadRaw("Default", key, "<absent>", 256);
      CHECK_AT(api == ours, text + key + ": api='" + api + "' ours='" + ours + "'");
    }
  }
}

int main() {
  const fs::path root = fs::temp_directory_path() / ("varnel-store-" + std::to_string(GetCurrentProcessId()));
  RemoveAll(root);
  CreateDirectoryW(root.c_str(), nullptr);
  TestReplace(root);
  TestAttributesAndRefusals(root);
  TestStamps(root);
  TestRawOperations();
  TestChoice(root / "store.ini");
  TestAgainstProfileApi(root);
  RemoveAll(root);
  return Finish();
}
