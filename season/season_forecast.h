// Who wins the league: the fixtures still to race raced many times under computer control, and
// each line-up's chance of each final position that comes of it.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/io/result.h"
#include "season/league_table.h"
#include "season/season.h"

namespace corvane {

struct PositionChances {
  int lineup = 0;
  std::string name;
  std::vector<double> chance;  // [position - 1], 0..1
  double expectedPoints = 0;   // final league points
};

struct SeasonForecast {
  long runs = 0;
  int fixturesLeft = 0;
  std::vector<PositionChances> lineups;  // in the order of the table as it stands
};

// Races the rest of the season `runs` times from `seed` on `threads` threads (0: every core).
// The same seed gives the same forecast on any number of threads. `done` counts the finished
// runs; setting `cancel` stops every thread at its next run, and the forecast fails.
Result<SeasonForecast> ForecastSeason(const Season& season, long runs, int threads,
                                      std::uint64_t seed, std::atomic<long>* done = nullptr,
                                      const std::atomic<bool>* cancel = nullptr);

std::string SeasonForecastText(const SeasonForecast& forecast, TableFormat format);

}  // namespace corvane
