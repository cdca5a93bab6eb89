// The league table worked out from a season's results.
#pragma once

#include <string>
#include <vector>

#include "season/season.h"

namespace corvane {

struct TableRow {
  int lineup = 0;  // index into Season::lineups
  std::string name;
  int played = 0, won = 0, drawn = 0, lost = 0;
  int pointsFor = 0, pointsAgainst = 0;
  int matchPoints = 0, bonusPoints = 0;

  int Total() const { return matchPoints + bonusPoints; }
  int Difference() const { return pointsFor - pointsAgainst; }
};

// Every line-up's row, first place first: by league points (match points and bonus points),
// then points difference, then points for, then name.
std::vector<TableRow> LeagueTable(const Season& season);

// The same as a results list with hypothetical outcomes: `results` stands for season.results.
std::vector<TableRow> LeagueTable(const Season& season, const std::vector<FixtureResult>& results);

enum class TableFormat { Text, Csv, Json, Html };
std::string TableText(const std::vector<TableRow>& table, TableFormat format);

// A web page holding one table, every cell escaped.
std::string HtmlPage(const std::string& title, const std::vector<std::string>& header,
                     const std::vector<std::vector<std::string>>& rows);

}  // namespace corvane
