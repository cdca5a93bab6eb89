#include "dialogmodels/heat_manager_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/race/race_simulation.h"
#include "engine/race/random_source.h"
#include "report/headless_host.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::SetLineup;
using Riders = std::vector<int>;

Riders Offered(const HeatManagerModel& model) {
  Riders riders;
  for (const Candidate& c : model.Candidates()) riders.push_back(c.rider);
  return riders;
}

// Two teams of seven, the last two of each its reserves: LIONS A1..A7 are slots 1..7 and
// steered by the player, BEARS B1..B7 slots 8..14 by the computer. Positions by average are the
// rider numbers.
class HeatManagerModelTest : public ::testing::Test {
 protected:
  HeatManagerModelTest() : m(testing::BuildMeeting(2, 2, 7)) {
    m.NumReserves = 2;
    m.MaxRidesRes = 6;
    m.ControlMode = 1;
    m.TeamControl[1] = 1;
    m.GroupTitle[1] = "LIONS";
    m.GroupTitle[2] = "BEARS";
    m.MeetingState = kRunOn;
    SetLineup(m, {1, 8, 2, 9});
  }

  Meeting m;
};

TEST_F(HeatManagerModelTest, ComputerPlaceCannotChangeAndKeepsItsRow) {
  m.HeatGrid[2][5] = 5;
  m.HeatGrid[2][4] = 10;
  m.GroupTitle[1] = "L";
  m.RaceStatus[9] = kNonStarter;
  const auto before = m.HeatGrid[2];
  HeatManagerModel model(m);
  EXPECT_EQ(model.Lineup()[1].text, "2.  B1 [BE] - 15 m");
  model.SelectPlace(2);
  EXPECT_EQ(model.Info(), "The computer is controlling this team.");
  EXPECT_FALSE(model.WithdrawEnabled());
  model.ApplySubstitute(13);  // B6, a reserve: refused
  model.Withdraw();
  EXPECT_EQ(model.SlotRider(2), 8);

  model.SelectPlace(3);  // the player withdraws A2 and puts his reserve in for A1
  model.Withdraw();
  EXPECT_EQ(model.Lineup()[2].text, "3.  A2 [T1] - N");
  model.SelectPlace(1);
  EXPECT_EQ(model.Info(), "");
  EXPECT_EQ(Offered(model), (Riders{6, 7}));
  model.ApplySubstitute(6);
  model.Start();
  EXPECT_EQ(m.HeatGrid[2], before);
  EXPECT_EQ((std::vector{m.HeatGrid[1][1], m.RaceStatus[2], m.MeetingState, m.HeatRiders}),
            (std::vector<Integer>{6, kNonStarter, kHeatDecided, 4}));
}

TEST_F(HeatManagerModelTest, ArrearsDecideTacticalSubstitutes) {
  m.TacSubUse = 2;
  m.TacSubMargin = 6;
  m.TacSubsNow = 1;
  m.MaxGroupTotal = 20;
  m.GroupPoints[1] = 15;  // five behind the leader
  m.GroupPoints[2] = 20;
  {
    HeatManagerModel model(m);
    ASSERT_TRUE(model.OffersTacticalSubstitutes());
    model.SelectKind(kTacticalSubstitutes);
    EXPECT_EQ(model.Info(),
              "Tactical Substitutions may only be made when a team is 6 or more points in "
              "arrears.");
  }
  m.GroupPoints[1] = 14;  // six behind: main riders not in the heat, never reserves
  m.TacSubRides[4] = 1;   // A4 has come in once already
  {
    HeatManagerModel model(m);
    model.SelectKind(kTacticalSubstitutes);
    EXPECT_EQ(model.Info(), "");
    EXPECT_EQ(Offered(model), (Riders{3, 5}));
    model.ApplySubstitute(5);
    model.Start();
    EXPECT_EQ((std::vector{m.HeatGrid[1][1], m.TacSubRides[5]}), (std::vector<Integer>{5, 1}));
  }
}

TEST_F(HeatManagerModelTest, RidersAlreadyInTheHeatAreNeverOffered) {
  HeatManagerModel model(m);
  model.ApplySubstitute(6);  // place 1: A6 in for A1
  model.SelectPlace(3);
  EXPECT_EQ(Offered(model), (Riders{7}));  // A6 now rides in place 1
  model.SelectPlace(1);
  EXPECT_EQ(Offered(model), (Riders{7}));  // nor is A6 offered where he already stands

  // Reserves who have used up their rides, or are out of this heat already, are not offered;
  // a rider short of his minimum rides may not be taken out at all.
  m.PlannedRides[6] = 2;
  m.RidesTaken[6] = 4;
  m.ReplacedNow[7] = 1;
  EXPECT_EQ(HeatManagerModel(m).Info(), "No Reserves are available.");
  m.MinRides = 3;
  EXPECT_EQ(HeatManagerModel(m).Info(),
            "The selected rider may not be substituted until they have completed 3 rides.");
}

TEST_F(HeatManagerModelTest, KeptInjuredRiderDoesNotBringTheWindowBack) {
  // A handicap meeting: every rider starts 20 metres back. A2 was hurt in an earlier run.
  m.Handicaps[1] = 20;
  SetLineup(m, {1, 8, 2, 9});
  m.RiderAverage[2] = 0;
  m.RaceStatus[2] = kInjured;
  HeadlessHost host;
  host.heatManager = [&host](Meeting& meeting) {
    if (host.heatManagerShown > 5) return;  // the loop this test is about; end it
    HeatManagerModel(meeting).Start();
  };
  Pcg32Random random(3);
  RunHeat(m, host, random);
  EXPECT_EQ(host.heatManagerShown, 2);  // before the start, and once for A2
  EXPECT_EQ(m.HeatCount, 1);
}

}  // namespace
}  // namespace corvane
