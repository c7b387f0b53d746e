#include "core/note/note_settings.h"

#include <gtest/gtest.h>

#include <array>

#include "core/config/profile_store.h"
#include "test_support.h"

namespace varnel {
namespace {

// What a write of each key group leaves in the file, and that the reader takes it back.
TEST(NoteSettingsWrite, EachGroupWritesItsKeysAndReadsBack) {
  test::TempFolder folder("varnel-note-settings");
  StoreEnv env;
  env.programPath = folder.Path() / "Varnel.exe";
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
    const std::filesystem::path file = folder.Path() / "note.dat";
    std::filesystem::remove(file);
    ProfileStore note;
    note.Open(env, false, "Default", &file, nullptr);
    WriteNoteSettings(note, s, c.keys);
    EXPECT_EQ(test::ReadBytes(file), std::string("[Default]\r\n") + c.lines) << c.keys;
  }
  std::filesystem::path file = folder.Path() / "all.dat";
  ProfileStore note;
  note.Open(env, false, "Default", &file, nullptr);
  WriteNoteSettings(note, s, ~0u);
  GlobalOptions options(env, folder.Path() / "data", WorkArea{0, 0, 1280, 984});
  const NoteSettings back = ReadNoteSettings(options, note, OpenMode::Existing);
  EXPECT_EQ(back.alpha, 102);
  EXPECT_EQ(back.alpha2, 51);
  EXPECT_TRUE(back.fixed && back.locked && !back.visible);
  EXPECT_EQ(back.z, -1);
  EXPECT_EQ(back.bar, 3) << "the fold bit is the note's own state, read apart";
  EXPECT_EQ(back.placement.x, 12);
  EXPECT_EQ(back.placement.y, 0) << "a place outside the frame comes back inside";
  EXPECT_EQ(back.placement.w, 240);
  EXPECT_EQ(back.placement.h, 180);
}

TEST(NoteSettingsWrite, OpacityCommandsStepByTenths) {
  const std::array<int, 3> steps[] = {
      {601, 1, 25}, {605, 1, 127}, {610, 1, 255}, {621, 0, 25}, {630, 0, 255}};
  for (const auto& [command, active, value] : steps)
    EXPECT_EQ(std::make_pair(int{OpacityOfCommand(command).active}, OpacityOfCommand(command).value),
              std::make_pair(active, value))
        << command;
}

}  // namespace
}  // namespace varnel
