// The favoured gates over many heats with a fixed seed. (The incident and retirement draws are
// pinned draw by draw in the race simulation tests.)
#include <gtest/gtest.h>

#include <array>

#include "engine/headless_host.h"
#include "engine/race_simulation.h"
#include "engine/random_source.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

// Wins of each gate in `heats` heats of riders 1..4 of equal averages, each from a fresh start.
std::array<int, 5> WinsByGate(Meeting m, int heats, std::uint64_t seed) {
  m.ScoringOn = 0;
  const auto averages = m.RiderAverage;
  HeadlessHost host;
  Pcg32Random random(seed);
  std::array<int, 5> wins{};
  for (int h = 0; h < heats; ++h) {
    m.RiderAverage = averages;  // an injury takes a rider out of the meeting
    m.HeatCount = 0;
    testing::SetLineup(m, {1, 2, 3, 4});
    RunHeat(m, host, random);
    const auto& winner = m.HeatResults[1][1];
    if (winner[2] >= kRacing) ++wins[static_cast<std::size_t>(winner[1])];
  }
  return wins;
}

TEST(RaceStatistics, FavouredGatesWinMoreOftenAndTheSameSeedGivesTheSameRaces) {
  Meeting m = testing::BuildMeeting(1, 1, 4);
  std::array<std::array<int, 5>, 3> grids;  // all equal, inside favoured, outside favoured
  for (int grid = 0; grid <= 2; ++grid) {
    m.StartGridNow = static_cast<Integer>(grid);
    grids[static_cast<std::size_t>(grid)] = WinsByGate(m, 20000, 5);
  }
  for (std::size_t gate = 1; gate <= 4; ++gate) {
    const auto rate = [&](int grid) {
      return grids[static_cast<std::size_t>(grid)][gate] / 20000.0;
    };
    EXPECT_NEAR(rate(0), 0.25, 0.012) << gate;
    EXPECT_GT(rate(gate <= 2 ? 1 : 2), 0.28) << gate;  // a head start worth 25 m
    EXPECT_LT(rate(gate <= 2 ? 2 : 1), 0.22) << gate;
  }
  EXPECT_EQ(WinsByGate(m, 1000, 99), WinsByGate(m, 1000, 99));
  EXPECT_NE(WinsByGate(m, 1000, 99), WinsByGate(m, 1000, 98));
}

}  // namespace
}  // namespace corvane
