// corvane-run's statistics read back as JSON and checked by value.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// What corvane-run prints with these arguments.
std::string Printed(const std::string& args) {
  const std::string command = std::string(CORVANE_RUN_PROGRAM) + " " + args + " 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
    text.append(buffer, n);
  return text;
}

// A JSON value: enough of the format to read the statistics back (no escapes but \" and \\).
struct Json {
  double number = 0;
  std::string text;
  std::vector<Json> items;
  std::map<std::string, Json> fields;
  const Json& operator[](const std::string& key) const { return fields.at(key); }
};

Json ReadJson(const std::string& s, std::size_t& at) {
  const auto next = [&] {  // the next character that is not a blank
    while (std::isspace(static_cast<unsigned char>(s.at(at)))) ++at;
    return s[at];
  };
  const auto text = [&] {
    std::string out;
    for (++at; s.at(at) != '"'; ++at) out += s.at(s[at] == '\\' ? ++at : at);
    ++at;
    return out;
  };
  Json v;
  const char c = next();
  if (c == '{' || c == '[') {
    for (++at; next() != (c == '{' ? '}' : ']');) {
      if (c == '[') {
        v.items.push_back(ReadJson(s, at));
      } else {
        const std::string key = text();
        next();
        ++at;  // ':'
        v.fields[key] = ReadJson(s, at);
      }
      if (next() == ',') ++at;
    }
    ++at;
  } else if (c == '"') {
    v.text = text();
  } else {
    std::size_t used = 0;
    v.number = std::stod(s.substr(at), &used);
    at += used;
  }
  return v;
}

Json Statistics(const std::string& args) {
  std::size_t at = 0;
  return ReadJson(Printed("--format=json " + args), at);
}

TEST(StatisticsJson, TheTeamCupNamesFourTeamsAndChancesAddUp) {
  const Json cup = Statistics("-s 4 -n 3000 group-stages.cfg");
  EXPECT_EQ(cup["runs"].number, 3000);
  EXPECT_EQ(cup["seed"].number, 4);
  EXPECT_FALSE(cup["version"].text.empty());
  const std::vector<Json>& teams = cup["teams"].items;
  ASSERT_EQ(teams.size(), 4u);  // the finalists' copies are counted under their own names
  const auto standardError = [](double chance) { return std::sqrt(chance * (1 - chance) / 3000); };
  double wins = 0, finalists = 0, previous = 2;
  for (const Json& team : teams) {
    const double chance = team["winChance"].number;
    EXPECT_LE(chance, previous);  // most likely winner first
    previous = chance;
    EXPECT_NEAR(chance, team["wins"].number / 3000, 1e-6);
    EXPECT_NEAR(team["winChanceSE"].number, standardError(chance), 1e-5);
    wins += team["wins"].number;
    const std::vector<Json>& stages = team["stages"].items;  // the final is the one later stage
    ASSERT_EQ(stages.size(), 1u);
    const Json& stage = stages[0];
    EXPECT_EQ(stage["name"].text, "Final");
    EXPECT_NEAR(stage["chance"].number, stage["reached"].number / 3000, 1e-6);
    EXPECT_NEAR(stage["chanceSE"].number, standardError(stage["chance"].number), 1e-5);
    EXPECT_GE(stage["chance"].number, chance);  // a winner has ridden the final
    finalists += stage["reached"].number;
  }
  EXPECT_EQ(finalists, 2 * 3000);  // two teams ride the final of every meeting
  EXPECT_LE(wins, 3000);           // the rest are drawn finals
  EXPECT_GT(wins, 2400);
}

TEST(StatisticsJson, OneSidesWinsAreTheOthersLosses) {
  const Json league = Statistics("-s 4 -n 2000 league-match.cfg");
  const std::vector<Json>& teams = league["teams"].items;
  ASSERT_EQ(teams.size(), 2u);
  for (std::size_t k = 0; k < 2; ++k) {
    EXPECT_EQ(teams[k]["won"].number, teams[1 - k]["lost"].number);
    EXPECT_EQ(teams[k]["drawn"].number, teams[1 - k]["drawn"].number);
    EXPECT_EQ(teams[k]["won"].number + teams[k]["drawn"].number + teams[k]["lost"].number, 2000);
    EXPECT_EQ(teams[k]["wins"].number, teams[k]["won"].number);
    for (const char* place : {"won", "drawn", "lost"}) {
      const double share = teams[k][place].number / 2000;
      EXPECT_NEAR(teams[k][std::string(place) + "SE"].number, std::sqrt(share * (1 - share) / 2000),
                  1e-5);
    }
  }
  EXPECT_EQ(league["teams"].items[0].fields.count("stages"), 0u);  // one stage: no stage fields
  EXPECT_GE(teams[0]["wins"].number, teams[1]["wins"].number);
  // The margins of all runs: a draw is a margin of 0, the team named first wins above it.
  double runs = 0, level = 0, mean = 0;
  for (const Json& bin : league["margin"]["runs"].items) {
    runs += bin.items[1].number;
    mean += bin.items[0].number * bin.items[1].number / 2000;
    if (bin.items[0].number == 0) level = bin.items[1].number;
  }
  EXPECT_EQ(runs, 2000);
  EXPECT_EQ(level, teams[0]["drawn"].number);
  EXPECT_NEAR(mean, league["margin"]["mean"].number, 1e-3);
  EXPECT_LE(league["margin"]["p10"].number, league["margin"]["p90"].number);
  EXPECT_LE(teams[0]["scoreP10"].number, teams[0]["scoreP90"].number);
  double points = 0;
  for (const Json& rider : league["riders"].items) points += rider["meanPoints"].number;
  EXPECT_NEAR(points, teams[0]["meanPoints"].number + teams[1]["meanPoints"].number, 0.01);
}

std::vector<std::vector<std::string>> CsvRows(const std::string& args) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(Printed("--format csv " + args));
  for (std::string line; std::getline(lines, line);) {
    rows.emplace_back(1);
    for (const char c : line) {
      if (c == ',') {
        rows.back().emplace_back();
      } else {
        rows.back().back() += c;
      }
    }
  }
  return rows;
}

TEST(StatisticsCsv, EveryRowHasEveryColumnAndSaysWhichRunItCameFrom) {
  const struct {
    const char* competition;
    long teams;
  } cases[] = {{"group-stages.cfg", 4},        {"league-match.cfg", 2},
               {"league-with-support.cfg", 2}, {"four-team-tournament.cfg", 4},
               {"individual-16.cfg", 0},       {"handicap-meeting.cfg", 0}};
  for (const auto& c : cases) {
    const auto rows = CsvRows(std::string("-s 4 -n 500 ") + c.competition);
    ASSERT_GT(rows.size(), 5u) << c.competition;
    long teams = 0;
    for (const auto& row : rows) {
      ASSERT_EQ(row.size(), rows[0].size()) << c.competition << ": " << row[1];
      if (&row == &rows[0]) continue;
      EXPECT_EQ(row[row.size() - 3], "500");
      EXPECT_EQ(row[row.size() - 2], "4");
      teams += row[0] == "team";
    }
    EXPECT_EQ(teams, c.teams) << c.competition;
    EXPECT_EQ(rows[0].back(), "version");
  }
  const auto cup = CsvRows("-s 4 -n 500 group-stages.cfg");
  EXPECT_EQ(cup[0][8], "reach_final");
  EXPECT_EQ(cup[0][9], "reach_final_se");
}

}  // namespace
