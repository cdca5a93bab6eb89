// Runs of a competition in stages counted under the line-ups they started as.
#include "statistics/meeting_tally.h"

#include <gtest/gtest.h>

#include "cli/meeting_inputs.h"
#include "statistics/silent_host.h"

namespace corvane {
namespace {

TEST(MeetingTally, ARiderCopiedIntoTheFinalIsCountedOnceWithThePointsOfBothStages) {
  RunOptions options;
  options.competition = std::string(CORVANE_SOURCE_DIR) + "/Scripts/group-stages.cfg";
  const auto inputs = ReadMeetingInputs(options, CORVANE_SOURCE_DIR);
  ASSERT_TRUE(inputs.ok());
  Pcg32Random random(5);
  const Meeting setUp = SetUpCommandLineMeeting(options, inputs.value(), random).value();
  std::atomic<long> done{0};
  const MeetingTally tally = RunMeetings(setUp, Preferences{}, 11, 1, 1, done);
  Meeting raced;
  SilentHost host;
  RaceCopy(raced, setUp, Preferences{}, RunSeed(11, 0), host);
  ASSERT_GT(raced.GroupPoints[5] + raced.GroupPoints[6], 0);
  // Line-ups E and F hold the finalists' copies: their points go to the riders of A to D.
  SlotArray<long long> expected{};
  for (std::size_t s = 1; s < expected.size(); ++s) {
    std::size_t own = s;
    for (std::size_t o = 1; raced.RiderTeam[s] > 4 && o < expected.size(); ++o) {
      if (raced.RiderTeam[o] <= 4 && raced.RiderName[o] == raced.RiderName[s]) own = o;
    }
    expected[own] += raced.RiderPoints[s];
  }
  EXPECT_EQ(tally.riderPoints, expected);
}

}  // namespace
}  // namespace corvane
