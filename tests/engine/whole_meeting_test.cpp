// Every bundled competition run from its file to the end, every team steered by the computer,
// line-ups from the bundled rider database.
#include <gtest/gtest.h>

#include "engine/meeting_validation.h"
#include "report/meeting_file.h"
#include "report/results_report.h"
#include "support/whole_meeting.h"

namespace corvane {
namespace {

using testing::FinishedMeetingFaults;
using testing::MeetingChoices;
using testing::RunOn;
using testing::StartMeeting;
using testing::WatchingHost;

// A few meetings a competition: default preferences; team scoring with home advantage and
// riders all on the inside gates; a replaced rider in every team and a rider missing.
MeetingChoices ChoicesFor(std::uint64_t seed) {
  MeetingChoices choices;
  choices.seed = seed;
  choices.lineupPick = seed;
  if (seed % 3 == 1) {
    choices.prefs.PrefTeamScoring = 1;
    choices.prefs.PrefHomeAdvantage = 1;
    choices.prefs.PrefStartGrid = 1;
  } else if (seed % 3 == 2) {
    choices.replacedRider = 2;
    choices.absentRider = 3;
    choices.prefs.PrefStartGrid = 3;
  }
  return choices;
}

struct Finished {
  Meeting meeting;
  std::vector<std::string> faults;
  std::string report;
  int runoffs = 0;
};

// The meeting run to its end; with `stopAfter` >= 0 it is stopped after that many heats,
// suspended to a meeting file, resumed from it and run on to the end.
Finished RunMeeting(const std::string& competition, std::uint64_t seed, int stopAfter = -1) {
  const MeetingChoices choices = ChoicesFor(seed);
  Finished result;
  Meeting& m = result.meeting;
  WatchingHost host(m);
  host.stopAfterHeats = stopAfter;
  Pcg32Random random(seed);
  StartMeeting(m, competition, choices, host, random);
  if (RunOn(m, host, random, seed)) {
    result.faults = FinishedMeetingFaults(m, host);
    result.report = WriteResults(m);
    result.runoffs = static_cast<int>(host.runoffHeats.size());
    return result;
  }
  const std::string reportAtStop = WriteResults(m);
  const Result<std::string> bytes = EncodeMeeting(m);
  EXPECT_TRUE(bytes) << bytes.error();
  Result<Meeting> resumed = DecodeMeeting(bytes ? bytes.value() : std::string(), m);
  EXPECT_TRUE(resumed) << resumed.error();
  if (!resumed) return result;
  EXPECT_EQ(WriteResults(resumed.value()), reportAtStop) << "the meeting file lost something";
  m = std::move(resumed.value());
  WatchingHost resumedHost(m);
  resumedHost.runoffHeats = host.runoffHeats;
  EXPECT_TRUE(RunOn(m, resumedHost, random, seed));
  result.faults = FinishedMeetingFaults(m, resumedHost);
  result.report = WriteResults(m);
  result.runoffs = static_cast<int>(resumedHost.runoffHeats.size());
  return result;
}

class BundledCompetition : public ::testing::TestWithParam<std::string> {};

TEST_P(BundledCompetition, RunsToTheEndWithEveryInvariantHolding) {
  int runoffs = 0;
  bool holdsRunoffs = false;
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    const Finished run = RunMeeting(GetParam(), seed);
    EXPECT_EQ(run.meeting.MeetingState, kMeetingOver) << "seed " << seed;
    EXPECT_GE(run.meeting.HeatCount, 12) << "seed " << seed;
    for (const std::string& fault : run.faults) ADD_FAILURE() << "seed " << seed << ": " << fault;
    runoffs += run.runoffs;
    for (const std::string& line : run.meeting.ProgrammeLines) {
      holdsRunoffs |= line.starts_with("RUNOFFS-");
    }
  }
  // Otherwise the runoff checks would have had nothing to check.
  if (holdsRunoffs) {
    EXPECT_GT(runoffs, 0);
  }
}

TEST_P(BundledCompetition, TheSameSeedGivesTheSameMeeting) {
  const Finished first = RunMeeting(GetParam(), 7);
  EXPECT_EQ(RunMeeting(GetParam(), 7).report, first.report);
  EXPECT_NE(RunMeeting(GetParam(), 10).report, first.report);
}

// Suspending and resuming changes nothing: the resumed meeting ends as the one never stopped.
TEST_P(BundledCompetition, ResumedFromItsFileEndsAsIfNeverSuspended) {
  const std::uint64_t seed = 8;
  const Finished whole = RunMeeting(GetParam(), seed);
  for (int stop : {1, whole.meeting.HeatCount / 2, whole.meeting.HeatCount - 1}) {
    const Finished resumed = RunMeeting(GetParam(), seed, stop);
    EXPECT_EQ(resumed.report, whole.report) << "stopped after heat " << stop;
    for (const std::string& fault : resumed.faults) {
      ADD_FAILURE() << "stopped after heat " << stop << ": " << fault;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Scripts, BundledCompetition,
                         ::testing::ValuesIn(testing::BundledCompetitions()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name;
                           for (char c : info.param.substr(0, info.param.find('.'))) {
                             name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace corvane
