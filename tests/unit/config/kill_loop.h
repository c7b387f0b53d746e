// Cuts a child process off at points it reports itself, so where a kill lands never hangs
// on the machine's speed: the restores and exchanges killed midway share it.
#pragma once
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "core/config/file_ops.h"

namespace varnel::test {

// Host file operations that write a byte to `fd` as each replacement or removal starts.
inline FileOps Reporting(int fd) {
  FileOps ops = HostFileOps();
  ops.replace = [fd](const std::filesystem::path& p, const std::string& c) {
    return write(fd, "S", 1) == 1 && HostFileOps().replace(p, c);
  };
  ops.remove = [fd](const std::filesystem::path& p) {
    return write(fd, "S", 1) == 1 && HostFileOps().remove(p);
  };
  return ops;
}

// Runs `work(fd)` in a child and kills it `waitMicros` after its `count`-th report.
inline void KillAfter(const std::function<void(int fd)>& work, int count, int waitMicros) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    work(fds[1]);
    _exit(1);
  }
  close(fds[1]);
  char c = 0;
  for (int n = 0; n < count && read(fds[0], &c, 1) == 1;) ++n;
  usleep(static_cast<useconds_t>(waitMicros));
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  close(fds[0]);
  EXPECT_TRUE(WIFSIGNALED(status)) << "the child ended on its own (status " << status << ")";
}

}  // namespace varnel::test
