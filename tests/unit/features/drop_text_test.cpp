// The texts a drop puts into a detail, and the row a further dropped file becomes.
#include "core/features/drop_text.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/note/note_row_commands.h"

using namespace varnel;

namespace {

TEST(DropText, FileTextsWithAndWithoutTheName) {
  const std::string longDir = "C:\\" + std::string(290, 'd') + "\\";
  const std::tuple<std::string, bool, std::string> cases[] = {
      {"C:\\work\\plan.txt", false, "C:\\work\\plan.txt"},
      {"C:\\work\\plan.txt", true, "C:\\work\\plan.txt\r\nplan.txt"},
      {"C:\\d\\表.txt", true, "C:\\d\\表.txt\r\n表.txt"},  // 表 ends in 0x5C
      {"\\\\nas\\共有\\ソフト", true, "\\\\nas\\共有\\ソフト\r\nソフト"},
      {"C:\\folder\\", true, "C:\\folder\\"},  // no name to add
      {longDir + "name.txt", true, (longDir + "name.txt").substr(0, 298)},
      {"C:\\" + std::string(270, 'd') + "\\表表表表表表.txt", true,
       "C:\\" + std::string(270, 'd') + "\\表表表表表表.txt\r\n表表表"},  // the name cut on a character
      {"C:\\" + std::string(275, 'd') + "\\表表表表表表.txt", true,
       "C:\\" + std::string(275, 'd') + "\\表表表表表表.txt"},  // no room for one character
  };
  for (const auto& [path, withName, expected] : cases)
    EXPECT_EQ(DroppedFileText(path, withName), expected) << path;
}

TEST(DropText, TextStopsAtZeroOrBlockAndRowLimit) {
  EXPECT_EQ(DroppedText(std::string_view("ab\0cd", 5)), "ab");
  EXPECT_EQ(DroppedText("no zero"), "no zero");
  EXPECT_EQ(DroppedText("a" + std::string(300, '\x88')), "a" + std::string(296, '\x88'));
}

TEST(DropText, FurtherFileRowCopiesTheEditedRowWithFirstLineHiddenAndNoAlarm) {
  const Row edited{MakeRowKey(1, 2), "x", "0008ff0000000000", "0a08120900000000", {}};
  const Row row = DroppedFileRow(edited, MakeRowKey(1, 3), "C:\\a.txt\r\na.txt");
  EXPECT_EQ(row.key, MakeRowKey(1, 3));
  EXPECT_EQ(row.text, "C:\\a.txt\r\na.txt");
  EXPECT_EQ(row.format, edited.format);
  EXPECT_EQ(row.status, "0B00000100000000");
  EXPECT_EQ(DroppedFileRow(Row{}, 7, "t").status, "01000000");
}

}  // namespace
