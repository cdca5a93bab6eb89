// --forecast-each-heat: one meeting raced heat by heat, its forecast printed after every heat.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>

#include "cli/run_options.h"

namespace corvane {

// Prints "heat,team,win_chance,expected_points" rows: heat 0 is the meeting before its first
// heat (or as resumed), then one block after every heat; in an individual meeting the riders
// stand in for the teams. Returns the exit status (2 with a one-line message for bad input).
int RunForecastEachHeat(const RunOptions& options, std::uint64_t seed,
                        const std::filesystem::path& dataFolder, std::ostream& out,
                        std::ostream& err);

}  // namespace corvane
