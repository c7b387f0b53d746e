// Small helpers shared by the unit tests.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>  // for the tests that read text line by line

#include "core/config/profile_store.h"
#include "core/features/alarm_table.h"
#include "core/features/calendar.h"
#include "core/note/note_content.h"

namespace varnel::test {

inline DateTime MakeDateTime(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  const auto u = [](int v) { return static_cast<std::uint16_t>(v); };
  return DateTime{u(y), u(mo), u(WeekdayOfDate(y, mo, d)), u(d), u(h), u(mi), u(s)};
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder per test, named after it and the process (a build's and a mutant's runs stay apart),
// removed again at the end.
class TempFolder {
 public:
  explicit TempFolder(const char* prefix) {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            (std::string(prefix) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
             "-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
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

// A note in memory with an alarm table on a fixed clock; on a StoreTest (NoteTest) it is also
// saved to and loaded from Varnel00.dat. Tests of memory alone skip the folder.
template <class Base = ::testing::Test>
class NoteRowsTest : public Base {
 protected:
  NoteRowsTest() { c_.alarms = &alarms_; }
  // Headings given as {text, details...}.
  void Build(const std::vector<std::vector<std::string>>& headings) {
    for (const auto& h : headings) {
      ASSERT_GE(c_.AddHeading(h[0]), 0);
      const int heading = c_.headingCount - 1;
      for (std::size_t i = 1; i < h.size(); ++i) {
        const int last = c_.rows.Find(c_.headingKeys[heading] - 1);
        ASSERT_GE(c_.InsertDetail(heading, c_.MakeRoomAfter(heading, last), h[i]), 0);
      }
    }
  }
  int Row(int heading, std::uint32_t number) const {
    return c_.rows.Find(MakeRowKey(KeyHeadingId(c_.headingKeys[heading]), number));
  }
  std::string& Status(int heading, std::uint32_t number) { return c_.rows.At(Row(heading, number)).status; }
  // Gives a detail an alarm that is on and armed, as the properties dialog leaves it; its number.
  int Arm(int heading, std::uint32_t number, const std::string& record = "103000800001") {
    const int n = alarms_.RegisterAlarm(c_.slot, c_.rows.At(Row(heading, number)).key, record);
    Status(heading, number) = "000c" + std::string(n < 10 ? "0" : "") + std::to_string(n) + "0c" + record;
    return n;
  }
  // The note in display order, "heading:detail,detail|heading:…", checking on the way that every
  // row is reached once and details are numbered 1..n.
  std::string Outline() const {
    std::string out;
    int visited = 0;
    for (int h = 0; h < c_.headingCount; ++h) {
      if (h) out += '|';
      std::uint32_t expected = 0;
      c_.ForEachRow(h, true, [&](int row, std::uint32_t r) {
        EXPECT_EQ(r, expected++) << "heading " << h;
        ++visited;
        out += (r == 0 ? "" : r == 1 ? ":" : ",") + c_.rows.At(row).text;
      });
      EXPECT_EQ(KeyNumber(c_.headingKeys[h]), expected) << "next row number of heading " << h;
      for (int other = 0; other < h; ++other)
        EXPECT_NE(KeyHeadingId(c_.headingKeys[other]), KeyHeadingId(c_.headingKeys[h]));
    }
    EXPECT_EQ(visited, c_.rows.Count()) << "rows outside every heading";
    return out;
  }
  DateTime now_ = MakeDateTime(2026, 12, 7, 9, 30);
  // Due times are not looked at here.
  AlarmTable alarms_{AlarmClock{[this] { return now_; }, [](const DateTime&) { return std::int64_t{0}; }}};
  NoteContent c_;
  NoteRules rules_;
};

class NoteTest : public NoteRowsTest<StoreTest> {
 protected:
  void Load(const std::string& bytes) {
    Write("Varnel00.dat", bytes);
    store_.Open(env_, false, "Default", &file_, nullptr);
    loadOk_ = c_.LoadItems(store_);
  }
  void Save(int autoDel = 0) {
    ProfileStore::Batch batch(store_);
    c_.SaveItems(store_, autoDel);
  }
  void Reload() { loadOk_ = c_.LoadItems(store_); }

  std::filesystem::path file_ = Path("Varnel00.dat");
  ProfileStore store_;
  bool loadOk_ = false;
};

}  // namespace varnel::test
