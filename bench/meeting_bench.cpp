// Whole meetings: the bundled league match raced from its set-up copy to the final standings,
// as the statistics of corvane-run race it, and one meeting with its report.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "cli/command_line_host.h"
#include "cli/meeting_inputs.h"
#include "cli/meeting_statistics.h"
#include "engine/programme/meeting_runner.h"
#include "report/headless_host.h"
#include "report/results_report.h"
#include "statistics/forecast.h"
#include "statistics/silent_host.h"

namespace {

using namespace corvane;

Meeting SetUpBundled(const char* competition) {
  RunOptions options;
  options.competition = std::string(CORVANE_SOURCE_DIR) + "/Scripts/" + competition;
  options.date = "06/12/26";
  const auto inputs = ReadMeetingInputs(options, CORVANE_SOURCE_DIR);
  if (!inputs) throw std::runtime_error(inputs.error());
  Pcg32Random random(1);
  auto meeting = SetUpCommandLineMeeting(options, inputs.value(), random);
  if (!meeting) throw std::runtime_error(meeting.error());
  return meeting.value();
}

// Races copies of a bundled competition's set-up meeting, each from its own seed; with
// `withReport` the report is built after every meeting, as corvane-run prints it.
template <class Host>
void RaceBundled(benchmark::State& state, const char* competition, bool withReport) {
  const Meeting setUp = SetUpBundled(competition);
  const Preferences prefs;
  Host host;
  Meeting work;
  long run = 0;
  for (auto _ : state) {
    RaceCopy(work, setUp, prefs, RunSeed(7, run++), host);
    if (withReport) benchmark::DoNotOptimize(WriteResults(work));
    benchmark::DoNotOptimize(work.RiderPoints);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_LeagueMatchWithoutReport(benchmark::State& state) {
  RaceBundled<SilentHost>(state, "league-match.cfg", false);
}
void BM_LeagueMatchWithReport(benchmark::State& state) {
  RaceBundled<HeadlessHost>(state, "league-match.cfg", true);
}
void BM_IndividualMeetingWithoutReport(benchmark::State& state) {
  RaceBundled<SilentHost>(state, "individual-16.cfg", false);
}
// The forecast the desktop program makes after a heat: 10,000 runs of the rest of the bundled
// league match from after heat 7, on two threads (wall time).
void BM_ForecastLeagueMatchAfterHeat7(benchmark::State& state) {
  Meeting m = SetUpBundled("league-match.cfg");
  CommandLineHost host(m);
  host.stopAfterHeats = 7;
  Pcg32Random random(7);
  while (!host.StopReached()) RunProgramme(m, host, random);
  ForecastSettings settings;
  settings.runs = 10000;
  settings.threads = 2;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ForecastMeeting(m, settings).teams);
    ++settings.seed;
  }
}
BENCHMARK(BM_ForecastLeagueMatchAfterHeat7)->UseRealTime()->Unit(benchmark::kMillisecond);

BENCHMARK(BM_LeagueMatchWithoutReport);
BENCHMARK(BM_LeagueMatchWithReport);
BENCHMARK(BM_IndividualMeetingWithoutReport);

}  // namespace
