#include "win/platform/program_paths.h"

#include <windows.h>

#include <string>

#include "win/platform/registry_ops.h"
#include "win/platform/win_file_ops.h"

namespace varnel::win {

std::filesystem::path ProgramPath() {
  // GetModuleFileNameW truncates silently (returning the buffer size), so grow
  // until the whole path fits; the longest possible path is 32767 characters.
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) {
      buf.resize(n);
      return std::filesystem::path(buf);
    }
    if (buf.size() >= 65536) return {};
    buf.resize(buf.size() * 2);
  }
}

std::filesystem::path DataFolder() { return ProgramPath().parent_path() / L"data"; }

const varnel::StoreEnv& ProgramStoreEnv() {
  static const varnel::StoreEnv env = [] {
    varnel::StoreEnv e;
    e.programPath = ProgramPath();
    e.files = WinFileOps();
    e.registry = WinRegistryOps();
    return e;
  }();
  return env;
}

}  // namespace varnel::win
