// Helpers of the settings tests: numbered entries, and host file operations that count, fail or cut
// off replacements and removals.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/config/file_ops.h"

namespace varnel::test {

// "Name0=v0\r\nName1=v1\r\n…", a numbered list as the settings file holds it.
inline std::string Numbered(const std::string& name, const std::vector<std::string>& values) {
  std::string lines;
  for (std::size_t i = 0; i < values.size(); ++i)
    lines += name + std::to_string(i) + "=" + values[i] + "\r\n";
  return lines;
}

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
