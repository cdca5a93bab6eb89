// What the New Season dialog decides, without a window: the line-ups offered for a competition
// and a rider database, and the checks on the user's choices before the season file is made.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/io/result.h"
#include "season/season.h"

namespace corvane {

class SeasonFile;

struct NewSeasonChoices {
  std::string competition;           // path of the competition file
  std::string database;              // path of the rider database
  std::vector<std::string> lineups;  // those ticked, in the order shown
  bool ownFixtures = false;          // false: a double round robin
  std::string fixtureList;           // "home,away" lines when ownFixtures
  LeagueRules rules;
  std::uint64_t seed = 1;
  std::filesystem::path seasonFile;  // to be made; must not exist
};

// The line-ups the competition's IDs select in the rider database.
Result<std::vector<std::string>> LineupsOffered(const std::string& competition,
                                                const std::string& database,
                                                const std::filesystem::path& dataFolder);

// The season the choices make, or what is wrong with them, in words for the dialog.
Result<Season> SeasonOfChoices(const NewSeasonChoices& choices,
                               const std::filesystem::path& dataFolder);

// The season made and its file created.
Result<std::unique_ptr<SeasonFile>> CreateSeason(const NewSeasonChoices& choices,
                                                 const std::filesystem::path& dataFolder);

}  // namespace corvane
