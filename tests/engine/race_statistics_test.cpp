// The race engine's rates over many heats with a fixed seed: retirements, incidents and the
// favoured gates.
#include <gtest/gtest.h>

#include <vector>

#include "engine/headless_host.h"
#include "engine/heat_preparation.h"
#include "engine/race_simulation.h"
#include "engine/random_source.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

// How the riders of each starting place ended their heats: codes and wins, by place.
struct Tally {
  std::array<std::array<int, kMarkCount + 1>, kMaxEntries + 1> codes{};
  std::array<int, kMaxEntries + 1> wins{};
};

// Races the same line-up `heats` times, each from a fresh start.
Tally RaceMany(Meeting m, const std::vector<int>& lineup, int heats, std::uint64_t seed) {
  m.ScoringOn = 0;
  const auto averages = m.RiderAverage;
  HeadlessHost host;
  Pcg32Random random(seed);
  Tally tally;
  for (int h = 0; h < heats; ++h) {
    m.RiderAverage = averages;
    m.HeatCount = 0;
    ClearHeatLineup(m);
    m.HeatRiders = static_cast<Integer>(lineup.size());
    for (std::size_t p = 1; p <= lineup.size(); ++p)
      m.HeatGrid[p][1] = static_cast<Integer>(lineup[p - 1]);
    RunHeat(m, host, random);
    for (std::size_t p = 1; p <= lineup.size(); ++p) {
      ++tally.codes[p][static_cast<std::size_t>(
          m.RaceStatus[static_cast<std::size_t>(lineup[p - 1])])];
      if (m.HeatResults[1][1][1] == lineup[p - 1] && m.HeatResults[1][1][2] >= kRacing)
        ++tally.wins[p];
    }
  }
  return tally;
}

// Chance that an event with chance `p` a lap happens in four laps, while any event (chance
// `any` a lap) ends the rider's race.
double InFourLaps(double p, double any) {
  const double q = 1.0 - any;
  return p * (1.0 + q + q * q + q * q * q);
}

TEST(RaceStatistics, RetirementsAndIncidentsHappenAtTheirRates) {
  Meeting m = testing::BuildMeeting(1, 1, 2);
  m.RiderAverage[2] = 0.5f;
  for (const int rider : {1, 2}) {  // averages 0.75 and 0.5, one rider a heat
    const double average = m.RiderAverage[static_cast<std::size_t>(rider)];
    const auto codes = RaceMany(m, {rider}, 100000, 11).codes[1];
    // Riders excluded at the start (2 draws in 403) never rode a lap.
    const double started = 100000 - codes[kTimeExclusion] - codes[kStartingOffence];
    const int incidents = codes[kFellNoExclusion] + codes[kFellExcluded] + codes[kOtherExclusion];
    const double retire = 0.00375;              // a lap, whatever the average
    const double incident = 0.00375 / average;  // a lap: weaker riders fall more often
    const double retired = InFourLaps(retire, retire + incident);
    const double fell = InFourLaps(incident, retire + incident);
    EXPECT_NEAR(codes[kRetired] / started, retired, 0.08 * retired) << average;
    EXPECT_NEAR(incidents / started, fell, 0.08 * fell) << average;
    EXPECT_NEAR(codes[kFellExcluded] / double(incidents), 0.45, 0.04) << average;
    EXPECT_NEAR(1 - started / 100000, 2.0 / 403, 0.002);
  }
}

TEST(RaceStatistics, FavouredGatesWinMoreOftenAndTheSameSeedGivesTheSameRaces) {
  Meeting m = testing::BuildMeeting(1, 1, 4);
  std::array<Tally, 3> grids;  // all equal, inside favoured, outside favoured
  for (int grid = 0; grid <= 2; ++grid) {
    m.StartGridNow = static_cast<Integer>(grid);
    grids[static_cast<std::size_t>(grid)] = RaceMany(m, {1, 2, 3, 4}, 20000, 5);
  }
  for (std::size_t gate = 1; gate <= 4; ++gate) {
    const auto rate = [&](int grid) {
      return grids[static_cast<std::size_t>(grid)].wins[gate] / 20000.0;
    };
    EXPECT_NEAR(rate(0), 0.25, 0.012) << gate;
    EXPECT_GT(rate(gate <= 2 ? 1 : 2), 0.28) << gate;  // a head start worth 25 m
    EXPECT_LT(rate(gate <= 2 ? 2 : 1), 0.22) << gate;
  }
  EXPECT_EQ(RaceMany(m, {1, 2, 3, 4}, 1000, 99).codes, RaceMany(m, {1, 2, 3, 4}, 1000, 99).codes);
  EXPECT_NE(RaceMany(m, {1, 2, 3, 4}, 1000, 99).codes, RaceMany(m, {1, 2, 3, 4}, 1000, 98).codes);
}

}  // namespace
}  // namespace corvane
