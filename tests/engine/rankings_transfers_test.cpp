#include <gtest/gtest.h>

#include <vector>

#include "engine/programme/rankings.h"
#include "engine/programme/transfers.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::StartedMeeting;

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

TEST(TransferRider, ReferenceNumbersAreRoundedBeforeTheirRangeIsTested) {
  Meeting m = StartedMeeting(1, 2, 7);  // B1..B7 are slots 8..14
  for (std::size_t s = 8; s <= 14; ++s) m.RiderName[s].clear();
  for (const char* argument : {"A7.4>B1", "A7.6>B2", "A0.4>B3", "A0.6>B4", "A2>B6.6"}) {
    TransferRider(m, argument);
  }
  EXPECT_EQ(std::vector<std::string>(m.RiderName.begin() + 8, m.RiderName.begin() + 15),
            (std::vector<std::string>{"Rider A7", "", "", "Rider A1", "", "", "Rider A2"}));
}

TEST(RankRiderScores, RanksTheMainRidersLeavingReservesKeptApartAndTheReplacementSlot) {
  // Points rise with the slot, so every ranked position turns round.
  const struct {
    int teams, groups, riders, reserves, resMode, repSlot;
    std::vector<int> order;  // group A
  } rows[] = {{2, 2, 6, 2, 0, 0, {4, 3, 2, 1, 5, 6}}, {2, 2, 7, 2, 0, 1, {4, 3, 2, 1, 5, 6, 7}},
              {2, 2, 6, 0, 0, 1, {5, 4, 3, 2, 1, 6}}, {2, 2, 6, 2, 1, 0, {6, 5, 4, 3, 2, 1}},
              {1, 2, 6, 2, 2, 0, {6, 5, 4, 3, 2, 1}}, {1, 1, 6, 2, 2, 0, {4, 3, 2, 1, 5, 6}},
              {1, 1, 6, 2, 0, 0, {4, 3, 2, 1, 5, 6}}};
  for (const auto& row : rows) {
    Meeting m = testing::BuildMeeting(row.teams, row.groups, row.riders);
    m.NumReserves = static_cast<Integer>(row.reserves);
    m.ResMode = static_cast<Integer>(row.resMode);
    m.RdrRepSlot = static_cast<Integer>(row.repSlot);
    for (int s = 1; s <= row.riders; ++s) m.RiderPoints[static_cast<std::size_t>(s)] = s;
    RankRiderScores(m);
    EXPECT_EQ(std::vector<int>(m.ScoreOrder.begin() + 1, m.ScoreOrder.begin() + 1 + row.riders),
              row.order)
        << row.teams << row.groups << row.resMode << row.repSlot;
  }
}

}  // namespace
}  // namespace corvane
