#include "engine/race/heat_preparation.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "engine/race/random_source.h"
#include "report/headless_host.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::BuildMeeting;
using testing::LineupRiders;
using Riders = std::vector<int>;

class PrepareHeatTest : public ::testing::Test {
 protected:
  // Two teams of six: A1..A6 are slots 1..6, B1..B6 slots 7..12.
  PrepareHeatTest() : m(BuildMeeting(2, 2, 6)) {}

  // Prepares a new line without racing it: the previous heat still waits for its report.
  void PrepareOnly(const std::string& line) {
    testing::SetCurrentLine(m, line);
    m.MeetingState = kHeatDecided;
    const Integer heats = m.HeatCount;
    PrepareHeat(m, host, random);
    EXPECT_EQ(m.MeetingState, kWaitForUser);
    EXPECT_EQ(m.HeatCount, heats);
  }

  Meeting m;
  HeadlessHost host;
  Pcg32Random random{7};
};

TEST_F(PrepareHeatTest, PlainEntriesFillTheGatesInOrderWithTheirHandicaps) {
  m.HeatCount = 6;
  m.Handicaps = {0, 10, 20};
  m.HandicapCode[7] = 10;  // B1 beat one rider last time: the second distance
  PrepareOnly("7: A1, b1, A2@10,B2@12.5,A3@100,A4@0");
  EXPECT_EQ(LineupRiders(m), (Riders{1, 7, 2, 8, 3, 4}));
  EXPECT_TRUE(m.HeatTitle.empty());
  const std::array<Integer, 6> metres{0, 0, 10, 12, 0, 0};  // 12.5 rounds half to even
  for (std::size_t place = 1; place <= 6; ++place)
    EXPECT_EQ(m.HeatGrid[place][4], metres[place - 1]);
  EXPECT_EQ(m.HeatGrid[1][5], 10);
  EXPECT_EQ(m.HeatGrid[2][5], 20);
}

TEST_F(PrepareHeatTest, EntriesOutOfRangeFillNoPlace) {
  // A7: six riders a team. C is no group here: "C1x" reads as slot number 0, an empty place
  // (never as the last rider of the last group). S1 names the standings of one group only.
  PrepareOnly("1:A7,A1,C1x,B0,S1,R9,SC1,B2,A3");
  EXPECT_EQ(LineupRiders(m), (Riders{1, 0, 8}));  // a ninth entry is dropped

  PrepareOnly("1:1,28,29,0");  // numbers count on from the end of the groups, up to slot 40
  EXPECT_EQ(LineupRiders(m), (Riders{13, 40, 0}));
}

TEST_F(PrepareHeatTest, OrderedFormsPickFromTheStandingsAndAverages) {
  m.ScoreOrder[2] = 5;     // A's second place by score is A5
  m.AverageOrder[9] = 11;  // B's third place by average is B5
  m.GroupOrder[1] = 2;     // B leads the standings, A is second
  m.GroupOrder[2] = 1;
  m.NominatedFirst = 3;
  PrepareOnly("Heat X:AS2,BR3,AT3,AN4,SA1,SAR4,SBS1,SAN2");
  EXPECT_EQ(LineupRiders(m), (Riders{5, 11, 3, 4, 7, 10, 1, 8}));
  EXPECT_EQ(m.HeatTitle, "Heat X");
  EXPECT_EQ(m.HeatGrid[3][2], 3);  // AT3 names place 3
  EXPECT_EQ(m.HeatGrid[4][3], 3);  // AN4 records the first nominated rider...
  EXPECT_EQ(m.HeatGrid[8][3], 0);  // ...but not when the group is taken from the standings

  m = BuildMeeting(1, 1, 16);
  m.ScoreOrder[1] = 12;
  m.ScoreOrder[2] = 3;
  m.AverageOrder[4] = 16;
  PrepareOnly("1:S1,T2.0,R4,S17,2.5");
  EXPECT_EQ(LineupRiders(m), (Riders{12, 3, 16, 2}));
  EXPECT_EQ(m.HeatGrid[2][2], 2);
}

TEST_F(PrepareHeatTest, HeatResultFormsPlaceRidersOfEarlierHeats) {
  m.ProgrammeHeats = {4, 1, 2, 3, 5};  // the fourth programme heat was heat 5
  m.HeatResults[3][1][1] = 2;
  m.HeatResults[3][2][1] = 9;
  m.HeatResults[5][2][1] = 10;
  PrepareOnly("Final:S1.3,S2.3,T2.4,S1.5,S9.1");
  EXPECT_EQ(LineupRiders(m), (Riders{2, 9, 10}));
  EXPECT_EQ(m.HeatTitle, "Final");
  EXPECT_EQ(m.HeatGrid[3][2], 2);
  EXPECT_EQ(m.HeatGrid[3][3], 5);
}

TEST_F(PrepareHeatTest, RiderNamedTwiceRidesOnce) {
  PrepareOnly("1:A1,B1,a1,B1");
  EXPECT_EQ(LineupRiders(m), (Riders{1, 7, 0, 0}));
  PrepareOnly("1:0,A5,A5");  // also after an empty place
  EXPECT_EQ(LineupRiders(m), (Riders{0, 5, 0}));
}

TEST_F(PrepareHeatTest, ProgrammedRidesAreCountedOncePerLine) {
  m.PlannedRides[1] = m.PlannedRides[7] = 3;
  PrepareOnly("1:A1,SA1,B1");
  EXPECT_EQ(m.PlannedRides[1], 2);  // the form from the standings is no programmed ride
  EXPECT_EQ(m.PlannedRides[7], 2);

  m.MeetingState = kRunOn;  // Continue: the same line again, raced this time
  PrepareHeat(m, host, random);
  EXPECT_EQ(m.PlannedRides[1], 2);
  EXPECT_EQ(m.HeatCount, 1);

  m.ScoringOn = 0;
  PrepareOnly("2:A1,B1");
  EXPECT_EQ(m.PlannedRides[1], 2);
}

TEST_F(PrepareHeatTest, OnlyLinesWithTwoRidersOrMoreAreRacedAndNeverAFortyFirst) {
  for (const char* line : {"NOMINATED-1,2", "Heat 2:", "1:A1,A9"}) {
    testing::SetCurrentLine(m, line);
    PrepareHeat(m, host, random);
    EXPECT_EQ(m.HeatCount, 0) << line;
    EXPECT_EQ(m.LastPreparedLine, m.ProgLine) << line;
  }
  EXPECT_EQ(m.HeatRiders, 1);

  testing::SetCurrentLine(m, "41:A1,B1");
  m.HeatCount = 40;
  PrepareHeat(m, host, random);
  EXPECT_EQ(m.HeatRiders, 2);
  EXPECT_EQ(m.HeatCount, 40);
}

TEST_F(PrepareHeatTest, EmptyCodesFillEmptyPlacesAndTitlesLastUntilANumberedHeat) {
  PrepareOnly("Grand Final of the Season:A1,@10, @5,B1");
  EXPECT_EQ(LineupRiders(m), (Riders{1, 0, 0, 7}));
  EXPECT_EQ(m.HeatGrid[2][4], 10);
  EXPECT_EQ(m.HeatTitle, "Grand Final of the S");
  PrepareOnly("1:A2,B2");
  EXPECT_EQ(m.HeatTitle, "");
}

}  // namespace
}  // namespace corvane
