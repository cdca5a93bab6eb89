#include "engine/heat_manager_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/headless_host.h"
#include "engine/race_simulation.h"
#include "engine/random_source.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::SetLineup;
using Riders = std::vector<int>;

using Lines = std::vector<std::string>;

template <class Rows>
Lines Texts(const Rows& rows) {
  Lines texts;
  for (const auto& row : rows) texts.push_back(row.text);
  return texts;
}

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
  EXPECT_EQ(Texts(model.Lineup()),
            (Lines{"1.  A1 [T1]", "2.  B1 [BE] - 15 m", "3.  A2 [T1]", "4.  B2 [BE] - N"}));
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

TEST_F(HeatManagerModelTest, RiderReplacementWithinReachOfTheReplacedRider) {
  m.RdrRepUse = 2;
  m.RdrRepNow = 1;
  m.GroupReplacement[1] = {0, 5, 5};  // A5 is replaced, standing fifth
  m.RiderAverage[5] = 0;
  SetLineup(m, {5, 8, 1, 9});
  HeatManagerModel model(m);
  EXPECT_EQ(model.Lineup()[0].text, "1.  A5 [LI] - R/R");
  EXPECT_EQ(model.SlotReplaced(1), 5);
  model.SelectKind(kRiderReplacement);
  // Positions 3 and 4, at most two above him; A1 is in the heat, reserves never come in.
  EXPECT_EQ(Offered(model), (Riders{3, 4}));
  model.ApplySubstitute(4);
  model.Start();
  EXPECT_EQ((std::vector{m.HeatGrid[1][1], m.RdrRepRides[4]}), (std::vector<Integer>{4, 1}));
}

TEST_F(HeatManagerModelTest, NominatedPlacesAreFilledOncePerNomination) {
  m.NominatedFirst = 1;
  m.NominatedLast = 5;
  m.ScoreOrder[1] = 3;  // A3 leads the team's ranking
  m.ScoreOrder[3] = 1;
  SetLineup(m, {3, 10, 2, 11});
  for (int place : {1, 2, 3}) m.HeatGrid[static_cast<std::size_t>(place)][3] = 1;
  m.HomeAdvantage = true;  // held in the averages, not shown
  m.RiderAverage[3] = 0.5f * 1.05f;
  HeatManagerModel model(m);
  EXPECT_EQ(m.HeatGrid[1][1], 0);   // the player nominates his own rider
  EXPECT_EQ(m.HeatGrid[2][1], 10);  // the computer's choice stays
  EXPECT_EQ(model.Lineup()[0].text, "1.  Nominated Rider [LI]");
  EXPECT_EQ(model.ListCaption(), "Nominated Riders:");
  // By score, then the team's reserves.
  EXPECT_EQ(Offered(model), (Riders{3, 2, 1, 4, 5, 6, 7}));
  EXPECT_EQ(model.Candidates()[0].text, "A3 (6.00)");
  model.ApplySubstitute(3);
  model.SelectPlace(3);
  EXPECT_EQ(Offered(model), (Riders{2, 1, 4, 5, 6, 7}));  // A3 taken in place 1
  model.Start();
  // Place 3, not filled, starts empty.
  EXPECT_EQ(
      (std::vector{m.HeatGrid[1][1], m.HeatGrid[3][1], m.NominatedRides[3], m.NominatedRides[2]}),
      (std::vector<Integer>{3, 0, 1, 0}));

  SetLineup(m, {3, 10, 2, 11});
  m.HeatGrid[1][3] = 1;
  // A3 has been nominated, A2 stands in place 3.
  EXPECT_EQ(Offered(HeatManagerModel(m)), (Riders{1, 4, 5, 6, 7}));
}

// During the start: the rider of place 3 (A2) had an incident.
class IncidentTest : public HeatManagerModelTest {
 protected:
  IncidentTest() { m.SlotCursor = 3; }
};

TEST_F(IncidentTest, ReplacingTheRiderStartsTheReserve) {
  m.RaceStatus[2] = kTimeExclusion;
  m.HandicapOn = 1;
  m.Handicaps[1] = 10;
  m.HeatGrid[3][3] = 1;  // a nominated place: during the start reset keeps its rider
  HeatManagerModel model(m);
  EXPECT_FALSE(model.WithdrawEnabled());
  EXPECT_EQ(Offered(model), (Riders{6, 7}));
  model.ApplySubstitute(7);
  model.Reset();
  EXPECT_EQ(model.SlotRider(3), 2);
  model.ApplySubstitute(7);
  model.Start();
  // The reserve starts from his own mark.
  EXPECT_EQ((std::vector{m.HeatGrid[3][1], m.HeatGrid[3][5], m.ReplacedNow[2], m.SlotCursor}),
            (std::vector<Integer>{7, 10, 1, 2}));
}

TEST_F(IncidentTest, KeptInjuredRiderDoesNotBringTheWindowBack) {
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

TEST(ScratchRacingModel, ChangingTheStartersStartsAfresh) {
  Meeting m = testing::BuildMeeting(1, 1, 7);
  m.ControlMode = 2;
  m.HeatRiders = 4;
  m.RaceStatus[7] = kInjured;  // out of this race already
  HeatManagerModel model(m);
  EXPECT_EQ(Offered(model), (Riders{1, 2, 3, 4, 5, 6}));
  model.ApplySubstitute(3);
  model.SetHandicap("15");
  model.SetStarters(6);
  ASSERT_EQ(model.Lineup().size(), 6u);
  EXPECT_EQ(model.SlotRider(1) + model.SlotDistance(1), 0);
}

}  // namespace
}  // namespace corvane
