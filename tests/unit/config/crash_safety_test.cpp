// Kills a process in the middle of saving, again and again: the file is always one whole
// version, the old one or the new one, never torn.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/config/profile_store.h"
#include "kill_loop.h"
#include "test_support.h"

namespace fs = std::filesystem;
using namespace varnel;

namespace {

// Empty when the file is exactly what crash_writer writes for its generation.
std::string CheckWholeVersion(const fs::path& file, int& gen) {
  StoreEnv env;
  env.programPath = file.parent_path() / "Varnel.exe";
  ProfileStore s;
  s.Open(env, false, "Default", &file, nullptr);
  gen = s.ReadInt("Gen", "-1", -1, 1 << 30);
  if (gen < 1) return "no generation key";
  for (int sec = 1; sec <= 20; ++sec)
    for (int k = 0; k < 16; ++k) {
      const std::string name = std::to_string(sec), key = std::to_string(k) + "T";
      const std::string got = s.ReadRaw(name.c_str(), key.c_str(), "<none>", 300);
      const std::string want = k < 10 + (gen + sec) % 6
                                   ? std::to_string(gen) + "_" + std::to_string(sec * 100 + k) + "_表示"
                                   : std::string("<none>");
      if (got != want) return "section " + name + " key " + key + ": '" + got + "' != '" + want + "'";
    }
  return {};
}

TEST(CrashSafety, KilledWriterLeavesOldOrNewFileNeverATornOne) {
  test::TempFolder dir("varnel-crash");
  const fs::path file = dir.Path() / "Varnel07.dat";
  std::mt19937 rng(20261207);
  int lastGen = 0;
  // Half the kills right after the writer's n-th completed save, half a little after its
  // n-th replacement started (somewhere inside it).
  for (int kills = 0; kills < 120; ++kills) {
    const bool afterSave = kills % 2 == 0;
    const int n = 1 + static_cast<int>(rng() % 3);
    const std::string seen = test::KillAfter(
        [&file](int fd) {
          const std::string report = std::to_string(fd);
          execl(VARNEL_TOOL_crash_writer, VARNEL_TOOL_crash_writer, file.c_str(), report.c_str(),
                static_cast<char*>(nullptr));
        },
        afterSave ? 'D' : 'S', n, afterSave ? 0 : static_cast<int>(rng() % 3000));
    const int done = static_cast<int>(std::count(seen.begin(), seen.end(), 'D'));
    ASSERT_GE(done, afterSave ? n : n - 1);
    int gen = 0;
    if (!fs::exists(file)) {
      ASSERT_EQ(lastGen + done, 0) << "the file vanished after a save";
      continue;
    }
    ASSERT_EQ(CheckWholeVersion(file, gen), "") << "after kill " << kills;
    // Every save reported done is on the disk; at most the one under way too.
    ASSERT_GE(gen, lastGen + done) << "after kill " << kills;
    ASSERT_LE(gen, lastGen + done + 1) << "after kill " << kills;
    lastGen = gen;
  }
  for (const auto& entry : fs::directory_iterator(dir.Path()))  // leftovers of killed writers only
    EXPECT_TRUE(entry.path() == file || entry.path().string().find(".tmp") != std::string::npos)
        << entry.path();
}

}  // namespace
