// The display schedule as a user sees it: ticks at given moments, with the
// window shown or hidden by hand in between, and what each tick does.
#include "core/features/schedule.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "test_support.h"

using namespace varnel;
using Act = ScheduleAction;

namespace {

ScheduleMoment At(const char* when) {  // "YYYY-MM-DD HH:MM"
  int y, mo, d, h, mi;
  EXPECT_EQ(std::sscanf(when, "%d-%d-%d %d:%d", &y, &mo, &d, &h, &mi), 5) << when;
  return MomentOf(test::MakeDateTime(y, mo, d, h, mi));
}
int Day(const char* date) { return At((std::string(date) + " 00:00").c_str()).today; }

struct Tick {
  const char* when;
  bool visible;  // before the tick (the user may have changed it)
  Act expected;
};
struct Case {
  const char* name;
  const char* start;  // "YYYY-MM-DD HH:MM" or null
  const char* end;
  int window = -1;  // from * 10000 + to
  unsigned days = 0;
  std::vector<Tick> ticks;
};

NoteSchedule Make(const Case& c) {
  NoteSchedule s;
  s.state = -1;
  const char* points[2] = {c.start, c.end};
  for (int i = 0; i < 2; ++i) {
    if (!points[i]) continue;
    const ScheduleMoment m = At(points[i]);
    s.first[i] = m.today;
    s.second[i] = m.minuteOfDay;
  }
  s.first[2] = c.window;
  s.second[2] = c.window < 0 ? -1 : static_cast<int>(c.days);
  return s;
}

}  // namespace

TEST(ScheduleTest, TicksShowAndHideOnTransitionsOnly) {
  const Case cases[] = {
      {"start hides before, user's show stays, shows at the start",
       "2011-05-01 10:00",
       nullptr,
       -1,
       0,
       {{"2011-05-01 09:59", true, Act::kHide},
        {"2011-05-01 09:59", true, Act::kNone},
        {"2011-05-01 10:00", false, Act::kShow},
        {"2011-05-02 08:00", false, Act::kNone}}},
      {"end hides once and for good",
       nullptr,
       "2011-05-01 17:00",
       -1,
       0,
       {{"2011-05-01 16:59", true, Act::kNone},
        {"2011-05-01 17:00", true, Act::kHide},
        {"2011-05-01 18:00", true, Act::kNone}}},
      {"22:00-06:00 on Mondays, judged by Monday until 06:00",
       nullptr,
       nullptr,
       13200360,
       0x01,
       {{"2026-12-07 21:59", true, Act::kHide},
        {"2026-12-07 22:00", false, Act::kShow},
        {"2026-12-08 00:00", true, Act::kNone},
        {"2026-12-08 05:59", true, Act::kNone},
        {"2026-12-08 06:00", true, Act::kHide},
        {"2026-12-08 22:30", false, Act::kNone}}},
      {"inside a window the user's hide stays until the next day",
       nullptr,
       nullptr,
       5401020,
       0x1f,
       {{"2026-12-07 10:00", false, Act::kShow},
        {"2026-12-07 11:00", false, Act::kNone},
        {"2026-12-07 17:00", false, Act::kNone},
        {"2026-12-08 09:00", false, Act::kShow}}},
      {"from = to is the whole day; only the days decide",
       nullptr,
       nullptr,
       1800180,
       0x40,
       {{"2026-12-06 03:00", false, Act::kShow},
        {"2026-12-07 02:59", true, Act::kNone},
        {"2026-12-07 03:00", true, Act::kHide}}},
      {"a Monday holiday: 祝日を除く hides, 祝 shows",
       nullptr,
       nullptr,
       0,
       0x101,
       {{"2026-02-23 12:00", true, Act::kHide}, {"2026-03-02 12:00", false, Act::kShow}}},
      {"祝 shows on a Tuesday holiday", nullptr, nullptr, 0, 0x81, {{"2026-11-03 12:00", false, Act::kShow}}},
      {"after a start the window is re-applied every tick",
       "2026-12-01 00:00",
       nullptr,
       5401020,
       0x1f,
       {{"2026-12-07 08:00", true, Act::kHide},
        {"2026-12-07 08:30", true, Act::kHide},
        {"2026-12-07 09:00", false, Act::kShow},
        {"2026-12-07 09:30", false, Act::kShow}}},
      {"the end wins over a start and a window",
       "2026-12-01 00:00",
       "2026-12-07 12:00",
       0,
       0x7f,
       {{"2026-12-07 11:59", false, Act::kShow},
        {"2026-12-07 12:00", true, Act::kHide},
        {"2026-12-07 12:01", false, Act::kNone}}},
  };
  for (const Case& c : cases) {
    NoteSchedule s = Make(c);
    for (const Tick& t : c.ticks)
      EXPECT_EQ(EvaluateNoteSchedule(s, t.visible, At(t.when)), t.expected) << c.name << " at " << t.when;
  }
}

TEST(ScheduleTest, StatesRecordThePhaseAndTheDay) {
  Case c{"", "2026-12-07 10:00", nullptr, 5401020, 0x1f, {}};
  NoteSchedule s = Make(c);
  EvaluateNoteSchedule(s, true, At("2026-12-07 09:00"));
  EXPECT_EQ(s.state, kScheduleBeforeStart);
  EvaluateNoteSchedule(s, true, At("2026-12-07 10:00"));
  EXPECT_EQ(s.state, 20 + Day("2026-12-07") % 10);
  EvaluateNoteSchedule(s, true, At("2026-12-08 18:00"));
  EXPECT_EQ(s.state, 10 + Day("2026-12-08") % 10);
  s.state = kScheduleEnded;
  EXPECT_EQ(EvaluateNoteSchedule(s, true, At("2026-12-07 08:00")), Act::kNone);
}
