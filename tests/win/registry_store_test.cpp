// The settings store's back ends under Wine: the raw registry operations on
// HKCU\Software\Orvik\<profile>\<section>, a ProfileStore that chooses them by UseReg, and the
// file back end read against the system's own profile API on odd files.
#include <set>

#include "core/config/profile_store.h"
#include "win/platform/registry_ops.h"
#include "win_check.h"

using namespace varnel;
using namespace varnel::win;

namespace {

std::string g_profile;  // CP932, unique per run

std::wstring KeyPath(const char* section = nullptr) {
  return L"Software\\Orvik\\" + ToWide(g_profile) + (section ? L"\\" + ToWide(section) : L"");
}

bool KeyExists(const char* section = nullptr) {
  HKEY k;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(section).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
    return false;
  RegCloseKey(k);
  return true;
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
  RegDeleteKeyW(HKEY_CURRENT_USER, KeyPath().c_str());
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
  const struct {
    const char *section, *key, *fallback;
    std::size_t size;
    const char* expected;
  } reads[] = {{"Default", "Alpha", "255", 31, "128"},
               {"default", "ALPHA", "255", 31, "128"},
               {"見出し", "題名", "", 256, "買い物メモ"},
               {"見出し", "題名", "", 6, "買い"},
               {"見出し", "題名", "", 4, "買"},
               {"見出し", "無い", "既定値", 5, "既定"},
               {"見出し", "題名", "x", 1, ""},
               {"見出し", "題名", "x", 0, ""},
               {"Default", "Foreign", "#", 31, "0x80"},
               {"Default", "Number", "def", 31, "def"},
               {"Default", "Empty", "def", 31, ""}};
  for (const auto& r : reads)
    CHECK_AT(reg.read(g_profile, r.section, r.key, r.fallback, r.size) == r.expected,
             std::string(r.key) + " in " + std::to_string(r.size));

  // Null text deletes the value; deleting a missing one is harmless and creates nothing.
  reg.write(g_profile, "Default", "Alpha", nullptr);
  reg.write(g_profile, "Default", "Alpha", nullptr);
  reg.write(g_profile, "Nowhere", "Alpha", nullptr);
  CHECK(RegText("Default", "Alpha") == "<none>" && !KeyExists("Nowhere"));
  reg.clearSection(g_profile, "見出し");
  CHECK(!KeyExists("見出し"));
  reg.clearSection(g_profile, "見出し");       // already gone
  reg.clearSection(g_profile + "-none", "1");  // profile key cannot be opened
  reg.clearSection(g_profile, "");
  CHECK(KeyExists("Default"));
  DeleteProfile();
}

// The back end comes from the file's UseReg first, then the registry's, and only when permitted;
// the store's own rules are the host tests'.
void TestChoice(const std::filesystem::path& file) {
  RegistryOps reg = WinRegistryOps();
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
    CHECK(WinFileOps().replace(file, r.fileText));
    reg.write(g_profile, "Default", "UseReg", r.regUseReg);
    reg.write(g_profile, "Default", "Alpha", r.regAlpha);
    ProfileStore s;
    s.Open(ProgramStoreEnv(), r.permitted, "Default", &file, g_profile.c_str());
    CHECK_AT(s.UsesIni() == r.ini && s.ReadInt("Alpha", "255", -1, 255) == r.alpha, row);
    // A write goes to the chosen back end only.
    s.WriteInt("Alpha", 13);
    const std::string text = FileText(file);
    CHECK_AT(r.ini
                 ? text.find("Alpha=13\r\n") != std::string::npos && RegText("Default", "Alpha") == r.regAlpha
                 : text == r.fileText && RegText("Default", "Alpha") == "13",
             row);
  }
  // A Section value in the registry redirects unsectioned access there.
  reg.write(g_profile, "Default", "Section", "Other");
  ProfileStore t;
  t.Open(ProgramStoreEnv(), true, "Default", &file, g_profile.c_str());
  t.WriteInt("W", 120);
  CHECK(t.CurrentSection() == "Other" && RegText("Other", "W") == "120" &&
        t.ReadInt("W", "0", 0, 1000) == 120);
  DeleteProfile();
}

std::vector<std::string> SplitZ(const char* buf, DWORD n) {
  std::vector<std::string> out;
  for (DWORD i = 0; i < n && buf[i]; i += static_cast<DWORD>(out.back().size()) + 1)
    out.emplace_back(buf + i);
  return out;
}

// Every key GetPrivateProfileStringA sees in an odd file, and a fixed probe list, read both ways.
void TestAgainstProfileApi(const std::filesystem::path& dir) {
  const std::string cases[] = {"[Default]\r\nA=1\r\nB=two words\r\n[1]\r\n0T=見出し\r\n",
                               "[ DeFault ]\r\n  a  =  1  \r\nB\t=\tx\t\r\n",
                               "[Default]\r\nQ=\"q\"\r\nS='s'\r\nM=\"m'\r\nO=\"\r\nI=a\"b\"\r\n",
                               "[Default]\r\nA=1\r\nA=2\r\n[default]\r\nA=3\r\nB=4\r\n",
                               "[Default]\nA=1\nB=2\n",
                               "[Default]\rA=1\rB=2\r",
                               "[Default]\r\nA=1\r\nB=2",
                               "[Default]\r\n;A=1\r\n B=2\r\n#C=3\r\n",
                               "[Default]\r\nlonely\r\nA=1\r\n",
                               "[Default]\r\n=1\r\nA=2\r\n",
                               "A=0\r\n[Default]\r\nB=1\r\n",
                               "[Default\r\nA=1\r\n",
                               "[Default] junk\r\nA=1\r\n",
                               "\xEF\xBB\xBF[Default]\r\nA=1\r\n",
                               std::string("[Default]\r\nA=x\0y\r\nB=2\r\n", 22),
                               "[Default]\r\nA=\xFF\xFE\x80\x81\r\nB=2\r\n",
                               "[Default]\r\nA=" + std::string(5000, 'x') + "\r\nB=2\r\n"};
  StoreEnv env;
  env.programPath = dir / "Varnel.exe";
  static char buf[70000];
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const std::filesystem::path file = dir / ("odd" + std::to_string(i) + ".ini");
    const std::string name = file.string();
    PutFile(file, cases[i]);
    ProfileStore store;
    store.Open(env, false, "Default", &file, nullptr);
    std::set<std::pair<std::string, std::string>> pairs;
    for (const std::string& sec : SplitZ(buf, GetPrivateProfileSectionNamesA(buf, sizeof buf, name.c_str())))
      for (const std::string& key :
           SplitZ(buf, GetPrivateProfileStringA(sec.c_str(), nullptr, "", buf, sizeof buf, name.c_str())))
        pairs.insert({sec, key});
    for (const char* sec : {"Default", "1", "default"})
      for (const char* key : {"A", "B", "C", "Q", "S", "M", "O", "I", "0T", "lonely"})
        pairs.insert({sec, key});
    for (const auto& [sec, key] : pairs) {
      const DWORD n =
          GetPrivateProfileStringA(sec.c_str(), key.c_str(), "<absent>", buf, sizeof buf, name.c_str());
      const std::string api(buf, n), ours = store.ReadRaw(sec.c_str(), key.c_str(), "<absent>", 70000);
      CHECK_AT(api == ours, name + "/" + sec + "/" + key + ": api='" + api.substr(0, 60) + "' ours='" +
                                ours.substr(0, 60) + "'");
    }
  }
}

}  // namespace

int main() {
  g_profile = "VarnelTest-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  TempFolder dir(L"varnel-registry");
  TestRawOperations();
  TestChoice(dir.Path() / "store.ini");
  CHECK(!KeyExists());
  TestAgainstProfileApi(dir.Path());
  return Finish();
}
