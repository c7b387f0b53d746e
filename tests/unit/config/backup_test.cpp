// Rolling backups: which files count, names, thinning out, change detection,
// setting unreadable files aside, the listing and a restore killed midway.
#include <chrono>
#include <map>
#include <random>

#include "core/config/backup.h"
#include "kill_loop.h"
#include "test_support.h"

namespace fs = std::filesystem;
using namespace varnel;
using varnel::test::MakeDateTime;

namespace {

TEST(Backup, DataFileNamesAndSlots) {
  const struct {
    const char* name;
    int slot;
    bool data;
  } cases[] = {
      {"Varnel.ini", -1, true},        {"VARNEL.INI", -1, true},    {"Varnel00.dat", 0, true},
      {"varnel49.DAT", 49, true},      {"Varnel50.dat", -1, false}, {"Varnel7.dat", -1, false},
      {"Varnel07.dat.bad", -1, false}, {"Varnel.tmp", -1, false},   {"Varnel07.dat.tmp1_2", -1, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(SlotOfDataFile(c.name), c.slot) << c.name;
    EXPECT_EQ(IsDataFileName(c.name), c.data) << c.name;
  }
}

TEST(Backup, NamesRoundTripAndStrangersAreNoBackups) {
  DateTime t = MakeDateTime(2026, 2, 3, 4, 5, 6);
  EXPECT_EQ(BackupName(t), "20260203-040506");
  EXPECT_EQ(BackupName(t, 2), "20260203-040506-2");
  for (const char* good : {"20260203-040506", "20260203-040506-2", "20240229-235959"}) {
    DateTime back;
    ASSERT_TRUE(ParseBackupName(good, back)) << good;
    EXPECT_EQ(BackupName(back), std::string(good).substr(0, 15));
  }
  DateTime unused;
  for (const char* bad : {"", "~20260203-040506.tmp", "20260203_040506", "20230229-000000", "20261301-000000",
                          "20260203-240000", "20260203-040506-", "20260203-040506x", "my notes"})
    EXPECT_FALSE(ParseBackupName(bad, unused)) << bad;
}

// Backups at the given days and hours before `now`; what stays.
TEST(Backup, KeepsTheNewestTenAndOnePerDayForThirtyDays) {
  const DateTime now = MakeDateTime(2026, 3, 31, 12);
  auto at = [](int daysBack, int hour, int serial = 1) {
    Date d = DayNumberToDate(DayNumber(2026, 3, 31) - daysBack);
    return BackupName(MakeDateTime(d.year, d.month, d.day, hour), serial);
  };
  const struct {
    const char* what;
    std::vector<std::string> backups, removed;
  } cases[] = {
      {"twelve today: the two oldest go",
       {at(0, 0), at(0, 1), at(0, 2), at(0, 3), at(0, 4), at(0, 5), at(0, 6), at(0, 7), at(0, 8), at(0, 9),
        at(0, 10), at(0, 11)},
       {at(0, 1), at(0, 0)}},
      {"same second twice: the serial is the newer",
       {at(1, 5), at(1, 5, 2), at(0, 1), at(0, 2), at(0, 3), at(0, 4), at(0, 5), at(0, 6), at(0, 7), at(0, 8),
        at(0, 9)},
       {at(1, 5)}},
      {"older days keep their newest within thirty days",
       {at(29, 1), at(29, 2), at(30, 1), at(45, 3), at(0, 0), at(0, 1), at(0, 2), at(0, 3), at(0, 4),
        at(0, 5), at(0, 6), at(0, 7), at(0, 8), at(0, 9)},
       {at(29, 1), at(30, 1), at(45, 3)}},
      {"few backups are all kept however old", {at(400, 1), at(90, 1)}, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> removed = BackupsToRemove(c.backups, now);
    std::sort(removed.begin(), removed.end());
    std::vector<std::string> want = c.removed;
    std::sort(want.begin(), want.end());
    EXPECT_EQ(removed, want) << c.what;
  }
}

TEST(Backup, OnlyEmptyOrBinaryFilesLookUnreadable) {
  EXPECT_TRUE(LooksUnreadable(""));
  EXPECT_TRUE(LooksUnreadable(std::string("[Default]\r\nTitle=a\r\n\0\0\0\0", 24)));
  EXPECT_TRUE(LooksUnreadable(std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
  // Hand-edited text stays: no final line break, a lone line, UTF-8 with its mark, CP932.
  for (const char* ok :
       {"[Default]\r\nTitle=買い物", "x", "\xEF\xBB\xBF[Default]\nTitle=\xE3\x81\x82", "[1]\r\n0T=表示\r\n"})
    EXPECT_FALSE(LooksUnreadable(ok)) << ok;
}

class BackupFolder : public ::testing::Test {
 protected:
  fs::path Data() const { return base_ / "data"; }
  fs::path Root() const { return Data() / "backup"; }
  void Put(const std::string& name, const std::string& bytes) {
    fs::create_directories(Data());
    test::WriteBytes(Data() / name, bytes);
  }
  std::vector<std::string> Backups() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(Root(), ec)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  StartupBackupResult Start(int minute, bool setAside = true) {
    return BackUpDataFolder(HostFileOps(), Data(), MakeDateTime(2026, 5, 1, 9, minute), setAside);
  }
  void PutNotes(const char* list, const char* tag) {
    Put("Varnel.ini", std::string("[Default]\r\nList=") + list + "\r\n");
    for (int slot : {0, 3, 7})
      Put("Varnel0" + std::to_string(slot) + ".dat",
          "[Default]\r\nTitle=" + std::string(tag) + std::to_string(slot) + "\r\n");
  }
  test::TempFolder folder_{"varnel-backup"};
  fs::path base_ = folder_.Path();
};

TEST_F(BackupFolder, BacksUpOnlyWhatChangedAndThinsOut) {
  PutNotes("1001", "買物");
  Put("Varnel03.dat.bad", "old bad file");  // not data: never copied
  EXPECT_TRUE(Start(0).made);
  EXPECT_FALSE(Start(1).made) << "nothing changed";
  fs::last_write_time(Data() / "Varnel03.dat",
                      fs::last_write_time(Data() / "Varnel03.dat") + std::chrono::hours(1));
  EXPECT_FALSE(Start(1).made) << "touched, not changed";
  ASSERT_EQ(Backups(), std::vector<std::string>{"20260501-090000"});
  EXPECT_EQ(test::ReadBytes(Root() / "20260501-090000" / "Varnel03.dat"), "[Default]\r\nTitle=買物3\r\n");
  EXPECT_FALSE(fs::exists(Root() / "20260501-090000" / "Varnel03.dat.bad"));
  // A removed note file is a change too; twelve changes leave ten.
  fs::remove(Data() / "Varnel07.dat");
  EXPECT_TRUE(Start(2).made);
  for (int i = 3; i < 14; ++i) {
    Put("Varnel00.dat", "[Default]\r\nTitle=v" + std::to_string(i) + "\r\n");
    EXPECT_TRUE(Start(i).made);
  }
  EXPECT_EQ(Backups().size(), 10u);
  EXPECT_EQ(Backups().front(), "20260501-090400");
  // A leftover of a crash in the middle of a backup is cleared away.
  fs::create_directories(Root() / "~20260501-091400.tmp");
  test::WriteBytes(Root() / "~20260501-091400.tmp" / "Varnel.ini", "half");
  EXPECT_FALSE(Start(14).made);
  EXPECT_FALSE(fs::exists(Root() / "~20260501-091400.tmp"));
}

TEST_F(BackupFolder, UnreadableFilesAreSetAsideNeverOverwritten) {
  PutNotes("1001", "t");
  EXPECT_TRUE(Start(0).made);
  Put("Varnel03.dat", std::string(64, '\0'));
  // Without backups, an unreadable file is still set aside.
  const StartupBackupResult off =
      BackUpDataFolder(HostFileOps(), Data(), test::MakeDateTime(2026, 5, 1, 9, 1), true, false);
  EXPECT_FALSE(off.made);
  ASSERT_EQ(off.setAside.size(), 1u);
  fs::rename(Data() / "Varnel03.dat.bad", Data() / "Varnel03.dat");
  Put("Varnel03.dat.bad", "an older one");
  Put("Varnel.ini", "");
  const StartupBackupResult r = Start(1);
  ASSERT_EQ(r.setAside.size(), 2u);
  EXPECT_EQ(r.setAside[0].name + ">" + r.setAside[0].badName, "Varnel.ini>Varnel.ini.bad");
  EXPECT_EQ(r.setAside[1].name + ">" + r.setAside[1].badName, "Varnel03.dat>Varnel03.dat.2.bad");
  EXPECT_TRUE(r.setAside[1].inBackup);
  EXPECT_EQ(test::ReadBytes(Data() / "Varnel03.dat.bad"), "an older one");
  EXPECT_EQ(test::ReadBytes(Data() / "Varnel03.dat.2.bad"), std::string(64, '\0'));
  Put("Varnel09.dat", std::string("\0", 1));
  EXPECT_FALSE(Start(3).setAside.at(0).inBackup) << "no backup ever held it";
  // The daily backup leaves the data files alone.
  Put("Varnel07.dat", "");
  EXPECT_TRUE(Start(2, false).setAside.empty());
  EXPECT_TRUE(fs::exists(Data() / "Varnel07.dat"));
}

TEST_F(BackupFolder, ListsNewestFirstAndRestoresFileByFile) {
  PutNotes("1001", "old");
  Start(0);
  PutNotes("1000000", "new");
  Start(1);
  const std::vector<BackupSummary> list = ListBackups(HostFileOps(), Data(), 2);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].name, "20260501-090100");
  EXPECT_EQ(list[0].notes, 1);
  EXPECT_EQ(list[1].notes, 2);
  EXPECT_EQ(list[1].titles, (std::vector<std::string>{"old0", "old3"}));
  EXPECT_EQ(list[1].time.minute, 0);

  Put("Varnel12.dat", "[Default]\r\nTitle=later\r\n");
  ASSERT_TRUE(RestoreBackup(HostFileOps(), Data(), list[1].name));
  EXPECT_EQ(test::ReadBytes(Data() / "Varnel03.dat"), "[Default]\r\nTitle=old3\r\n");
  EXPECT_EQ(test::ReadBytes(Data() / "Varnel.ini"), "[Default]\r\nList=1001\r\n");
  EXPECT_TRUE(fs::exists(Data() / "Varnel12.dat")) << "a file the backup lacks stays";
  EXPECT_FALSE(RestoreBackup(HostFileOps(), Data(), "20991231-000000"));
  EXPECT_FALSE(RestoreBackup(HostFileOps(), Data(), "../data"));
  // A backup holding a zeroed copy is refused whole: nothing is replaced.
  PutNotes("1001", "new");
  test::WriteBytes(Data() / "backup" / list[0].name / "Varnel00.dat", std::string(8, '\0'));
  EXPECT_FALSE(RestoreBackup(HostFileOps(), Data(), list[0].name));
  EXPECT_EQ(test::ReadBytes(Data() / "Varnel03.dat"), "[Default]\r\nTitle=new3\r\n");
}

// Kills a restore at random points, hundreds of times: every data file is
// always whole, either the version before or the backup's.
TEST_F(BackupFolder, KilledRestoreLeavesEveryFileWhole) {
  auto version = [](const std::string& name, char v) {
    std::string s = "[Default]\r\nTitle=" + name + v + "\r\n";
    for (int i = 0; s.size() < 12000; ++i) s += std::to_string(i) + "T=" + v + "表示の行\r\n";
    return s;
  };
  // In memory where there is such a folder: a flush to disk per file would
  // leave time for only a few dozen kills.
  std::error_code ec;
  if (fs::is_directory("/dev/shm", ec)) base_ = "/dev/shm" / folder_.Path().filename();
  struct Cleanup {
    fs::path path;
    ~Cleanup() { fs::remove_all(path); }
  } cleanup{base_ == folder_.Path() ? fs::path() : base_};
  std::vector<std::string> names{"Varnel.ini"};
  for (int slot = 10; slot < 50; slot += 2) names.push_back("Varnel" + std::to_string(slot) + ".dat");
  std::map<std::string, std::string> versions;
  for (char v : {'A', 'B'}) {
    for (const std::string& n : names) Put(n, versions[n + v] = version(n, v));
    ASSERT_TRUE(Start(v == 'A' ? 0 : 1).made);
  }
  std::mt19937 rng(20261208);
  for (int kills = 0; kills < 200; ++kills) {
    const int n = 1 + static_cast<int>(rng() % 50);
    test::KillAfter(
        [this](int fd) {  // restores the two backups in turn
          for (int i = 0;
               RestoreBackup(test::Reporting(fd), Data(), i % 2 ? "20260501-090100" : "20260501-090000");
               ++i) {
          }
        },
        n, static_cast<int>(rng() % 400));
    for (const std::string& name : names) {
      const std::string got = test::ReadBytes(Data() / name);
      ASSERT_TRUE(got == versions[name + 'A'] || got == versions[name + 'B'])
          << name << " torn after kill " << kills;
    }
  }
}

}  // namespace
