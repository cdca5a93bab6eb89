#include "engine/heat_preparation.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/headless_host.h"
#include "engine/random_source.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::BuildMeeting;
using testing::SetCurrentLine;

class PrepareHeatTest : public ::testing::Test {
 protected:
  // Two teams of six: A1..A6 are slots 1..6, B1..B6 are slots 7..12.
  PrepareHeatTest() : m(BuildMeeting(2, 2, 6)) {}

  // Prepares the line without racing it (the previous heat is still to be reported).
  void PrepareOnly(const std::string& line) {
    SetCurrentLine(m, line);
    m.MeetingState = kHeatDecided;
    PrepareHeat(m, host, random);
    EXPECT_EQ(m.MeetingState, kWaitForUser);
  }

  std::vector<int> Riders() const {
    std::vector<int> out;
    for (int s = 1; s <= m.HeatRiders; ++s)
      out.push_back(m.HeatGrid[static_cast<std::size_t>(s)][1]);
    return out;
  }

  Meeting m;
  HeadlessHost host;
  Pcg32Random random{7};
};

TEST_F(PrepareHeatTest, PlainEntriesFillTheGatesInOrder) {
  m.HeatCount = 6;
  PrepareOnly("7: A1, B1, A2@10, b2");
  EXPECT_EQ(Riders(), (std::vector<int>{1, 7, 2, 8}));
  EXPECT_EQ(m.HeatGrid[3][4], 10);
  EXPECT_EQ(m.HeatGrid[1][4], 0);
  EXPECT_TRUE(m.HeatTitle.empty());
  EXPECT_EQ(m.HeatCount, 6);  // prepared, not raced
}

TEST_F(PrepareHeatTest, HandicapsOutsideOneToNinetyNineAreIgnoredAndLatestResultsAdded) {
  m.Handicaps = {0, 10, 20, 30};
  m.HandicapCode[2] = 10;  // beat one rider last time: the second entry of the table
  PrepareOnly("1:A1@100,A2@0,B1@12.5,B2@-5");
  EXPECT_EQ(m.HeatGrid[1][4], 0);
  EXPECT_EQ(m.HeatGrid[2][4], 0);
  EXPECT_EQ(m.HeatGrid[3][4], 12);  // rounded half to even
  EXPECT_EQ(m.HeatGrid[4][4], 0);
  EXPECT_EQ(m.HeatGrid[1][5], 10);
  EXPECT_EQ(m.HeatGrid[2][5], 20);
}

TEST_F(PrepareHeatTest, OutOfRangeEntriesFillNoPlace) {
  PrepareOnly("1:A7,A1,C1x,B0,S1,R9,SC1,B2");
  // C is no group of this meeting: the code reads as slot number 0, an empty place (and never
  // as the last rider of the last group).
  EXPECT_EQ(Riders(), (std::vector<int>{1, 0, 8}));
}

TEST_F(PrepareHeatTest, NumberedSlotsCountFromTheEndOfTheGroups) {
  PrepareOnly("1:1,28,29,0");
  EXPECT_EQ(Riders(), (std::vector<int>{13, 40, 0}));  // 29 is past slot 40

  m = BuildMeeting(1, 1, 16);
  PrepareOnly("1:3,40,41,2.5");
  EXPECT_EQ(Riders(), (std::vector<int>{3, 40, 2}));
}

TEST_F(PrepareHeatTest, OrderedFormsPickFromTheStandingsAndAverages) {
  m.ScoreOrder[2] = 5;     // A's second place by score is A5
  m.AverageOrder[9] = 11;  // B's third place by average is B5
  m.GroupOrder[1] = 2;     // B leads the standings, A is second
  m.GroupOrder[2] = 1;
  m.NominatedFirst = 3;
  PrepareOnly("Heat X:AS2,BR3,AT3,AN4,SA1,SAR4,SBS1,SAN2");
  EXPECT_EQ(Riders(), (std::vector<int>{5, 11, 3, 4, 7, 10, 1, 8}));
  EXPECT_EQ(m.HeatTitle, "Heat X");
  EXPECT_EQ(m.HeatGrid[3][2], 3);  // AT3 names place 3
  EXPECT_EQ(m.HeatGrid[4][3], 3);  // AN4 records the first nominated rider
  EXPECT_EQ(m.HeatGrid[8][3], 0);  // not for the form taken from the standings
  EXPECT_EQ(m.HeatGrid[1][2], 0);
}

TEST_F(PrepareHeatTest, HeatResultFormsPlaceEarlierHeatsRiders) {
  m.ProgrammeHeats = {4, 1, 2, 3, 5};  // the fourth programme heat was heat 5
  m.HeatResults[3][1][1] = 2;
  m.HeatResults[3][2][1] = 9;
  m.HeatResults[5][1][1] = 4;
  m.HeatResults[5][2][1] = 10;
  m.HeatCount = 5;
  PrepareOnly("Final:S1.3,S2.3,T1.4,T2.4,S1.5,S9.1,T3");
  EXPECT_EQ(Riders(), (std::vector<int>{2, 9, 4, 10}));  // T3: standings need one group
  EXPECT_EQ(m.HeatTitle, "Final");
  EXPECT_EQ(m.HeatGrid[3][2], 1);
  EXPECT_EQ(m.HeatGrid[3][3], 5);
  EXPECT_EQ(m.HeatGrid[1][2], 0);
}

TEST_F(PrepareHeatTest, StandingsFormsOfAnIndividualMeeting) {
  m = BuildMeeting(1, 1, 16);
  m.ScoreOrder[1] = 12;
  m.ScoreOrder[2] = 3;
  m.AverageOrder[4] = 16;
  PrepareOnly("1:S1,T2.0,R4,S17");
  EXPECT_EQ(Riders(), (std::vector<int>{12, 3, 16}));
  EXPECT_EQ(m.HeatGrid[2][2], 2);
}

TEST_F(PrepareHeatTest, RiderNamedTwiceRidesOnce) {
  PrepareOnly("1:A1,B1,a1,B1");
  EXPECT_EQ(Riders(), (std::vector<int>{1, 7, 0, 0}));

  // Also when an empty place stands between the two.
  m = BuildMeeting(1, 1, 16);
  PrepareOnly("1:0,5,5");
  EXPECT_EQ(Riders(), (std::vector<int>{0, 5, 0}));
}

TEST_F(PrepareHeatTest, PlannedRidesAreCountedOncePerLine) {
  m.PlannedRides[1] = 3;
  m.PlannedRides[7] = 3;
  PrepareOnly("1:A1,SA1,B1");
  EXPECT_EQ(m.PlannedRides[1], 2);  // the standings form is not a programmed ride
  EXPECT_EQ(m.PlannedRides[7], 2);

  // The same line again (after the stop) neither counts again nor waits again: it races.
  m.MeetingState = kRunOn;
  PrepareHeat(m, host, random);
  EXPECT_EQ(m.PlannedRides[1], 2);
  EXPECT_EQ(m.HeatCount, 1);
  EXPECT_EQ(m.LastPreparedLine, m.ProgLine);

  m.ScoringOn = 0;
  PrepareOnly("2:A1,B1");
  EXPECT_EQ(m.PlannedRides[1], 2);
}

TEST_F(PrepareHeatTest, OnlyHeatsOfTwoOrMoreRidersAreRacedAndNeverAFortyFirst) {
  SetCurrentLine(m, "1:A1,A9");
  PrepareHeat(m, host, random);
  EXPECT_EQ(m.HeatRiders, 1);
  EXPECT_EQ(m.HeatCount, 0);

  SetCurrentLine(m, "1:A1,B1");
  m.HeatCount = 40;
  PrepareHeat(m, host, random);
  EXPECT_EQ(m.HeatRiders, 2);
  EXPECT_EQ(m.HeatCount, 40);
}

TEST_F(PrepareHeatTest, LinesWithoutEntriesChangeNothing) {
  PrepareOnly("1:A1,B1");
  for (const char* line : {"NOMINATED-1,2", "Heat 2:", "t~Title"}) {
    SetCurrentLine(m, line);
    m.MeetingState = kRunOn;
    PrepareHeat(m, host, random);
    EXPECT_EQ(m.HeatRiders, 2) << line;
    EXPECT_EQ(m.MeetingState, kRunOn) << line;
    EXPECT_EQ(m.LastPreparedLine, m.ProgLine) << line;
  }
}

}  // namespace
}  // namespace corvane
