#include "engine/race_simulation.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/headless_host.h"
#include "engine/random_source.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::BuildMeeting;
using testing::SetLineup;

// Draws that make the start draw Int(R x 403 + 3) come out as d.
Single Start(int d) {
  return (static_cast<Single>(d) - 3.0f + 0.5f) / 403.0f;
}
const Single kGoodStart = Start(200);
const Single kIncident = 0.005f;    // x = R x A between A x 0.00375 and that + 0.00375
const Single kRetire = 0.001f;      // x below A x 0.00375
const Single kFellExcluded = 0.5f;  // Int(R x 100 + 1) = 51
const Single kNotHurt = 0.5f;       // Int(R x 6 + 1) = 4, and Int(R x 25 + 1) = 13
const Single kBroughtDown = 0.01f;  // Int(R x 25 + 1) = 1

// Slots of a two-team meeting with four riders a team: A1..A4 are 1..4, B1..B4 are 5..8.
constexpr int A1 = 1, A2 = 2, B1 = 5, B2 = 6;

class RaceTest : public ::testing::Test {
 protected:
  RaceTest() : m(BuildMeeting(2, 2, 4)) {
    m.ResUseNow = 7;  // no reserves unless a test asks for them
    SetLineup(m, {A1, B1, A2, B2});
  }

  // Runs the heat on the given draws and checks that exactly those draws were used.
  void Run(std::vector<Single> draws) {
    const std::size_t count = draws.size();
    ScriptedRandom random(std::move(draws));
    RunHeat(m, host, random);
    EXPECT_EQ(random.Used(), count);
    EXPECT_EQ(random.Overrun(), 0u);
  }

  // The heat's record in rank order: slot and code of each entry.
  std::vector<std::pair<int, int>> Ranked(int heat = 1) const {
    std::vector<std::pair<int, int>> out;
    for (int e = 1; e <= m.HeatRiders; ++e) {
      const auto& entry =
          m.HeatResults[static_cast<std::size_t>(heat)][static_cast<std::size_t>(e)];
      out.emplace_back(entry[1], entry[2]);
    }
    return out;
  }

  // Four laps where every place draws the same value each lap.
  static void Laps(std::vector<Single>& draws, std::vector<Single> perPlace, int laps = 4) {
    for (int lap = 0; lap < laps; ++lap)
      draws.insert(draws.end(), perPlace.begin(), perPlace.end());
  }

  Meeting m;
  HeadlessHost host;
};

TEST_F(RaceTest, CleanHeatIsRankedRecordedScoredAndSummarised) {
  std::vector<Single> draws(4, kGoodStart);
  Laps(draws, {0.9f, 0.5f, 0.7f, 0.3f});
  Run(draws);

  using P = std::pair<int, int>;
  EXPECT_EQ(Ranked(), (std::vector<P>{{A1, 12}, {A2, 11}, {B1, 10}, {B2, 9}}));
  EXPECT_EQ(m.HeatCount, 1);
  EXPECT_EQ(m.ProgrammeHeats[0], 1);
  EXPECT_EQ(m.ProgrammeHeats[1], 1);
  EXPECT_EQ(m.HeatResults[1][0][1], 16);  // four names of 2 characters, each with ", "
  EXPECT_EQ(m.HeatResults[1][0][2], 4);
  EXPECT_EQ(m.HandicapCode[A1], 12);
  EXPECT_EQ(m.HandicapCode[B2], 9);
  EXPECT_EQ(host.statusText, "Heat 1:  A1, A2, B1, B2");
  EXPECT_EQ(m.Scorecard[A2][1], "2");
  EXPECT_EQ(m.GroupPoints[1], 5);
  EXPECT_EQ(m.GroupPoints[2], 1);
  EXPECT_EQ(m.HeatScores[1][3], 5);
  EXPECT_EQ(m.HeatScores[1][4], 1);
}

TEST_F(RaceTest, TeamMatesEarnNothingForBeatingEachOtherUnderTeamScoring) {
  m.TeamScoring = 1;
  std::vector<Single> draws(4, kGoodStart);
  Laps(draws, {0.3f, 0.9f, 0.5f, 0.7f});  // B1, B2, A2, A1
  Run(draws);

  using P = std::pair<int, int>;
  EXPECT_EQ(Ranked(), (std::vector<P>{{B1, 11}, {B2, 11}, {A2, 9}, {A1, 9}}));
  EXPECT_EQ(m.Scorecard[B1][1], "2'");  // the winner's mark shows the team-mate he beat
  EXPECT_EQ(m.Scorecard[B2][1], "2");
  EXPECT_EQ(m.Scorecard[A2][1], "0");
  EXPECT_EQ(m.GroupPoints[2], 4);
}

TEST_F(RaceTest, TapesWithPenaltyRedrawTheStartFromTheNewMark) {
  m.StartPen = 15;
  m.ResUseNow = 0;  // reserves allowed, but a penalty is no reason for one
  std::vector<Single> draws{Start(4), Start(4), kGoodStart, kGoodStart, kGoodStart, kGoodStart};
  Laps(draws, {0.5f, 0.5f, 0.5f, 0.5f});
  Run(draws);

  using P = std::pair<int, int>;
  EXPECT_EQ(m.HeatGrid[1][5], 30);  // two touches, 15 m each
  EXPECT_EQ(Ranked(), (std::vector<P>{{B1, 12}, {A2, 11}, {B2, 10}, {A1, 9}}));
  EXPECT_EQ(m.HeatResults[1][4][3], 30);
  EXPECT_EQ(m.HeatResults[1][0][1], 21);
  EXPECT_EQ(host.statusText, "Heat 1:  B1, A2, B2, A1 (30)");
}

TEST_F(RaceTest, StartExclusionsKeepTheRiderOut) {
  std::vector<Single> draws{Start(4), Start(3), kGoodStart, kGoodStart};  // StartPen 0: excluded
  Laps(draws, {0.5f, 0.6f});
  Run(draws);

  using P = std::pair<int, int>;
  EXPECT_EQ(Ranked(), (std::vector<P>{{B2, 12}, {A2, 11}, {A1, 4}, {B1, 3}}));
  EXPECT_EQ(host.statusText, "Heat 1:  B2, A2, A1 (E), B1 (N2)");
}

TEST_F(RaceTest, ExclusionOnLapThreeStopsTheRaceAndTheRerunHasOneRiderFewer) {
  m.HeatGrid[1][4] = 10;  // the faller starts 10 m back
  std::vector<Single> draws(4, kGoodStart);
  Laps(draws, {0.9f, 0.5f, 0.5f, 0.5f}, 2);
  // Lap 3: A1 falls and is excluded; he is unhurt and brings nobody down.
  draws.insert(draws.end(), {kIncident, kFellExcluded, kNotHurt, kNotHurt, kNotHurt, kNotHurt});
  // The re-run: only three starts, three riders a lap.
  draws.insert(draws.end(), {kGoodStart, kGoodStart, kGoodStart});
  Laps(draws, {0.5f, 0.9f, 0.7f});
  Run(draws);

  using P = std::pair<int, int>;
  EXPECT_EQ(Ranked(), (std::vector<P>{{A2, 12}, {B2, 11}, {B1, 10}, {A1, 7}}));
  EXPECT_EQ(host.statusText, "Heat 1:  A2, B2, B1, A1 (10/Fx)");
  EXPECT_EQ(m.HeatCount, 1);
}

TEST_F(RaceTest, ExclusionOnTheLastLapDoesNotStopTheRace) {
  std::vector<Single> draws(4, kGoodStart);
  Laps(draws, {0.9f, 0.5f, 0.5f, 0.5f}, 3);
  draws.insert(draws.end(), {kIncident, kFellExcluded, kNotHurt, kNotHurt, kNotHurt, kNotHurt});
  draws.insert(draws.end(), {0.5f, 0.5f, 0.5f});  // the others finish lap 4
  Run(draws);

  using P = std::pair<int, int>;
  // Equal positions: the inner gate ranks ahead.
  EXPECT_EQ(Ranked(), (std::vector<P>{{B1, 12}, {A2, 11}, {B2, 10}, {A1, 7}}));
}

TEST_F(RaceTest, RiderBroughtDownOnTheLastLapIsHurtButFinishes) {
  std::vector<Single> draws(4, kGoodStart);
  Laps(draws, {0.5f, 0.9f, 0.5f, 0.5f}, 3);
  // Lap 4: A1 rides his lap, then B1 (ahead of everyone) falls and brings A1 down.
  draws.insert(draws.end(), {0.5f, kIncident, kFellExcluded, kNotHurt, kBroughtDown, kNotHurt,
                             kNotHurt, 0.5f, 0.5f});
  Run(draws);

  using P = std::pair<int, int>;
  EXPECT_EQ(Ranked(), (std::vector<P>{{A1, 12}, {A2, 11}, {B2, 10}, {B1, 7}}));
  EXPECT_EQ(m.RiderAverage[A1], 0);
  EXPECT_EQ(m.RiderFlag[A1], 2);
}

TEST_F(RaceTest, RiderBroughtDownBeforeTheLastLapIsInjuredAndOutOfTheRerun) {
  std::vector<Single> draws(4, kGoodStart);
  Laps(draws, {0.9f, 0.5f, 0.5f, 0.5f}, 1);
  // Lap 2: A1 falls, is hurt himself, and brings B2 down.
  draws.insert(draws.end(), {kIncident, kFellExcluded, 0.1f, kNotHurt, kNotHurt, kBroughtDown});
  draws.insert(draws.end(), {kGoodStart, kGoodStart});  // B1 and A2 start again
  Laps(draws, {0.5f, 0.9f});
  Run(draws);

  using P = std::pair<int, int>;
  EXPECT_EQ(Ranked(), (std::vector<P>{{A2, 12}, {B1, 11}, {B2, 2}, {A1, 7}}));
  EXPECT_EQ(m.RiderFlag[A1], 2);
  EXPECT_EQ(m.RiderFlag[B2], 2);
  EXPECT_EQ(host.statusText, "Heat 1:  A2, B1, B2 (Fn), A1 (Fx)");
}

TEST_F(RaceTest, FavouredGatesGetAHeadStart) {
  SetLineup(m, {A1, B1, A2});
  std::vector<Single> draws(3, kGoodStart);
  Laps(draws, {0.5f, 0.5f, 0.5f});

  using P = std::pair<int, int>;
  m.StartGridNow = 1;  // inside: only gate 1 of three is in the inner half
  Run(draws);
  EXPECT_EQ(Ranked(1), (std::vector<P>{{A1, 11}, {B1, 10}, {A2, 9}}));

  m.StartGridNow = 2;  // outside: gates 2 and 3
  SetLineup(m, {A1, B1, A2});
  Run(draws);
  EXPECT_EQ(Ranked(2), (std::vector<P>{{B1, 11}, {A2, 10}, {A1, 9}}));
}

TEST_F(RaceTest, NonFinishersAreNeverRecordedOnTheSameEntry) {
  // Injured, retired, injured: the pairwise order of non-finishers goes round in a circle.
  SetLineup(m, {A1, B1, A2});
  for (const int injured : {A1, A2}) {
    m.RiderAverage[injured] = 0;
    m.RaceStatus[injured] = kInjured;
  }
  Run({kGoodStart, kRetire});

  using P = std::pair<int, int>;
  EXPECT_EQ(Ranked(), (std::vector<P>{{A1, 2}, {B1, 5}, {A2, 2}}));
  EXPECT_EQ(m.HeatResults[1][0][2], 3);
}

TEST_F(RaceTest, LongNamesWidenTheResultsColumnAndStayWholeInTheSummary) {
  for (const int rider : {A1, B1, A2, B2}) {
    m.RiderName[rider] = std::string(60, static_cast<char>('a' + rider));
  }
  m.HeatGrid[4][4] = 20;
  std::vector<Single> draws(4, kGoodStart);
  Laps(draws, {0.9f, 0.7f, 0.5f, 0.3f});
  Run(draws);

  EXPECT_EQ(m.HeatResults[1][0][1], 4 * 62 + 5);  // the last rider's " (20)"
  EXPECT_EQ(m.ResultsWidth, 4 * 62 + 5);
  EXPECT_EQ(host.statusText, "Heat 1:  " + m.RiderName[A1] + ", " + m.RiderName[B1] + ", " +
                                 m.RiderName[A2] + ", " + m.RiderName[B2] + " (20)");
}

TEST_F(RaceTest, HeatOfEmptyPlacesIsNotHeld) {
  SetLineup(m, {0, 0});
  Run({});
  EXPECT_EQ(m.HeatCount, 1);
  EXPECT_EQ(m.HeatResults[1][0][1], 0);
  EXPECT_EQ(host.statusText, "Heat 1:  Race not held");
}

TEST_F(RaceTest, PlayerWhoStopsBeforeTheStartLeavesNothingRecorded) {
  m.ControlMode = 1;
  m.TeamControl[1] = 1;
  host.heatManager = [](Meeting& mm) { mm.MeetingState = kWaitForUser; };
  Run({});
  EXPECT_EQ(m.HeatCount, 0);
  EXPECT_EQ(m.ProgrammeHeats[0], 0);
  EXPECT_TRUE(host.statusText.empty());
}

TEST_F(RaceTest, PlayerRiderKeptAfterATapesPenaltyStartsAgainFromHisMark) {
  m.ControlMode = 1;
  m.TeamControl[1] = 1;
  m.StartPen = 15;
  m.ResUseNow = 0;
  std::vector<Single> draws{Start(4), kGoodStart, kGoodStart, kGoodStart, kGoodStart};
  Laps(draws, {0.5f, 0.5f, 0.5f, 0.5f});
  Run(draws);
  EXPECT_EQ(host.heatManagerShown, 2);  // before the start, and at the tapes
  EXPECT_EQ(m.HeatResults[1][4][1], A1);
  EXPECT_EQ(m.HeatResults[1][4][2], 9);
  EXPECT_EQ(m.HeatResults[1][4][3], 15);
}

TEST_F(RaceTest, NoHeatAfterTheFortieth) {
  m.HeatCount = 40;
  Run({});
  EXPECT_EQ(m.HeatCount, 40);
  EXPECT_TRUE(host.statusText.empty());
}

TEST_F(RaceTest, SingleRacesAreNotProgrammeHeats) {
  m.ControlMode = 2;
  std::vector<Single> draws(4, kGoodStart);
  Laps(draws, {0.5f, 0.5f, 0.5f, 0.5f});
  Run(draws);
  EXPECT_EQ(m.HeatCount, 1);
  EXPECT_EQ(m.ProgrammeHeats[0], 0);
}

}  // namespace
}  // namespace corvane
