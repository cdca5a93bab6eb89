// One meeting from the command line, from its competition file (or a meeting file) to its report.
#pragma once

#include <filesystem>
#include <iosfwd>

#include "cli/run_options.h"

namespace corvane {

// Runs the meeting the options describe and writes its report; returns the exit status (0, or
// 2 with a one-line message on `err` for bad input).
int RunSingleMeeting(const RunOptions& options, std::uint64_t seed,
                     const std::filesystem::path& dataFolder, std::ostream& out, std::ostream& err);

}  // namespace corvane
