// Saves generation after generation of a note-sized file through the store
// until it is killed. Every key of generation g is derived from g, so a reader
// can tell a whole version from a torn one. With a file descriptor as the
// second argument it reports there 'S' as a replacement starts and 'D' once it
// is done, so the killer knows where the writer is without guessing from time.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/config/profile_store.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  varnel::StoreEnv env;
  env.programPath = std::filesystem::path(argv[1]).parent_path() / "Varnel.exe";
  const int report = argc > 2 ? std::atoi(argv[2]) : -1;
  env.files.replace = [report](const std::filesystem::path& path, const std::string& content) {
    if (report >= 0 && write(report, "S", 1) != 1) return false;
    const bool ok = varnel::HostFileOps().replace(path, content);
    if (ok && report >= 0 && write(report, "D", 1) != 1) return false;
    return ok;
  };
  std::filesystem::path file = argv[1];
  varnel::ProfileStore store;
  store.Open(env, false, "Default", &file, nullptr);
  int gen = store.ReadInt("Gen", "0", 0, 1 << 30);
  for (;;) {
    ++gen;
    varnel::ProfileStore::Batch batch(store);
    for (int sec = 1; sec <= 20; ++sec) {
      std::string name = std::to_string(sec);
      store.ClearSection(name.c_str());
      // The number of keys varies with the generation so sizes differ too.
      int keys = 10 + (gen + sec) % 6;
      for (int k = 0; k < keys; ++k) {
        std::string key = std::to_string(k) + "T";
        std::string value = std::to_string(gen) + "_" + std::to_string(sec * 100 + k) + "_表示";
        store.WriteString(key.c_str(), value.c_str(), name.c_str());
      }
    }
    store.WriteInt("Gen", gen);
  }
}
