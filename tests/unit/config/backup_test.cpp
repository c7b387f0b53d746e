// Rolling backups: names, thinning out, changes, unreadable files set aside, listing and restore.
#include "core/config/backup.h"

#include <algorithm>
#include <chrono>

#include "hooked_files.h"
#include "test_support.h"

namespace fs = std::filesystem;
using namespace varnel;
using varnel::test::MakeDateTime;

namespace {

TEST(Backup, DataFileAndBackupNames) {
  const std::tuple<const char*, int, bool> cases[] = {
      {"Varnel.ini", -1, true},        {"VARNEL.INI", -1, true},    {"Varnel00.dat", 0, true},
      {"varnel49.DAT", 49, true},      {"Varnel50.dat", -1, false}, {"Varnel7.dat", -1, false},
      {"Varnel07.dat.bad", -1, false}, {"Varnel.tmp", -1, false},   {"Varnel07.dat.tmp1_2", -1, false}};
  for (const auto& [name, slot, data] : cases) {
    EXPECT_EQ(SlotOfDataFile(name), slot) << name;
    EXPECT_EQ(IsDataFileName(name), data) << name;
  }
  // Backup names read back; strangers are no backups.
  EXPECT_EQ(BackupName(MakeDateTime(2026, 2, 3, 4, 5, 6), 2), "20260203-040506-2");
  DateTime back;
  for (const char* good : {"20260203-040506", "20260203-040506-2", "20240229-235959"})
    EXPECT_TRUE(ParseBackupName(good, back) && BackupName(back) == std::string(good).substr(0, 15)) << good;
  for (const char* bad : {"", "~20260203-040506.tmp", "20260203_040506", "20230229-000000", "20261301-000000",
                          "20260203-240000", "20260203-040506-", "20260203-040506x", "my notes"})
    EXPECT_FALSE(ParseBackupName(bad, back)) << bad;
}

// Backups at the given days and hours before `now`; what goes.
TEST(Backup, KeepsTheNewestTenAndOnePerDayForThirtyDays) {
  const auto at = [](int daysBack, int hour, int serial = 1) {
    Date d = DayNumberToDate(DayNumber(2026, 3, 31) - daysBack);
    return BackupName(MakeDateTime(d.year, d.month, d.day, hour), serial);
  };
  using Names = std::vector<std::string>;
  Names today;  // nine, at 1..9 o'clock
  for (int hour = 1; hour <= 9; ++hour) today.push_back(at(0, hour));
  const auto with = [&today](Names more) {
    more.insert(more.end(), today.begin(), today.end());
    return more;
  };
  const std::tuple<const char*, Names, Names> cases[] = {
      {"twelve today: the two oldest go", with({at(0, 0), at(0, 0, 2), at(0, 10)}), {at(0, 0), at(0, 0, 2)}},
      {"same second twice: the serial is the newer", with({at(1, 5), at(1, 5, 2)}), {at(1, 5)}},
      {"older days keep their newest within thirty days",
       with({at(29, 1), at(29, 2), at(30, 1), at(45, 3), at(0, 0)}),
       {at(45, 3), at(30, 1), at(29, 1)}},
      {"few backups are all kept however old", {at(400, 1), at(90, 1)}, {}},
  };
  for (const auto& [what, backups, removed] : cases) {  // in name order
    Names got = BackupsToRemove(backups, MakeDateTime(2026, 3, 31, 12));
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, removed) << what;
  }
}

class BackupFolder : public test::StoreTest {
 protected:
  fs::path Data() const { return Path("data"); }
  fs::path Root() const { return Data() / "backup"; }
  void Put(const std::string& name, const std::string& bytes) { Write("data/" + name, bytes); }
  std::vector<std::string> Backups() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(Root())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  StartupBackupResult Start(int minute, bool setAside = true, bool backUp = true) {
    return BackUpDataFolder(HostFileOps(), Data(), MakeDateTime(2026, 5, 1, 9, minute), setAside, backUp);
  }
  // The global file listing `list`, notes 0, 3 and 7 titled `tag` and their number.
  void PutNotes(const char* list, const std::string& tag) {
    Put("Varnel.ini", std::string("[Default]\r\nList=") + list + "\r\n");
    for (int slot : {0, 3, 7})
      Put("Varnel0" + std::to_string(slot) + ".dat",
          "[Default]\r\nTitle=" + tag + std::to_string(slot) + "\r\n");
  }
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
  EXPECT_EQ(Read("data/backup/20260501-090000/Varnel03.dat"), "[Default]\r\nTitle=買物3\r\n");
  EXPECT_FALSE(fs::exists(Root() / "20260501-090000" / "Varnel03.dat.bad"));
  // A removed note file is a change too; twelve changes leave ten. Pruning trusts the removal's
  // answer: gone, even if never there, is true.
  for (int i = 0; i < 2; ++i) EXPECT_TRUE(HostFileOps().remove(Data() / "Varnel07.dat")) << i;
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
  const StartupBackupResult off = Start(1, true, false);
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
  EXPECT_EQ(Read("data/Varnel03.dat.bad"), "an older one");
  EXPECT_EQ(Read("data/Varnel03.dat.2.bad"), std::string(64, '\0'));
  Put("Varnel09.dat", std::string("\0", 1));
  EXPECT_FALSE(Start(3).setAside.at(0).inBackup) << "no backup ever held it";
  // The daily backup leaves the data files alone.
  Put("Varnel07.dat", "");
  EXPECT_TRUE(Start(2, false).setAside.empty());
  EXPECT_TRUE(fs::exists(Data() / "Varnel07.dat"));
}

TEST_F(BackupFolder, ListsNewestFirstAndRestoresFileByFileTheGlobalFileLast) {
  PutNotes("1001", "old");
  Start(0);
  PutNotes("1000000", "new");
  Start(1);
  const std::vector<BackupSummary> list = ListBackups(HostFileOps(), Data(), 2);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(std::make_tuple(list[0].name, list[0].notes, list[1].notes, list[1].time.minute),
            std::make_tuple("20260501-090100", 1, 2, 0));
  EXPECT_EQ(list[1].titles, (std::vector<std::string>{"old0", "old3"}));

  Put("Varnel12.dat", "[Default]\r\nTitle=later\r\n");
  ASSERT_TRUE(RestoreBackup(HostFileOps(), Data(), list[1].name));
  EXPECT_EQ(Read("data/Varnel03.dat"), "[Default]\r\nTitle=old3\r\n");
  EXPECT_EQ(Read("data/Varnel.ini"), "[Default]\r\nList=1001\r\n");
  EXPECT_TRUE(fs::exists(Data() / "Varnel12.dat")) << "a file the backup lacks stays";
  EXPECT_FALSE(RestoreBackup(HostFileOps(), Data(), "20991231-000000"));
  EXPECT_FALSE(RestoreBackup(HostFileOps(), Data(), "../data"));
  // A backup holding a zeroed copy is refused whole: nothing is replaced.
  PutNotes("1001", "new");
  test::WriteBytes(Root() / list[0].name / "Varnel00.dat", std::string(8, '\0'));
  EXPECT_FALSE(RestoreBackup(HostFileOps(), Data(), list[0].name));
  EXPECT_EQ(Read("data/Varnel03.dat"), "[Default]\r\nTitle=new3\r\n");
  // A restore cut off after each of its replacements: the global file comes last, so a list of
  // open notes from the backup never names a note file from before it.
  for (int steps = 0; steps <= 4; ++steps) {
    PutNotes("1000001", "new");
    RestoreBackup(test::CutAfter(steps), Data(), "20260501-090000");
    EXPECT_EQ(Read("data/Varnel.ini") == "[Default]\r\nList=1001\r\n", steps == 4) << steps;
  }
  EXPECT_EQ(Read("data/Varnel07.dat"), "[Default]\r\nTitle=old7\r\n");
}

}  // namespace
