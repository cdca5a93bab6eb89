// The race engine's hot path: reading and preparing a heat line, and racing and scoring a
// prepared heat.
#include <benchmark/benchmark.h>

#include "engine/competition/meeting_setup.h"
#include "engine/programme/programme_line.h"
#include "engine/race/heat_preparation.h"
#include "engine/race/race_simulation.h"
#include "engine/race/random_source.h"
#include "engine/records/meeting.h"
#include "engine/records/preferences.h"
#include "report/headless_host.h"

namespace {

using namespace corvane;

// A two-team match of seven riders a team, set up as the set-up leaves it.
Meeting TeamMatch() {
  Meeting m;
  m.NumTeams = 2;
  m.NumGroups = 2;
  m.NumRiders = 7;
  m.NumReserves = 1;
  m.MaxRides = 6;
  m.MaxRidesRes = 6;
  m.StartPen = 15;
  m.BonusPts = 1;
  m.StartGridNow = 1;
  const auto marks = Preferences::DefaultMarks();
  for (int i = 1; i <= kMarkCount; ++i) m.ProgMarks[i] = marks[i];
  for (int s = 1; s <= 14; ++s) {
    m.RiderName[s] = std::string(s <= 7 ? "Home rider " : "Away rider ") + Dec(s);
    m.RiderAverage[s] = 0.5f + 0.05f * static_cast<Single>(s % 7);
    m.ScoreOrder[s] = static_cast<Integer>(s);
    m.AverageOrder[s] = static_cast<Integer>(s);
  }
  for (int g = 0; g <= kMaxGroups; ++g) m.GroupOrder[g] = static_cast<Integer>(g);
  AssignRiderTeams(m);
  ResizeScorecard(m, m.MaxRides);
  return m;
}

// RunHeat with its scoring and summary line, on a prepared four-rider team heat. Between
// iterations only the records a heat changes are put back, so the meeting never fills up.
void BM_RunAndScoreTeamHeat(benchmark::State& state, bool scoring) {
  Meeting m = TeamMatch();
  m.ScoringOn = scoring ? 1 : 0;
  m.ProgrammeLines.push_back("1:A1,B1,A2,B2");
  HeadlessHost host;
  Pcg32Random random(2024);
  m.MeetingState = kHeatDecided;  // prepare without racing
  PrepareHeat(m, host, random);
  m.MeetingState = kRunOn;
  const HeatGridTable grid = m.HeatGrid;
  const auto averages = m.RiderAverage;

  for (auto _ : state) {
    m.HeatCount = 0;
    m.ProgrammeHeats[0] = 0;
    m.HeatGrid = grid;
    m.RaceStatus = {};
    m.ReplacedNow = {};
    m.RiderAverage = averages;
    m.RidesTaken = {};
    m.RiderPoints = {};
    m.RiderBonus = {};
    m.GroupPoints = {};
    RunHeat(m, host, random);
    benchmark::DoNotOptimize(m.HeatResults[1]);
  }
}
BENCHMARK_CAPTURE(BM_RunAndScoreTeamHeat, scored, true);
BENCHMARK_CAPTURE(BM_RunAndScoreTeamHeat, unscored, false);

// PrepareHeat of a heat line, prepared but not raced (the previous heat awaits its report). The
// working meeting has read the line before, as it has in every meeting after the first.
void BM_PrepareHeat(benchmark::State& state, const char* line) {
  Meeting m = TeamMatch();
  m.Handicaps = {0, 10, 20};
  m.ProgrammeLines.push_back(line);
  HeadlessHost host;
  Pcg32Random random(7);
  for (auto _ : state) {
    m.MeetingState = kHeatDecided;
    PrepareHeat(m, host, random);
    benchmark::DoNotOptimize(m.HeatGrid);
  }
}
BENCHMARK_CAPTURE(BM_PrepareHeat, four_riders, "1:A1,B1,A2,B2");
BENCHMARK_CAPTURE(BM_PrepareHeat, eight_with_handicaps,
                  "Heat 9:A1@10,B1@10,A2@20,B2,AR3,BT2,A4@5,B5");

// Reading a line's text, which a working meeting does once per line.
void BM_ReadProgrammeLine(benchmark::State& state, const char* line) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadProgrammeLine(line));
}
BENCHMARK_CAPTURE(BM_ReadProgrammeLine, four_riders, "1:A1,B1,A2,B2");
BENCHMARK_CAPTURE(BM_ReadProgrammeLine, eight_with_handicaps,
                  "Heat 9:A1@10,B1@10,A2@20,B2,AR3,BT2,A4@5,B5");

}  // namespace
