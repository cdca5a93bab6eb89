#include "engine/programme/meeting_runner.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::CountingHost;
using testing::StartedMeeting;

TEST(RunProgramme, EndsOnceNoLineIsLeft) {
  Meeting empty = StartedMeeting(2, 2, 7);  // a file of comments only
  Meeting past = StartedMeeting(2, 2, 7, {"RDRREP-ON"});
  past.ProgLine = 99;  // resumed records pointing outside the programme
  Meeting before = StartedMeeting(2, 2, 7, {"RDRREP-ON"});
  before.ProgLine = -3;
  for (Meeting* m : {&empty, &past, &before}) {
    CountingHost host;
    RunProgramme(*m, host, host.random);
    EXPECT_EQ(m->MeetingState, kMeetingOver);
    EXPECT_EQ(host.reports, 1);
  }
  EXPECT_EQ(past.RdrRepNow, 0);
  EXPECT_EQ(before.RdrRepNow, 1);
}

TEST(RunProgramme, FortyHeatsEndTheMeetingWhateverLinesRemain) {
  Meeting m = StartedMeeting(2, 2, 7, {"TACSUBS-ON", "TACSUBS-UNRES", "41:A1,B1,A2,B2"});
  m.HeatCount = 40;
  CountingHost host;
  RunProgramme(m, host, host.random);
  EXPECT_EQ(m.MeetingState, kMeetingOver);
  EXPECT_EQ(m.TacSubsNow, 1);
  EXPECT_EQ(m.MainHeats, 40);
  RunProgramme(m, host, host.random);  // a meeting that is over stays over
  EXPECT_EQ(m.TacSubsNow, 1);
}

TEST(RunSingleRace, ARaceAfterTheMeetingDoesNotScoreAndLeavesItOver) {
  Meeting m = StartedMeeting(2, 2, 7);
  m.MainHeats = m.HeatCount = 15;
  m.MeetingState = kHeatDecided;
  m.TacSubsNow = m.RdrRepNow = 1;
  CountingHost host;
  host.heatManager = [](Meeting& race) {
    EXPECT_EQ(race.ControlMode, 2);
    race.HeatRiders = 2;
    race.HeatGrid[1][1] = 1;
    race.HeatGrid[2][1] = 8;
    race.MeetingState = kHeatDecided;
  };
  RunSingleRace(m, host, host.random);
  EXPECT_EQ((std::vector<int>{m.ScoringOn, m.TacSubsNow, m.RdrRepNow, m.ControlMode, m.MeetingState,
                              host.reports}),
            (std::vector<int>{0, 0, 0, 0, kMeetingOver, 1}));

  m.HeatCount = 40;  // no heat left in the meeting
  host.heatManagerShown = 0;
  RunSingleRace(m, host, host.random);
  EXPECT_EQ(host.heatManagerShown + m.HeatCount, 40);
}

}  // namespace
}  // namespace corvane
