#include "cli/meeting_statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/records/characters.h"

namespace corvane {

namespace {

std::string Percent(long count, long runs) {
  char text[16];
  std::snprintf(text, sizeof text, "%5.1f%%",
                runs > 0 ? 100.0 * static_cast<double>(count) / runs : 0.0);
  return text;
}

std::string Fixed(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string Padded(std::string text, std::size_t width);

std::string Json(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Csv(const std::string& text) {
  if (text.find_first_of(",\"\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

struct TeamLine {
  std::string name;
  double mean = 0, sd = 0;
  std::vector<long> places;       // 1..teams; for two teams: won, drawn, lost
  int p10 = 0, p50 = 0, p90 = 0;  // percentiles of its final score
  long wins = 0;                  // of the competition: the top of its last stage
  long reached = 0;               // meetings in which it rode the last stage
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

// Characters on screen of UTF-8 text: every byte but continuation bytes.
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
  bool bonus = false;   // the competition has bonus points
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
    line.reached = tally.reachedLastStage[i];
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

// The note under a table whose first two rows are closer than the runs can tell apart.
std::string TooFewRunsNote(const StatisticsTable& t, long runs) {
  if (t.teams.size() < 2) return std::string();
  const TeamLine& first = t.teams[0];
  const TeamLine& second = t.teams[1];
  const double a = StandardError(first.wins, runs), b = StandardError(second.wins, runs);
  const double gap = static_cast<double>(first.wins - second.wins) / std::max(1L, runs);
  if (gap > 2 * std::sqrt(a * a + b * b)) return std::string();
  return "Too few runs to tell " + first.name + " and " + second.name +
         " apart: their chances differ by less than twice its standard error (run more with -n).\n";
}

std::string AsText(const StatisticsTable& t, long runs, std::uint64_t seed) {
  std::string out =
      t.title + ": " + std::to_string(runs) + " meetings, seed " + std::to_string(seed) + "\n";
  if (t.teamMeeting) {
    out += "\n" + Padded("Team", 28) + Right("Wins", 14) +
           (t.stages ? Right("Last stage", 14) : "") + "  Points      SD   10%   50%   90%";
    const bool places = t.placeNames.size() > 1 && t.teams.size() != 2;
    for (std::size_t p = 0; places && p < t.placeNames.size(); ++p)
      out += Right(t.placeNames[p], 8);
    if (t.teams.size() == 2) out += Right("drawn", 8);
    out += "\n";
    for (const TeamLine& team : t.teams) {
      out += Padded(team.name, 28) + Right(ShareWithError(team.wins, runs), 14);
      if (t.stages) out += Right(ShareWithError(team.reached, runs), 14);
      out += Right(Fixed(team.mean, 2), 8) + Right(Fixed(team.sd, 2), 8) +
             Right(std::to_string(team.p10), 6) + Right(std::to_string(team.p50), 6) +
             Right(std::to_string(team.p90), 6);
      for (std::size_t p = 0; places && p < team.places.size(); ++p)
        out += "  " + Percent(team.places[p], runs);
      if (t.teams.size() == 2) out += "  " + Percent(team.places[1], runs);
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
    for (const std::string& p : t.placeNames) out += Right(p, 8);
    out += "\n";
  }
  for (const RiderLine& rider : t.riders) {
    out += Padded(rider.name, 26) + (t.teamMeeting ? Padded(rider.team, 28) : "") +
           Right(Fixed(rider.points, 2), 8);
    if (t.teamMeeting) {
      if (t.bonus) out += Right(Fixed(rider.bonus, 2), 8);
    } else {
      for (std::size_t p = 1; p <= 3; ++p) out += "  " + Percent(rider.places[p], runs);
    }
    out += "\n";
  }
  return out;
}

std::string AsJson(const StatisticsTable& t, long runs, std::uint64_t seed) {
  std::string out = "{\"competition\": " + Json(t.title) + ", \"runs\": " + std::to_string(runs) +
                    ", \"seed\": " + std::to_string(seed) +
                    ", \"version\": " + Json(CORVANE_VERSION) + ",\n \"teams\": [";
  for (std::size_t k = 0; k < t.teams.size(); ++k) {
    const TeamLine& team = t.teams[k];
    out += std::string(k > 0 ? ",\n  " : "\n  ") + "{\"name\": " + Json(team.name) +
           ", \"meanPoints\": " + Fixed(team.mean, 4) + ", \"sdPoints\": " + Fixed(team.sd, 4) +
           ", \"wins\": " + std::to_string(team.wins) +
           ", \"winChance\": " + Fixed(static_cast<double>(team.wins) / std::max(1L, runs), 6) +
           ", \"winChanceSE\": " + Fixed(StandardError(team.wins, runs), 6);
    if (t.stages) out += ", \"reachedLastStage\": " + std::to_string(team.reached);
    out += ", \"scoreP10\": " + std::to_string(team.p10) +
           ", \"scoreP50\": " + std::to_string(team.p50) +
           ", \"scoreP90\": " + std::to_string(team.p90);
    for (std::size_t p = 0; p < t.placeNames.size(); ++p) {
      out += ", \"" + t.placeNames[p] + "\": " + std::to_string(team.places[p]);
    }
    out += "}";
  }
  out += "],\n";
  if (!t.marginOf.empty()) {
    out += " \"margin\": {\"of\": " + Json(t.marginOf) + ", \"mean\": " + Fixed(t.marginMean, 4) +
           ", \"sd\": " + Fixed(t.marginSd, 4) + ", \"p10\": " + std::to_string(t.marginP10) +
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
    out += std::string(k > 0 ? ",\n  " : "\n  ") + "{\"name\": " + Json(rider.name) +
           ", \"team\": " + Json(rider.team) + ", \"meanPoints\": " + Fixed(rider.points, 4) +
           ", \"meanBonus\": " + Fixed(rider.bonus, 4);
    for (std::size_t p = 0; !t.teamMeeting && p < t.placeNames.size(); ++p) {
      out += ", \"" + t.placeNames[p] + "\": " + std::to_string(rider.places[p + 1]);
    }
    out += "}";
  }
  return out + "]}\n";
}

// One table: a row per team and per rider, the "kind" column saying which; every row also
// carries the competition, runs, seed and program version, so rows stay meaningful when
// tables from several runs are put together.
std::string AsCsv(const StatisticsTable& t, long runs, std::uint64_t seed) {
  const std::string run = "," + Csv(t.title) + "," + std::to_string(runs) + "," +
                          std::to_string(seed) + "," + Csv(CORVANE_VERSION) + "\n";
  std::string out = "kind,name,team,mean_points,sd_points,mean_bonus,win_chance,win_chance_se";
  for (const std::string& p : t.placeNames) out += "," + p;
  out += ",competition,runs,seed,version\n";
  for (const TeamLine& team : t.teams) {
    out += "team," + Csv(team.name) + ",," + Fixed(team.mean, 4) + "," + Fixed(team.sd, 4) + ",," +
           Fixed(static_cast<double>(team.wins) / std::max(1L, runs), 6) + "," +
           Fixed(StandardError(team.wins, runs), 6);
    for (std::size_t p = 0; p < t.placeNames.size(); ++p) {
      out += "," + std::to_string(team.places[p]);
    }
    out += run;
  }
  for (const RiderLine& rider : t.riders) {
    out += "rider," + Csv(rider.name) + "," + Csv(rider.team) + "," + Fixed(rider.points, 4) +
           ",," + (t.bonus || !t.teamMeeting ? Fixed(rider.bonus, 4) : std::string()) + ",,";
    for (std::size_t p = 0; p < t.placeNames.size(); ++p) {
      out += "," + (t.teamMeeting ? std::string() : std::to_string(rider.places[p + 1]));
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
