// The command line of corvane-run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/io/result.h"
#include "engine/records/preferences.h"

namespace corvane {

enum class StatisticsFormat { Text, Json, Csv };

struct RunOptions {
  std::string competition;         // a path, or a file name in the user's or bundled folder
  std::string lineupsFile;         // empty: the bundled Lineups/Lineups.rdb
  std::vector<std::string> teams;  // line-ups for groups A, B, ... in order
  std::optional<std::string> date, venue, title;
  std::optional<std::uint64_t> seed;
  std::string support;  // line-up of the support competition's riders
  std::optional<int> suspendAfter;
  std::string suspendFile;
  std::string resumeFile;
  std::string checkFile;  // --check: the competition file to check
  std::string outputFile;
  std::optional<long> runs;
  int threads = 0;  // 0: every core
  StatisticsFormat format = StatisticsFormat::Text;
  bool forecastEachHeat = false;  // one meeting, its forecast after every heat as CSV
  Preferences prefs;
  bool help = false;
  bool version = false;
};

// Parses the arguments after the program name. Errors are one-line messages.
Result<RunOptions> ParseRunOptions(const std::vector<std::string>& args);

// The --help text.
std::string RunUsage();

}  // namespace corvane
