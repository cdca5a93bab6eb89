// Competitions made for the player soak from the bundled ones, holding what those rarely reach:
// heat lines that cannot be raced, a keyword value with a ":" in it, commands as the last
// lines, runoffs, transfers into a final stage and a support competition near the 40th heat.
#pragma once

#include <filesystem>
#include <vector>

namespace corvane::testing {

// Writes the competitions into `folder` (created when missing) and returns their paths.
std::vector<std::filesystem::path> WriteAwkwardCompetitions(const std::filesystem::path& folder);

}  // namespace corvane::testing
