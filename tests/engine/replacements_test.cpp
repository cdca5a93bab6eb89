#include "engine/race/replacements.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/competition/meeting_setup.h"
#include "engine/race/race_simulation.h"
#include "engine/race/random_source.h"
#include "report/headless_host.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::LineupRiders;
using testing::SetLineup;
using Riders = std::vector<int>;

// Two teams of five, the fifth of each its reserve: A1..A5 are slots 1..5, B1..B5 6..10.
class ReplacementTest : public ::testing::Test {
 protected:
  ReplacementTest() : m(testing::BuildMeeting(2, 2, 5)) {
    m.NumReserves = 1;
    m.MaxRidesRes = 6;
    m.ResUseNow = 0;
  }

  // The rider in starting place `place` cannot start: the computer's choice.
  void ReplaceAt(int place) {
    m.SlotCursor = static_cast<Integer>(place);
    ChooseReplacement(m);
  }

  // Races the heat with every start good and every lap clean: 4 + 16 draws.
  void RaceCleanHeat() {
    HeadlessHost host;
    ScriptedRandom random(std::vector<Single>(20, 0.5f));
    RunHeat(m, host, random);
    EXPECT_EQ(random.Used(), 20u);  // the new rider's start was drawn, the other never drew
    EXPECT_EQ(random.Overrun(), 0u);
  }

  Meeting m;
};

TEST_F(ReplacementTest, ReserveRidesForANonStarter) {
  m.RiderAverage[1] = 0;  // A1 is absent
  SetLineup(m, {1, 6, 2, 7});
  RaceCleanHeat();
  EXPECT_EQ(LineupRiders(m), (Riders{5, 6, 2, 7}));
  EXPECT_EQ(m.HeatResults[1][1][1], 5);
  EXPECT_EQ(m.RidesTaken[1], 0);
  EXPECT_EQ(m.RidesTaken[5], 1);
}

TEST_F(ReplacementTest, RiderWhoStillNeedsRidesKeepsHisPlace) {
  m.MinRides = 3;
  m.PlannedRides[1] = 2;
  SetLineup(m, {1, 6, 2, 7});
  ReplaceAt(1);
  EXPECT_EQ(m.HeatGrid[1][1], 1);

  m.PlannedRides[1] = 3;
  ReplaceAt(1);
  EXPECT_EQ(m.HeatGrid[1][1], 5);
  EXPECT_EQ(m.SlotCursor, 0);  // so that the reserve's start is drawn next
}

TEST_F(ReplacementTest, ReservesWithFewestRidesFirstWithinTheirLimit) {
  m.NumReserves = 2;  // A4 and A5
  m.RidesTaken[4] = 3;
  m.RidesTaken[5] = 1;
  SetLineup(m, {1, 6, 2, 7});
  ReplaceAt(1);
  EXPECT_EQ(m.HeatGrid[1][1], 5);

  m.PlannedRides[4] = 3;  // 3 + 3 rides reach the limit of 6
  SetLineup(m, {1, 6, 2, 5});
  ReplaceAt(1);
  EXPECT_EQ(m.HeatGrid[1][1], 1);  // A5 is in the heat already, A4 has no room

  m.ResMode = 2;  // track reserves, after the last group, serve every team
  testing::SetRider(m, 11, "Track", 0.5f);
  ReplaceAt(2);
  EXPECT_EQ(m.HeatGrid[2][1], 11);
}

TEST_F(ReplacementTest, ReservesAreNeverTakenFromTheNextGroup) {
  // The replaced rider A4 stands among the reserves, so one more reserve position is
  // searched: it lies past the end of group A.
  m.GroupReplacement[1] = {0, 4, 5};
  m.RiderAverage[4] = m.RiderAverage[5] = 0;
  SetLineup(m, {1, 7, 2, 8});
  ReplaceAt(1);
  EXPECT_EQ(m.HeatGrid[1][1], 1);
}

TEST_F(ReplacementTest, NamedPlacesAreFilledFromBehindThatPlace) {
  m = testing::BuildMeeting(1, 1, 8);
  for (int k = 1; k <= 8; ++k) m.ScoreOrder[k] = static_cast<Integer>(9 - k);
  SetLineup(m, {7, 6, 1});  // "T2": the rider second in the standings
  m.HeatGrid[1][2] = 2;
  ReplaceAt(1);
  EXPECT_EQ(m.HeatGrid[1][1], 5);  // third and fourth in the standings; 7 and 6 are in

  m.HeatResults[1][3][1] = 6;  // "T3.1": third in heat 1, and those behind him
  m.HeatResults[1][4][1] = 2;
  SetLineup(m, {4, 6, 1});
  m.HeatGrid[1][2] = 3;
  m.HeatGrid[1][3] = 1;
  ReplaceAt(1);
  EXPECT_EQ(m.HeatGrid[1][1], 2);
}

TEST_F(ReplacementTest, RiderReplacementTakesTheFirstFreeRiderFromHisPosition) {
  m.NumReserves = 0;
  m.RdrRepUse = 2;
  m.RdrRepNow = 1;
  m.GroupReplacement[1] = {0, 4, 4};  // A4, fourth by average, is replaced
  m.RiderAverage[4] = 0;
  m.RdrRepRides[3] = 1;  // A3 has stood in for him already
  SetLineup(m, {4, 6, 2, 7});
  RaceCleanHeat();
  // From position 4 - 2: A2 is in the heat, A3 has ridden for him, A4 is out.
  EXPECT_EQ(LineupRiders(m), (Riders{5, 6, 2, 7}));
  EXPECT_EQ(m.RdrRepRides[5], 1);
}

// Team A of seven with averages falling from A1 to A6; A7, the reserve, is strong.
class TacticalSubstituteTest : public ::testing::Test {
 protected:
  TacticalSubstituteTest() : m(testing::BuildMeeting(2, 2, 7)) {
    m.NumReserves = 1;
    m.TacSubMargin = 6;
    m.TacSubsNow = 2;
    for (int k = 1; k <= 6; ++k) m.RiderAverage[k] = 1.1f - 0.1f * static_cast<Single>(k);
    m.RiderAverage[7] = 0.95f;
    m.GroupPoints[2] = 6;
  }
  Meeting m;
};

TEST_F(TacticalSubstituteTest, WeakestRidersMakeWayForTheStrongestFree) {
  m.Handicaps = {0, 10, 20, 30, 40};
  m.HandicapCode[1] = 12;
  SetLineup(m, {5, 8, 6, 9});
  ChooseTacticalSubstitute(m);
  EXPECT_EQ(LineupRiders(m), (Riders{2, 8, 1, 9}));  // A6 first gets A1, then A5 gets A2
  EXPECT_EQ(m.HeatGrid[3][5], 40);                   // A1 starts from his own mark

  SetLineup(m, {5, 8, 6, 9});  // each rider comes in that way once a meeting
  ChooseTacticalSubstitute(m);
  EXPECT_EQ(LineupRiders(m), (Riders{4, 8, 3, 9}));
}

TEST_F(TacticalSubstituteTest, OnlyWhenFarEnoughBehindAndNotForTheStrongerHalfWhenRestricted) {
  m.GroupPoints[2] = 5;
  SetLineup(m, {3, 8, 6, 9});
  ChooseTacticalSubstitute(m);
  EXPECT_EQ(LineupRiders(m), (Riders{3, 8, 6, 9}));

  m.GroupPoints[2] = 6;
  m.TacSubsNow = 1;  // A3 is among the strongest four, A6 is not
  ChooseTacticalSubstitute(m);
  EXPECT_EQ(LineupRiders(m), (Riders{3, 8, 1, 9}));
}

// The reserve use code in force decides after which events a reserve comes in.
TEST_F(ReplacementTest, ReserveUseCodes) {
  const Single timeExclusion = 0.5f / 403, tapes = 1.5f / 403;  // start draws 3 and 4
  const bool expected[8][3] = {{true, true, true},   {true, false, false}, {false, true, false},
                               {false, false, true}, {true, true, false},  {true, false, true},
                               {false, true, true},  {false, false, false}};
  for (int code = 0; code <= 7; ++code) {
    for (int event = 0; event < 3; ++event) {  // injured or absent, time exclusion, tapes
      m = testing::BuildMeeting(2, 2, 5);
      m.NumReserves = 1;
      m.MaxRidesRes = 6;
      m.ResUseNow = static_cast<Integer>(code);
      if (event == 0) m.RiderAverage[1] = 0;
      SetLineup(m, {1, 6, 2, 7});
      std::vector<Single> draws(40, 0.5f);
      if (event > 0) draws.front() = event == 1 ? timeExclusion : tapes;
      HeadlessHost host;
      ScriptedRandom random(draws);
      RunHeat(m, host, random);
      EXPECT_EQ(m.HeatGrid[1][1] == 5, expected[code][event]) << code << " " << event;
    }
  }
}

TEST_F(ReplacementTest, ReplacedRiderAmongTheReservesOpensTheReplacementSlot) {
  m = testing::BuildMeeting(2, 2, 6);  // five riders and the replacement slot A6
  m.NumReserves = 1;
  m.RdrRepSlot = 1;
  m.MaxRidesRes = 6;
  m.RiderAverage[1] = m.RiderAverage[5] = 0;
  for (const auto& [replacedPosition, chosen] : {std::pair{5, 6}, {3, 1}}) {
    m.GroupReplacement[1] = {0, 5, static_cast<Integer>(replacedPosition)};
    SetLineup(m, {1, 7, 2, 8});
    ReplaceAt(1);
    EXPECT_EQ(m.HeatGrid[1][1], chosen) << replacedPosition;
  }
}

TEST_F(ReplacementTest, RiderReplacementFromTheFirstPositionAndNeverPastTheMainRiders) {
  m.NumReserves = 0;
  m.RdrRepUse = 2;
  m.GroupReplacement[2] = {0, 7, 2};  // B2, second: candidates from B's first position
  SetLineup(m, {1, 7, 2, 8});
  m.SlotCursor = 2;
  ConsiderRiderReplacement(m);
  EXPECT_EQ(m.HeatGrid[2][1], 6);

  m.NumReserves = 2;  // A1, recorded sixth of six with two reserves: 6 - 1 is past A's main four
  m.RdrRepUse = 1;
  m.GroupReplacement[1] = {0, 1, 5};
  SetLineup(m, {1, 7, 2, 8});
  m.SlotCursor = 1;
  ConsiderRiderReplacement(m);
  EXPECT_EQ(m.HeatGrid[1][1], 1);
}

TEST_F(TacticalSubstituteTest, CandidatesFollowTheAverageOrderSkippingReservePositions) {
  m.ResMode = 1;  // reserves sorted in with the others: A7 is second, A6 holds the reserve place
  SortByAverage(m);
  SetLineup(m, {5, 8, 6, 9});
  ChooseTacticalSubstitute(m);
  EXPECT_EQ(LineupRiders(m), (Riders{7, 8, 1, 9}));
  // Before the start of a heat only when they are in use and switched on.
  for (const auto& [use, now, riders] : {std::tuple{1, 2, Riders{5, 8, 6, 9}},
                                         {2, 0, Riders{5, 8, 6, 9}},
                                         {2, 1, Riders{7, 8, 1, 9}}}) {
    m.TacSubRides = {};
    m.TacSubUse = static_cast<Integer>(use);
    m.TacSubsNow = static_cast<Integer>(now);
    m.ResUseNow = 7;
    m.RaceStatus = {};
    SetLineup(m, {5, 8, 6, 9});
    HeadlessHost host;
    ScriptedRandom random(std::vector<Single>(20, 0.5f));
    RunHeat(m, host, random);
    EXPECT_EQ(LineupRiders(m), riders) << use << now;
  }
}

}  // namespace
}  // namespace corvane
