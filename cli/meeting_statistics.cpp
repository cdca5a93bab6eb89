#include "cli/meeting_statistics.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/records/characters.h"
#include "report/meeting_outcome.h"
#include "report/results_export.h"

namespace corvane {

namespace {

std::string Fixed(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string Padded(std::string text, std::size_t width);

struct TeamLine {
  std::string name;
  double mean = 0, sd = 0;
  std::vector<long> places;       // 1..teams; for two teams: won, drawn, lost
  int p10 = 0, p50 = 0, p90 = 0;  // percentiles of its final score
  long wins = 0;                  // of the competition: the top of its last stage
  std::vector<long> reached;      // meetings in which it rode each stage after the first
};

// A share of the runs and its standard error, in percent.
std::string ShareWithError(long count, long runs) {
  const double n = static_cast<double>(std::max(1L, runs));
  const double p = static_cast<double>(count) / n;
  char text[32];
  std::snprintf(text, sizeof text, "%5.1f%% \xC2\xB1%.1f", 100.0 * p,
                100.0 * std::sqrt(p * (1 - p) / n));
  return text;
}

double StandardError(long count, long runs) {
  const double n = static_cast<double>(std::max(1L, runs));
  const double p = static_cast<double>(count) / n;
  return std::sqrt(p * (1 - p) / n);
}

// Columns on screen of UTF-8 text.
std::size_t Width(const std::string& text) {
  return static_cast<std::size_t>(DisplayWidth(text));  // columns on screen, not bytes
}

struct RiderLine {
  std::string name, team;
  double points = 0, bonus = 0;
  std::array<long, 4> places{};
};

std::string TeamName(const Meeting& m, int g) {
  const std::string& title = m.GroupTitle[static_cast<std::size_t>(g)];
  return title.empty() ? "Team " + std::string(1, static_cast<char>('A' + g - 1)) : title;
}

struct StatisticsTable {
  std::string title;
  bool teamMeeting = false;
  bool stages = false;  // a team transfer leads to a last stage of some of the teams
  std::vector<std::string> stageNames;  // the stages after the first
  bool bonus = false;                   // the competition has bonus points
  // Two-team meetings: the final margin, the first team's score less the second's.
  std::string marginOf;
  double marginMean = 0, marginSd = 0;
  int marginP10 = 0, marginP50 = 0, marginP90 = 0;
  std::vector<std::pair<int, long>> margins;  // margin, runs
  std::vector<std::string> placeNames;        // team placings, or a rider's first three places
  std::vector<TeamLine> teams;
  std::vector<RiderLine> riders;
};

StatisticsTable TableOf(const Meeting& m, const MeetingTally& tally) {
  StatisticsTable table;
  table.title = m.CompetitionTitle;
  table.teamMeeting = m.NumTeams > 1;
  table.bonus = m.BonusPts > 0;
  for (const ProgrammeStage& stage : LaterStages(m)) {
    if (table.stageNames.size() < tally.reachedStage.size()) table.stageNames.push_back(stage.name);
  }
  for (int g = 1; g <= kMaxGroups; ++g)
    table.stages = table.stages || tally.filledByTransfer[static_cast<std::size_t>(g)];
  const double runs = static_cast<double>(std::max(1L, tally.runs));
  for (int g = 1; table.teamMeeting && g <= m.NumTeams && g <= kMaxGroups; ++g) {
    const auto i = static_cast<std::size_t>(g);
    if (tally.filledByTransfer[i]) continue;  // a copy of a team counted under its own name
    TeamLine line;
    line.name = TeamName(m, g);
    line.wins = tally.competitionWins[i];
    line.p10 = Percentile(tally.teamScoreRuns[i], tally.runs, 0.1);
    line.p50 = Percentile(tally.teamScoreRuns[i], tally.runs, 0.5);
    line.p90 = Percentile(tally.teamScoreRuns[i], tally.runs, 0.9);
    for (std::size_t k = 0; k < table.stageNames.size(); ++k)
      line.reached.push_back(tally.reachedStage[k][i]);
    line.mean = static_cast<double>(tally.teamPoints[i]) / runs;
    const double meanSquare = static_cast<double>(tally.teamPointsSquared[i]) / runs;
    line.sd = std::sqrt(std::max(0.0, meanSquare - line.mean * line.mean));
    if (m.NumTeams == 2) {
      const long won = tally.teamPlaces[i][1];
      line.places = {won, tally.draws, tally.runs - won - tally.draws};
    } else {
      for (int p = 1; p <= m.NumTeams; ++p) {
        line.places.push_back(tally.teamPlaces[i][static_cast<std::size_t>(p)]);
      }
    }
    table.teams.push_back(line);
  }
  if (m.NumTeams == 2 && !tally.marginRuns.empty()) {
    table.marginOf = TeamName(m, 1) + " less " + TeamName(m, 2);
    double sum = 0, squares = 0;
    for (std::size_t k = 0; k < tally.marginRuns.size(); ++k) {
      if (tally.marginRuns[k] == 0) continue;
      const int margin = static_cast<int>(k) - MeetingTally::kMaxTalliedPoints;
      table.margins.emplace_back(margin, tally.marginRuns[k]);
      sum += static_cast<double>(margin) * static_cast<double>(tally.marginRuns[k]);
      squares += static_cast<double>(margin) * margin * static_cast<double>(tally.marginRuns[k]);
    }
    table.marginMean = sum / runs;
    table.marginSd = std::sqrt(std::max(0.0, squares / runs - table.marginMean * table.marginMean));
    table.marginP10 = Percentile(tally.marginRuns, tally.runs, 0.1);
    table.marginP50 = Percentile(tally.marginRuns, tally.runs, 0.5);
    table.marginP90 = Percentile(tally.marginRuns, tally.runs, 0.9);
  }
  std::stable_sort(table.teams.begin(), table.teams.end(),
                   [](const TeamLine& a, const TeamLine& b) { return a.wins > b.wins; });
  for (int s = 1; s <= kMaxSlots; ++s) {
    const auto i = static_cast<std::size_t>(s);
    if (m.RiderName[i].empty()) continue;
    if (IsGroup(m.RiderTeam[i]) && tally.filledByTransfer[static_cast<std::size_t>(m.RiderTeam[i])])
      continue;
    RiderLine line;
    line.name = m.RiderName[i];
    const int team = m.RiderTeam[i];
    line.team = table.teamMeeting && IsGroup(team) ? TeamName(m, team) : "";
    line.points = static_cast<double>(tally.riderPoints[i]) / runs;
    line.bonus = static_cast<double>(tally.riderBonus[i]) / runs;
    line.places = tally.riderPlaces[i];
    table.riders.push_back(line);
  }
  static const char* const kOrdinals[] = {"1st", "2nd", "3rd", "4th", "5th",
                                          "6th", "7th", "8th", "9th"};
  if (m.NumTeams == 2) {
    table.placeNames = {"won", "drawn", "lost"};
  } else if (table.stages) {
    // Places among every group mean nothing when only some of them ride the last stage.
  } else {
    const int places = table.teamMeeting ? std::min<int>(m.NumTeams, kMaxGroups) : 3;
    for (int p = 0; p < places; ++p) table.placeNames.emplace_back(kOrdinals[p]);
  }
  return table;
}

std::string Right(const std::string& text, std::size_t width) {
  return Width(text) < width ? std::string(width - Width(text), ' ') + text : text;
}

std::string Padded(std::string text, std::size_t width) {
  if (Width(text) < width) text.append(width - Width(text), ' ');
  return text;
}

// The note under a table whose two leading rows are closer than the runs can tell apart: the
// teams most likely to win, or in an individual meeting the riders most often first.
std::string TooFewRunsNote(const StatisticsTable& t, long runs) {
  std::vector<std::pair<long, std::string>> leaders;
  for (const TeamLine& team : t.teams) leaders.emplace_back(team.wins, team.name);
  if (!t.teamMeeting) {
    for (const RiderLine& rider : t.riders) leaders.emplace_back(rider.places[1], rider.name);
    std::stable_sort(leaders.begin(), leaders.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
  }
  if (leaders.size() < 2) return std::string();
  const auto& [firstCount, first] = leaders[0];
  const auto& [secondCount, second] = leaders[1];
  const double a = StandardError(firstCount, runs), b = StandardError(secondCount, runs);
  const double gap = static_cast<double>(firstCount - secondCount) / std::max(1L, runs);
  if (gap > 2 * std::sqrt(a * a + b * b)) return std::string();
  return "Too few runs to tell " + first + " and " + second +
         " apart: their chances differ by less than twice its standard error (run more with -n).\n";
}

// A column of chances with their standard errors, wide enough for its heading.
std::size_t ChanceWidth(const std::string& heading) {
  return std::max<std::size_t>(14, Width(heading) + 2);
}

std::string AsText(const StatisticsTable& t, long runs, std::uint64_t seed) {
  std::string out =
      t.title + ": " + std::to_string(runs) + " meetings, seed " + std::to_string(seed) + "\n";
  if (t.teamMeeting) {
    out += "\n" + Padded("Team", 28) + Right("Wins", 14);
    for (const std::string& stage : t.stageNames) out += Right(stage, ChanceWidth(stage));
    out += "  Points      SD   10%   50%   90%";
    const bool places = t.placeNames.size() > 1 && t.teams.size() != 2;
    for (std::size_t p = 0; places && p < t.placeNames.size(); ++p)
      out += Right(t.placeNames[p], 14);
    if (t.teams.size() == 2) out += Right("drawn", 14);
    out += "\n";
    for (const TeamLine& team : t.teams) {
      out += Padded(team.name, 28) + Right(ShareWithError(team.wins, runs), 14);
      for (std::size_t k = 0; k < t.stageNames.size(); ++k)
        out += Right(ShareWithError(team.reached[k], runs), ChanceWidth(t.stageNames[k]));
      out += Right(Fixed(team.mean, 2), 8) + Right(Fixed(team.sd, 2), 8) +
             Right(std::to_string(team.p10), 6) + Right(std::to_string(team.p50), 6) +
             Right(std::to_string(team.p90), 6);
      for (std::size_t p = 0; places && p < team.places.size(); ++p)
        out += Right(ShareWithError(team.places[p], runs), 14);
      if (t.teams.size() == 2) out += Right(ShareWithError(team.places[1], runs), 14);
      out += "\n";
    }
    out += TooFewRunsNote(t, runs);
    if (!t.marginOf.empty()) {
      out += "\nFinal margin, " + t.marginOf + ": mean " + Fixed(t.marginMean, 2) + ", SD " +
             Fixed(t.marginSd, 2) + "; 10%, 50%, 90% of meetings at or below " +
             std::to_string(t.marginP10) + ", " + std::to_string(t.marginP50) + ", " +
             std::to_string(t.marginP90) + "\n";
    }
  }
  out += "\n" + Padded("Rider", 26) + (t.teamMeeting ? Padded("Team", 28) : "") + "  Points";
  if (t.teamMeeting) {
    out += t.bonus ? "   Bonus\n" : "\n";
  } else {
    for (const std::string& p : t.placeNames) out += Right(p, 14);
    out += "\n";
  }
  for (const RiderLine& rider : t.riders) {
    out += Padded(rider.name, 26) + (t.teamMeeting ? Padded(rider.team, 28) : "") +
           Right(Fixed(rider.points, 2), 8);
    if (t.teamMeeting) {
      if (t.bonus) out += Right(Fixed(rider.bonus, 2), 8);
    } else {
      for (std::size_t p = 1; p <= 3; ++p) out += Right(ShareWithError(rider.places[p], runs), 14);
    }
    out += "\n";
  }
  if (!t.teamMeeting) out += TooFewRunsNote(t, runs);
  return out;
}

// A place's count of runs and the standard error of its share of them.
std::string JsonPlace(const std::string& place, long count, long runs) {
  return ", \"" + place + "\": " + std::to_string(count) + ", \"" + place +
         "SE\": " + Fixed(StandardError(count, runs), 6);
}

// A CSV column name of a stage: "Final" is "reach_final".
std::string StageColumn(const std::string& stage) {
  std::string out = "reach_";
  for (const char c : stage) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || byte >= 0x80) {
      out += static_cast<char>(std::tolower(byte));
    } else if (out.back() != '_') {
      out += '_';
    }
  }
  while (out.back() == '_') out.pop_back();
  return CsvField(out);
}

std::string AsJson(const StatisticsTable& t, long runs, std::uint64_t seed) {
  std::string out = "{\"competition\": " + JsonString(t.title) +
                    ", \"runs\": " + std::to_string(runs) + ", \"seed\": " + std::to_string(seed) +
                    ", \"version\": " + JsonString(CORVANE_VERSION) + ",\n \"teams\": [";
  for (std::size_t k = 0; k < t.teams.size(); ++k) {
    const TeamLine& team = t.teams[k];
    out += std::string(k > 0 ? ",\n  " : "\n  ") + "{\"name\": " + JsonString(team.name) +
           ", \"meanPoints\": " + Fixed(team.mean, 4) + ", \"sdPoints\": " + Fixed(team.sd, 4) +
           ", \"wins\": " + std::to_string(team.wins) +
           ", \"winChance\": " + Fixed(static_cast<double>(team.wins) / std::max(1L, runs), 6) +
           ", \"winChanceSE\": " + Fixed(StandardError(team.wins, runs), 6);
    if (!team.reached.empty()) {
      out += ", \"reachedLastStage\": " + std::to_string(team.reached.back()) + ", \"stages\": [";
      for (std::size_t k = 0; k < team.reached.size(); ++k) {
        out += std::string(k > 0 ? ", " : "") + "{\"name\": " + JsonString(t.stageNames[k]) +
               ", \"reached\": " + std::to_string(team.reached[k]) + ", \"chance\": " +
               Fixed(static_cast<double>(team.reached[k]) / std::max(1L, runs), 6) +
               ", \"chanceSE\": " + Fixed(StandardError(team.reached[k], runs), 6) + "}";
      }
      out += "]";
    }
    out += ", \"scoreP10\": " + std::to_string(team.p10) +
           ", \"scoreP50\": " + std::to_string(team.p50) +
           ", \"scoreP90\": " + std::to_string(team.p90);
    for (std::size_t p = 0; p < t.placeNames.size(); ++p)
      out += JsonPlace(t.placeNames[p], team.places[p], runs);
    out += "}";
  }
  out += "],\n";
  if (!t.marginOf.empty()) {
    out += " \"margin\": {\"of\": " + JsonString(t.marginOf) +
           ", \"mean\": " + Fixed(t.marginMean, 4) + ", \"sd\": " + Fixed(t.marginSd, 4) +
           ", \"p10\": " + std::to_string(t.marginP10) +
           ", \"p50\": " + std::to_string(t.marginP50) +
           ", \"p90\": " + std::to_string(t.marginP90) + ", \"runs\": [";
    for (std::size_t k = 0; k < t.margins.size(); ++k) {
      out += std::string(k > 0 ? ", " : "") + "[" + std::to_string(t.margins[k].first) + ", " +
             std::to_string(t.margins[k].second) + "]";
    }
    out += "]},\n";
  }
  out += " \"riders\": [";
  for (std::size_t k = 0; k < t.riders.size(); ++k) {
    const RiderLine& rider = t.riders[k];
    out += std::string(k > 0 ? ",\n  " : "\n  ") + "{\"name\": " + JsonString(rider.name) +
           ", \"team\": " + JsonString(rider.team) + ", \"meanPoints\": " + Fixed(rider.points, 4) +
           ", \"meanBonus\": " + Fixed(rider.bonus, 4);
    for (std::size_t p = 0; !t.teamMeeting && p < t.placeNames.size(); ++p)
      out += JsonPlace(t.placeNames[p], rider.places[p + 1], runs);
    out += "}";
  }
  return out + "]}\n";
}

// One table: a row per team and per rider, the "kind" column saying which; every row also
// carries the competition, runs, seed and program version, so rows stay meaningful when
// tables from several runs are put together.
std::string AsCsv(const StatisticsTable& t, long runs, std::uint64_t seed) {
  const std::string run = "," + CsvName(t.title) + "," + std::to_string(runs) + "," +
                          std::to_string(seed) + "," + CsvField(CORVANE_VERSION) + "\n";
  std::string out = "kind,name,team,mean_points,sd_points,mean_bonus,win_chance,win_chance_se";
  for (const std::string& stage : t.stageNames)
    out += "," + StageColumn(stage) + "," + StageColumn(stage) + "_se";
  for (const std::string& p : t.placeNames) out += "," + p + "," + p + "_se";
  out += ",competition,runs,seed,version\n";
  for (const TeamLine& team : t.teams) {
    out += "team," + CsvName(team.name) + ",," + Fixed(team.mean, 4) + "," + Fixed(team.sd, 4) +
           ",," + Fixed(static_cast<double>(team.wins) / std::max(1L, runs), 6) + "," +
           Fixed(StandardError(team.wins, runs), 6);
    for (const long reached : team.reached) {
      out += "," + Fixed(static_cast<double>(reached) / std::max(1L, runs), 6) + "," +
             Fixed(StandardError(reached, runs), 6);
    }
    for (std::size_t p = 0; p < t.placeNames.size(); ++p)
      out += "," + std::to_string(team.places[p]) + "," +
             Fixed(StandardError(team.places[p], runs), 6);
    out += run;
  }
  for (const RiderLine& rider : t.riders) {
    out += "rider," + CsvName(rider.name) + "," + CsvName(rider.team) + "," +
           Fixed(rider.points, 4) + ",," +
           (t.bonus || !t.teamMeeting ? Fixed(rider.bonus, 4) : std::string()) + ",," +
           std::string(2 * t.stageNames.size(), ',');
    for (std::size_t p = 0; p < t.placeNames.size(); ++p) {
      if (t.teamMeeting) {
        out += ",,";  // team places
      } else {
        const long count = rider.places[p + 1];
        out += "," + std::to_string(count) + "," + Fixed(StandardError(count, runs), 6);
      }
    }
    out += run;
  }
  return out;
}

}  // namespace

std::string StatisticsText(const Meeting& m, const MeetingTally& tally, std::uint64_t seed,
                           StatisticsFormat format) {
  const StatisticsTable table = TableOf(m, tally);
  switch (format) {
    case StatisticsFormat::Json:
      return AsJson(table, tally.runs, seed);
    case StatisticsFormat::Csv:
      return AsCsv(table, tally.runs, seed);
    case StatisticsFormat::Text:
      break;
  }
  return AsText(table, tally.runs, seed);
}

}  // namespace corvane
