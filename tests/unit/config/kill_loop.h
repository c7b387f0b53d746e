// Cuts a child process off at points it reports itself, so where a kill lands never hangs
// on the machine's speed: the saves, restores and exchanges killed midway share it.
#pragma once
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "core/config/file_ops.h"

namespace varnel::test {

// Host file operations that write 'S' to `fd` as each replacement or removal starts and
// 'D' once a replacement is done.
inline FileOps Reporting(int fd) {
  FileOps ops = HostFileOps();
  ops.replace = [fd](const std::filesystem::path& p, const std::string& c) {
    return write(fd, "S", 1) == 1 && HostFileOps().replace(p, c) && write(fd, "D", 1) == 1;
  };
  ops.remove = [fd](const std::filesystem::path& p) {
    return write(fd, "S", 1) == 1 && HostFileOps().remove(p);
  };
  return ops;
}

// Runs `work(fd)` in a child, kills it `waitMicros` after its `count`-th report `kind`
// and returns every report it sent before it died.
inline std::string KillAfter(const std::function<void(int fd)>& work, char kind, int count, int waitMicros) {
  int fds[2];
  if (pipe(fds) != 0) return "no pipe";
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    work(fds[1]);
    _exit(1);
  }
  close(fds[1]);
  std::string seen;
  char c = 0;
  for (int n = 0; n < count && read(fds[0], &c, 1) == 1; n += c == kind) seen += c;
  usleep(static_cast<useconds_t>(waitMicros));
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  while (read(fds[0], &c, 1) == 1) seen += c;
  close(fds[0]);
  EXPECT_TRUE(WIFSIGNALED(status)) << "the child ended on its own (status " << status << ")";
  return seen;
}

}  // namespace varnel::test
