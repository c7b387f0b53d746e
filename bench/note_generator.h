// Writes a realistic data folder: 50 full notes of 20 headings, CP932 texts,
// alarms and date codes, in the note file format. Used by the note benchmark
// and by the make_notes tool for end-to-end tests.
#pragma once
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace varnel::bench {

// onAlarmsLeft: how many more alarms may be ON (armed at load); the rest are written OFF.
inline std::string GenerateNote(int slot, unsigned seed, int* onAlarmsLeft = nullptr) {
  std::mt19937 rng(seed + static_cast<unsigned>(slot));
  static const char* const words[] = {"買い物",
                                      "会議資料",
                                      "表示確認",
                                      "ソフト更新",
                                      "能率",
                                      "十日締切",
                                      "C:\\temp\\報告.txt",
                                      "\\\\nas\\共有",
                                      "牛乳",
                                      "ﾃｽﾄ",
                                      "予算",
                                      "見積",
                                      "電話",
                                      "メール返信",
                                      "%M月%D日(%W)",
                                      "残り%c\"20271231\"日"};
  auto phrase = [&](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) {
      if (i) s += ' ';
      s += words[rng() % (sizeof words / sizeof words[0])];
    }
    return s;
  };
  std::string out;
  char line[512];
  std::snprintf(line, sizeof line,
                "[Default]\r\nTitle=\r\nCreate=2026/01/%02d 09:00\r\nUpdate=202612%02d1030\r\nStyle=1\r\n"
                "X=%d\r\nY=%d\r\nW=240\r\nH=360\r\nV=1\r\nZ=-2\r\nBar=1\r\nBkColor=0x%06X\r\nAlpha=255\r\n",
                slot % 28 + 1, slot % 28 + 1, 20 + slot * 7, 30 + slot * 5, 0x99FFCC + slot);
  out += line;
  for (int h = 1; h <= 20; ++h) {
    std::snprintf(line, sizeof line, "[%d]\r\n0S=%08X0000000000000000\r\n0L=%s\r\n", h,
                  h % 3 == 0 ? 0x00010000 : 0, phrase(2).c_str());
    out += line;
    const int details = 5 + static_cast<int>(rng() % 11);
    for (int d = 1; d <= details; ++d) {
      const bool alarm = rng() % 25 == 0;
      const int state = static_cast<int>(rng() % 4);
      std::string text = phrase(1 + static_cast<int>(rng() % 4));
      if (rng() % 6 == 0) text += "\\n\\r" + phrase(2);
      const bool on = alarm && (!onAlarmsLeft || *onAlarmsLeft > 0);
      if (on && onAlarmsLeft) --*onAlarmsLeft;
      if (alarm)
        std::snprintf(line, sizeof line, "%dS=000%c000%X00000000000000001%d3000800%03X\r\n%dL=%s\r\n", d,
                      on ? 'C' : '4', (on ? 12 : 4) | state, static_cast<int>(rng() % 10),
                      static_cast<unsigned>(rng() % 0x7f), d, text.c_str());
      else
        std::snprintf(line, sizeof line, "%dS=0%d00000%X0008000000000000\r\n%dL=%s\r\n", d,
                      static_cast<int>(rng() % 2), state, d, text.c_str());
      out += line;
    }
  }
  return out;
}

// Writes Varnel00.dat .. Varnel49.dat into folder and returns their total size.
// At most maxOnAlarms alarms are ON, as many as the program's table holds.
inline std::uintmax_t WriteNoteFolder(const std::filesystem::path& folder, unsigned seed = 7,
                                      int maxOnAlarms = 50) {
  int onAlarmsLeft = maxOnAlarms;
  std::filesystem::create_directories(folder);
  std::uintmax_t total = 0;
  for (int slot = 0; slot < 50; ++slot) {
    char name[32];
    std::snprintf(name, sizeof name, "Varnel%02d.dat", slot);
    const std::string bytes = GenerateNote(slot, seed, &onAlarmsLeft);
    std::ofstream(folder / name, std::ios::binary | std::ios::trunc) << bytes;
    total += bytes.size();
  }
  return total;
}

}  // namespace varnel::bench
