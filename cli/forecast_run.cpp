#include "cli/forecast_run.h"

#include <cstdio>
#include <ostream>
#include <string>

#include "cli/command_line_host.h"
#include "cli/meeting_inputs.h"
#include "engine/io/file_io.h"
#include "engine/programme/meeting_runner.h"
#include "engine/race/random_source.h"
#include "report/results_export.h"
#include "statistics/forecast.h"
#include "statistics/meeting_tally.h"

namespace corvane {

namespace {

constexpr long kDefaultRuns = 10000;
constexpr int kMaxContinues = 400;  // more Continue steps than any meeting needs

std::string Row(int heat, const std::string& name, double chance, double expected) {
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, ",%.4f,%.2f\n", chance, expected);
  return std::to_string(heat) + "," + CsvName(name) + numbers;
}

std::string ForecastRows(const Meeting& m, const RunOptions& options, std::uint64_t seed) {
  ForecastSettings settings;
  settings.runs = options.runs.value_or(kDefaultRuns);
  settings.threads = options.threads;
  // Each heat's forecast has its own seed; the meeting's own random source is not drawn from,
  // so the meeting raced is the one corvane-run races with the same seed.
  settings.seed = RunSeed(seed, -1 - static_cast<long>(m.HeatCount));
  const Forecast forecast = ForecastMeeting(m, settings);
  std::string rows;
  for (const TeamForecast& team : forecast.teams) {
    rows += Row(m.HeatCount, team.name, team.winChance, team.expected);
  }
  for (const RiderForecast& rider : forecast.riders) {
    rows += Row(m.HeatCount, rider.name, rider.winChance, rider.expected);
  }
  return rows;
}

int Fail(std::ostream& err, const std::string& message) {
  err << "corvane-run: " << message << '\n';
  return 2;
}

}  // namespace

int RunForecastEachHeat(const RunOptions& options, std::uint64_t seed,
                        const std::filesystem::path& dataFolder, std::ostream& out,
                        std::ostream& err) {
  Pcg32Random random(seed);
  Meeting meeting;
  CommandLineHost host(meeting);
  const Result<std::string> started =
      StartCommandLineMeeting(meeting, options, dataFolder, host, random);
  if (!started) return Fail(err, started.error());

  std::string text =
      "heat,team,win_chance,expected_points\n" + ForecastRows(meeting, options, seed);
  // The runner stops after every heat, as when a player stops in the heat manager.
  for (int step = 0; step < kMaxContinues && meeting.MeetingState != kMeetingOver; ++step) {
    const int heatsBefore = meeting.HeatCount;
    host.stopAfterHeats = heatsBefore + 1;
    RunProgramme(meeting, host, random);
    if (meeting.HeatCount != heatsBefore) text += ForecastRows(meeting, options, seed);
  }
  if (options.outputFile.empty()) {
    out << text;
    return 0;
  }
  const Status written = WriteFileAtomically(options.outputFile, text);
  return written ? 0 : Fail(err, written.error());
}

}  // namespace corvane
