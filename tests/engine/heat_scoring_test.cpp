#include "engine/race/heat_scoring.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "support/meeting_builder.h"

namespace corvane {
namespace {

// Two teams of four: A1..A3 are slots 1..3, B1, B2, B3 slots 5, 6, 7.
constexpr int A1 = 1, A2 = 2, A3 = 3, B1 = 5, B2 = 6, B3 = 7;

// Records and scores the next heat as the race leaves it: riders in rank order with their
// final codes.
void ScoreNextHeat(Meeting& m, const std::vector<std::pair<int, int>>& ranked) {
  m.HeatCount = static_cast<Integer>(m.HeatCount + 1);
  m.HeatRiders = static_cast<Integer>(ranked.size());
  for (std::size_t e = 1; e <= ranked.size(); ++e) {
    const auto [slot, code] = ranked[e - 1];
    m.HeatResults[static_cast<std::size_t>(m.HeatCount)][e] = {0, static_cast<Integer>(slot),
                                                               static_cast<Integer>(code), 0};
    m.RaceStatus[static_cast<std::size_t>(slot)] = static_cast<Integer>(code);
    m.HandicapCode[static_cast<std::size_t>(slot)] = static_cast<Integer>(code);
  }
  ScoreHeat(m);
  m.RaceStatus = {};
  m.ReplacedNow = {};
}

class ScoringTest : public ::testing::Test {
 protected:
  Meeting m = testing::BuildMeeting(2, 2, 4);
};

TEST_F(ScoringTest, RidesOfReplacedAndInjuredRidersAndWhoStillNeedsRides) {
  m.MinRides = 4;
  m.RaceStatus[A2] = kNonStarter;  // replaced by A3 before his start
  m.ReplacedNow[A2] = 1;
  m.RaceStatus[B3] = kTimeExclusion;  // replaced after his exclusion
  m.ReplacedNow[B3] = 1;
  ScoreNextHeat(m, {{B1, 11}, {A3, 10}, {B2, 9}, {A1, kInjured}});

  // A replaced non-starter did not ride; an excluded one did, but it does not count, nor does
  // an injured rider's ride.
  EXPECT_EQ(m.RidesTaken[A2], 0);
  EXPECT_EQ((std::vector{m.Scorecard[A2][1], m.Scorecard[B3][1], m.Scorecard[A1][1]}),
            (std::vector<std::string>{"", "N2", "Fn"}));
  EXPECT_EQ((std::vector{m.RidesCounted[B3], m.RidesCounted[A1], m.RidesCounted[B1]}),
            (std::vector<Integer>{0, 0, 1}));
  // Classes: second of four is 6, the last finisher 7, injured 8; beating one rider has none.
  EXPECT_EQ(m.PlaceCounts[B1][6] + m.PlaceCounts[B2][7] + m.PlaceCounts[A1][8], 3);
  EXPECT_EQ(m.PlaceCounts[A3], PlaceCountTable{});
  EXPECT_EQ(m.GroupPlaceCounts[2][6] + m.GroupPlaceCounts[2][7], 2);

  m.PlannedRides[B1] = 3;  // 1 ridden + 3 to come: enough
  m.PlannedRides[A3] = 2;
  m.RiderAverage[A1] = m.RiderAverage[B2] = 0;
  m.RiderFlag[A1] = 2;  // injured
  m.RiderFlag[B2] = 1;  // absent from the start
  EXPECT_EQ(
      (std::vector{NeedsRides(m, B1), NeedsRides(m, A3), NeedsRides(m, A1), NeedsRides(m, B2)}),
      (std::vector{false, true, false, false}));
  m.GroupReplacement[1][1] = A3;  // the group's replaced rider needs none either
  EXPECT_FALSE(NeedsRides(m, A3));
}

TEST_F(ScoringTest, PlaceClassOfEveryCode) {
  // Won against 7 riders is class 1 ... beat none is 7; injured, retired and fell are 8; the
  // other codes, and beating just one rider, count in no class.
  const int classOfCode[17] = {0, 0, 8, 0, 0, 8, 8, 0, 0, 7, 0, 6, 5, 4, 3, 2, 1};
  for (int code = 1; code <= 16; ++code) {
    m = testing::BuildMeeting(2, 2, 4);
    ScoreNextHeat(m, {{A1, code}});
    PlaceCountTable classes{};
    if (classOfCode[code] != 0) classes[static_cast<std::size_t>(classOfCode[code])] = 1;
    EXPECT_EQ(m.PlaceCounts[A1], classes) << code;
    EXPECT_EQ(m.GroupPlaceCounts[1], classes) << code;
  }
}

TEST_F(ScoringTest, HeatOutsideTheScoringRecordsNothing) {
  m.ScoringOn = 0;
  ScoreNextHeat(m, {{A1, 12}, {B1, 11}});
  EXPECT_EQ(m.HeatScores[1], (std::array<Integer, 5>{1, 0, 0, 0, 0}));
  EXPECT_EQ((std::vector<int>{m.RidesTaken[A1], m.RidesCounted[A1], m.RiderPoints[A1],
                              m.GroupPoints[1], m.MaxRides}),
            (std::vector<int>{0, 0, 0, 0, 0}));
  EXPECT_EQ(m.PlaceCounts[A1], PlaceCountTable{});
}

TEST_F(ScoringTest, UnderTeamScoringAWinnerWhoLeftATeamMateUnbeatenIsMarked) {
  m.TeamScoring = 1;
  const struct {
    int riders, winnerCode;
    const char* mark;
  } rows[] = {{4, 9, "0"}, {4, 10, "1'"}, {4, 11, "2'"}, {4, 12, "3"}, {3, 10, "1'"}, {3, 11, "2"}};
  for (const auto& row : rows) {
    std::vector<std::pair<int, int>> ranked{{A1, row.winnerCode}, {B1, 9}, {B2, 9}, {B3, 9}};
    ranked.resize(static_cast<std::size_t>(row.riders));
    ScoreNextHeat(m, ranked);
    EXPECT_EQ(m.Scorecard[A1][static_cast<std::size_t>(m.RidesTaken[A1])], row.mark)
        << row.riders << " " << row.winnerCode;
  }
}

TEST_F(ScoringTest, BonusOnlyForTeamRiders) {
  m = testing::BuildMeeting(2, 3, 4);  // group C (slots 9..12) rides for no team
  m.BonusPts = 1;
  ScoreNextHeat(m, {{9, 12}, {10, 11}, {B3, 10}, {8, 9}});
  ScoreNextHeat(m, {{B3, 12}, {8, 11}, {A1, 10}, {A2, 9}});  // B4, slot 8, is the last one
  EXPECT_EQ((std::vector<int>{m.RiderBonus[10], m.RiderBonus[8]}), (std::vector<int>{0, 1}));
}

TEST_F(ScoringTest, FractionalMarksAreSummedBeforeRounding) {
  m.ProgMarks[11] = ".5";  // second place
  m.BonusPts = 1;
  ScoreNextHeat(m, {{A1, 12}, {A2, 11}, {B1, 10}, {B2, 9}});
  // Bonus 3 - .5 = 2.5, team 3 + .5 = 3.5 and heat points alike, each rounded half to even.
  EXPECT_EQ((std::vector<int>{m.RiderPoints[A2], m.RiderBonus[A2], m.GroupPoints[1],
                              m.HeatScores[1][3], m.HeatScores[1][1]}),
            (std::vector<int>{0, 2, 4, 4, 4}));
}

}  // namespace
}  // namespace corvane
