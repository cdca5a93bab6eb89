// Whole meetings: the bundled league match raced from its set-up copy to the final standings,
// as the statistics of corvane-run race it, and one meeting with its report.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "cli/meeting_inputs.h"
#include "cli/meeting_statistics.h"
#include "cli/silent_host.h"
#include "engine/headless_host.h"
#include "report/results_report.h"

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

void BM_LeagueMatchWithoutReport(benchmark::State& state) {
  const Meeting setUp = SetUpBundled("league-match.cfg");
  const Preferences prefs;
  SilentHost host;
  Meeting work;
  std::uint64_t run = 0;
  for (auto _ : state) {
    RaceCopy(work, setUp, prefs, RunSeed(7, static_cast<long>(run++)), host);
    benchmark::DoNotOptimize(work.GroupPoints);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LeagueMatchWithoutReport);

void BM_LeagueMatchWithReport(benchmark::State& state) {
  const Meeting setUp = SetUpBundled("league-match.cfg");
  const Preferences prefs;
  HeadlessHost host;
  Meeting work;
  std::uint64_t run = 0;
  for (auto _ : state) {
    RaceCopy(work, setUp, prefs, RunSeed(7, static_cast<long>(run++)), host);
    benchmark::DoNotOptimize(WriteResults(work));
  }
}
BENCHMARK(BM_LeagueMatchWithReport);

void BM_IndividualMeetingWithoutReport(benchmark::State& state) {
  const Meeting setUp = SetUpBundled("individual-16.cfg");
  const Preferences prefs;
  SilentHost host;
  Meeting work;
  std::uint64_t run = 0;
  for (auto _ : state) {
    RaceCopy(work, setUp, prefs, RunSeed(7, static_cast<long>(run++)), host);
    benchmark::DoNotOptimize(work.RiderPoints);
  }
}
BENCHMARK(BM_IndividualMeetingWithoutReport);

}  // namespace
