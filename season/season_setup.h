// A new season from a competition, a rider database and the user's choices.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/io/result.h"
#include "season/season.h"

namespace corvane {

class SeasonFile;

struct SeasonRequest {
  std::string competition = "league-match.cfg";  // a path, or a bundled or user file name
  std::string lineupsFile;                       // empty: the bundled rider database
  std::vector<std::string> lineups;        // empty: every line-up the competition's IDs select
  std::optional<std::string> fixtureList;  // "home,away" lines; none: a double round robin
  LeagueRules rules;
  std::uint64_t seed = 1;
};

// The line-ups of the request's rider database that its competition's IDs select: those a
// season without a list of line-ups takes.
Result<std::vector<std::string>> OfferedSeasonLineups(const SeasonRequest& request,
                                                      const std::filesystem::path& dataFolder);

// `dataFolder` holds the bundled Scripts and Lineups folders.
Result<Season> NewSeason(const SeasonRequest& request, const std::filesystem::path& dataFolder);

// Races up to `count` of the fixtures still to race, in order, storing each as it finishes;
// `raced` hears of each. Stops at the first failure.
Status PlayFixtures(SeasonFile& file, int count,
                    const std::function<void(const Fixture&, const FixtureResult&)>& raced = {});

}  // namespace corvane
