#include "core/app/slot_choice.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <sstream>
#include <vector>

#include "test_support.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;

class SlotChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = folder_.Path();
    env_.programPath = root_ / "Varnel.exe";
    file_ = root_ / "Varnel.ini";
  }

  // The global store on a file with these lines in [Default].
  ProfileStore& Store(const std::string& lines) {
    test::WriteBytes(file_, "[Default]\r\n" + lines);
    stores_.push_back(std::make_unique<ProfileStore>());
    stores_.back()->Open(env_, false, "Default", &file_, nullptr);
    return *stores_.back();
  }
  // Every slot occupied except the ones given.
  static std::array<bool, kSlotCount> AllBut(const std::vector<int>& freeSlots) {
    std::array<bool, kSlotCount> occupied;
    occupied.fill(true);
    for (int s : freeSlots) occupied[static_cast<std::size_t>(s)] = false;
    return occupied;
  }
  static std::array<bool, kSlotCount> Only(const std::vector<int>& slots) {
    std::array<bool, kSlotCount> set{};
    for (int s : slots) set[static_cast<std::size_t>(s)] = true;
    return set;
  }

  test::TempFolder folder_{"varnel-slots"};
  fs::path root_, file_;
  StoreEnv env_;
  std::vector<std::unique_ptr<ProfileStore>> stores_;
  std::array<bool, kSlotCount> none_{};
};

TEST_F(SlotChoiceTest, DeletedLongestAgoIsReusedFirst) {
  ProfileStore& s = Store("Del3=2011/05/02 10:00\r\nDel7=2011/04/30 09:00\r\n");
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({3, 7}), none_, none_), 7);
  // A never-deleted slot wins over any deleted one, even a higher one.
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({3, 7, 9}), none_, none_), 9);
  // Same time: the lowest slot.
  ProfileStore& t = Store("Del3=2011/04/30 09:00\r\nDel7=2011/04/30 09:00\r\n");
  EXPECT_EQ(ChooseNewNoteSlot(t, AllBut({7, 3}), none_, none_), 3);
  // Minutes, hours and years all count.
  ProfileStore& u = Store("Del1=2011/04/30 09:01\r\nDel2=2011/04/30 09:00\r\nDel3=2010/12/31 23:59\r\n");
  EXPECT_EQ(ChooseNewNoteSlot(u, AllBut({1, 2}), none_, none_), 2);
  EXPECT_EQ(ChooseNewNoteSlot(u, AllBut({1, 2, 3}), none_, none_), 3);
}

TEST_F(SlotChoiceTest, NoteFilesThatNothingListsAreTakenLast) {
  // A file without a deletion record is a note whose deletion time is unknown
  // (a data folder copied without its global file): taken after every dated
  // deletion. A slot without a file has nothing to lose and goes first.
  ProfileStore& s = Store("Del3=2011/05/02 10:00\r\nDel7=2011/04/30 09:00\r\nDel8=junk\r\n");
  const struct {
    std::vector<int> free, files;
    int expected;
  } cases[] = {
      {{0, 3, 7}, {0, 3, 7}, 7}, {{0, 3}, {0, 3}, 3},    {{0, 8}, {0, 8}, 8}, {{0}, {0}, 0},
      {{0, 7, 9}, {0, 7}, 9},    {{0, 3, 7}, {0, 7}, 3}, {{1, 0}, {0}, 1},    {{0, 7, 9}, {0, 7, 9}, 7},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ChooseNewNoteSlot(s, AllBut(c.free), none_, Only(c.files)), c.expected)
        << "free " << ::testing::PrintToString(c.free) << " files " << ::testing::PrintToString(c.files);
}

TEST_F(SlotChoiceTest, NeverDeletedLowestSlotWinsWithoutRecords) {
  ProfileStore& s = Store("");
  EXPECT_EQ(ChooseNewNoteSlot(s, none_, none_, none_), 0);
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({12, 30}), none_, none_), 12);
  // Records of occupied slots (kept after reuse) do not matter.
  ProfileStore& t = Store("Del0=2001/01/01 00:00\r\n");
  EXPECT_EQ(ChooseNewNoteSlot(t, AllBut({5}), none_, none_), 5);
}

TEST_F(SlotChoiceTest, NoFreeSlotMeansNoMoreNotes) {
  ProfileStore& s = Store("Del4=2011/05/02 10:00\r\n");
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({}), none_, none_), -1);
}

TEST_F(SlotChoiceTest, SlotWhoseNoteFailedToOpenIsNeverTaken) {
  // Its file is still a note the user has: a new note there would wipe it.
  ProfileStore& s = Store("Del3=2011/05/02 10:00\r\n");
  std::array<bool, kSlotCount> failed{};
  failed[0] = true;
  failed[7] = true;
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({0, 3, 7}), failed, none_), 3);
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({0, 7}), failed, none_), -1);
  std::array<bool, kSlotCount> allFailed;
  allFailed.fill(true);
  EXPECT_EQ(ChooseNewNoteSlot(s, none_, allFailed, none_), -1);
}

TEST_F(SlotChoiceTest, OddRecordsStillLeaveEveryFreeSlotUsable) {
  // Far-future or junk values must not make a free slot unusable, and a value
  // that sorts below the digits must not pass for a never-used slot.
  ProfileStore& s = Store(
      "Del1=9999/99/99 99:99\r\n"
      "Del2=abc\r\n"
      "Del3= 2011/05/02\r\n"
      "Del4=!\r\n"
      "Del5=2011/05/02 10:00:59\r\n"
      "Del6=2099/12/31 23:59\r\n"
      "Del7=2011/05/02 10:001\r\n");
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({1}), none_, none_), 1);
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({2}), none_, none_), 2);
  // A dated deletion goes before any record whose time cannot be read; seconds
  // after the minutes still date it.
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({1, 2, 3, 4, 5, 6}), none_, none_), 5);
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({1, 2, 3, 4, 6}), none_, none_), 6);
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({6, 7}), none_, none_), 6);
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({3, 4}), none_, none_), 3);
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({4, 9}), none_, none_), 9);
}

TEST_F(SlotChoiceTest, RecordsWithoutLeadingZerosAreDatedToo) {
  // Hand-edited: "2011/5/2 9:00" is still 2 May, after 30 April.
  ProfileStore& s = Store("Del3=2011/5/2 9:00\r\nDel7=2011/04/30 09:00\r\nDel8=2011/4/29 9:5\r\n");
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({3, 7}), none_, none_), 7);
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({3, 7, 8}), none_, none_), 8);
}

TEST_F(SlotChoiceTest, EmptyOrZeroRecordReadsAsNeverDeleted) {
  ProfileStore& s = Store("Del3=\r\nDel5=0000/00/00 00:00\r\nDel7=2011/04/30 09:00\r\n");
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({7, 5}), none_, none_), 5);
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({7, 3}), none_, none_), 3);
  EXPECT_EQ(ReadDeleteTime(s, 3), "0000/00/00 00:00");
}

TEST_F(SlotChoiceTest, DeleteTimeIsStoredAsMinutesAndReadBack) {
  ProfileStore& s = Store("");
  EXPECT_EQ(ReadDeleteTime(s, 4), kNoDeleteTime);
  WriteDeleteTime(s, 4, test::MakeDateTime(2011, 5, 2, 9, 7, 33));
  WriteDeleteTime(s, 49, test::MakeDateTime(2024, 12, 31, 23, 59));
  EXPECT_EQ(ReadDeleteTime(s, 4), "2011/05/02 09:07");
  EXPECT_EQ(ReadDeleteTime(s, 49), "2024/12/31 23:59");
  const std::string file = test::ReadBytes(file_);
  EXPECT_NE(file.find("Del4=2011/05/02 09:07\r\n"), std::string::npos) << file;
  // Written records count at once: slot 4 was deleted before slot 49.
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({49, 4}), none_, none_), 4);
  // Overwritten on a later deletion of the same slot.
  WriteDeleteTime(s, 4, test::MakeDateTime(2025, 1, 1, 0, 0));
  EXPECT_EQ(ChooseNewNoteSlot(s, AllBut({49, 4}), none_, none_), 49);
}

TEST_F(SlotChoiceTest, SlotsOutsideTheRangeHaveNoRecord) {
  ProfileStore& s = Store("Del50=2011/05/02 10:00\r\nDel-1=2011/05/02 10:00\r\n");
  EXPECT_EQ(ReadDeleteTime(s, 50), kNoDeleteTime);
  EXPECT_EQ(ReadDeleteTime(s, -1), kNoDeleteTime);
  const std::string before = test::ReadBytes(file_);
  WriteDeleteTime(s, 50, test::MakeDateTime(2011, 5, 2, 10, 0));
  WriteDeleteTime(s, -1, test::MakeDateTime(2011, 5, 2, 10, 0));
  EXPECT_EQ(test::ReadBytes(file_), before);
  // The caller's buffer size is kept, on a whole character.
  EXPECT_EQ(ReadDeleteTime(s, 7, 11), "0000/00/00");
}

}  // namespace
}  // namespace varnel
