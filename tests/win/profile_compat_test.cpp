// Reads odd files both with GetPrivateProfileStringA and with ProfileStore and compares
// every key the profile API sees, and every key of a fixed probe list.
#include <set>

#include "core/config/profile_store.h"
#include "win_check.h"

namespace {

std::vector<std::string> SplitZ(const char* buf, DWORD n) {
  std::vector<std::string> out;
  for (DWORD i = 0; i < n && buf[i]; i += static_cast<DWORD>(out.back().size()) + 1)
    out.emplace_back(buf + i);
  return out;
}

}  // namespace

int main() {
  TempFolder dir(L"varnel-compat");
  const std::string nul("A=x\0y\r\n", 7);
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
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
  varnel::StoreEnv env;
  env.programPath = dir.Path() / "Varnel.exe";
  static char buf[70000];
  for (const auto& c : cases) {
    const std::filesystem::path file = dir.Path() / (std::string(c.name) + ".ini");
    const std::string name = file.string();
    PutFile(file, c.bytes);
    varnel::ProfileStore store;
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
      CHECK_AT(api == ours, std::string(c.name) + "/" + sec + "/" + key + ": api='" + api.substr(0, 60) +
                                "' ours='" + ours.substr(0, 60) + "'");
    }
  }
  return Finish();
}
