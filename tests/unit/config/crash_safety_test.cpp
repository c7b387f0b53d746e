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
      std::string want = k < keys ? std::to_string(gen) + "_" + std::to_string(sec * 100 + k) + "_表示"
                                  : std::string("<none>");
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
  int lastGen = 0;
  // Where each kill lands is decided from what the writer reports, not from
  // time: half right after its n-th completed save, half just after its n-th
  // replacement started (somewhere inside it).
  for (int kills = 0; kills < 120; ++kills) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      execl(VARNEL_TOOL_crash_writer, VARNEL_TOOL_crash_writer, file.c_str(), fd.c_str(),
            static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    const bool afterSave = kills % 2 == 0;
    const int n = 1 + static_cast<int>(rng() % 3);
    int started = 0, done = 0;
    char c = 0;
    while ((afterSave ? done : started) < n && read(fds[0], &c, 1) == 1) (c == 'D' ? done : started)++;
    if (!afterSave) std::this_thread::sleep_for(std::chrono::microseconds(rng() % 3000));
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    while (read(fds[0], &c, 1) == 1) (c == 'D' ? done : started)++;  // sent before it died
    close(fds[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "writer ended on its own (status " << status << ")";
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
  // Temporary files of killed writers are the only leftovers allowed.
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path() != file) {
      EXPECT_NE(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
    }
  }
  fs::remove_all(dir);
}

}  // namespace
