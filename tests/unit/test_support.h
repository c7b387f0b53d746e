// Small helpers shared by the unit tests.
#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include <atomic>
#include <system_error>

#include <memory>

#include "core/config/profile_store.h"
#include "core/features/calendar.h"

namespace varnel::test {

inline DateTime MakeDateTime(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  DateTime t;
  t.year = static_cast<std::uint16_t>(y);
  t.month = static_cast<std::uint16_t>(mo);
  t.day = static_cast<std::uint16_t>(d);
  t.dayOfWeek = static_cast<std::uint16_t>(WeekdayOfDate(y, mo, d));
  t.hour = static_cast<std::uint16_t>(h);
  t.minute = static_cast<std::uint16_t>(mi);
  t.second = static_cast<std::uint16_t>(s);
  return t;
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A fresh folder per test (named after it), removed again at the end.
class TempFolder {
 public:
  explicit TempFolder(const char* prefix) {
    static std::atomic<int> counter{0};
    std::ostringstream name;
    name << prefix << "-" << ::testing::UnitTest::GetInstance()->current_test_info()->name() << "-"
         << counter++;
    path_ = std::filesystem::temp_directory_path() / name.str();
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A test with a fresh folder and settings files in it, opened by the host file operations.
class StoreTest : public ::testing::Test {
 protected:
  StoreTest() { env_.programPath = Path("Varnel.exe"); }
  std::filesystem::path Path(const std::string& name) const { return folder_.Path() / name; }
  void Write(const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories(Path(name).parent_path());
    WriteBytes(Path(name), bytes);
  }
  std::string Read(const std::string& name) const { return ReadBytes(Path(name)); }
  // A store on the file `name`, written first with [Default] and `lines` when they are given.
  std::unique_ptr<ProfileStore> Open(const std::string& name, const char* lines = nullptr) {
    if (lines) Write(name, std::string("[Default]\r\n") + lines);
    auto store = std::make_unique<ProfileStore>();
    const std::filesystem::path file = Path(name);
    store->Open(env_, false, "Default", &file, nullptr);
    return store;
  }

  TempFolder folder_{"varnel"};
  StoreEnv env_;
};

}  // namespace varnel::test
