// Arbitrary bytes as a settings file: reads never crash, a write is read back,
// and a save keeps every other key's value.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "core/config/profile_store.h"

using namespace varnel;

namespace {

struct MemoryFile {
  std::string bytes;
  bool exists = true;
  std::int64_t version = 0;
};

StoreEnv MemoryEnv(MemoryFile& f) {
  StoreEnv env;
  env.programPath = "/fuzz/Varnel.exe";
  env.files.read = [&f](const std::filesystem::path&, std::string& out) {
    out = f.exists ? f.bytes : std::string();
    return f.exists;
  };
  env.files.stamp = [&f](const std::filesystem::path&) {
    return FileStamp{f.exists, f.bytes.size(), f.version};
  };
  env.files.replace = [&f](const std::filesystem::path&, const std::string& c) {
    f.bytes = c;
    f.exists = true;
    ++f.version;
    return true;
  };
  return env;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryFile file;
  file.bytes.assign(reinterpret_cast<const char*>(data), size);
  StoreEnv env = MemoryEnv(file);
  ProfileStore s;
  std::filesystem::path path = "/fuzz/t.ini";
  s.Open(env, false, "Default", &path, nullptr);

  const char* keys[] = {"A", "b", "Section", "UseReg", "0T", "%dS", "List", ""};
  const char* sections[] = {"Default", "1", "x", " default "};
  std::map<std::pair<int, int>, std::string> before;
  for (int si = 0; si < 4; ++si)
    for (int ki = 0; ki < 8; ++ki) {
      before[{si, ki}] = s.ReadRaw(sections[si], keys[ki], "\x01", 301);
      s.ReadInt(keys[ki], "7", -5, 5, sections[si]);
      s.ReadColor(keys[ki], 3, sections[si]);
      s.ReadString(keys[ki], "d", 4, sections[si]);
    }

  // Write one key and check that it reads back and nothing else moved.
  s.WriteString("b", "new value", "1");
  Check(s.ReadRaw("1", "b", "", 301) == "new value");
  for (int si = 0; si < 4; ++si)
    for (int ki = 0; ki < 8; ++ki) {
      if (si == 1 && ki == 1) continue;  // the key just written
      Check(s.ReadRaw(sections[si], keys[ki], "\x01", 301) == before[{si, ki}]);
    }

  // A fresh store on the saved bytes sees the same values.
  ProfileStore again;
  again.Open(env, false, "Default", &path, nullptr);
  Check(again.ReadRaw("1", "b", "", 301) == "new value");
  // After removing a section, memory and the saved bytes still agree.
  s.ClearSection("1");
  ProfileStore third;
  third.Open(env, false, "Default", &path, nullptr);
  for (int ki = 0; ki < 8; ++ki) Check(s.ReadRaw("1", keys[ki], "\x01", 301) == third.ReadRaw("1", keys[ki], "\x01", 301));
  return 0;
}
