#include "season/fixtures.h"

#include <algorithm>
#include <string>

namespace corvane {

std::vector<Fixture> DoubleRoundRobin(int lineups) {
  std::vector<Fixture> fixtures;
  if (lineups < 2) return fixtures;
  // The circle method: position 0 stays, the others turn one place a round; -1 sits out.
  std::vector<int> circle;
  for (int i = 0; i < lineups; ++i) circle.push_back(i);
  if (lineups % 2 != 0) circle.push_back(-1);
  const int n = static_cast<int>(circle.size());
  std::vector<std::vector<std::pair<int, int>>> rounds;
  for (int round = 0; round < n - 1; ++round) {
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < n / 2; ++i) {
      int home = circle[static_cast<std::size_t>(i)];
      int away = circle[static_cast<std::size_t>(n - 1 - i)];
      // Alternate who is at home so no line-up has all its first-half meetings away.
      if ((i == 0 && round % 2 != 0) || (i != 0 && i % 2 != 0)) std::swap(home, away);
      if (home >= 0 && away >= 0) pairs.emplace_back(home, away);
    }
    rounds.push_back(std::move(pairs));
    std::rotate(circle.begin() + 1, circle.end() - 1, circle.end());
  }
  int number = 0;
  for (int half = 0; half < 2; ++half) {
    for (std::size_t r = 0; r < rounds.size(); ++r) {
      for (const auto& [home, away] : rounds[r]) {
        Fixture fixture;
        fixture.number = ++number;
        fixture.round = static_cast<int>(r) + 1 + half * (n - 1);
        fixture.home = half == 0 ? home : away;
        fixture.away = half == 0 ? away : home;
        fixtures.push_back(fixture);
      }
    }
  }
  return fixtures;
}

namespace {

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return std::string(text.substr(first, last - first + 1));
}

int IndexOf(const std::vector<std::string>& lineups, const std::string& name) {
  const auto it = std::find(lineups.begin(), lineups.end(), name);
  return it == lineups.end() ? -1 : static_cast<int>(it - lineups.begin());
}

}  // namespace

Result<std::vector<Fixture>> ParseFixtureList(std::string_view text,
                                              const std::vector<std::string>& lineups) {
  if (text.size() > kMaxFixtureListBytes) return Error{"The fixture list is too large"};
  std::vector<Fixture> fixtures;
  int lineNumber = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string line = Trimmed(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    if (line.empty() || line[0] == '#') continue;
    const auto comma = line.find(',');
    const std::string where = "fixture list line " + std::to_string(lineNumber);
    if (comma == std::string::npos) return Error{where + ": expected \"home,away\""};
    const int home = IndexOf(lineups, Trimmed(std::string_view(line).substr(0, comma)));
    const int away = IndexOf(lineups, Trimmed(std::string_view(line).substr(comma + 1)));
    if (home < 0 || away < 0) return Error{where + ": not a line-up of the season"};
    if (home == away) return Error{where + ": a line-up cannot meet itself"};
    if (static_cast<int>(fixtures.size()) >= kMaxFixtures) {
      return Error{"The fixture list has more than " + std::to_string(kMaxFixtures) + " fixtures"};
    }
    Fixture fixture;
    fixture.number = static_cast<int>(fixtures.size()) + 1;
    fixture.round = fixture.number;
    fixture.home = home;
    fixture.away = away;
    fixtures.push_back(fixture);
  }
  if (fixtures.empty()) return Error{"The fixture list holds no fixtures"};
  return fixtures;
}

}  // namespace corvane
