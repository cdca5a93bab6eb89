// Riders' season figures and the averages they give, and a rider database carrying them on.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "engine/io/result.h"
#include "season/league_table.h"
#include "season/season.h"

namespace corvane {

struct RiderFigures {
  int lineup = 0;
  std::string rider;
  int meetings = 0, rides = 0, points = 0, bonus = 0;
  // (points + bonus) * 4 / rides on the rider database's 12-point scale; 0 without rides.
  double Average() const;
};

// Every rider who rode, by line-up in season order, then highest average first.
std::vector<RiderFigures> SeasonRiderFigures(const Season& season);

std::string RiderFiguresText(const Season& season, const std::vector<RiderFigures>& riders,
                             TableFormat format);

// The season's rider database with the average of every rider who rode replaced by his season
// average (kept within the database's 2.00 to 12.00 scale); riders who did not ride keep theirs.
// Returns the database text.
Result<std::string> DatabaseWithSeasonAverages(const Season& season);

}  // namespace corvane
