// The lines of a rider database's text with where each begins, so a line can be found again.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace corvane {

struct DatabaseLine {
  std::string_view text;  // without its line end
  std::size_t position;   // offset of its first character in the database text
};

// Lines end at CR LF, CR or LF. Empty lines are left out; nothing else is.
std::vector<DatabaseLine> NonEmptyLines(std::string_view text);

// The line that begins at `position`; empty when the position is not the start of a non-empty
// line (the text has changed since the position was taken).
std::string_view LineAt(std::string_view text, std::size_t position);

}  // namespace corvane
