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
  options.date = "07/12/26";
  const auto inputs = ReadMeetingInputs(options, CORVANE_SOURCE_DIR);
  ASSERT_TRUE(inputs.ok());
  Pcg32Random random(5);
  const auto setUp = SetUpCommandLineMeeting(options, inputs.value(), random);
  ASSERT_TRUE(setUp.ok());
  const Preferences prefs;
  std::atomic<long> done{0};
  const MeetingTally tally = RunMeetings(setUp.value(), prefs, 11, 1, 1, done);
  Meeting raced;
  SilentHost host;
  RaceCopy(raced, setUp.value(), prefs, RunSeed(11, 0), host);

  long long all = 0, finals = 0;
  for (int s = 1; s <= kMaxSlots; ++s) {
    const auto i = static_cast<std::size_t>(s);
    all += raced.RiderPoints[i];
    const int team = raced.RiderTeam[i];
    if (raced.RiderName[i].empty() || team > 4) continue;  // E and F hold the copies
    long long expected = raced.RiderPoints[i];
    for (int c = 1; c <= kMaxSlots; ++c) {
      const auto k = static_cast<std::size_t>(c);
      if (raced.RiderTeam[k] > 4 && raced.RiderName[k] == raced.RiderName[i]) {
        expected += raced.RiderPoints[k];
        finals += raced.RiderPoints[k];
      }
    }
    EXPECT_EQ(tally.riderPoints[i], expected) << raced.RiderName[i];
  }
  EXPECT_GT(finals, 0);
  long long counted = 0;
  for (long long points : tally.riderPoints) counted += points;
  EXPECT_EQ(counted, all);  // nothing left under the copies' slots or lost
}

}  // namespace
}  // namespace corvane
