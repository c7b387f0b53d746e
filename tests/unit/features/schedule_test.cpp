// The display schedule as a user sees it: ticks at given moments, with the window shown or hidden by
// hand in between, and what each tick does.
#include "core/features/schedule.h"

#include <cstdio>
#include <tuple>

#include "test_support.h"

using namespace varnel;

namespace {

ScheduleMoment At(const char* when) {  // "YYYY-MM-DD HH:MM"
  int y, mo, d, h, mi;
  EXPECT_EQ(std::sscanf(when, "%d-%d-%d %d:%d", &y, &mo, &d, &h, &mi), 5) << when;
  return MomentOf(test::MakeDateTime(y, mo, d, h, mi));
}

TEST(ScheduleTest, TicksShowAndHideOnTransitionsOnly) {
  // Start and end ("YYYY-MM-DD HH:MM" or null), the window (from * 10000 + to, -1 none) and its days;
  // each tick: the moment, the window before it (v visible, h hidden: the user may have changed it)
  // and what the tick does (+ show, - hide, . nothing).
  const std::tuple<const char*, const char*, const char*, int, int, const char*> cases[] = {
      {"start hides before, user's show stays, shows at the start", "2011-05-01 10:00", nullptr, -1, 0,
       "2011-05-01 09:59 v- 2011-05-01 09:59 v. 2011-05-01 10:00 h+ 2011-05-02 08:00 h."},
      {"end hides once and for good", nullptr, "2011-05-01 17:00", -1, 0,
       "2011-05-01 16:59 v. 2011-05-01 17:00 v- 2011-05-01 18:00 v."},
      {"22:00-06:00 on Mondays, judged by Monday until 06:00", nullptr, nullptr, 13200360, 0x01,
       "2026-12-07 21:59 v- 2026-12-07 22:00 h+ 2026-12-08 00:00 v. 2026-12-08 05:59 v. 2026-12-08 06:00 v- "
       "2026-12-08 22:30 h."},
      {"inside a window the user's hide stays until the next day", nullptr, nullptr, 5401020, 0x1f,
       "2026-12-07 10:00 h+ 2026-12-07 11:00 h. 2026-12-07 17:00 h. 2026-12-08 09:00 h+"},
      {"from = to is the whole day; only the days decide", nullptr, nullptr, 1800180, 0x40,
       "2026-12-06 03:00 h+ 2026-12-07 02:59 v. 2026-12-07 03:00 v-"},
      {"a Monday holiday: 祝日を除く hides, 祝 shows", nullptr, nullptr, 0, 0x101,
       "2026-02-23 12:00 v- 2026-03-02 12:00 h+"},
      {"祝 shows on a Tuesday holiday", nullptr, nullptr, 0, 0x81, "2026-11-03 12:00 h+"},
      {"after a start the window is re-applied every tick", "2026-12-01 00:00", nullptr, 5401020, 0x1f,
       "2026-12-07 08:00 v- 2026-12-07 08:30 v- 2026-12-07 09:00 h+ 2026-12-07 09:30 h+"},
      {"the end wins over a start and a window", "2026-12-01 00:00", "2026-12-07 12:00", 0, 0x7f,
       "2026-12-07 11:59 h+ 2026-12-07 12:00 v- 2026-12-07 12:01 h."},
  };
  for (const auto& [name, start, end, window, days, ticks] : cases) {
    NoteSchedule s;
    s.state = -1;
    for (const auto& [point, i] : {std::pair{start, 0}, {end, 1}})
      if (point) std::tie(s.first[i], s.second[i]) = std::pair{At(point).today, At(point).minuteOfDay};
    s.first[2] = window;
    s.second[2] = window < 0 ? -1 : days;
    for (std::string all = ticks; !all.empty(); all.erase(0, 20)) {
      const std::string t = all.substr(0, 19);
      const auto expected = static_cast<ScheduleAction>(std::string(".+-").find(t[18]));  // none, show, hide
      EXPECT_EQ(EvaluateNoteSchedule(s, t[17] == 'v', At(t.c_str())), expected) << name << " at " << t;
    }
  }
}

}  // namespace
