// A league season: its competition, the line-ups taking part, the league rules, the fixtures and
// the result of every fixture raced so far. Names are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

struct LeagueRules {
  int win = 3, draw = 1, loss = 0;  // match points for a result
  // One point to the line-up with the higher total over a home-and-away pair.
  bool aggregateBonus = false;
};

struct Fixture {
  int number = 0;  // from 1, the order they are raced in
  int round = 0;
  int home = 0, away = 0;  // indexes into Season::lineups
};

// One rider's part in a fixture.
struct RiderRides {
  int lineup = 0;  // index into Season::lineups
  std::string rider;
  int rides = 0, points = 0, bonus = 0;
};

struct FixtureResult {
  int fixture = 0;  // Fixture::number
  int homeScore = 0, awayScore = 0;
  std::string report;  // the meeting's text report
  std::vector<RiderRides> riders;
};

struct Season {
  std::string competition;  // path of the competition file
  std::string database;     // the rider database's bytes the line-ups come from
  std::vector<std::string> lineups;
  LeagueRules rules;
  std::uint64_t seed = 1;  // each fixture's meeting is seeded from it and its number
  std::vector<Fixture> fixtures;
  std::vector<FixtureResult> results;  // in the order they were raced

  const FixtureResult* ResultOf(int fixtureNumber) const;
  // The first fixture not yet raced; nullptr when the season is over.
  const Fixture* NextFixture() const;
};

}  // namespace corvane
