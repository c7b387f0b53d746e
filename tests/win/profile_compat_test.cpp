// Reads odd files both with GetPrivateProfileStringA and with ProfileStore and
// compares every key the profile API sees, and every key of a fixed probe list.
// Prints each difference; differences kept on purpose are listed below.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "core/config/profile_store.h"

namespace fs = std::filesystem;

namespace {

struct Case {
  const char* name;
  std::string bytes;
};

std::vector<std::string> SplitZ(const char* buf, DWORD n) {
  std::vector<std::string> out;
  for (DWORD i = 0; i < n && buf[i];) {
    std::string s(buf + i);
    i += static_cast<DWORD>(s.size()) + 1;
    out.push_back(s);
  }
  return out;
}

std::string Api(const fs::path& file, const std::string& sec, const std::string& key) {
  static char buf[70000];
  DWORD n = GetPrivateProfileStringA(sec.c_str(), key.c_str(), "<absent>", buf, sizeof buf, file.string().c_str());
  return std::string(buf, n);
}

}  // namespace

int main() {
  fs::path dir = fs::temp_directory_path() / "varnel_compat";
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::string nul("A=x\0y\r\n", 7);
  std::vector<Case> cases = {
      {"plain", "[Default]\r\nA=1\r\nB=two words\r\n[1]\r\n0T=見出し\r\n"},
      {"case_and_blanks", "[ DeFault ]\r\n  a  =  1  \r\nB\t=\tx\t\r\n"},
      {"quotes", "[Default]\r\nQ=\"q\"\r\nS='s'\r\nM=\"m'\r\nO=\"\r\nI=a\"b\"\r\n"},
      {"duplicates", "[Default]\r\nA=1\r\nA=2\r\n[default]\r\nA=3\r\nB=4\r\n"},
      {"lf_only", "[Default]\nA=1\nB=2\n"},
      {"cr_only", "[Default]\rA=1\rB=2\r"},
      {"no_final_eol", "[Default]\r\nA=1\r\nB=2"},
      {"comments", "[Default]\r\n;A=1\r\n B=2\r\n#C=3\r\n"},
      {"no_equals", "[Default]\r\nlonely\r\nA=1\r\n"},
      {"blank_name", "[Default]\r\n=1\r\nA=2\r\n"},
      {"before_section", "A=0\r\n[Default]\r\nB=1\r\n"},
      {"open_header", "[Default\r\nA=1\r\n"},
      {"header_junk", "[Default] junk\r\nA=1\r\n"},
      {"utf8_bom", "\xEF\xBB\xBF[Default]\r\nA=1\r\n"},
      {"nul", "[Default]\r\n" + nul + "B=2\r\n"},
      {"non_cp932", "[Default]\r\nA=\xFF\xFE\x80\x81\r\nB=2\r\n"},
      {"long_line", "[Default]\r\nA=" + std::string(5000, 'x') + "\r\nB=2\r\n"},
  };
  // Kept on purpose: (case, section, key). None yet; an entry needs a reason.
  const std::set<std::string> expected = {};
  const char* probeKeys[] = {"A", "B", "C", "Q", "S", "M", "O", "I", "0T", "lonely", ""};
  const char* probeSections[] = {"Default", "1", "default", ""};
  int compared = 0, differ = 0, unexpected = 0;
  varnel::StoreEnv env;
  env.programPath = dir / "Varnel.exe";
  for (const Case& c : cases) {
    fs::path file = dir / (std::string(c.name) + ".ini");
    std::ofstream(file, std::ios::binary) << c.bytes;
    varnel::ProfileStore store;
    store.Open(env, false, "Default", &file, nullptr);
    std::set<std::pair<std::string, std::string>> pairs;
    static char names[70000];
    DWORD n = GetPrivateProfileSectionNamesA(names, sizeof names, file.string().c_str());
    for (const std::string& sec : SplitZ(names, n)) {
      static char keys[70000];
      DWORD k = GetPrivateProfileStringA(sec.c_str(), nullptr, "", keys, sizeof keys, file.string().c_str());
      for (const std::string& key : SplitZ(keys, k)) pairs.insert({sec, key});
    }
    for (const char* sec : probeSections)
      for (const char* key : probeKeys)
        if (*sec && *key) pairs.insert({sec, key});
    for (const auto& [sec, key] : pairs) {
      std::string api = Api(file, sec, key);
      std::string ours = store.ReadRaw(sec.c_str(), key.c_str(), "<absent>", 70000);
      ++compared;
      if (api != ours) {
        ++differ;
        std::string id = std::string(c.name) + "/" + sec + "/" + key;
        bool ok = expected.count(id) > 0;
        if (!ok) ++unexpected;
        std::printf("%s %s: api='%s' ours='%s'\n", ok ? "kept" : "DIFF", id.c_str(), api.substr(0, 60).c_str(),
                    ours.substr(0, 60).c_str());
      }
    }
  }
  std::printf("compared %d keys in %zu files: %d differ (%d unexpected)\n", compared, cases.size(), differ,
              unexpected);
  fs::remove_all(dir);
  return unexpected == 0 ? 0 : 1;
}
