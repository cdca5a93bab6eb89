#include "report/text_layout.h"

#include "engine/records/characters.h"
#include "engine/records/conventions.h"

namespace corvane {

std::string Spaces(int n) {
  return n > 0 ? std::string(static_cast<std::size_t>(n), ' ') : std::string();
}

std::string Dots(int n) {
  return n > 0 ? std::string(static_cast<std::size_t>(n), '.') : std::string();
}

std::string RightAligned(std::string_view text, int width) {
  return Spaces(width - DisplayWidth(text)) + std::string(text);
}

int DecimalWidth(long value) {
  return static_cast<int>(Dec(value).size());
}

}  // namespace corvane
