#include "core/features/date_formats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"

using varnel::test::MakeDateTime;
using varnel::test::ReadBytes;
using varnel::test::WriteBytes;

namespace fs = std::filesystem;
using namespace varnel;
using Action = DateFormatList::Action;

namespace {

std::vector<std::string> Texts(const DateFormatList& list) {
  std::vector<std::string> t;
  for (const auto& e : list.Entries()) t.push_back(e.text);
  return t;
}

TEST(DateFormatListTest, EmptyListOffersTheDefaultFormatOnly) {
  DateFormatList list;
  EXPECT_EQ(list.ComboItems(), std::vector<std::string>{"%M月%D日(%W)"});
  EXPECT_FALSE(list.IsRegisteredFormat(0));
  EXPECT_EQ(list.Use(0, "", Action::Insert), -1);
  EXPECT_EQ(list.Use(0, "%M月%D日(%W)", Action::Delete), -1);  // the default is no entry
  // Inserting the shown default makes it a history entry.
  EXPECT_EQ(list.Use(0, "%M月%D日(%W)", Action::Insert), 0);
  ASSERT_EQ(list.Entries().size(), 1u);
  EXPECT_FALSE(list.IsRegisteredFormat(0));
}

TEST(DateFormatListTest, UsedFormatsMoveToTheTop) {
  DateFormatList list;
  EXPECT_EQ(list.Use(-1, "a", Action::Insert), 0);
  EXPECT_EQ(list.Use(-1, "b", Action::Register), 0);
  EXPECT_EQ(list.Use(-1, "c", Action::Insert), 0);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"c", "b", "a"}));
  EXPECT_TRUE(list.IsRegisteredFormat(1));

  // Typed text already in the history: moved up, registered by "追加".
  EXPECT_EQ(list.Use(-1, "a", Action::Register), 0);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"a", "c", "b"}));
  EXPECT_TRUE(list.IsRegisteredFormat(0));
  // Inserting a registered entry keeps it registered; selection wins over the text lookup.
  EXPECT_EQ(list.Use(2, "b", Action::Insert), 0);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"b", "a", "c"}));
  EXPECT_TRUE(list.IsRegisteredFormat(0));
  EXPECT_FALSE(list.IsRegisteredFormat(2));
  EXPECT_EQ(list.Entries().size(), 3u);  // never a duplicate
  EXPECT_FALSE(list.IsRegisteredFormat(-1));
  EXPECT_FALSE(list.IsRegisteredFormat(3));
}

TEST(DateFormatListTest, DeleteRemovesOnlyTheSelectedEntry) {
  DateFormatList list;
  for (const char* t : {"a", "b", "c"}) list.Use(-1, t, Action::Register);
  EXPECT_EQ(list.Use(-1, "b", Action::Delete), -1);  // typed text alone deletes nothing
  EXPECT_EQ(list.Use(3, "", Action::Delete), -1);
  EXPECT_EQ(list.Use(1, "", Action::Delete), 0);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"c", "a"}));
}

TEST(DateFormatListTest, HistoryStopsAt41AndNeverDropsARegisteredEntry) {
  DateFormatList list;
  list.Use(-1, "r0", Action::Register);
  for (int i = 0; i < 20; ++i) list.Use(-1, "h" + std::to_string(i), Action::Insert);
  for (int i = 1; i <= 4; ++i) list.Use(-1, "r" + std::to_string(i), Action::Register);
  for (int i = 20; i < 36; ++i) list.Use(-1, "h" + std::to_string(i), Action::Insert);
  ASSERT_EQ(list.Entries().size(), 41u);

  list.Use(-1, "new", Action::Insert);
  const auto texts = Texts(list);
  ASSERT_EQ(texts.size(), 41u);
  EXPECT_EQ(texts.front(), "new");
  EXPECT_EQ(texts.back(), "r0");                               // the last entry is registered and stays
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "h0"), 0);  // least recently used history entry
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "h1"), 1);
  for (int i = 0; i <= 4; ++i) EXPECT_EQ(std::count(texts.begin(), texts.end(), "r" + std::to_string(i)), 1);
  // A known text moves up without pushing anything out.
  list.Use(-1, "h5", Action::Insert);
  EXPECT_EQ(list.Entries().size(), 41u);
  EXPECT_EQ(Texts(list).back(), "r0");
}

TEST(DateFormatListTest, AllRegisteredListGrowsInsteadOfDropping) {
  DateFormatList list;
  for (int i = 0; i < 45; ++i) list.Use(-1, "r" + std::to_string(i), Action::Register);
  EXPECT_EQ(list.Entries().size(), 45u);
  list.Use(-1, "h", Action::Insert);
  EXPECT_EQ(list.Entries().size(), 46u);
  EXPECT_EQ(Texts(list).back(), "r0");
}

TEST(DateFormatListTest, LongTextIsCutOnAWholeCharacter) {
  DateFormatList list;
  std::string text = "a";
  for (int i = 0; i < 30; ++i) text += "日";  // 61 bytes
  list.Use(-1, text, Action::Insert);
  ASSERT_EQ(list.Entries().size(), 1u);
  EXPECT_EQ(list.Entries()[0].text.size(), 49u);  // 50 would split a character
  EXPECT_EQ(list.Entries()[0].text, text.substr(0, 49));
}

class DateFormatStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("varnel_datefmt_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    env_.programPath = dir_ / "Varnel.exe";
    env_.files.replace = [this](const fs::path& p, const std::string& c) {
      ++replacements_;
      return HostFileOps().replace(p, c);
    };
    file_ = dir_ / "t.ini";
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Put(const std::string& bytes) { WriteBytes(file_, bytes); }
  std::string Get() { return ReadBytes(file_); }
  void Open(ProfileStore& s) { s.Open(env_, false, "Default", &file_, nullptr); }

  fs::path dir_, file_;
  StoreEnv env_;
  int replacements_ = 0;
};

TEST_F(DateFormatStoreTest, LoadReadsPastTheTwentiethUpToTheFirstEmptyValue) {
  std::string ini = "[Default]\r\nSection=Mine\r\n[Mine]\r\n";
  for (int i = 0; i < 25; ++i) ini += "TWord" + std::to_string(i) + "=f" + std::to_string(i) + "\r\n";
  ini += "TWord25=\r\nTWord26=stale\r\n";
  Put(ini);
  ProfileStore store;
  Open(store);
  DateFormatList list;
  list.Load(store);
  ASSERT_EQ(list.Entries().size(), 25u);
  EXPECT_EQ(list.Entries()[0].text, "f0");
  EXPECT_EQ(list.Entries()[24].text, "f24");
  for (int i = 0; i < 25; ++i) EXPECT_TRUE(list.IsRegisteredFormat(i));
}

TEST_F(DateFormatStoreTest, LoadCutsLongValuesAndStopsAtItsBound) {
  std::string ini = "[Default]\r\nTWord0=a";
  for (int i = 0; i < 30; ++i) ini += "表";
  ini += "\r\n";
  for (int i = 1; i < DateFormatList::kMaxStoredFormats + 50; ++i)
    ini += "TWord" + std::to_string(i) + "=x" + std::to_string(i) + "\r\n";
  Put(ini);
  ProfileStore store;
  Open(store);
  DateFormatList list;
  list.Load(store);
  ASSERT_EQ(list.Entries().size(), static_cast<std::size_t>(DateFormatList::kMaxStoredFormats));
  EXPECT_EQ(list.Entries()[0].text.size(), 49u);
}

TEST_F(DateFormatStoreTest, SaveWritesRegisteredEntriesInOneReplacement) {
  Put("[Default]\r\nTWord0=old0\r\nTWord1=old1\r\nTWord2=old2\r\nTWord3=old3\r\n");
  ProfileStore store;
  Open(store);
  DateFormatList list;
  list.Load(store);  // old0..old3, registered
  list.Use(-1, "%YYYY年", Action::Insert);
  list.Use(3, "", Action::Delete);  // old2
  list.Use(-1, "%M/%D", Action::Register);
  for (int i = 0; i < 30; ++i) list.Use(-1, "r" + std::to_string(i), Action::Register);

  replacements_ = 0;
  list.Save(store);
  EXPECT_EQ(replacements_, 1);
  const std::string file = Get();
  EXPECT_EQ(file.find("%YYYY"), std::string::npos);  // history stays out of the file

  ProfileStore again;
  Open(again);
  DateFormatList reloaded;
  reloaded.Load(again);
  std::vector<std::string> want;
  for (const auto& e : list.Entries())
    if (e.registered) want.push_back(e.text);
  ASSERT_EQ(want.size(), 34u);
  EXPECT_EQ(Texts(reloaded), want);  // all of them, past the twentieth, in order
  EXPECT_NE(file.find("TWord34=\r\n"), std::string::npos);

  // Saving an unchanged list does not touch the file.
  replacements_ = 0;
  reloaded.Save(again);
  EXPECT_EQ(replacements_, 0);
}

TEST_F(DateFormatStoreTest, FewerEntriesEndTheSequenceEarlier) {
  ProfileStore store;
  Open(store);
  DateFormatList list;
  for (const char* t : {"a", "b", "c"}) list.Use(-1, t, Action::Register);
  list.Save(store);
  list.Use(0, "", Action::Delete);
  list.Use(0, "", Action::Delete);
  list.Save(store);
  DateFormatList reloaded;
  reloaded.Load(store);
  EXPECT_EQ(Texts(reloaded), std::vector<std::string>{"a"});
}

}  // namespace
