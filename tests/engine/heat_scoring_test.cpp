#include "engine/heat_scoring.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::BuildMeeting;

// Slots of a two-team meeting with four riders a team.
constexpr int A1 = 1, A2 = 2, A3 = 3, B1 = 5, B2 = 6;

// Records the next heat as the race would: riders in rank order with their final codes.
void Decide(Meeting& m, const std::vector<std::pair<int, int>>& ranked) {
  m.HeatCount = static_cast<Integer>(m.HeatCount + 1);
  m.HeatRiders = static_cast<Integer>(ranked.size());
  m.RaceStatus = {};
  m.ReplacedNow = {};
  for (std::size_t e = 1; e <= ranked.size(); ++e) {
    const auto [slot, code] = ranked[e - 1];
    auto& entry = m.HeatResults[static_cast<std::size_t>(m.HeatCount)][e];
    entry[1] = static_cast<Integer>(slot);
    entry[2] = static_cast<Integer>(code);
    m.HeatGrid[e][1] = static_cast<Integer>(slot);
    m.RaceStatus[static_cast<std::size_t>(slot)] = static_cast<Integer>(code);
    m.HandicapCode[static_cast<std::size_t>(slot)] = static_cast<Integer>(code);
  }
}

class ScoringTest : public ::testing::Test {
 protected:
  ScoringTest() : m(BuildMeeting(2, 2, 4)) {}
  Meeting m;
};

TEST_F(ScoringTest, BonusForTeamMatesDirectlyBehindTheirLeader) {
  m.BonusPts = 1;
  Decide(m, {{A1, 12}, {A2, 11}, {B1, 10}, {B2, 9}});
  ScoreHeat(m);
  EXPECT_EQ(m.Scorecard[A2][1], "2*");
  EXPECT_EQ(m.RiderPoints[A2], 2);
  EXPECT_EQ(m.RiderBonus[A2], 1);
  EXPECT_EQ(m.HandicapCode[A2], 12);  // handicapped as if he had won
  EXPECT_EQ(m.RiderBonus[B2], 0);     // last behind his team-mate: he beat nobody
  EXPECT_EQ(m.Scorecard[B2][1], "0");
  EXPECT_EQ(m.GroupPoints[1], 5);  // bonus credited to riders only

  Decide(m, {{A1, 12}, {B1, 11}, {A2, 10}, {B2, 9}});
  ScoreHeat(m);
  EXPECT_EQ(m.Scorecard[A2][2], "1");  // a rival in between: no bonus
  EXPECT_EQ(m.RiderBonus[A2], 1);
  EXPECT_EQ(m.MaxRiderBonus, 1);
}

TEST_F(ScoringTest, EveryTeamMateInARunIsRaisedToTheLeadersPoints) {
  m.BonusPts = 2;
  Decide(m, {{A1, 12}, {A2, 11}, {A3, 10}, {B1, 9}});
  ScoreHeat(m);
  EXPECT_EQ(m.RiderBonus[A2], 1);
  EXPECT_EQ(m.RiderBonus[A3], 2);
  EXPECT_EQ(m.Scorecard[A3][1], "1*");
  EXPECT_EQ(m.GroupPoints[1], 9);  // counted in the team score too
  EXPECT_EQ(m.HeatScores[1][3], 9);
}

TEST_F(ScoringTest, TeamScoresKeepHeatPointsAndRunningTotals) {
  Decide(m, {{A1, 12}, {B1, 11}, {A2, 10}, {B2, 9}});
  ScoreHeat(m);
  Decide(m, {{B1, 12}, {B2, 11}, {A1, 10}, {A2, 9}});
  ScoreHeat(m);
  EXPECT_EQ(m.HeatScores[2][3], 1);  // heat points of team A, then team B
  EXPECT_EQ(m.HeatScores[2][4], 5);
  EXPECT_EQ(m.HeatScores[2][1], 5);  // running totals
  EXPECT_EQ(m.HeatScores[2][2], 7);
  EXPECT_EQ(m.MaxHeatPoints, 5);
  EXPECT_EQ(m.MaxGroupTotal, 7);
  EXPECT_EQ(m.RiderPoints[B1], 5);
  EXPECT_EQ(m.MaxRiderPoints, 5);
}

TEST_F(ScoringTest, TotalsOfManyTeamsAreKeptWithoutHeatColumns) {
  m = BuildMeeting(6, 6, 4);
  Decide(m, {{21, 12}, {17, 11}, {1, 10}, {5, 9}});
  ScoreHeat(m);
  EXPECT_EQ(m.GroupPoints[6], 3);
  EXPECT_EQ(m.HeatScores[1], (std::array<Integer, 5>{}));
  EXPECT_EQ(m.MaxGroupTotal, 3);
}

TEST_F(ScoringTest, RidesOfReplacedAndInjuredRiders) {
  m.MinRides = 4;
  Decide(m, {{B1, 11}, {A3, 10}, {B2, 9}, {A1, kInjured}});
  m.RaceStatus[A2] = kNonStarter;  // replaced by A3 before his start
  m.ReplacedNow[A2] = 1;
  m.RaceStatus[7] = kTimeExclusion;  // replaced by B2 after his exclusion
  m.ReplacedNow[7] = 1;
  ScoreHeat(m);

  EXPECT_EQ(m.RidesTaken[A2], 0);  // a replaced non-starter did not ride
  EXPECT_EQ(m.RidesCounted[A2], 0);
  EXPECT_EQ(m.Scorecard[A2][1], "");
  EXPECT_EQ(m.RidesTaken[7], 1);  // an excluded rider did, but it does not count
  EXPECT_EQ(m.Scorecard[7][1], "N2");
  EXPECT_EQ(m.RidesCounted[7], 0);
  EXPECT_EQ(m.Scorecard[A1][1], "Fn");  // so does an injured one
  EXPECT_EQ(m.RidesCounted[A1], 0);
  EXPECT_EQ(m.RidesCounted[B1], 1);

  // Place classes: 2nd of four is class 6, the last finisher 7, an injured rider 8; beating
  // exactly one rider has no class.
  EXPECT_EQ(m.PlaceCounts[B1][6], 1);
  EXPECT_EQ(m.PlaceCounts[B2][7], 1);
  EXPECT_EQ(m.PlaceCounts[A1][8], 1);
  EXPECT_EQ(m.PlaceCounts[A3], (PlaceCountTable{}));
  EXPECT_EQ(m.GroupPlaceCounts[2][6] + m.GroupPlaceCounts[2][7], 2);

  // B1 rode once and has 3 more programmed: enough. A1 is injured: nothing more is expected.
  m.PlannedRides[B1] = 3;
  m.PlannedRides[A3] = 2;
  m.RiderAverage[A1] = 0;
  m.RiderFlag[A1] = 2;
  EXPECT_FALSE(NeedsRides(m, B1));
  EXPECT_TRUE(NeedsRides(m, A3));
  EXPECT_FALSE(NeedsRides(m, A1));
  m.GroupReplacement[1][1] = A3;  // nor from the group's replaced rider
  EXPECT_FALSE(NeedsRides(m, A3));
  m.RiderAverage[B2] = 0;  // nor from a rider absent from the start
  m.RiderFlag[B2] = 1;
  EXPECT_FALSE(NeedsRides(m, B2));
}

TEST_F(ScoringTest, ScorecardWidensForEverybodyWhenARiderPassesMaxRides) {
  m.MaxRides = 1;
  ResizeScorecard(m, 1);
  m.RidesTaken[A1] = 1;
  m.Scorecard[A1][1] = "3";
  Decide(m, {{A1, 12}, {B1, 11}});
  ScoreHeat(m);
  EXPECT_EQ(m.MaxRides, 2);
  EXPECT_EQ(m.Scorecard[A1], (std::vector<std::string>{"", "3", "3"}));
  for (const auto& row : m.Scorecard) EXPECT_EQ(row.size(), 3u);
}

TEST_F(ScoringTest, HeatsOutsideTheScoringShowNoScores) {
  m.ScoringOn = 0;
  m.BonusPts = 1;
  Decide(m, {{A1, 12}, {A2, 11}});
  ScoreHeat(m);
  EXPECT_EQ(m.HeatScores[1][0], 1);
  EXPECT_EQ(m.RidesTaken[A1], 0);
  EXPECT_EQ(m.RiderBonus[A2], 0);
  EXPECT_EQ(m.GroupPoints[1], 0);
}

}  // namespace
}  // namespace corvane
