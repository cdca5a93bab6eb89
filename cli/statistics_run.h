// --runs: a meeting set up once and raced many times, its statistics printed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>

#include "cli/run_options.h"

namespace corvane {

// Returns the exit status (0, or 2 with a one-line message on `err` for bad input). Shows a
// progress bar on `err` when `showProgress` and the runs take more than a second.
int RunStatistics(const RunOptions& options, std::uint64_t seed,
                  const std::filesystem::path& dataFolder, std::ostream& out, std::ostream& err,
                  bool showProgress);

}  // namespace corvane
