// corvane-run: race meetings without a window.
#include <chrono>
#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/competition_checker.h"
#include "cli/forecast_run.h"
#include "cli/program_folder.h"
#include "cli/run_options.h"
#include "cli/single_meeting.h"
#include "cli/statistics_run.h"
#include "engine/io/data_folders.h"
#include "season/season_command.h"

#include <unistd.h>

int main(int argc, char** argv) {
  using namespace corvane;
  // The locale's short date for the default meeting date; numbers keep the point.
  std::setlocale(LC_TIME, "");
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "season") {
    return RunSeasonCommand(std::vector<std::string>(args.begin() + 1, args.end()),
                            BundledDataFolder(ProgramFolder(argv[0])), std::cout, std::cerr);
  }
  const Result<RunOptions> parsed = ParseRunOptions(args);
  if (!parsed) {
    std::cerr << "corvane-run: " << parsed.error() << '\n';
    return 2;
  }
  const RunOptions& options = parsed.value();
  if (options.help) {
    std::cout << RunUsage();
    return 0;
  }
  if (options.version) {
    std::cout << "corvane-run " << CORVANE_VERSION << '\n';
    return 0;
  }
  const std::filesystem::path folder = BundledDataFolder(ProgramFolder(argv[0]));
  if (!options.checkFile.empty()) {
    return RunCompetitionCheck(options.checkFile, folder, options.runs.value_or(40000),
                               options.threads, std::cout, std::cerr);
  }
  const std::uint64_t seed = options.seed.value_or(
      static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  std::cerr << "seed " << seed << '\n';
  if (options.forecastEachHeat) {
    return RunForecastEachHeat(options, seed, folder, std::cout, std::cerr);
  }
  if (options.runs) {
    return RunStatistics(options, seed, folder, std::cout, std::cerr, ::isatty(2) != 0);
  }
  return RunSingleMeeting(options, seed, folder, std::cout, std::cerr);
}
