// The database named on the editor's command line.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The path in the command line's argument text: trimmed, without one leading and one trailing
// double quote. Empty when no database is named.
std::string DatabaseArgument(std::string_view argument);

}  // namespace corvane
