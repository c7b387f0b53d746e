// Saving and reading one full note: the Windows profile API key by key (what
// the program did before) against ProfileStore with one batch. Prints medians
// and the speed-ups; fails only when it cannot run or the results differ.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/config/profile_store.h"
#include "win/platform/program_paths.h"
#include "win/platform/win_file_ops.h"

namespace fs = std::filesystem;
using varnel::ProfileStore;

namespace {

struct Entry {
  std::string section, key, value;
};

// A realistic note: the options of its Default section, then 20 headings with
// their details, in the order the note save writes them.
std::vector<Entry> NoteEntries() {
  std::vector<Entry> e;
  const char* options[][2] = {
      {"Alpha", "230"},
      {"BkColor", "0x99FFCC"},
      {"TxtColor", "0x000000"},
      {"W", "280"},
      {"H", "360"},
      {"X", "1012"},
      {"Y", "64"},
      {"Bar", "1"},
      {"TDiv", "0"},
      {"Update", "202612071530"},
      {"Title", "今週のやること"},
      {"Font", "ＭＳ Ｐゴシック"},
      {"FontSize", "-12"},
      {"Bold", "0"},
      {"Italic", "0"},
      {"Frame", "2"},
      {"Fold", "0"},
      {"Top", "1"},
      {"Lock", "0"},
      {"Alarm", "0"},
      {"AlarmTime", "0900"},
      {"Sound", "chime.wav"},
      {"Skin", "-1"},
      {"Mode", "1"},
      {"Sort", "0"},
      {"Check", "1"},
      {"CheckColor", "0x0000FF"},
      {"Line", "1"},
      {"LineColor", "0xC0C0C0"},
      {"Margin", "4"},
      {"Space", "2"},
      {"Tray", "1"},
      {"Hide", "0"},
      {"Desktop", "0"},
      {"Snap", "8"},
      {"Group", "仕事"},
      {"Created", "202611020915"},
      {"Modified", "202612071530"},
      {"Slot", "7"},
      {"Version", "135"},
  };
  for (const auto& o : options) e.push_back({"Default", o[0], o[1]});

  const char* headings[] = {"買い物",   "会議の準備", "月末の締め", "旅行の持ち物", "読む本",
                            "電話する", "家の用事",   "年賀状",     "健康診断",     "車の点検"};
  const char* details[] = {"牛乳と卵を買う",           "企画書の見直し（第２版）", "請求書を経理へ送る",
                           "充電器・変換プラグ",       "「坂の上の雲」第三巻",     "歯医者の予約を取り直す",
                           "ゴミ出し（燃えないゴミ）", "住所録を更新する",         "１０時　本社３階会議室",
                           "ソフトウェア更新を確認",   "表計算の集計表を作る",     "予備の電池　単三×４"};
  const char* formats[] = {"0000000000000000", "0000000100000000", "0000000000010000", "0000001000000001"};
  const char* statuses[] = {"000000000000", "100100000000", "111111000000", "010000000001"};
  for (int s = 1; s <= 20; ++s) {
    std::string sec = std::to_string(s);
    e.push_back({sec, "Head", std::string(headings[(s - 1) % 10]) + (s > 10 ? "（続き）" : "")});
    e.push_back({sec, "Format", formats[s % 4]});
    e.push_back({sec, "Status", statuses[(s * 3) % 4]});
    int count = 8 + s % 5;  // 8 to 12 details
    for (int d = 1; d <= count; ++d)
      e.push_back({sec, std::to_string(d),
                   std::string(details[(s * 7 + d) % 12]) + "　" + std::to_string(d) + "件目"});
  }
  return e;
}

double Ms(LARGE_INTEGER a, LARGE_INTEGER b) {
  static LARGE_INTEGER f = [] {
    LARGE_INTEGER x;
    QueryPerformanceFrequency(&x);
    return x;
  }();
  return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

std::string FileBytes(const fs::path& p) {
  std::string s;
  if (!varnel::win::WinFileOps().read(p, s)) return "<missing>";
  return s;
}

void ShowDifference(const std::string& a, const std::string& b) {
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  size_t from = i > 40 ? i - 40 : 0;
  std::printf("files differ at byte %zu (profile API %zu bytes, store %zu bytes)\n", i, a.size(), b.size());
  std::printf("  profile API: [%s]\n", a.substr(from, 80).c_str());
  std::printf("  store:       [%s]\n", b.substr(from, 80).c_str());
}

}  // namespace

int main() {
  const std::vector<Entry> entries = NoteEntries();
  wchar_t tmp[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, tmp);
  if (n == 0 || n > MAX_PATH) {
    std::printf("no temporary folder\n");
    return 2;
  }
  fs::path dir = fs::path(tmp) / (L"varnel-bench-" + std::to_wstring(GetCurrentProcessId()));
  // A folder left by an interrupted run is reused; its files are replaced.
  if (!CreateDirectoryW(dir.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    std::printf("cannot create the bench folder\n");
    return 2;
  }
  const fs::path apiFile = dir / L"api.ini";
  const fs::path storeFile = dir / L"store.ini";
  const fs::path singleFile = dir / L"single.ini";
  // The A profile API takes the path in the ANSI code page; the folder is ASCII.
  const std::string apiPath = apiFile.string();
  const varnel::StoreEnv& env = varnel::win::ProgramStoreEnv();

  constexpr int kRounds = 7;
  constexpr int kSingleRounds = 3;
  std::vector<double> apiSave, storeSave, apiRead, storeRead, singleSave;
  bool same = true;
  std::string apiBytes, storeBytes;
  char buf[1024];

  for (int round = 0; round < kRounds && same; ++round) {
    DeleteFileW(apiFile.c_str());
    DeleteFileW(storeFile.c_str());

    LARGE_INTEGER t0 = Now();
    for (const Entry& e : entries)
      WritePrivateProfileStringA(e.section.c_str(), e.key.c_str(), e.value.c_str(), apiPath.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, apiPath.c_str());  // flush the API's cache
    LARGE_INTEGER t1 = Now();
    {
      ProfileStore s;
      s.Open(env, false, "Default", &storeFile, nullptr);
      ProfileStore::Batch batch(s);
      for (const Entry& e : entries) s.WriteString(e.key.c_str(), e.value.c_str(), e.section.c_str());
    }
    LARGE_INTEGER t2 = Now();
    apiSave.push_back(Ms(t0, t1));
    storeSave.push_back(Ms(t1, t2));

    apiBytes = FileBytes(apiFile);
    storeBytes = FileBytes(storeFile);
    if (apiBytes != storeBytes) {
      ShowDifference(apiBytes, storeBytes);
      same = false;
      break;
    }

    size_t wrong = 0;
    t0 = Now();
    for (const Entry& e : entries) {
      GetPrivateProfileStringA(e.section.c_str(), e.key.c_str(), "", buf, sizeof(buf), apiPath.c_str());
      if (e.value != buf) ++wrong;
    }
    t1 = Now();
    {
      ProfileStore s;  // fresh, so the parse of the file is counted
      s.Open(env, false, "Default", &storeFile, nullptr);
      for (const Entry& e : entries)
        if (s.ReadString(e.key.c_str(), "", sizeof(buf), e.section.c_str()) != e.value) ++wrong;
    }
    t2 = Now();
    apiRead.push_back(Ms(t0, t1));
    storeRead.push_back(Ms(t1, t2));
    if (wrong) {
      std::printf("%zu values read back wrong\n", wrong);
      same = false;
    }
  }

  for (int round = 0; round < kSingleRounds && same; ++round) {
    DeleteFileW(singleFile.c_str());
    LARGE_INTEGER t0 = Now();
    {
      ProfileStore s;
      s.Open(env, false, "Default", &singleFile, nullptr);
      for (const Entry& e : entries) s.WriteString(e.key.c_str(), e.value.c_str(), e.section.c_str());
    }
    LARGE_INTEGER t1 = Now();
    singleSave.push_back(Ms(t0, t1));
    if (FileBytes(singleFile) != apiBytes) {
      ShowDifference(apiBytes, FileBytes(singleFile));
      same = false;
    }
  }

  for (const fs::path& p : {apiFile, storeFile, singleFile}) DeleteFileW(p.c_str());
  RemoveDirectoryW(dir.c_str());
  if (!same) return 1;

  size_t sections = 0;
  for (size_t i = 0; i < entries.size(); ++i)
    if (i == 0 || entries[i].section != entries[i - 1].section) ++sections;
  double save = Median(apiSave) / Median(storeSave);
  double read = Median(apiRead) / Median(storeRead);
  std::printf("one note: %zu keys in %zu sections, %zu bytes; median of %d rounds\n", entries.size(),
              sections, apiBytes.size(), kRounds);
  std::printf("save  profile API key by key   %9.3f ms\n", Median(apiSave));
  std::printf("      ProfileStore, one batch  %9.3f ms   save speed-up %6.1fx (goal >= 20x)%s\n",
              Median(storeSave), save, save >= 20 ? "" : "  BELOW GOAL");
  std::printf("read  profile API key by key   %9.3f ms\n", Median(apiRead));
  std::printf("      ProfileStore, fresh      %9.3f ms   read speed-up %6.1fx (goal >= 5x)%s\n",
              Median(storeRead), read, read >= 5 ? "" : "  BELOW GOAL");
  std::printf(
      "for information: ProfileStore key by key without a batch %9.3f ms (%.3f ms a key, median of %d)\n",
      Median(singleSave), Median(singleSave) / static_cast<double>(entries.size()), kSingleRounds);
  std::printf("files identical byte for byte\n");
  return 0;
}
