// "corvane-run season ...": make a season, race its fixtures, print its table, riders and
// forecast, and carry its averages into a new rider database.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace corvane {

// `args` are the arguments after "season"; returns the exit status (2 with a one-line message
// on `err` for bad input).
int RunSeasonCommand(const std::vector<std::string>& args, const std::filesystem::path& dataFolder,
                     std::ostream& out, std::ostream& err);

}  // namespace corvane
