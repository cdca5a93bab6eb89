// The meeting file named on corvane's command line.
#pragma once

#include <string>
#include <vector>

namespace corvane {

// The file named by the first argument, trimmed. The launcher has already split the command
// line at its blanks, keeping a quoted path whole, so a path with blanks in it stays whole.
std::string CommandFileFrom(const std::vector<std::string>& arguments);

// True when the name ends in ".mtg", in any case: such a file is resumed at start-up.
bool IsMeetingFileName(const std::string& name);

}  // namespace corvane
