// The registry back end of the settings store under Wine: the raw operations
// on HKCU\Software\Orvik\<profile>\<section>, and a ProfileStore that chooses
// them by UseReg. Every run uses its own profile name and removes it again.
#include <windows.h>

#include <cstdio>
#include <string>

#include "core/config/profile_store.h"
#include "win/platform/program_paths.h"
#include "win/platform/registry_ops.h"
#include "win/platform/text_convert.h"
#include "win/platform/win_file_ops.h"
#include "win_check.h"

namespace fs = std::filesystem;
using varnel::ProfileStore;
using varnel::win::FromWide;
using varnel::win::ToWide;

namespace {

std::string g_profile;  // CP932, unique per run

std::wstring ProfileKey() { return L"Software\\Orvik\\" + ToWide(g_profile); }
std::wstring SectionKey(const char* section) { return ProfileKey() + L"\\" + ToWide(section); }

bool KeyExists(const std::wstring& path) {
  HKEY k;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

// The value as another program sees it: type, raw byte count and text.
struct RawValue {
  bool present = false;
  DWORD type = 0;
  DWORD bytes = 0;
  std::string text;
};

RawValue QueryRaw(const char* section, const char* key) {
  RawValue v;
  HKEY k;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
    return v;
  wchar_t buf[1024] = {};
  DWORD bytes = sizeof(buf) - sizeof(wchar_t);
  if (RegQueryValueExW(k, ToWide(key).c_str(), nullptr, &v.type, reinterpret_cast<BYTE*>(buf), &bytes) ==
      ERROR_SUCCESS) {
    v.present = true;
    v.bytes = bytes;
    v.text = FromWide(std::wstring(buf, wcsnlen(buf, bytes / sizeof(wchar_t))));
  }
  RegCloseKey(k);
  return v;
}

// Written by another program the documented way: terminator included.
void SetForeign(const char* section, const char* key, const std::wstring& text) {
  HKEY k;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &k, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExW(k, ToWide(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);
}

void DeleteProfile() {
  RegDeleteTreeW(HKEY_CURRENT_USER, ProfileKey().c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, ProfileKey().c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Orvik");  // only when no other profile is left
}

std::string FileBytes(const fs::path& p) {
  std::string s;
  if (!varnel::win::WinFileOps().read(p, s)) return "<missing>";
  return s;
}

void TestRawOperations() {
  std::printf("registry operations\n");
  varnel::RegistryOps reg = varnel::win::WinRegistryOps();
  CHECK(reg.read(g_profile, "Default", "Alpha", "255", 31) == "255");  // no key at all

  reg.write(g_profile, "Default", "Alpha", "128");
  RawValue v = QueryRaw("Default", "Alpha");
  CHECK(v.present && v.type == REG_SZ && v.text == "128");
  CHECK(reg.read(g_profile, "Default", "Alpha", "255", 31) == "128");
  CHECK(reg.read(g_profile, "default", "ALPHA", "255", 31) == "128");  // registry names ignore case

  // Japanese text round-trips through UTF-16, and a cut keeps whole characters.
  reg.write(g_profile, "見出し", "題名", "買い物メモ");
  CHECK(QueryRaw("見出し", "題名").text == "買い物メモ");
  CHECK(reg.read(g_profile, "見出し", "題名", "", 256) == "買い物メモ");
  CHECK(reg.read(g_profile, "見出し", "題名", "", 6) == "買い");        // 5 bytes allowed: 2 characters
  CHECK(reg.read(g_profile, "見出し", "題名", "", 5) == "買い");        // 4 bytes allowed
  CHECK(reg.read(g_profile, "見出し", "題名", "", 4) == "買");          // 3 bytes: no half character
  CHECK(reg.read(g_profile, "見出し", "無い", "既定値", 5) == "既定");  // the default is cut the same way
  CHECK(reg.read(g_profile, "見出し", "題名", "x", 1).empty());
  CHECK(reg.read(g_profile, "見出し", "題名", "x", 0).empty());

  // Values written by other programs: with a terminator, or not text at all.
  SetForeign("Default", "Foreign", L"0x80");
  CHECK(reg.read(g_profile, "Default", "Foreign", "#", 31) == "0x80");
  HKEY k;
  CHECK(RegOpenKeyExW(HKEY_CURRENT_USER, SectionKey("Default").c_str(), 0, KEY_SET_VALUE, &k) ==
        ERROR_SUCCESS);
  DWORD dword = 7;
  RegSetValueExW(k, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dword), sizeof(dword));
  RegCloseKey(k);
  CHECK(reg.read(g_profile, "Default", "Number", "def", 31) == "def");

  // Null text deletes the value; deleting a missing one is harmless.
  reg.write(g_profile, "Default", "Alpha", nullptr);
  CHECK(!QueryRaw("Default", "Alpha").present);
  reg.write(g_profile, "Default", "Alpha", nullptr);
  reg.write(g_profile, "Nowhere", "Alpha", nullptr);
  CHECK(!KeyExists(SectionKey("Nowhere")));

  // An empty value is a present value.
  reg.write(g_profile, "Default", "Empty", "");
  v = QueryRaw("Default", "Empty");
  CHECK(v.present && v.type == REG_SZ && v.text.empty());
  CHECK(reg.read(g_profile, "Default", "Empty", "def", 31).empty());

  // Without a section there is nowhere to write.
  reg.write(g_profile, "", "Alpha", "1");
  HKEY profileKey;
  CHECK(RegOpenKeyExW(HKEY_CURRENT_USER, ProfileKey().c_str(), 0, KEY_READ, &profileKey) == ERROR_SUCCESS);
  CHECK(RegQueryValueExW(profileKey, L"Alpha", nullptr, nullptr, nullptr, nullptr) == ERROR_FILE_NOT_FOUND);
  RegCloseKey(profileKey);

  reg.clearSection(g_profile, "見出し");
  CHECK(!KeyExists(SectionKey("見出し")));
  CHECK(KeyExists(SectionKey("Default")));
  reg.clearSection(g_profile, "見出し");       // already gone
  reg.clearSection(g_profile + "-none", "1");  // profile key cannot be opened
  reg.clearSection(g_profile, "");
  CHECK(KeyExists(SectionKey("Default")));

  DeleteProfile();
  CHECK(!KeyExists(ProfileKey()));
}

fs::path MakeIniFile(const fs::path& dir, const wchar_t* name, const std::string& content) {
  fs::path p = dir / name;
  CHECK(varnel::win::WinFileOps().replace(p, content));
  return p;
}

void TestStoreOnRegistry(const fs::path& dir) {
  std::printf("store with UseReg=2 in the file and the registry permitted\n");
  const std::string fileText = "[Default]\r\nUseReg=2\r\nAlpha=10\r\n";
  fs::path file = MakeIniFile(dir, L"reg.ini", fileText);
  ProfileStore s;
  s.Open(varnel::win::ProgramStoreEnv(), true, "Default", &file, g_profile.c_str());
  CHECK(!s.UsesIni());
  CHECK(s.ProfileName() == g_profile);
  CHECK(s.CurrentSection() == "Default");

  // Reads come from the registry, not from the file's Alpha=10.
  CHECK(s.ReadInt("Alpha", "255", -1, 255) == 255);
  s.WriteInt("Alpha", 300);
  CHECK(QueryRaw("Default", "Alpha").text == "300");
  CHECK(s.ReadInt("Alpha", "255", -1, 255) == 255);
  // The store's own rules (bounds, colours, empty values) are those of the file back end.
  s.WriteString("Alpha", nullptr);
  CHECK(!QueryRaw("Default", "Alpha").present);
  s.WriteColor("BkColor", 11259375);
  CHECK(QueryRaw("Default", "BkColor").text == "0xABCDEF");
  CHECK(s.ReadColor("BkColor", 5) == 11259375);

  // Sections are subkeys; ClearSection deletes the subkey.
  s.WriteString("Title", "買い物", "3");
  s.WriteString("1", "牛乳", "3");
  CHECK(QueryRaw("3", "Title").text == "買い物");
  CHECK(s.ReadString("Title", "", 256, "3") == "買い物");
  CHECK(s.ReadString("Title", "", 5, "3") == "買い");
  CHECK(s.HasKey("1", "3"));
  s.ClearSection("3");
  CHECK(!KeyExists(SectionKey("3")));
  CHECK(s.ReadString("Title", "なし", 256, "3") == "なし");
  CHECK(KeyExists(SectionKey("Default")));

  // The file itself was never touched.
  CHECK(FileBytes(file) == fileText);
  DeleteProfile();
}

void TestChoice(const fs::path& dir) {
  std::printf("back-end choice: file first, then the registry's UseReg\n");
  varnel::RegistryOps reg = varnel::win::WinRegistryOps();
  fs::path file = MakeIniFile(dir, L"plain.ini", "[Default]\r\nAlpha=10\r\n");

  {  // UseReg absent in the file, 2 in the registry: the registry decides.
    reg.write(g_profile, "Default", "UseReg", "2");
    reg.write(g_profile, "Default", "Alpha", "20");
    ProfileStore s;
    s.Open(varnel::win::ProgramStoreEnv(), true, "Default", &file, g_profile.c_str());
    CHECK(!s.UsesIni());
    CHECK(s.ReadInt("Alpha", "255", -1, 255) == 20);
  }
  {  // Registry UseReg of 0: INI.
    reg.write(g_profile, "Default", "UseReg", "0");
    ProfileStore s;
    s.Open(varnel::win::ProgramStoreEnv(), true, "Default", &file, g_profile.c_str());
    CHECK(s.UsesIni());
    CHECK(s.ReadInt("Alpha", "255", -1, 255) == 10);
  }
  {  // The file's UseReg wins over the registry's.
    reg.write(g_profile, "Default", "UseReg", "2");
    fs::path one = MakeIniFile(dir, L"one.ini", "[Default]\r\nUseReg=1\r\nAlpha=11\r\n");
    ProfileStore s;
    s.Open(varnel::win::ProgramStoreEnv(), true, "Default", &one, g_profile.c_str());
    CHECK(s.UsesIni());
    CHECK(s.ReadInt("Alpha", "255", -1, 255) == 11);
  }
  {  // Not permitted: always the file, whatever either says.
    fs::path two = MakeIniFile(dir, L"two.ini", "[Default]\r\nUseReg=2\r\nAlpha=12\r\n");
    ProfileStore s;
    s.Open(varnel::win::ProgramStoreEnv(), false, "Default", &two, g_profile.c_str());
    CHECK(s.UsesIni());
    CHECK(s.ReadInt("Alpha", "255", -1, 255) == 12);
    s.WriteInt("Alpha", 13);
    CHECK(FileBytes(two).find("Alpha=13\r\n") != std::string::npos);
    CHECK(QueryRaw("Default", "Alpha").text == "20");  // the registry's value untouched

    ProfileStore t;
    t.Open(varnel::win::ProgramStoreEnv(), false, "Default", &file, g_profile.c_str());
    CHECK(t.UsesIni());
  }
  {  // A Section value in the registry redirects unsectioned access there.
    reg.write(g_profile, "Default", "Section", "Other");
    ProfileStore s;
    s.Open(varnel::win::ProgramStoreEnv(), true, "Default", &file, g_profile.c_str());
    CHECK(!s.UsesIni());
    CHECK(s.CurrentSection() == "Other");
    s.WriteInt("W", 120);
    CHECK(QueryRaw("Other", "W").text == "120");
    CHECK(s.ReadInt("W", "0", 0, 1000) == 120);
  }
  DeleteProfile();
  CHECK(!KeyExists(ProfileKey()));
}

}  // namespace

int main() {
  g_profile = "VarnelTest-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  wchar_t tmp[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, tmp);
  if (n == 0 || n > MAX_PATH) {
    std::printf("no temporary folder\n");
    return 2;
  }
  fs::path dir = fs::path(tmp) / (L"varnel-registry-" + std::to_wstring(GetCurrentProcessId()));
  CreateDirectoryW(dir.c_str(), nullptr);
  std::printf("profile %s\n", g_profile.c_str());

  TestRawOperations();
  TestStoreOnRegistry(dir);
  TestChoice(dir);

  DeleteProfile();
  for (const wchar_t* f : {L"reg.ini", L"plain.ini", L"one.ini", L"two.ini"}) DeleteFileW((dir / f).c_str());
  RemoveDirectoryW(dir.c_str());
  std::printf("%d checks, %d failed\n", g_checks, g_failures);
  return g_failures == 0 ? 0 : 1;
}
