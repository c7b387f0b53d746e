#include "core/app/shortcuts.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(Shortcuts, ModifiersMustMatchExactly) {
  ShortcutTable table{};
  ASSERT_TRUE(AddShortcut(table, 243, 'A', kShortcutCtrl));
  ASSERT_TRUE(AddShortcut(table, 245, 'A', kShortcutCtrl | kShortcutShift));
  ASSERT_TRUE(AddShortcut(table, 250, 0x2E, 0));
  int command = 0;
  EXPECT_TRUE(LookupShortcut(table, 'A', kShortcutCtrl, command));
  EXPECT_EQ(command, 243);
  EXPECT_TRUE(LookupShortcut(table, 'A', kShortcutCtrl | kShortcutShift, command));
  EXPECT_EQ(command, 245);
  command = 0;
  EXPECT_FALSE(LookupShortcut(table, 'A', kShortcutCtrl | kShortcutAlt, command));
  EXPECT_FALSE(LookupShortcut(table, 'A', 0, command));
  EXPECT_FALSE(LookupShortcut(table, 'B', kShortcutCtrl, command));
  EXPECT_EQ(command, 0);
  EXPECT_TRUE(LookupShortcut(table, 0x2E, 0, command));
  EXPECT_EQ(command, 250);
}

TEST(Shortcuts, ZeroKeyEndsTheTableAndItHoldsThirty) {
  ShortcutTable table{};
  EXPECT_FALSE(AddShortcut(table, 243, 0, 0));
  for (int i = 0; i < kShortcutCount; ++i) ASSERT_TRUE(AddShortcut(table, 300 + i, 'A' + i % 26, 0)) << i;
  EXPECT_FALSE(AddShortcut(table, 999, 'Z', kShortcutAlt));
  int command = 0;
  // The first of two entries for the same key wins.
  EXPECT_TRUE(LookupShortcut(table, 'A', 0, command));
  EXPECT_EQ(command, 300);
  // Entries behind a cleared one are not reached.
  table[1].key = 0;
  EXPECT_FALSE(LookupShortcut(table, 'C', 0, command));
}

}  // namespace
}  // namespace varnel
