// Every bundled competition run from its file to the end, every team steered by the computer,
// line-ups from the bundled rider database.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/whole_meeting.h"

namespace corvane {
namespace {

using testing::RunWholeMeeting;

// A few meetings a competition: default preferences; team scoring with home advantage and
// riders all on the inside gates; a replaced rider in every team and a rider missing.
testing::MeetingChoices ChoicesFor(std::uint64_t seed) {
  testing::MeetingChoices choices;
  choices.seed = choices.lineupPick = seed;
  if (seed % 3 == 1) {
    choices.prefs.PrefTeamScoring = choices.prefs.PrefHomeAdvantage = 1;
    choices.prefs.PrefStartGrid = 1;
  } else if (seed % 3 == 2) {
    choices.replacedRider = 2;
    choices.absentRider = 3;
    choices.prefs.PrefStartGrid = 3;
  }
  return choices;
}

class BundledCompetition : public ::testing::TestWithParam<std::string> {};

TEST_P(BundledCompetition, RunsToTheEndWithEveryInvariantHolding) {
  int runoffs = 0;
  bool holdsRunoffs = false;
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    const auto run = RunWholeMeeting(GetParam(), ChoicesFor(seed));
    EXPECT_EQ(run.meeting.MeetingState, kMeetingOver) << "seed " << seed;
    EXPECT_GE(run.meeting.HeatCount, 12) << "seed " << seed;
    for (const std::string& fault : run.faults) ADD_FAILURE() << "seed " << seed << ": " << fault;
    runoffs += run.runoffHeats;
    for (const std::string& line : run.meeting.ProgrammeLines)
      holdsRunoffs |= line.starts_with("RUNOFFS-");
    if (seed == 6) {  // stopped half way, written to a meeting file, read back and run on
      const auto resumed = RunWholeMeeting(GetParam(), ChoicesFor(seed), run.meeting.HeatCount / 2);
      EXPECT_EQ(resumed.report, run.report);
      for (const std::string& fault : resumed.faults) ADD_FAILURE() << "resumed: " << fault;
    }
  }
  EXPECT_TRUE(!holdsRunoffs || runoffs > 0) << "the runoff checks had nothing to check";
}

INSTANTIATE_TEST_SUITE_P(Scripts, BundledCompetition,
                         ::testing::ValuesIn(testing::BundledCompetitions()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(0, info.param.find('.'));
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
}  // namespace corvane
