// What the fuzz targets share: a check that stops the run, the input as bytes, a store on a file in memory.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/config/profile_store.h"

namespace varnel {

inline void Check(bool ok) {
  if (!ok) std::abort();
}

inline std::string Bytes(const std::uint8_t* data, std::size_t size, std::size_t skip = 0) {
  return size > skip ? std::string(reinterpret_cast<const char*>(data) + skip, size - skip) : std::string();
}

// One file in memory: what the store reads, stamps and replaces.
struct MemoryFile {
  std::string bytes;
  std::int64_t version = 0;
  StoreEnv env;
  std::filesystem::path path = "/fuzz/Varnel00.dat";
  explicit MemoryFile(std::string content) : bytes(std::move(content)) {
    env.programPath = "/fuzz/Varnel.exe";
    env.files.read = [this](auto&, std::string& out) { return out = bytes, true; };
    env.files.stamp = [this](auto&) { return FileStamp{true, bytes.size(), version}; };
    env.files.replace = [this](auto&, const std::string& c) { return bytes = c, ++version, true; };
  }
  std::unique_ptr<ProfileStore> Open() {
    auto store = std::make_unique<ProfileStore>();
    store->Open(env, false, "Default", &path, nullptr);
    return store;
  }
};

}  // namespace varnel
