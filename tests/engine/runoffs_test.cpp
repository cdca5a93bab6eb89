#include "engine/programme/runoffs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/programme/rankings.h"
#include "engine/programme/runoff_lineup.h"
#include "engine/programme/runoff_start.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::CountingHost;
using testing::RecordHeat;
using testing::StartedMeeting;
using Rows = std::vector<std::pair<int, int>>;  // first position, size

Rows FoundRunoffs(Meeting& m) {
  FindRunoffs(m);
  Rows rows;
  for (std::size_t k = 1; k <= static_cast<std::size_t>(m.RunoffTable[0][0]); ++k) {
    rows.emplace_back(m.RunoffTable[k][1], m.RunoffTable[k][2]);
  }
  return rows;
}

TEST(FindRunoffs, LevelBlocksAtTheExaminedPlaces) {
  const auto individual = [](int mode, int heatRiders, std::initializer_list<int> points) {
    Meeting m = StartedMeeting(1, 1, 10);
    m.RunoffMode = static_cast<Integer>(mode);
    m.RunoffDepth = 4;
    m.HeatRiders = static_cast<Integer>(heatRiders);
    testing::SetStandingPoints(m, points);
    return m;
  };
  Meeting top3 = individual(3, 4, {12, 12, 10, 10, 10, 8});
  EXPECT_EQ(FoundRunoffs(top3), (Rows{{3, 3}, {1, 2}}));
  Meeting pairs = individual(3, 2, {12, 12, 10, 10, 10, 8});
  EXPECT_EQ(FoundRunoffs(pairs), (Rows{{1, 2}}));
  Meeting both = individual(4, 4, {15, 13, 13, 9, 9, 8});
  EXPECT_EQ(FoundRunoffs(both), (Rows{{4, 2}, {2, 2}}));
  EXPECT_EQ(FoundRunoffs(both), (Rows{{4, 2}, {2, 2}})) << "the minor position must not move";
  Meeting teams = StartedMeeting(6, 6, 4);
  teams.RunoffMode = 2;
  teams.RunoffDepth = 4;
  teams.GroupPoints = {0, 20, 18, 16, 14, 12, 12};
  EXPECT_EQ(FoundRunoffs(teams), Rows{}) << "5th and 6th level with nobody above them";
  teams.GroupPoints = {0, 20, 18, 16, 12, 10, 8};
  teams.GroupExtra[5] = 2;  // entered points make teams level
  EXPECT_EQ(FoundRunoffs(teams), (Rows{{4, 2}}));
}

TEST(DrawRunoffGates, EveryPlaceOnceWithoutHangingOnARepeatingSource) {
  ScriptedRandom random({0.9f, 0.95f, 0.1f, 0.3f, 0.5f});
  EXPECT_EQ(DrawRunoffGates(4, random), (RunoffGates{0, 4, 1, 2, 3}));
  ScriptedRandom stuck({}, 0.5f);
  RunoffGates gates = DrawRunoffGates(8, stuck);
  std::sort(gates.begin(), gates.end());
  EXPECT_EQ(gates, (RunoffGates{0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

// A pending runoff of the block at `first` of `size`; standings position p holds slot p.
Meeting PendingRunoff(int teams, int first, int size, int heatRiders) {
  Meeting m = teams > 1 ? StartedMeeting(teams, teams, 4) : StartedMeeting(1, 1, 16);
  m.RunoffTable[0][0] = 1;
  m.RunoffTable[1] = {0, static_cast<Integer>(first), static_cast<Integer>(size)};
  m.RunoffsPending = m.RunoffStage = 1;
  m.HeatRiders = static_cast<Integer>(heatRiders);
  return m;
}

// The riders on places 1..4 of the line-up of `stage`.
std::vector<int> Lineup(Meeting& m, int stage, const RunoffGates& gates = {0, 1, 2, 3, 4}) {
  m.HeatGrid = {};
  m.RunoffStage = static_cast<Integer>(stage);
  PlaceRunoffLineup(m, gates);
  std::vector<int> riders;
  for (std::size_t p = 1; p <= 4; ++p) riders.push_back(m.HeatGrid[p][1]);
  return riders;
}

TEST(PlaceRunoffLineup, OneHeatOnTheDrawnGatesTeamsByTheirLeadingScorers) {
  Meeting m = PendingRunoff(1, 3, 2, 4);
  m.ScoreOrder[3] = 9;
  EXPECT_EQ(Lineup(m, 1, {0, 4, 2, 1, 3}), (std::vector<int>{0, 4, 0, 9}));

  Meeting teams = PendingRunoff(4, 1, 2, 4);
  teams.GroupOrder = {0, 3, 1, 2, 4};
  teams.ScoreOrder[9] = 11;
  teams.ScoreOrder[1] = 2;
  EXPECT_EQ(Lineup(teams, 1, {0, 2, 1, 3, 4}), (std::vector<int>{2, 11, 0, 0}));
  EXPECT_EQ(teams.HeatGrid[1][2] + teams.HeatGrid[2][2], 2) << "places named by standing";
}

TEST(PlaceRunoffLineup, SixLevelRidersOverFourHeatsThenOrderedByTheFinal) {
  Meeting m = PendingRunoff(1, 1, 6, 4);
  EXPECT_EQ(Lineup(m, 1), (std::vector<int>{1, 2, 3, 0}));
  EXPECT_EQ(Lineup(m, 2), (std::vector<int>{4, 5, 6, 0}));
  RecordHeat(m, 11, {3, 1, 2});
  RecordHeat(m, m.HeatCount = 12, {6, 4, 5});
  EXPECT_EQ(Lineup(m, 3), (std::vector<int>{1, 2, 4, 5}));
  RecordHeat(m, m.HeatCount = 13, {2, 4, 1, 5});
  EXPECT_EQ(Lineup(m, 4), (std::vector<int>{3, 6, 2, 4}));
  RecordHeat(m, m.HeatCount = 14, {6, 2, 3, 4});
  RecordRunoffHeat(m);
  EXPECT_EQ(m.RunoffsPending, 0);
  RankRiderScores(m);
  EXPECT_EQ(std::vector<int>(m.ScoreOrder.begin() + 1, m.ScoreOrder.begin() + 7),
            (std::vector<int>{6, 2, 3, 4, 1, 5}));

  m.HeatRiders = 3;  // with three a heat the first heat's middle rider reaches the final
  m.RunoffsPending = 1;
  m.HeatCount = 12;
  EXPECT_EQ(Lineup(m, 3), (std::vector<int>{2, 4, 5, 0}));
  RecordHeat(m, m.HeatCount = 13, {4, 2, 5});
  EXPECT_EQ(Lineup(m, 4), (std::vector<int>{3, 1, 6, 0})) << "no top-up";
}

TEST(RecordRunoffHeat, OneHeatSettlesTheBlockAndTheNextRunoffFollows) {
  Meeting m = PendingRunoff(3, 2, 2, 4);
  m.RunoffTable[0][0] = 2;
  m.MainHeats = 18;
  RecordHeat(m, m.HeatCount = 20, {7, 2});
  RecordRunoffHeat(m);
  // Winner and runner-up of a four-rider heat: 3 and 2, for riders and their teams.
  EXPECT_EQ((std::vector{m.PlaceCounts[7][0], m.PlaceCounts[2][0], m.GroupPlaceCounts[2][0],
                         m.GroupPlaceCounts[1][0], m.RunoffsPending, m.MainHeats}),
            (std::vector<Integer>{3, 2, 3, 2, 2, 19}));
}

TEST(RunRunoff, WithNoHeatLeftEveryRunoffIsGivenUpWithoutATieBreak) {
  Meeting m = PendingRunoff(1, 3, 2, 4);
  m.RunoffTable[0][0] = 2;
  m.RunoffTable[2] = {0, 1, 2};
  m.ControlMode = 1;  // nothing left to wait for, even with a player steering
  m.MainHeats = 38;
  m.ScoringOn = 0;
  m.ResUseNow = 3;
  RecordHeat(m, m.HeatCount = 40, {3, 4});
  CountingHost host;
  RunRunoff(m, host, host.random);
  EXPECT_EQ(
      (std::vector<int>{m.RunoffsPending, m.HeatCount, m.PlaceCounts[3][0], m.PlaceCounts[4][0],
                        m.MainHeats, host.heatManagerShown, m.ScoringOn, m.ResUseNow}),
      (std::vector<int>{0, 40, 0, 0, 38, 0, 0, 3}));
}

TEST(RunoffTitle, RunoffInATwoTeamMatchOtherwiseThePlacesItDecides) {
  EXPECT_EQ(RunoffTitle(PendingRunoff(2, 1, 2, 2)), "Runoff");
  EXPECT_EQ(RunoffTitle(PendingRunoff(3, 1, 2, 4)), "Runoff for 1st-2nd");
  const std::tuple<int, int, const char*> rows[] = {{1, 3, "Runoff for 1st-3rd"},
                                                    {2, 2, "Runoff for 2nd-3rd"},
                                                    {4, 2, "Runoff for 4th-5th"},
                                                    {11, 3, "Runoff for 11th-13th"},
                                                    {21, 3, "Runoff for 21st-23rd"}};
  for (const auto& [first, size, title] : rows)
    EXPECT_EQ(RunoffTitle(PendingRunoff(1, first, size, 4)), title);
}

}  // namespace
}  // namespace corvane
