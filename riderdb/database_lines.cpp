#include "riderdb/database_lines.h"

namespace corvane {

namespace {

bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

std::string_view LineFrom(std::string_view text, std::size_t position) {
  std::size_t end = position;
  while (end < text.size() && !IsLineEnd(text[end])) ++end;
  return text.substr(position, end - position);
}

}  // namespace

std::vector<DatabaseLine> NonEmptyLines(std::string_view text) {
  std::vector<DatabaseLine> lines;
  std::size_t position = 0;
  while (position < text.size()) {
    const std::string_view line = LineFrom(text, position);
    if (!line.empty()) lines.push_back({line, position});
    position += line.size();
    if (position < text.size() && text[position] == '\r') ++position;
    if (position < text.size() && text[position] == '\n') ++position;
  }
  return lines;
}

std::string_view LineAt(std::string_view text, std::size_t position) {
  if (position >= text.size()) return {};
  if (position > 0 && !IsLineEnd(text[position - 1])) return {};
  return LineFrom(text, position);
}

}  // namespace corvane
