#include "engine/replacements.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/headless_host.h"
#include "engine/race_simulation.h"
#include "engine/random_source.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::BuildMeeting;
using testing::SetLineup;

std::vector<int> Riders(const Meeting& m) {
  std::vector<int> out;
  for (int s = 1; s <= m.HeatRiders; ++s) out.push_back(m.HeatGrid[static_cast<std::size_t>(s)][1]);
  return out;
}

// Every start good and every lap clean: 4 + 16 draws for a four-rider heat.
std::vector<Single> CleanHeat(int places = 4) {
  std::vector<Single> draws(static_cast<std::size_t>(places * 5), 0.5f);
  return draws;
}

// Two teams of five; the fifth of each team is its reserve. A1..A5 are 1..5, B1..B5 6..10.
class ReplacementTest : public ::testing::Test {
 protected:
  ReplacementTest() : m(BuildMeeting(2, 2, 5)) {
    m.NumReserves = 1;
    m.MaxRidesRes = 6;
    m.ResUseNow = 0;
  }

  // Starting place `place` cannot start: the computer's choice.
  void ReplaceAt(int place) {
    m.SlotCursor = static_cast<Integer>(place);
    ChooseReplacement(m);
  }

  Meeting m;
};

TEST_F(ReplacementTest, ReserveRidesForANonStarterAndHisStartIsDrawn) {
  m.RiderAverage[1] = 0;  // A1 is absent
  SetLineup(m, {1, 6, 2, 7});
  HeadlessHost host;
  ScriptedRandom random(CleanHeat());
  RunHeat(m, host, random);

  EXPECT_EQ(random.Used(), 20u);  // the reserve's start was drawn, A1 never drew
  EXPECT_EQ(random.Overrun(), 0u);
  EXPECT_EQ(Riders(m), (std::vector<int>{5, 6, 2, 7}));
  EXPECT_EQ(m.HeatResults[1][1][1], 5);
  EXPECT_EQ(m.ReplacedNow[1], 1);
  EXPECT_EQ(m.RidesTaken[1], 0);
  EXPECT_EQ(m.RidesTaken[5], 1);
}

TEST_F(ReplacementTest, RiderWhoStillNeedsRidesIsNotReplaced) {
  m.MinRides = 3;
  m.PlannedRides[1] = 2;
  SetLineup(m, {1, 6, 2, 7});
  m.RaceStatus[1] = kTimeExclusion;
  ReplaceAt(1);
  EXPECT_EQ(Riders(m), (std::vector<int>{1, 6, 2, 7}));

  m.PlannedRides[1] = 3;
  ReplaceAt(1);
  EXPECT_EQ(Riders(m), (std::vector<int>{5, 6, 2, 7}));
  EXPECT_EQ(m.SlotCursor, 0);
}

TEST_F(ReplacementTest, ReservesWithFewestRidesComeFirstWithinTheirLimit) {
  m.NumReserves = 2;  // A4 and A5
  m.RidesTaken[4] = 3;
  m.RidesTaken[5] = 1;
  SetLineup(m, {1, 6, 2, 7});
  ReplaceAt(1);
  EXPECT_EQ(m.HeatGrid[1][1], 5);

  m.PlannedRides[4] = 3;  // 3 + 3 rides reach the limit of 6
  SetLineup(m, {1, 6, 2, 5});
  ReplaceAt(1);
  EXPECT_EQ(m.HeatGrid[1][1], 1);  // A5 is already in the heat, A4 has no room
}

TEST_F(ReplacementTest, TrackReservesServeEveryTeam) {
  m.ResMode = 2;
  testing::SetRider(m, 11, "Track", 0.5f);
  SetLineup(m, {1, 6, 2, 7});
  ReplaceAt(2);
  EXPECT_EQ(m.HeatGrid[2][1], 11);
}

TEST_F(ReplacementTest, ReservesAreNeverTakenFromTheNextGroup) {
  // A4 is the replaced rider and stands among the reserves: one more reserve position is
  // searched, which lies past the end of the group.
  m.GroupReplacement[1] = {0, 4, 5};
  m.RiderAverage[4] = 0;
  m.RiderAverage[5] = 0;
  SetLineup(m, {1, 7, 2, 8});
  ReplaceAt(1);
  EXPECT_EQ(m.HeatGrid[1][1], 1);
}

TEST_F(ReplacementTest, NamedPlacesAreFilledFromBehindThatPlace) {
  m = BuildMeeting(1, 1, 8);
  m.ScoreOrder = {};
  for (int k = 1; k <= 8; ++k)
    m.ScoreOrder[static_cast<std::size_t>(k)] = static_cast<Integer>(9 - k);
  SetLineup(m, {7, 6, 1});  // T2 named the rider in second place of the standings, slot 7
  m.HeatGrid[1][2] = 2;
  ReplaceAt(1);
  EXPECT_EQ(m.HeatGrid[1][1], 5);  // places 2 and 3 are riders 7 and 6, already in the heat

  // A heat result: places 3 on of that heat.
  m.HeatResults[1][3][1] = 6;
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
  m.GroupReplacement[1] = {0, 4, 4};  // A4, fourth by average, replaced
  m.RiderAverage[4] = 0;
  m.RdrRepRides[3] = 1;  // A3 has already stood in for him
  SetLineup(m, {4, 6, 2, 7});

  HeadlessHost host;
  ScriptedRandom random(CleanHeat());
  RunHeat(m, host, random);
  EXPECT_EQ(random.Used(), 20u);
  // From position 4 - 2 = 2: A2 is in the heat, A3 has ridden for him, A4 is absent.
  EXPECT_EQ(Riders(m), (std::vector<int>{5, 6, 2, 7}));
  EXPECT_EQ(m.RdrRepRides[5], 1);
  EXPECT_EQ(m.RidesTaken[4], 0);
}

// Team A of seven, averages falling from A1 to A6; A7 is the reserve.
class TacticalSubstituteTest : public ::testing::Test {
 protected:
  TacticalSubstituteTest() : m(BuildMeeting(2, 2, 7)) {
    m.NumReserves = 1;
    m.TacSubUse = 2;
    m.TacSubMargin = 6;
    m.TacSubsNow = 2;
    for (int k = 1; k <= 7; ++k) m.RiderAverage[static_cast<std::size_t>(k)] = 1.1f - 0.1f * k;
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
  // A6 (weakest) goes first and gets A1; A5 gets A2. The reserve A7 is never chosen.
  EXPECT_EQ(Riders(m), (std::vector<int>{2, 8, 1, 9}));
  EXPECT_EQ(m.TacSubRides[1], 1);
  EXPECT_EQ(m.TacSubRides[2], 1);
  EXPECT_EQ(m.HeatGrid[3][5], 40);  // A1 starts from his own mark

  // Each rider comes in that way once a meeting.
  SetLineup(m, {5, 8, 6, 9});
  ChooseTacticalSubstitute(m);
  EXPECT_EQ(Riders(m), (std::vector<int>{4, 8, 3, 9}));
}

TEST_F(TacticalSubstituteTest, RestrictedSubstitutesSpareTheStrongerHalf) {
  m.TacSubsNow = 1;
  SetLineup(m, {3, 8, 6, 9});  // A3 is among the strongest four, A6 is not
  ChooseTacticalSubstitute(m);
  EXPECT_EQ(Riders(m), (std::vector<int>{3, 8, 1, 9}));
}

TEST_F(TacticalSubstituteTest, OnlyATeamFarEnoughBehindAndSteeredByTheComputer) {
  m.GroupPoints[2] = 5;
  SetLineup(m, {5, 8, 6, 9});
  ChooseTacticalSubstitute(m);
  EXPECT_EQ(Riders(m), (std::vector<int>{5, 8, 6, 9}));

  m.GroupPoints[2] = 6;
  m.TeamControl[1] = 1;
  ChooseTacticalSubstitute(m);
  EXPECT_EQ(Riders(m), (std::vector<int>{5, 8, 6, 9}));
}

}  // namespace
}  // namespace corvane
