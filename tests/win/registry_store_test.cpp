// The registry back end of the settings store under Wine: the raw operations on
// HKCU\Software\Orvik\<profile>\<section>, and a ProfileStore that chooses them by UseReg.
// Every run uses its own profile name and removes it again.
#include "core/config/profile_store.h"
#include "win/platform/registry_ops.h"
#include "win_check.h"

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

// The value as another program sees it.
struct RawValue {
  bool present = false;
  DWORD type = 0;
  std::string text;
};

RawValue QueryRaw(const std::wstring& keyPath, const char* key) {
  RawValue v;
  HKEY k;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return v;
  wchar_t buf[1024] = {};
  DWORD bytes = sizeof(buf) - sizeof(wchar_t);
  if (RegQueryValueExW(k, ToWide(key).c_str(), nullptr, &v.type, reinterpret_cast<BYTE*>(buf), &bytes) ==
      ERROR_SUCCESS) {
    v.present = true;
    v.text = FromWide(std::wstring(buf, wcsnlen(buf, bytes / sizeof(wchar_t))));
  }
  RegCloseKey(k);
  return v;
}
std::string RegText(const char* section, const char* key) { return QueryRaw(SectionKey(section), key).text; }

// Written by another program the documented way.
void SetForeign(const char* section, const char* key, DWORD type, const void* data, DWORD size) {
  HKEY k;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &k, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExW(k, ToWide(key).c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(k);
}

void DeleteProfile() {
  RegDeleteTreeW(HKEY_CURRENT_USER, ProfileKey().c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, ProfileKey().c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Orvik");  // only when no other profile is left
}

void TestRawOperations() {
  varnel::RegistryOps reg = varnel::win::WinRegistryOps();
  CHECK(reg.read(g_profile, "Default", "Alpha", "255", 31) == "255");  // no key at all
  reg.write(g_profile, "Default", "Alpha", "128");
  reg.write(g_profile, "見出し", "題名", "買い物メモ");
  reg.write(g_profile, "Default", "Empty", "");
  reg.write(g_profile, "", "Alpha", "1");  // without a section there is nowhere to write
  SetForeign("Default", "Foreign", REG_SZ, L"0x80", 5 * sizeof(wchar_t));
  const DWORD seven = 7;
  SetForeign("Default", "Number", REG_DWORD, &seven, sizeof(seven));

  const struct {
    const char *section, *key;
    std::string text;
  } raw[] = {{"Default", "Alpha", "128"}, {"見出し", "題名", "買い物メモ"}, {"Default", "Empty", ""}};
  for (const auto& r : raw) {
    const RawValue v = QueryRaw(SectionKey(r.section), r.key);
    CHECK_AT(v.present && v.type == REG_SZ && v.text == r.text, r.key);
  }
  CHECK(KeyExists(ProfileKey()) && !QueryRaw(ProfileKey(), "Alpha").present);

  // Japanese text round-trips through UTF-16, and a cut keeps whole characters.
  const struct {
    const char *section, *key, *fallback;
    std::size_t size;
    const char* expected;
  } reads[] = {
      {"Default", "Alpha", "255", 31, "128"},
      {"default", "ALPHA", "255", 31, "128"},  // names ignore case
      {"見出し", "題名", "", 256, "買い物メモ"},
      {"見出し", "題名", "", 6, "買い"},
      {"見出し", "題名", "", 5, "買い"},
      {"見出し", "題名", "", 4, "買"},
      {"見出し", "無い", "既定値", 5, "既定"},
      {"見出し", "題名", "x", 1, ""},
      {"見出し", "題名", "x", 0, ""},
      {"Default", "Foreign", "#", 31, "0x80"},
      {"Default", "Number", "def", 31, "def"},
      {"Default", "Empty", "def", 31, ""},
  };
  for (const auto& r : reads)
    CHECK_AT(reg.read(g_profile, r.section, r.key, r.fallback, r.size) == r.expected,
             std::string(r.key) + " in " + std::to_string(r.size));

  // Null text deletes the value; deleting a missing one is harmless and creates nothing.
  reg.write(g_profile, "Default", "Alpha", nullptr);
  CHECK(!QueryRaw(SectionKey("Default"), "Alpha").present);
  reg.write(g_profile, "Default", "Alpha", nullptr);
  reg.write(g_profile, "Nowhere", "Alpha", nullptr);
  CHECK(!KeyExists(SectionKey("Nowhere")));

  reg.clearSection(g_profile, "見出し");
  CHECK(!KeyExists(SectionKey("見出し")));
  reg.clearSection(g_profile, "見出し");       // already gone
  reg.clearSection(g_profile + "-none", "1");  // profile key cannot be opened
  reg.clearSection(g_profile, "");
  CHECK(KeyExists(SectionKey("Default")));
  DeleteProfile();
  CHECK(!KeyExists(ProfileKey()));
}

// The back end comes from the file's UseReg first, then the registry's, and only when permitted.
void TestChoice(const std::filesystem::path& file) {
  varnel::RegistryOps reg = varnel::win::WinRegistryOps();
  const struct {
    const char *fileText, *regUseReg, *regAlpha;
    bool permitted, ini;
    int alpha;
  } rows[] = {
      {"[Default]\r\nUseReg=2\r\nAlpha=10\r\n", nullptr, nullptr, true, false, 255},
      {"[Default]\r\nAlpha=10\r\n", "2", "20", true, false, 20},
      {"[Default]\r\nAlpha=10\r\n", "0", "20", true, true, 10},
      {"[Default]\r\nUseReg=1\r\nAlpha=11\r\n", "2", "20", true, true, 11},
      {"[Default]\r\nUseReg=2\r\nAlpha=12\r\n", "2", "20", false, true, 12},
      {"[Default]\r\nAlpha=10\r\n", "2", "20", false, true, 10},
  };
  for (const auto& r : rows) {
    const std::string row = std::string(r.fileText) + (r.regUseReg ? r.regUseReg : "-");
    CHECK(varnel::win::WinFileOps().replace(file, r.fileText));
    reg.write(g_profile, "Default", "UseReg", r.regUseReg);
    reg.write(g_profile, "Default", "Alpha", r.regAlpha);
    varnel::ProfileStore s;
    s.Open(varnel::win::ProgramStoreEnv(), r.permitted, "Default", &file, g_profile.c_str());
    CHECK_AT(s.UsesIni() == r.ini && s.ReadInt("Alpha", "255", -1, 255) == r.alpha, row);
    // A write goes to the chosen back end only.
    s.WriteInt("Alpha", 13);
    const std::string text = FileText(file);
    CHECK_AT(r.ini
                 ? text.find("Alpha=13\r\n") != std::string::npos && RegText("Default", "Alpha") == r.regAlpha
                 : text == r.fileText && RegText("Default", "Alpha") == "13",
             row);
  }
  DeleteProfile();
}

void TestStoreOnRegistry(const std::filesystem::path& file) {
  const std::string fileText = "[Default]\r\nUseReg=2\r\n";
  CHECK(varnel::win::WinFileOps().replace(file, fileText));
  varnel::ProfileStore s;
  s.Open(varnel::win::ProgramStoreEnv(), true, "Default", &file, g_profile.c_str());
  CHECK(!s.UsesIni() && s.ProfileName() == g_profile && s.CurrentSection() == "Default");
  // The store's own rules (bounds, colours, empty values) are those of the file back end.
  s.WriteInt("Alpha", 300);
  CHECK(RegText("Default", "Alpha") == "300" && s.ReadInt("Alpha", "255", -1, 255) == 255);
  s.WriteString("Alpha", nullptr);
  CHECK(!QueryRaw(SectionKey("Default"), "Alpha").present);
  s.WriteColor("BkColor", 11259375);
  CHECK(RegText("Default", "BkColor") == "0xABCDEF" && s.ReadColor("BkColor", 5) == 11259375);

  // Sections are subkeys; ClearSection deletes the subkey.
  s.WriteString("Title", "買い物", "3");
  s.WriteString("1", "牛乳", "3");
  CHECK(RegText("3", "Title") == "買い物" && s.ReadString("Title", "", 256, "3") == "買い物");
  CHECK(s.ReadString("Title", "", 5, "3") == "買い" && s.HasKey("1", "3"));
  s.ClearSection("3");
  CHECK(!KeyExists(SectionKey("3")) && KeyExists(SectionKey("Default")));
  CHECK(s.ReadString("Title", "なし", 256, "3") == "なし");
  CHECK(FileText(file) == fileText);  // the file itself was never touched

  // A Section value in the registry redirects unsectioned access there.
  varnel::win::WinRegistryOps().write(g_profile, "Default", "Section", "Other");
  varnel::ProfileStore t;
  t.Open(varnel::win::ProgramStoreEnv(), true, "Default", &file, g_profile.c_str());
  CHECK(t.CurrentSection() == "Other");
  t.WriteInt("W", 120);
  CHECK(RegText("Other", "W") == "120" && t.ReadInt("W", "0", 0, 1000) == 120);
  DeleteProfile();
}

}  // namespace

int main() {
  g_profile = "VarnelTest-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  std::printf("profile %s\n", g_profile.c_str());
  TempFolder dir(L"varnel-registry");
  TestRawOperations();
  TestChoice(dir.Path() / "store.ini");
  TestStoreOnRegistry(dir.Path() / "store.ini");
  DeleteProfile();
  CHECK(!KeyExists(ProfileKey()));
  return Finish();
}
