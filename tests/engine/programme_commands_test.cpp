#include "engine/programme/programme_commands.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/programme/meeting_runner.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::CountingHost;
using testing::StartedMeeting;

void Command(Meeting& m, const std::string& line) {
  CountingHost host;
  EXPECT_TRUE(RunProgrammeCommand(m, host, host.random, line)) << line;
}

TEST(SupportLine, AcceptsRidersThatFitTheFreeSlotsAndEndsTheMainMeeting) {
  // Seven riders a group and two track reserves: two groups leave 24 slots, five leave 3.
  for (const auto& [line, groups, accepted] :
       {std::tuple{"SUPPORT-6", 2, 6}, {"support - 9", 2, 0}, {"SUPPORT-6", 5, 0}}) {
    Meeting m = StartedMeeting(2, groups, 7, {line, "13:A1,B1,A2,B2"});
    m.NumReserves = 2;
    m.ResMode = 2;
    m.HeatCount = 12;
    CountingHost host;
    RunProgramme(m, host, host.random);
    // The support heats wait for their start.
    EXPECT_EQ((std::vector<int>{m.SupportRiders, m.MeetingState, m.SupportMode, m.MainHeats,
                                m.ProgLine, m.LastPreparedLine}),
              (std::vector<int>{accepted, kMeetingOver, true, 12, 2, 0}))
        << line << groups;
  }
}

TEST(SwitchLines, ArgumentsTakeEffectAndUnknownWordsChangeNothing) {
  Meeting m = StartedMeeting(2, 2, 7);
  m.ResUse = m.ResUseNow = 2;
  m.SpclRaceMode = 2;
  m.HandicapCode[5] = 12;
  Command(m, "POINTS-0,1,2,3");
  EXPECT_EQ(m.ProgMarks[9] + m.ProgMarks[12] + m.ProgMarks[13] + m.ProgMarks[17], "03*");
  Command(m, "RESSUBS-OFF");
  Command(m, "RESSUBS-SOMETIMES");
  EXPECT_EQ(m.ResUseNow, 7);
  Command(m, "ressubs-on");
  EXPECT_EQ(m.ResUseNow, 2) << "back to the configured use, not to 7";
  Command(m, "SCORING-OPTIONAL");
  EXPECT_EQ(m.ScoringOn, 0);
  Command(m, "Handicap-Reset");
  EXPECT_EQ(m.HandicapCode[5], 0);
  m.NominatedRides[3] = 2;
  Command(m, "NOMINATED-3,2");
  EXPECT_EQ(m.NominatedRides[3], 0);
}

TEST(CommandLines, ThatDoNotApplyDoNothingAndAreNeverHeats) {
  Meeting m = StartedMeeting(1, 3, 4, {"RUNOFFS-2", "TFRTEAM-A>C"});
  m.RunoffMode = 3;  // an individual meeting with groups has no standings to settle
  m.GroupTitle[1] = "QUALIFIERS";
  m.RiderName[9].clear();
  CountingHost host;
  RunProgramme(m, host, host.random);
  EXPECT_EQ(m.HeatRiders, 4);
  EXPECT_EQ(m.RunoffTable[0][0], 0);
  EXPECT_EQ(m.GroupTitle[3] + m.RiderName[9], "");
  EXPECT_EQ(m.LastPreparedLine, 0);
}

TEST(RunoffsLine, HeatSizeFallsBackToFourAndThePlayerWaitsForTheFirstRunoff) {
  Meeting m = StartedMeeting(1, 1, 8, {"RUNOFFS-1", "Final:S1,S2,S3,S4"});
  m.RunoffMode = 3;
  m.ControlMode = 1;
  testing::SetStandingPoints(m, {12, 12, 10, 10, 10, 8, 6, 4});
  CountingHost host;
  RunProgramme(m, host, host.random);
  EXPECT_EQ(
      (std::vector<int>{m.HeatRiders, m.RunoffsPending, m.MeetingState, m.ProgLine, host.reports}),
      (std::vector<int>{4, 1, kHeatDecided, 1, 1}));
}

TEST(SwitchLines, GridHandicapRunoffAndSupportArguments) {
  using M = Meeting;
  const struct {
    Integer gridOption;
    const char* line;
    Integer Meeting::*field;
    int expected;
  } rows[] = {
      {2, "STARTPOS-FIXED", &M::StartGridNow, 2}, {2, "STARTPOS-PREF", &M::StartGridNow, 1},
      {0, "STARTPOS-PREF", &M::StartGridNow, 0},  {1, "startpos-fixed", &M::StartGridNow, 1},
      {0, "HANDICAP-OFF", &M::HandicapOn, 0},     {0, "HANDICAP-ON", &M::HandicapOn, 1},
      {0, "RUNOFFS-1.5", &M::HeatRiders, 2},      {0, "RUNOFFS-8.6", &M::HeatRiders, 4},
      {0, "RUNOFFS-8", &M::HeatRiders, 8},        {0, "SUPPORT-2", &M::MinRides, 0}};
  for (const auto& row : rows) {
    Meeting m = StartedMeeting(2, 2, 7);
    m.RunoffMode = 3;
    m.GroupPoints = {0, 10, 5};  // nobody level
    m.StartGridOption = row.gridOption;
    m.*row.field = 9;
    Command(m, row.line);
    EXPECT_EQ(m.*row.field, row.expected) << row.line;
  }
  // Nominated riders are counted without the replacement slot (rider 8 here).
  Meeting m = StartedMeeting(2, 2, 8);
  m.RdrRepSlot = 1;
  for (const auto& [line, first, last] : {std::tuple{"NOMINATED-0,2", 1, 2},
                                          {"NOMINATED-3,9", 3, 7},
                                          {"NOMINATED-2,6", 2, 7},
                                          {"NOMINATED-8,1", 1, 1},
                                          {"NOMINATED-3,2", 3, 4}}) {
    Command(m, line);
    EXPECT_EQ((std::pair<int, int>(m.NominatedFirst, m.NominatedLast)), std::pair(first, last))
        << line;
  }
}

}  // namespace
}  // namespace corvane
