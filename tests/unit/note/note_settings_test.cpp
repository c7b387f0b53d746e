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
  s.alpha = 102, s.alpha2 = 51, s.fixed = s.locked = true, s.z = -1, s.bar = 7, s.visible = false;
  s.placement = {12, -30, 240, 180};
  const std::pair<unsigned, const char*> cases[] = {
      {kNoteAlpha, "Alpha=102\r\n"},
      {kNoteAlpha2 | kNoteFixed, "Alpha2=51\r\nFix=1\r\n"},
      {kNoteLocked | kNoteZOrder | kNoteBar, "Lock=1\r\nZ=-1\r\nBar=7\r\n"},
      {kNotePlacement | kNoteVisible, "X=12\r\nY=-30\r\nW=240\r\nH=180\r\nV=0\r\n"}};
  for (const auto& [keys, lines] : cases) {
    const std::string name = "note" + std::to_string(keys) + ".dat";
    WriteNoteSettings(*Open(name), s, keys);
    EXPECT_EQ(Read(name), std::string("[Default]\r\n") + lines) << keys;
  }
  auto note = Open("all.dat");
  WriteNoteSettings(*note, s, ~0u);
  GlobalOptions options(env_, Path("data"), WorkArea{0, 0, 1280, 984});
  const NoteSettings back = ReadNoteSettings(options, *note, OpenMode::Existing);
  EXPECT_EQ(std::make_tuple(back.alpha, back.alpha2, back.fixed, back.locked, back.visible, back.z),
            std::make_tuple(102, 51, true, true, false, -1));
  EXPECT_EQ(back.bar, 3) << "the fold bit is the note's own state, read apart";
  // A place outside the frame comes back inside.
  EXPECT_EQ(std::vector<int>({back.placement.x, back.placement.y, back.placement.w, back.placement.h}),
            std::vector<int>({12, 0, 240, 180}));
}

TEST(NoteOpacity, CommandsStepByTenths) {
  const std::array<int, 3> steps[] = {
      {601, 1, 25}, {605, 1, 127}, {610, 1, 255}, {621, 0, 25}, {630, 0, 255}};
  for (const auto& [command, active, value] : steps) {
    const OpacityStep step = OpacityOfCommand(command);
    EXPECT_EQ(std::make_pair(int{step.active}, step.value), std::make_pair(active, value)) << command;
  }
}

TEST(NoteUpdateStamp, BoundedToRealDates) {
  const std::pair<const char*, std::vector<int>> cases[] = {
      // text, year, month, day, hour, minute
      {"201102301230", {2011, 2, 28, 12, 30}},
      {"19990015", {2000, 1, 15, 0, 0}},   // year below range, month 0
      {"20000229", {2000, 2, 29, 0, 0}}};  // 2000 was a leap year
  for (const auto& [text, want] : cases) {
    DateTime t = test::MakeDateTime(2026, 12, 7, 9, 30);
    ASSERT_TRUE(ParseUpdateStamp(text, t));
    EXPECT_EQ(std::vector<int>({t.year, t.month, t.day, t.hour, t.minute}), want) << text;
    EXPECT_FALSE(ParseUpdateStamp("2011021", t));
    EXPECT_EQ(t.day, want[2]) << "a short text leaves the stamp";
  }
  DateTime t;
  ASSERT_TRUE(ParseUpdateStamp("201102301230", t));
  EXPECT_EQ(t.dayOfWeek, 1);  // a Monday
  EXPECT_EQ(FormatUpdateStamp(test::MakeDateTime(2011, 2, 28, 12, 30)), "201102281230");
}

}  // namespace
}  // namespace varnel
