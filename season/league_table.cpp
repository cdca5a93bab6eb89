#include "season/league_table.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "engine/records/characters.h"
#include "report/results_export.h"

namespace corvane {

namespace {

const Fixture* FixtureOf(const Season& season, int number) {
  if (number < 1 || number > static_cast<int>(season.fixtures.size())) return nullptr;
  const Fixture& fixture = season.fixtures[static_cast<std::size_t>(number - 1)];
  return fixture.number == number ? &fixture : nullptr;
}

bool Valid(const Season& season, const Fixture& f) {
  const int n = static_cast<int>(season.lineups.size());
  return f.home >= 0 && f.home < n && f.away >= 0 && f.away < n;
}

void AddMeeting(TableRow& row, int scored, int conceded, const LeagueRules& rules) {
  ++row.played;
  row.pointsFor += scored;
  row.pointsAgainst += conceded;
  if (scored > conceded) {
    ++row.won;
    row.matchPoints += rules.win;
  } else if (scored == conceded) {
    ++row.drawn;
    row.matchPoints += rules.draw;
  } else {
    ++row.lost;
    row.matchPoints += rules.loss;
  }
}

// The aggregate bonus: a pair's first home meeting and its first return, both raced.
void AddAggregateBonus(const Season& season, const std::vector<FixtureResult>& results,
                       std::vector<TableRow>& rows) {
  std::map<std::pair<int, int>, const FixtureResult*> firstLeg;  // (home, away) -> result
  for (const FixtureResult& result : results) {
    const Fixture* f = FixtureOf(season, result.fixture);
    if (f != nullptr && Valid(season, *f)) firstLeg.try_emplace({f->home, f->away}, &result);
  }
  for (const auto& [pair, leg] : firstLeg) {
    const auto [a, b] = pair;
    if (a > b) continue;  // each pair once
    const auto back = firstLeg.find({b, a});
    if (back == firstLeg.end()) continue;
    const int totalA = leg->homeScore + back->second->awayScore;
    const int totalB = leg->awayScore + back->second->homeScore;
    if (totalA != totalB) ++rows[static_cast<std::size_t>(totalA > totalB ? a : b)].bonusPoints;
  }
}

}  // namespace

std::vector<TableRow> LeagueTable(const Season& season) {
  return LeagueTable(season, season.results);
}

std::vector<TableRow> LeagueTable(const Season& season, const std::vector<FixtureResult>& results) {
  std::vector<TableRow> rows(season.lineups.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i].lineup = static_cast<int>(i);
    rows[i].name = season.lineups[i];
  }
  for (const FixtureResult& result : results) {
    const Fixture* f = FixtureOf(season, result.fixture);
    if (f == nullptr || !Valid(season, *f)) continue;
    AddMeeting(rows[static_cast<std::size_t>(f->home)], result.homeScore, result.awayScore,
               season.rules);
    AddMeeting(rows[static_cast<std::size_t>(f->away)], result.awayScore, result.homeScore,
               season.rules);
  }
  if (season.rules.aggregateBonus) AddAggregateBonus(season, results, rows);
  std::stable_sort(rows.begin(), rows.end(), [](const TableRow& a, const TableRow& b) {
    if (a.Total() != b.Total()) return a.Total() > b.Total();
    if (a.Difference() != b.Difference()) return a.Difference() > b.Difference();
    if (a.pointsFor != b.pointsFor) return a.pointsFor > b.pointsFor;
    return a.name < b.name;
  });
  return rows;
}

std::string HtmlPage(const std::string& title, const std::vector<std::string>& header,
                     const std::vector<std::vector<std::string>>& rows) {
  std::string out = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                    HtmlEscaped(title) + "</title>\n</head>\n<body>\n<h1>" + HtmlEscaped(title) +
                    "</h1>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr>";
  for (const std::string& cell : header) out += "<th>" + HtmlEscaped(cell) + "</th>";
  out += "</tr>\n";
  for (const auto& row : rows) {
    out += "<tr>";
    for (const std::string& cell : row) out += "<td>" + HtmlEscaped(cell) + "</td>";
    out += "</tr>\n";
  }
  return out + "</table>\n</body>\n</html>\n";
}

std::string TableText(const std::vector<TableRow>& table, TableFormat format) {
  std::string out;
  auto numbers = [](const TableRow& r) {
    return std::vector<int>{r.played,        r.won,         r.drawn,       r.lost,   r.pointsFor,
                            r.pointsAgainst, r.matchPoints, r.bonusPoints, r.Total()};
  };
  switch (format) {
    case TableFormat::Html: {
      std::vector<std::vector<std::string>> rows;
      for (std::size_t i = 0; i < table.size(); ++i) {
        rows.push_back({std::to_string(i + 1), table[i].name});
        for (const int n : numbers(table[i])) rows.back().push_back(std::to_string(n));
      }
      return HtmlPage("League table",
                      {"", "Line-up", "P", "W", "D", "L", "For", "Against", "Match points",
                       "Bonus points", "Points"},
                      rows);
    }
    case TableFormat::Csv:
      out = "position,lineup,played,won,drawn,lost,for,against,match_points,bonus_points,total\n";
      for (std::size_t i = 0; i < table.size(); ++i) {
        out += std::to_string(i + 1) + "," + CsvName(table[i].name);
        for (const int n : numbers(table[i])) out += "," + std::to_string(n);
        out += "\n";
      }
      return out;
    case TableFormat::Json: {
      static const char* const kKeys[] = {"played",  "won",          "drawn",        "lost", "for",
                                          "against", "match_points", "bonus_points", "total"};
      out = "[\n";
      for (std::size_t i = 0; i < table.size(); ++i) {
        out += "  {\"position\": " + std::to_string(i + 1) +
               ", \"lineup\": " + JsonString(table[i].name);
        const std::vector<int> values = numbers(table[i]);
        for (std::size_t k = 0; k < values.size(); ++k) {
          out += std::string(", \"") + kKeys[k] + "\": " + std::to_string(values[k]);
        }
        out += i + 1 < table.size() ? "},\n" : "}\n";
      }
      return out + "]\n";
    }
    case TableFormat::Text:
      break;
  }
  char line[256];
  std::snprintf(line, sizeof line, "%-3s %-28s %3s %3s %3s %3s %5s %5s %4s %3s %4s\n", "", "", "P",
                "W", "D", "L", "For", "Ag", "MP", "BP", "Pts");
  out = line;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const TableRow& r = table[i];
    std::snprintf(line, sizeof line, "%-3zu %s %3d %3d %3d %3d %5d %5d %4d %3d %4d\n", i + 1,
                  PaddedToWidth(r.name, 28).c_str(), r.played, r.won, r.drawn, r.lost, r.pointsFor,
                  r.pointsAgainst, r.matchPoints, r.bonusPoints, r.Total());
    out += line;
  }
  return out;
}

}  // namespace corvane
