#include "core/app/slot_choice.h"

#include "test_support.h"

namespace varnel {
namespace {

class SlotChoiceTest : public test::StoreTest {
 protected:
  // The slot chosen with all but `freeSlots` occupied, `failed` not opened and `files` on disk.
  int Choose(std::vector<int> freeSlots, std::vector<int> failed = {}, std::vector<int> files = {}) {
    std::array<bool, kSlotCount> occupied, failedAtStart{}, hasFile{};
    occupied.fill(true);
    for (int s : freeSlots) occupied[static_cast<std::size_t>(s)] = false;
    for (int s : failed) failedAtStart[static_cast<std::size_t>(s)] = true;
    for (int s : files) hasFile[static_cast<std::size_t>(s)] = true;
    return ChooseNewNoteSlot(*store_, occupied, failedAtStart, hasFile);
  }
  std::unique_ptr<ProfileStore> store_;
};

TEST_F(SlotChoiceTest, NeverDeletedFirstThenDeletedLongestAgo) {
  using Choice = std::tuple<std::vector<int>, std::vector<int>, int>;  // free, failed to open, chosen
  const std::pair<const char*, std::vector<Choice>> cases[] = {
      // Never deleted wins; a tie goes to the lowest; records of occupied slots do not matter.
      {"Del3=2011/05/02 10:00\r\nDel7=2011/04/30 09:00\r\n",
       {{{3, 7}, {}, 7}, {{3, 7, 9}, {}, 9}, {{}, {}, -1}}},
      {"Del3=2011/04/30 09:00\r\nDel7=2011/04/30 09:00\r\n", {{{7, 3}, {}, 3}}},
      {"Del1=2011/04/30 09:01\r\nDel2=2011/04/30 09:00\r\nDel3=2010/12/31 23:59\r\n",
       {{{1, 2}, {}, 2}, {{1, 2, 3}, {}, 3}}},
      {"Del0=2001/01/01 00:00\r\n", {{{5}, {}, 5}, {{12, 30}, {}, 12}}},
      // A note that failed to open is still the user's: its slot is never taken.
      {"Del3=2011/05/02 10:00\r\n", {{{0, 3, 7}, {0, 7}, 3}, {{0, 7}, {0, 7}, -1}}},
      // Junk or far-future records never make a free slot unusable, and one that sorts
      // below the digits never passes for a never-used slot; seconds still date one.
      {"Del1=9999/99/99 99:99\r\nDel2=abc\r\nDel3= 2011/05/02\r\nDel4=!\r\nDel5=2011/05/02 10:00:59\r\n"
       "Del6=2099/12/31 23:59\r\nDel7=2011/05/02 10:001\r\n",
       {{{1, 2, 3, 4, 5, 6}, {}, 5}, {{1, 6}, {}, 6}, {{6, 7}, {}, 6}, {{3, 4}, {}, 3}, {{4, 9}, {}, 9}}},
      // Hand-edited records without leading zeros are dated too; zero is never.
      {"Del3=2011/5/2 9:00\r\nDel7=2011/04/30 09:00\r\nDel8=2011/4/29 9:5\r\n",
       {{{3, 7}, {}, 7}, {{3, 7, 8}, {}, 8}}},
      {"Del3=\r\nDel5=0000/00/00 00:00\r\nDel7=2011/04/30 09:00\r\n", {{{7, 5}, {}, 5}, {{7, 3}, {}, 3}}},
  };
  for (const auto& [records, choices] : cases) {
    store_ = Open("Varnel.ini", records);
    for (const auto& [freeSlots, failed, expected] : choices)
      EXPECT_EQ(Choose(freeSlots, failed), expected) << records << testing::PrintToString(freeSlots);
  }
}

TEST_F(SlotChoiceTest, NoteFilesThatNothingListsAreTakenLast) {
  // A file without a deletion record (copied without its global file) is taken after every dated
  // deletion; a slot without a file has nothing to lose and goes first. Rows: free, files, chosen.
  store_ = Open("Varnel.ini", "Del3=2011/05/02 10:00\r\nDel7=2011/04/30 09:00\r\nDel8=junk\r\n");
  const std::tuple<std::vector<int>, std::vector<int>, int> cases[] = {
      {{0, 3, 7}, {0, 3, 7}, 7}, {{0, 3}, {0, 3}, 3},    {{0, 8}, {0, 8}, 8}, {{0}, {0}, 0},
      {{0, 7, 9}, {0, 7}, 9},    {{0, 3, 7}, {0, 7}, 3}, {{1, 0}, {0}, 1},    {{0, 7, 9}, {0, 7, 9}, 7},
  };
  for (const auto& [free, files, expected] : cases)
    EXPECT_EQ(Choose(free, {}, files), expected)
        << testing::PrintToString(free) << testing::PrintToString(files);
}

TEST_F(SlotChoiceTest, DeleteTimeIsStoredAsMinutesAndReadBack) {
  ProfileStore& s =
      *(store_ = Open("Varnel.ini", "Del3=\r\nDel50=2011/05/02 10:00\r\nDel-1=2011/05/02 10:00\r\n"));
  for (int slot : {3, 4, 50, -1})
    EXPECT_EQ(ReadDeleteTime(s, slot), kNoDeleteTime) << slot;  // 50, -1: no slot
  EXPECT_EQ(ReadDeleteTime(s, 7, 11), "0000/00/00");            // the caller's buffer size is kept
  const std::string before = Read("Varnel.ini");
  for (int slot : {50, -1}) WriteDeleteTime(s, slot, test::MakeDateTime(2012, 1, 1));  // no slot: not written
  EXPECT_EQ(Read("Varnel.ini"), before);
  WriteDeleteTime(s, 4, test::MakeDateTime(2011, 5, 2, 9, 7, 33));
  WriteDeleteTime(s, 49, test::MakeDateTime(2024, 12, 31, 23, 59));
  EXPECT_EQ(ReadDeleteTime(s, 49), "2024/12/31 23:59");
  EXPECT_NE(Read("Varnel.ini").find("Del4=2011/05/02 09:07\r\n"), std::string::npos);
  EXPECT_EQ(Choose({49, 4}), 4);  // written records count at once
  WriteDeleteTime(s, 4, test::MakeDateTime(2025, 1, 1, 0, 0));
  EXPECT_EQ(Choose({49, 4}), 49);  // overwritten by a later deletion
}

}  // namespace
}  // namespace varnel
