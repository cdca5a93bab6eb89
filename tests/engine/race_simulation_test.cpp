#include "engine/race/race_simulation.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/race/random_source.h"
#include "report/headless_host.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::RankedEntries;
using testing::SetLineup;
using Ranking = std::vector<std::pair<int, int>>;

// Draws that make the start draw Int(R x 403 + 3) come out as d.
Single Start(int d) {
  return (static_cast<Single>(d) - 2.5f) / 403.0f;
}
const Single kGo = Start(200);
const Single kIncident = 0.005f;  // x = R x A between A x 0.00375 and that + 0.00375
const Single kRetire = 0.001f;    // x below A x 0.00375
const Single kExcluded = 0.5f;    // incident kind Int(R x 100 + 1) = 51: fell, excluded
const Single kUnhurt = 0.5f;      // Int(R x 6 + 1) = 4, Int(R x 25 + 1) = 13
const Single kHurt = 0.1f;        // Int(R x 6 + 1) = 1, Int(R x 25 + 1) = 3
const Single kDown = 0.01f;       // Int(R x 25 + 1) = 1: brought down

// Two teams of four: A1, A2 are slots 1, 2 and B1, B2 slots 5, 6.
constexpr int A1 = 1, A2 = 2, B1 = 5, B2 = 6;

class RaceTest : public ::testing::Test {
 protected:
  RaceTest() : m(testing::BuildMeeting(2, 2, 4)) {
    m.ResUseNow = 7;  // no reserves
    SetLineup(m, {A1, B1, A2, B2});
  }

  // Runs the heat on exactly these draws.
  void Run(const std::vector<Single>& draws) {
    ScriptedRandom random(draws);
    RunHeat(m, host, random);
    EXPECT_EQ(random.Used(), draws.size());
    EXPECT_EQ(random.Overrun(), 0u);
  }

  // Appends `laps` laps in which every place draws its given value.
  static std::vector<Single> Laps(std::vector<Single> draws, std::vector<Single> perPlace,
                                  int laps = 4) {
    for (int lap = 0; lap < laps; ++lap)
      draws.insert(draws.end(), perPlace.begin(), perPlace.end());
    return draws;
  }

  Meeting m;
  HeadlessHost host;
};

TEST_F(RaceTest, CleanHeatIsRankedRecordedScoredAndSummarised) {
  Run(Laps({kGo, kGo, kGo, kGo}, {0.9f, 0.5f, 0.7f, 0.3f}));
  EXPECT_EQ(RankedEntries(m, 1), (Ranking{{A1, 12}, {A2, 11}, {B1, 10}, {B2, 9}}));
  EXPECT_EQ((std::vector{m.ProgrammeHeats[0], m.ProgrammeHeats[1]}), (std::vector<Integer>{1, 1}));
  // Four 2-letter names, each counted with ", ", and four entries.
  EXPECT_EQ((std::vector{m.HeatResults[1][0][1], m.HeatResults[1][0][2]}),
            (std::vector<Integer>{16, 4}));
  EXPECT_EQ(m.HandicapCode[A2], 11);
  EXPECT_EQ(host.statusText, "Heat 1:  A1, A2, B1, B2");
  EXPECT_EQ(m.Scorecard[A2][1], "2");
  EXPECT_EQ((std::vector{m.HeatScores[1][3], m.HeatScores[1][4]}), (std::vector<Integer>{5, 1}));
}

TEST_F(RaceTest, TeamMatesEarnNothingForBeatingEachOtherUnderTeamScoring) {
  m.TeamScoring = 1;
  Run(Laps({kGo, kGo, kGo, kGo}, {0.3f, 0.9f, 0.5f, 0.7f}));
  EXPECT_EQ(RankedEntries(m, 1), (Ranking{{B1, 11}, {B2, 11}, {A2, 9}, {A1, 9}}));
  EXPECT_EQ(m.Scorecard[B1][1], "2'");  // the winner's mark shows the team-mate he beat
  EXPECT_EQ(m.GroupPoints[2], 4);
}

TEST_F(RaceTest, StartsDecideWhoRacesAndFromWhere) {
  // Tapes with a 15 m penalty: the start is drawn again from the new mark, twice here.
  m.StartPen = 15;
  m.ResUseNow = 0;  // a penalty is no reason for a reserve
  Run(Laps({Start(4), Start(4), kGo, kGo, kGo, kGo}, {0.5f, 0.5f, 0.5f, 0.5f}));
  EXPECT_EQ(RankedEntries(m, 1), (Ranking{{B1, 12}, {A2, 11}, {B2, 10}, {A1, 9}}));
  EXPECT_EQ(m.HeatResults[1][4][3], 30);
  EXPECT_EQ(m.HeatResults[1][0][1], 21);
  EXPECT_EQ(host.statusText, "Heat 1:  B1, A2, B2, A1 (30)");

  // Without a penalty the tapes exclude; so does the time allowance.
  m.StartPen = 0;
  m.ResUseNow = 7;
  SetLineup(m, {A1, B1, A2, B2});
  Run(Laps({Start(4), Start(3), kGo, kGo}, {0.5f, 0.6f}));
  EXPECT_EQ(RankedEntries(m, 2), (Ranking{{B2, 12}, {A2, 11}, {A1, 4}, {B1, 3}}));
  EXPECT_EQ(host.statusText, "Heat 2:  B2, A2, A1 (E), B1 (N2)");
}

TEST_F(RaceTest, ExclusionBeforeTheLastLapStopsTheRaceAndTheRerunHasOneRiderFewer) {
  m.HeatGrid[1][4] = 10;
  // Lap 3: A1, leading, falls and is excluded; unhurt, he brings nobody down.
  auto draws = Laps({kGo, kGo, kGo, kGo}, {0.9f, 0.5f, 0.5f, 0.5f}, 2);
  draws.insert(draws.end(), {kIncident, kExcluded, kUnhurt, kUnhurt, kUnhurt, kUnhurt});
  draws.insert(draws.end(), {kGo, kGo, kGo});  // the re-run: three starts, three riders a lap
  Run(Laps(draws, {0.5f, 0.9f, 0.7f}));
  EXPECT_EQ(RankedEntries(m, 1), (Ranking{{A2, 12}, {B2, 11}, {B1, 10}, {A1, 7}}));
  EXPECT_EQ(host.statusText, "Heat 1:  A2, B2, B1, A1 (10/Fx)");
}

TEST_F(RaceTest, RiderBroughtDownBeforeTheLastLapIsInjuredAndOutOfTheRerun) {
  // Lap 2: A1 falls, is hurt himself, and brings B2 down. Only B1 and A2 start again.
  auto draws = Laps({kGo, kGo, kGo, kGo}, {0.9f, 0.5f, 0.5f, 0.5f}, 1);
  draws.insert(draws.end(), {kIncident, kExcluded, kHurt, kUnhurt, kUnhurt, kDown, kGo, kGo});
  Run(Laps(draws, {0.5f, 0.9f}));
  // Non-finishers: the injured rider ranks above the excluded one.
  EXPECT_EQ(RankedEntries(m, 1), (Ranking{{A2, 12}, {B1, 11}, {B2, 2}, {A1, 7}}));
  EXPECT_EQ(m.RiderFlag[A1], 2);
  EXPECT_EQ(host.statusText, "Heat 1:  A2, B1, B2 (Fn), A1 (Fx)");
}

TEST_F(RaceTest, FavouredGatesStartTwentyFiveMetresAhead) {
  // A1 and B1 start 10 m back; a favoured gate is worth 25 m. Inside is gate 1 of three.
  const std::pair<int, Ranking> rows[] = {{0, {{A2, 11}, {A1, 10}, {B1, 9}}},
                                          {1, {{A1, 11}, {A2, 10}, {B1, 9}}},
                                          {2, {{A2, 11}, {B1, 10}, {A1, 9}}}};
  for (const auto& [grid, ranking] : rows) {
    m = testing::BuildMeeting(2, 2, 4);
    m.ResUseNow = 7;
    m.StartGridNow = static_cast<Integer>(grid);
    SetLineup(m, {A1, B1, A2});
    m.HeatGrid[1][4] = m.HeatGrid[2][4] = 10;
    Run(Laps({kGo, kGo, kGo}, {0.5f, 0.5f, 0.5f}));
    EXPECT_EQ(RankedEntries(m, 1), ranking) << grid;
  }
}

// Draws in which A1, leading, has an incident of kind `kind` on lap `lap`, unhurt; when
// excluded he brings nobody down.
std::vector<Single> IncidentOnLap(int lap, Single kind, bool stops) {
  std::vector<Single> draws(4, kGo);
  for (int l = 1; l < lap; ++l) draws.insert(draws.end(), {0.9f, 0.5f, 0.5f, 0.5f});
  draws.insert(draws.end(), {kIncident, kind, kUnhurt});
  if (kind > 0.4f) draws.insert(draws.end(), {kUnhurt, kUnhurt, kUnhurt});
  int laps = 4 - lap + 1;  // the rest of this lap and the laps after it, without A1
  if (stops) {
    draws.insert(draws.end(), {kGo, kGo, kGo});  // the re-run
    laps = 4;
  }
  for (int l = 0; l < laps; ++l) draws.insert(draws.end(), {0.5f, 0.5f, 0.5f});
  return draws;
}

TEST_F(RaceTest, KindsOfIncidentAndWhetherTheyStopTheRace) {
  // Int(R x 100 + 1): 1..40 fell, 41..85 fell and excluded, 86..100 other exclusion; the two
  // exclusions stop the race before the last lap only.
  const struct {
    Single kind;
    int lap, code;
    bool stops;
  } rows[] = {{0.395f, 1, 6, false}, {0.405f, 1, 7, true},  {0.845f, 2, 7, true},
              {0.855f, 3, 8, true},  {0.855f, 4, 8, false}, {0.405f, 4, 7, false}};
  for (const auto& row : rows) {
    m = testing::BuildMeeting(2, 2, 4);
    m.ResUseNow = 7;
    SetLineup(m, {A1, B1, A2, B2});
    Run(IncidentOnLap(row.lap, row.kind, row.stops));
    EXPECT_EQ(RankedEntries(m, 1).back(), std::make_pair(A1, row.code)) << row.kind << row.lap;
  }
}

TEST_F(RaceTest, RiderBroughtDownOnTheLastLapRidesOnInjured) {
  // Lap 4: A1 has ridden his lap when B1, leading, falls and brings him down.
  auto draws = Laps({kGo, kGo, kGo, kGo}, {0.5f, 0.9f, 0.5f, 0.5f}, 3);
  draws.insert(draws.end(), {0.5f, kIncident, kExcluded, kUnhurt, kDown, kUnhurt, kUnhurt});
  Run(Laps(draws, {0.5f, 0.5f}, 1));  // no re-run
  EXPECT_EQ(RankedEntries(m, 1), (Ranking{{A1, 12}, {A2, 11}, {B2, 10}, {B1, 7}}));
  EXPECT_EQ((std::vector<Integer>{m.RiderFlag[A1], m.RiderFlag[A2]}), (std::vector<Integer>{2, 0}));
  EXPECT_EQ(m.RiderAverage[A1], 0.0f);
}

TEST_F(RaceTest, RetirementAndIncidentLimitsScaleWithTheAverage) {
  // x = R x A retires below A x 0.00375 and has an incident up to that plus 0.00375.
  const struct {
    Single average, draw;
    int code;
  } rows[] = {{0.75f, 0.0037f, 5}, {0.75f, 0.0038f, 6}, {0.75f, 0.0087f, 6}, {0.75f, 0.0088f, 9},
              {0.5f, 0.0037f, 5},  {0.5f, 0.0038f, 6},  {0.5f, 0.0112f, 6},  {0.5f, 0.0113f, 9}};
  for (const auto& row : rows) {
    m = testing::BuildMeeting(2, 2, 4);
    m.ResUseNow = 7;
    m.RiderAverage[A1] = row.average;
    SetLineup(m, {A1, B1, A2, B2});
    std::vector<Single> draws{kGo, kGo, kGo, kGo, row.draw};
    if (row.code == 6) draws.insert(draws.end(), {0.2f, kUnhurt});  // fell, unhurt
    draws.insert(draws.end(), {0.5f, 0.5f, 0.5f});
    Run(Laps(draws, std::vector<Single>(row.code == 9 ? 4 : 3, 0.5f), 3));
    EXPECT_EQ(RankedEntries(m, 1).back(), std::make_pair(A1, row.code))
        << row.average << " " << row.draw;
  }
}

TEST_F(RaceTest, NonStartersRankBelowOtherNonFinishersAndEmptyPlacesLast) {
  // An empty place, a non-starter (no average) and a time exclusion, in both gate orders.
  m.RiderAverage[A1] = 0;
  SetLineup(m, {0, A1, B1, A2});
  Run(Laps({Start(3), kGo}, {0.5f}));
  const Ranking expected{{A2, 12}, {B1, 3}, {A1, 1}, {0, 1}};
  EXPECT_EQ(RankedEntries(m, 1), expected);
  m.RaceStatus = {};
  SetLineup(m, {A2, B1, A1, 0});
  Run(Laps({kGo, Start(3)}, {0.5f}));
  EXPECT_EQ(RankedEntries(m, 2), expected);
}

TEST_F(RaceTest, NonFinishersAreNeverRecordedOnTheSameEntry) {
  // Injured, retired, injured: pair by pair the order of these three goes round in a circle.
  SetLineup(m, {A1, B1, A2});
  for (const int injured : {A1, A2}) {
    m.RiderAverage[injured] = 0;
    m.RaceStatus[injured] = kInjured;
  }
  Run({kGo, kRetire});
  EXPECT_EQ(RankedEntries(m, 1), (Ranking{{A1, 2}, {B1, 5}, {A2, 2}}));
}

TEST_F(RaceTest, LongNamesWidenTheResultsColumnAndStayWholeInTheSummary) {
  for (const int rider : {A1, B1, A2, B2}) m.RiderName[rider] = std::string(60, 'a' + rider);
  m.HeatGrid[4][4] = 20;
  Run(Laps({kGo, kGo, kGo, kGo}, {0.9f, 0.7f, 0.5f, 0.3f}));
  EXPECT_EQ(m.ResultsWidth, 4 * 62 + 5);  // and the last rider's " (20)"
  EXPECT_EQ(host.statusText, "Heat 1:  " + m.RiderName[A1] + ", " + m.RiderName[B1] + ", " +
                                 m.RiderName[A2] + ", " + m.RiderName[B2] + " (20)");
}

TEST_F(RaceTest, HeatsNotRunNotHeldOrOutsideTheProgramme) {
  m.ControlMode = 1;  // the player stops in the heat manager: nothing is run
  host.heatManager = [](Meeting& mm) { mm.MeetingState = kWaitForUser; };
  Run({});
  EXPECT_EQ(m.HeatCount, 0);
  EXPECT_TRUE(host.statusText.empty());

  m.ControlMode = 2;  // a single race: counted, but no programme heat
  m.MeetingState = kRunOn;
  host.heatManager = nullptr;
  SetLineup(m, {0, 0});
  Run({});
  EXPECT_EQ(m.HeatCount, 1);
  EXPECT_EQ(m.ProgrammeHeats[0], 0);
  EXPECT_EQ(m.HeatResults[1][0][1], 0);
  EXPECT_EQ(host.statusText, "Heat 1:  Race not held");

  m.HeatCount = 40;  // never a 41st heat
  Run({});
  EXPECT_EQ(m.HeatCount, 40);
}

TEST_F(RaceTest, PlayerRiderKeptAfterATapesPenaltyStartsAgainFromHisMark) {
  m.ControlMode = 1;
  m.TeamControl[1] = 1;
  m.StartPen = 15;
  m.ResUseNow = 0;
  Run(Laps({Start(4), kGo, kGo, kGo, kGo}, {0.5f, 0.5f, 0.5f, 0.5f}));
  EXPECT_EQ(host.heatManagerShown, 2);  // before the start, and at the tapes
  EXPECT_EQ(RankedEntries(m, 1).back(), std::make_pair(A1, 9));
  EXPECT_EQ(m.HeatResults[1][4][3], 15);
}

}  // namespace
}  // namespace corvane
