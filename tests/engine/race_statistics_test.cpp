// The race engine's rates over many heats with a fixed seed: retirements, incidents, the
// favoured gates, and whole programmes raced without a broken record.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <set>
#include <vector>

#include "engine/headless_host.h"
#include "engine/heat_preparation.h"
#include "engine/race_simulation.h"
#include "engine/random_source.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::BuildMeeting;

// How the riders of each starting place ended their heats.
struct Tally {
  int heats = 0;
  std::array<std::array<int, kMarkCount + 1>, kMaxEntries + 1> codes{};  // [place][code]
  std::array<int, kMaxEntries + 1> wins{};

  int Finished(int place) const {
    int n = 0;
    for (int c = kRacing; c <= kMarkCount; ++c)
      n += codes[static_cast<std::size_t>(place)][static_cast<std::size_t>(c)];
    return n;
  }
};

// Races the same line-up `heats` times from a fresh start each time.
Tally RaceMany(Meeting m, const std::vector<int>& lineup, int heats, std::uint64_t seed) {
  m.ScoringOn = 0;
  const auto averages = m.RiderAverage;
  HeadlessHost host;
  Pcg32Random random(seed);
  Tally tally;
  for (int h = 0; h < heats; ++h) {
    m.RiderAverage = averages;
    m.HeatCount = 0;
    m.ProgrammeHeats[0] = 0;
    ClearHeatLineup(m);
    m.HeatRiders = static_cast<Integer>(lineup.size());
    for (std::size_t p = 0; p < lineup.size(); ++p)
      m.HeatGrid[p + 1][1] = static_cast<Integer>(lineup[p]);
    RunHeat(m, host, random);

    ++tally.heats;
    for (std::size_t p = 0; p < lineup.size(); ++p) {
      ++tally.codes[p + 1]
                   [static_cast<std::size_t>(m.RaceStatus[static_cast<std::size_t>(lineup[p])])];
    }
    const auto& winner = m.HeatResults[1][1];
    for (std::size_t p = 0; p < lineup.size(); ++p) {
      if (winner[1] == lineup[p] && winner[2] >= kRacing) ++tally.wins[p + 1];
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
  Meeting m = BuildMeeting(1, 1, 2);
  m.RiderAverage[1] = 0.75f;
  m.RiderAverage[2] = 0.5f;
  for (const int rider : {1, 2}) {
    const double average = m.RiderAverage[static_cast<std::size_t>(rider)];
    const Tally t = RaceMany(m, {rider}, 100000, 11);
    // Riders who started: not excluded at the start (2 draws in 403).
    const int started = t.heats - t.codes[1][kTimeExclusion] - t.codes[1][kStartingOffence];
    const int retired = t.codes[1][kRetired];
    const int incidents =
        t.codes[1][kFellNoExclusion] + t.codes[1][kFellExcluded] + t.codes[1][kOtherExclusion];

    const double retire = 0.00375;              // a lap, whatever the average
    const double incident = 0.00375 / average;  // a lap: weaker riders fall more often
    EXPECT_NEAR(retired / double(started), InFourLaps(retire, retire + incident),
                0.08 * InFourLaps(retire, retire + incident))
        << average;
    EXPECT_NEAR(incidents / double(started), InFourLaps(incident, retire + incident),
                0.08 * InFourLaps(incident, retire + incident))
        << average;
    // Incidents split 40 : 45 : 15 into falls, falls with exclusion and other exclusions.
    EXPECT_NEAR(t.codes[1][kFellExcluded] / double(incidents), 0.45, 0.04) << average;
    EXPECT_NEAR(double(t.heats - started) / t.heats, 2.0 / 403, 0.002);
  }
}

TEST(RaceStatistics, FavouredGatesWinMoreOften) {
  Meeting m = BuildMeeting(1, 1, 4);
  m.StartGridNow = 1;
  const Tally inside = RaceMany(m, {1, 2, 3, 4}, 20000, 5);
  m.StartGridNow = 2;
  const Tally outside = RaceMany(m, {1, 2, 3, 4}, 20000, 5);
  m.StartGridNow = 0;
  const Tally equal = RaceMany(m, {1, 2, 3, 4}, 20000, 5);

  for (int gate = 1; gate <= 4; ++gate) {
    const double in = inside.wins[static_cast<std::size_t>(gate)] / 20000.0;
    const double out = outside.wins[static_cast<std::size_t>(gate)] / 20000.0;
    const double none = equal.wins[static_cast<std::size_t>(gate)] / 20000.0;
    EXPECT_GT(gate <= 2 ? in : out, 0.28) << gate;  // a 25 m head start
    EXPECT_LT(gate <= 2 ? out : in, 0.22) << gate;
    EXPECT_NEAR(none, 0.25, 0.012) << gate;
  }
}

TEST(RaceStatistics, SameSeedSameRaces) {
  Meeting m = BuildMeeting(2, 2, 4);
  const Tally a = RaceMany(m, {1, 5, 2, 6}, 3000, 99);
  const Tally b = RaceMany(m, {1, 5, 2, 6}, 3000, 99);
  const Tally c = RaceMany(m, {1, 5, 2, 6}, 3000, 100);
  EXPECT_EQ(a.codes, b.codes);
  EXPECT_EQ(a.wins, b.wins);
  EXPECT_NE(a.codes, c.codes);
}

// A two-team programme with reserves, raced headlessly on many seeds: every heat is recorded
// with each of its riders once, and the team totals are the sum of the heat points.
TEST(RaceStatistics, WholeProgrammesKeepTheirRecordsSound) {
  const std::vector<std::string> heats = {"1:A1,B1,A2,B2",  "2:B3,A3,B4,A4",        "3:A5,B5,A6,B6",
                                          "4:B1,A1,B3,A3",  "5:A2,B2,A5,B5",        "6:B4,A4,B6,A6",
                                          "7:A1,B2,A3,B1",  "8:B5,A2,B6,A5",        "9:A4,B3,A6,B4",
                                          "10:A1,B1,A2,B2", "Final:BT1,AT1,BR2,AR2"};
  for (std::uint64_t seed = 1; seed <= 400; ++seed) {
    Meeting m = BuildMeeting(2, 2, 7);
    m.NumReserves = 1;
    m.MaxRidesRes = 6;
    m.StartPen = 15;
    m.BonusPts = 1;
    for (int s = 1; s <= 14; ++s)
      m.RiderAverage[static_cast<std::size_t>(s)] = 0.25f + 0.05f * (s % 7);
    m.MinRides = 2;
    m.RiderAverage[3] = 0;  // absent: a reserve rides for him
    m.RiderFlag[3] = 1;
    for (const auto& line : heats) {
      m.ProgrammeLines.push_back(line);
      // The rides each rider is programmed for, as the competition reader counts them.
      for (const auto& entry : SplitFields(line.substr(line.find(':') + 1), ",", 8)) {
        if (entry.size() == 2 && (entry[0] == 'A' || entry[0] == 'B') && std::isdigit(entry[1])) {
          ++m.PlannedRides[static_cast<std::size_t>(
              RiderSlot(m, entry[0] - 'A' + 1, entry[1] - '0'))];
        }
      }
    }
    HeadlessHost host;
    Pcg32Random random(seed);
    for (m.ProgLine = 1; m.ProgLine <= m.ProgrammeLineCount(); ++m.ProgLine)
      PrepareHeat(m, host, random);

    ASSERT_EQ(m.HeatCount, 11) << seed;
    int heatPoints = 0;
    for (int h = 1; h <= m.HeatCount; ++h) {
      std::set<int> riders;
      for (int e = 1; e <= 4; ++e)
        riders.insert(m.HeatResults[static_cast<std::size_t>(h)][static_cast<std::size_t>(e)][1]);
      EXPECT_EQ(riders.size(), 4u) << "seed " << seed << " heat " << h;
      EXPECT_EQ(riders.count(0), 0u) << "seed " << seed << " heat " << h;
      heatPoints += m.HeatScores[static_cast<std::size_t>(h)][3] +
                    m.HeatScores[static_cast<std::size_t>(h)][4];
    }
    EXPECT_EQ(m.GroupPoints[1] + m.GroupPoints[2], heatPoints) << seed;
  }
}

}  // namespace
}  // namespace corvane
