// The fixtures of a season: a double round robin, or a list the user writes.
#pragma once

#include <string_view>
#include <vector>

#include "engine/io/result.h"
#include "season/season.h"

namespace corvane {

// Every pair of line-ups meets twice, once at each home. The second half repeats the first with
// home and away turned round, so a pair's two meetings lie a half-season apart and no line-up
// meets the same opponent in consecutive rounds (save with only two line-ups). With an odd
// number of line-ups one sits out each round.
std::vector<Fixture> DoubleRoundRobin(int lineups);

inline constexpr std::size_t kMaxFixtureListBytes = 1u << 20;
inline constexpr int kMaxFixtures = 2000;

// A list of fixtures, one "home,away" line each (line-up names; "#" lines and blank lines are
// skipped), raced in the order written.
Result<std::vector<Fixture>> ParseFixtureList(std::string_view text,
                                              const std::vector<std::string>& lineups);

}  // namespace corvane
