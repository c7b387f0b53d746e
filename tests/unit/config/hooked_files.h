// Host file operations that count, fail or cut off replacements and removals.
#pragma once
#include <functional>
#include <memory>

#include "core/config/file_ops.h"

namespace varnel::test {

// Asks `go(op)` before each replacement (op 0) or removal (op 1); a refused one fails, changing nothing.
inline FileOps Hooked(std::function<bool(int op)> go) {
  FileOps ops = HostFileOps();
  ops.replace = [go](const std::filesystem::path& p, const std::string& c) {
    return go(0) && HostFileOps().replace(p, c);
  };
  ops.remove = [go](const std::filesystem::path& p) { return go(1) && HostFileOps().remove(p); };
  return ops;
}

// The files as a program cut off after `steps` replacements and removals leaves them (each atomic).
inline FileOps CutAfter(int steps) {
  auto left = std::make_shared<int>(steps);
  return Hooked([left](int) { return (*left)-- > 0; });
}

}  // namespace varnel::test
