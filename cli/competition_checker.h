// --check: a competition file checked for its author, and its programme raced with one line-up
// in every team's place to see whether it favours a side.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "engine/records/meeting.h"
#include "engine/records/preferences.h"

namespace corvane {

struct TeamShare {
  std::string team;  // the team's letter
  long wins = 0;
};

struct FairnessResult {
  long runs = 0;
  long draws = 0;
  std::vector<TeamShare> shares;  // in team order
  double noise = 0;               // three standard errors of one share, in percentage points
  std::string favoured;           // the team favoured beyond the noise, empty when level
};

// Races the competition `runs` times with the same line-up (averages as the bundled league
// teams have them, rider by rider) in every team's place, equal starting grid, no home advantage.
// Teams the programme fills by transfer are counted as the team copied into them.
FairnessResult RaceOneLineupEverywhere(const std::filesystem::path& competition, long runs,
                                       std::uint64_t seed, int threads);

// The fairness line of --check: each team's share of wins and which side is favoured.
std::string FairnessText(const FairnessResult& result);

// Runs the check and prints it; returns 0 when nothing was found, 1 when something was, 2 when
// the file cannot be read as a competition.
int RunCompetitionCheck(const std::string& file, const std::filesystem::path& dataFolder,
                        long fairnessRuns, int threads, std::ostream& out, std::ostream& err);

}  // namespace corvane
