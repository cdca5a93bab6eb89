#include <gtest/gtest.h>

#include <vector>

#include "engine/rankings.h"
#include "engine/transfers.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::StartedMeeting;

std::vector<int> Order(const SlotArray<Integer>& order, int count) {
  return std::vector<int>(order.begin() + 1, order.begin() + 1 + count);
}

TEST(RankRiderScores, TiesGoToPlaceCountsAloneOrToTheAverageInTeams) {
  Meeting m = StartedMeeting(1, 1, 6);
  m.RiderPoints = {0, 9, 9, 12, 9, 9, 4};
  m.RiderBonus[6] = 5;      // bonus points count
  m.PlaceCounts[1][1] = 1;  // rider 5 has the same counts: stays behind
  m.PlaceCounts[2][1] = 2;
  m.PlaceCounts[4][0] = 3;  // a runoff won counts before any place
  m.PlaceCounts[5][1] = 1;
  RankRiderScores(m);
  EXPECT_EQ(Order(m.ScoreOrder, 6), (std::vector<int>{3, 4, 2, 1, 5, 6}));

  Meeting teams = StartedMeeting(2, 2, 4);
  teams.NumReserves = 1;  // kept apart, whatever he scores
  teams.RiderPoints = {0, 9, 9, 0, 20, 0, 0, 3};
  teams.RiderAverage[1] = 0.9f;
  teams.RiderAverage[2] = 0.95f;
  teams.PlaceCounts[1][1] = 5;
  RankRiderScores(teams);
  EXPECT_EQ(Order(teams.ScoreOrder, 8), (std::vector<int>{2, 1, 3, 4, 7, 6, 5, 8}));
}

TEST(TransferRider, CopiesIntoEmptySlotsOnlyFromResolvedSources) {
  Meeting m = StartedMeeting(1, 4, 4);
  for (std::size_t s = 9; s <= 16; ++s) {
    m.RiderName[s].clear();
    m.RiderAverage[s] = 0;
    m.RiderFlag[s] = 1;
  }
  m.AverageOrder[1] = 3;
  m.ScoreOrder[1] = 4;
  m.GroupOrder[1] = 2;  // B stands first
  m.AverageOrder[5] = 7;
  m.ScoreOrder[6] = 8;
  for (const char* argument : {"AR1>C1", "as1 > c2", "SAR1>C3", "SAS2>C4", "B1>D1", "A2>D1",
                               "A1>DR1", "A1>SD2", "A5>D3", "E1>D3", "X>D3", "D4>D4", "A1"}) {
    TransferRider(m, argument);
  }
  const std::vector<std::string> expected = {"Rider A3", "Rider A4", "Rider B3", "Rider B4",
                                             "Rider B1", "",         "",         ""};
  EXPECT_EQ(std::vector<std::string>(m.RiderName.begin() + 9, m.RiderName.begin() + 17), expected);
  EXPECT_EQ(m.RiderAverage[13], m.RiderAverage[5]);
  EXPECT_EQ(m.RiderFlag[13], 0) << "a transferred rider is not absent";
  EXPECT_EQ(m.RiderFlag[14], 1);
}

TEST(TransferTeam, CopiesTheTeamStandingFirstIntoAnUntitledGroup) {
  Meeting m = StartedMeeting(3, 3, 4);
  m.GroupTitle = {"", "LIONS", "TIGERS", ""};
  m.GroupExtra[2] = 4;
  m.GroupPoints = {0, 10, 12, 12};
  m.GroupExtra[1] = 5;  // entered points do not rank
  m.GroupPlaceCounts[2][1] = 4;
  RankTeamScores(m);
  EXPECT_EQ(m.GroupOrder[1], 2);
  EXPECT_EQ(m.GroupOrder[3], 1);
  TransferTeam(m, "SA>C");
  TransferTeam(m, "A>C");
  EXPECT_EQ(m.GroupTitle[3], "TIGERS");
  EXPECT_EQ(m.GroupExtra[3], 4);
  EXPECT_EQ(m.RiderName[9], "Rider B1");
  EXPECT_EQ(m.RiderAverage[12], m.RiderAverage[8]);
}

}  // namespace
}  // namespace corvane
