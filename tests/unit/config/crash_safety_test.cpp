// Kills a process in the middle of saving, hundreds of times, and checks that the
// file is always one whole version: the old one or the new one, never torn.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "core/config/profile_store.h"

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
  for (int sec = 1; sec <= 20; ++sec) {
    std::string name = std::to_string(sec);
    int keys = 10 + (gen + sec) % 6;
    for (int k = 0; k < 16; ++k) {
      std::string key = std::to_string(k) + "T";
      std::string got = s.ReadRaw(name.c_str(), key.c_str(), "<none>", 300);
      std::string want =
          k < keys ? std::to_string(gen) + "_" + std::to_string(sec * 100 + k) + "_表示" : std::string("<none>");
      if (got != want) return "section " + name + " key " + key + ": '" + got + "' != '" + want + "'";
    }
  }
  return {};
}

TEST(CrashSafety, KilledWriterLeavesOldOrNewFileNeverATornOne) {
  fs::path dir = fs::temp_directory_path() / ("varnel_crash_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::path file = dir / "Varnel07.dat";
  std::mt19937 rng(20261207);
  int kills = 0, lastGen = 0, advanced = 0;
  auto start = std::chrono::steady_clock::now();
  while (kills < 300 && std::chrono::steady_clock::now() - start < std::chrono::seconds(90)) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      execl(VARNEL_TOOL_crash_writer, VARNEL_TOOL_crash_writer, file.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(2000 + rng() % 40000));
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "writer ended on its own (status " << status << ")";
    ++kills;
    if (!fs::exists(file)) {
      ASSERT_EQ(lastGen, 0) << "the file vanished after a save";
      continue;
    }
    int gen = 0;
    std::string problem = CheckWholeVersion(file, gen);
    ASSERT_EQ(problem, "") << "after kill " << kills;
    ASSERT_GE(gen, lastGen);
    if (gen > lastGen) ++advanced;
    lastGen = gen;
  }
  EXPECT_GE(kills, 300);
  EXPECT_GT(advanced, kills / 4) << "the writer was rarely killed after a save";
  // Temporary files of killed writers are the only leftovers allowed.
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path() != file) {
      EXPECT_NE(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
    }
  }
  fs::remove_all(dir);
}

}  // namespace
