#include "seasonui/new_season_model.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "season/season_file.h"
#include "season/season_setup.h"

namespace corvane {

namespace {

SeasonRequest RequestOf(const std::string& competition, const std::string& database) {
  SeasonRequest request;
  request.competition = competition;
  request.lineupsFile = database;
  return request;
}

bool Blank(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](unsigned char c) { return std::isspace(c) != 0; });
}

}  // namespace

Result<std::vector<std::string>> LineupsOffered(const std::string& competition,
                                                const std::string& database,
                                                const std::filesystem::path& dataFolder) {
  if (Blank(competition)) return Error{"Choose the competition of the season's meetings."};
  return OfferedSeasonLineups(RequestOf(competition, database), dataFolder);
}

Result<Season> SeasonOfChoices(const NewSeasonChoices& choices,
                               const std::filesystem::path& dataFolder) {
  if (Blank(choices.competition)) return Error{"Choose the competition of the season's meetings."};
  if (choices.lineups.size() < 2) return Error{"Tick at least two line-ups for the season."};
  if (choices.ownFixtures && Blank(choices.fixtureList)) {
    return Error{"Type the fixtures, one \"home,away\" line each, or choose a double round robin."};
  }
  if (choices.seasonFile.empty()) return Error{"Choose the file the season is kept in."};
  std::error_code ec;
  if (std::filesystem::exists(choices.seasonFile, ec) || ec) {
    return Error{choices.seasonFile.filename().string() +
                 " already exists: a new season needs a file of its own."};
  }
  SeasonRequest request = RequestOf(choices.competition, choices.database);
  request.lineups = choices.lineups;
  if (choices.ownFixtures) request.fixtureList = choices.fixtureList;
  request.rules = choices.rules;
  request.seed = choices.seed;
  Result<Season> season = NewSeason(request, dataFolder);
  if (!season) return Error{"The season cannot be made: " + season.error() + "."};
  // Only the line-ups ticked take part: a fixture list naming another is refused by NewSeason.
  return season;
}

Result<std::unique_ptr<SeasonFile>> CreateSeason(const NewSeasonChoices& choices,
                                                 const std::filesystem::path& dataFolder) {
  const Result<Season> season = SeasonOfChoices(choices, dataFolder);
  if (!season) return Error{season.error()};
  return SeasonFile::Create(choices.seasonFile, season.value());
}

}  // namespace corvane
