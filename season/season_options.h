// The command line of "corvane-run season ...".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/io/result.h"
#include "season/league_table.h"
#include "season/season_setup.h"

namespace corvane {

enum class SeasonAction { New, Play, Table, Riders, Fixtures, Report, Forecast, Averages, Help };

struct SeasonOptions {
  SeasonAction action = SeasonAction::Help;
  std::string file;             // the season file
  SeasonRequest request;        // new
  std::string fixtureListFile;  // new --fixtures
  int count = 1;                // play --next N; --all plays every fixture left
  int fixture = 0;              // report N
  TableFormat format = TableFormat::Text;
  long runs = 1000;  // forecast
  int threads = 0;
  std::optional<std::uint64_t> seed;  // new; forecast
  std::string outputFile;             // averages: the new rider database
  bool overwrite = false;             // averages: replace an existing file
};

// Parses the arguments after "season". Errors are one-line messages.
Result<SeasonOptions> ParseSeasonOptions(const std::vector<std::string>& args);

std::string SeasonUsage();

}  // namespace corvane
