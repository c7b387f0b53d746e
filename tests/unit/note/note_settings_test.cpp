#include "core/note/note_settings.h"

#include <gtest/gtest.h>

#include <array>

#include "test_support.h"

namespace varnel {
namespace {

// What a write of each key group leaves in the file, and that the reader takes it back.
using NoteSettingsWrite = test::StoreTest;

TEST_F(NoteSettingsWrite, EachGroupWritesItsKeysAndReadsBack) {
  NoteSettings s;
  s.alpha = 102;
  s.alpha2 = 51;
  s.fixed = s.locked = true;
  s.z = -1;
  s.bar = 7;
  s.placement = {12, -30, 240, 180};
  s.visible = false;
  const struct {
    unsigned keys;
    const char* lines;
  } cases[] = {
      {kNoteAlpha, "Alpha=102\r\n"},
      {kNoteAlpha2 | kNoteFixed, "Alpha2=51\r\nFix=1\r\n"},
      {kNoteLocked | kNoteZOrder | kNoteBar, "Lock=1\r\nZ=-1\r\nBar=7\r\n"},
      {kNotePlacement | kNoteVisible, "X=12\r\nY=-30\r\nW=240\r\nH=180\r\nV=0\r\n"},
  };
  for (const auto& c : cases) {
    const std::string name = "note" + std::to_string(c.keys) + ".dat";
    WriteNoteSettings(*Open(name), s, c.keys);
    EXPECT_EQ(Read(name), std::string("[Default]\r\n") + c.lines) << c.keys;
  }
  auto note = Open("all.dat");
  WriteNoteSettings(*note, s, ~0u);
  GlobalOptions options(env_, Path("data"), WorkArea{0, 0, 1280, 984});
  const NoteSettings back = ReadNoteSettings(options, *note, OpenMode::Existing);
  EXPECT_EQ(back.alpha, 102);
  EXPECT_EQ(back.alpha2, 51);
  EXPECT_TRUE(back.fixed && back.locked && !back.visible);
  EXPECT_EQ(back.z, -1);
  EXPECT_EQ(back.bar, 3) << "the fold bit is the note's own state, read apart";
  // A place outside the frame comes back inside.
  EXPECT_EQ(std::vector<int>({back.placement.x, back.placement.y, back.placement.w, back.placement.h}),
            std::vector<int>({12, 0, 240, 180}));
}

TEST(NoteOpacity, CommandsStepByTenths) {
  const std::array<int, 3> steps[] = {
      {601, 1, 25}, {605, 1, 127}, {610, 1, 255}, {621, 0, 25}, {630, 0, 255}};
  for (const auto& [command, active, value] : steps)
    EXPECT_EQ(std::make_pair(int{OpacityOfCommand(command).active}, OpacityOfCommand(command).value),
              std::make_pair(active, value))
        << command;
}

}  // namespace
}  // namespace varnel
