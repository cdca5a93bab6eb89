#include "engine/records/conventions.h"

#include <cmath>
#include <limits>

namespace corvane {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  const std::size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t digitsStart = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  const std::size_t digitsEnd = i;
  bool anyDigit = i > digitsStart;
  if (i < text.size() && text[i] == '.') {
    std::size_t j = i + 1;
    while (j < text.size() && IsDigit(text[j])) ++j;
    anyDigit = anyDigit || j > i + 1;
    i = j;
  }
  if (!anyDigit) return 0.0;
  // An exponent counts only when digits follow it.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t expDigits = j;
    while (j < text.size() && IsDigit(text[j])) ++j;
    if (j > expDigits) i = j;
  }
  // A plain whole number of up to 15 digits is exact in a double: the common case (heat codes,
  // marks, counts) needs no copy and no strtod.
  if (i == digitsEnd && i - digitsStart <= 15) {
    double whole = 0;
    for (std::size_t k = digitsStart; k < i; ++k) whole = whole * 10 + (text[k] - '0');
    return text[start] == '-' ? -whole : whole;
  }
  // strtod on a bounded copy: the prefix is validated above, so the whole copy is consumed.
  const std::string prefix(text.substr(start, i - start));
  return std::strtod(prefix.c_str(), nullptr);
}

std::optional<Integer> RoundToInteger(double value) {
  if (std::isnan(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);  // default rounding mode: half to even
  if (rounded < std::numeric_limits<Integer>::min() ||
      rounded > std::numeric_limits<Integer>::max()) {
    return std::nullopt;
  }
  return static_cast<Integer>(rounded);
}

Integer RoundToIntegerClamped(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);
  if (rounded < std::numeric_limits<Integer>::min()) return std::numeric_limits<Integer>::min();
  if (rounded > std::numeric_limits<Integer>::max()) return std::numeric_limits<Integer>::max();
  return static_cast<Integer>(rounded);
}

int IntFloor(double value) {
  if (std::isnan(value)) return 0;
  const double f = std::floor(value);
  if (f < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  if (f > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(f);
}

std::string Trim(std::string_view text) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  return std::string(text.substr(b, e - b));
}

std::vector<std::string> SplitFields(std::string_view text, std::string_view separator, int count,
                                     std::string* rest) {
  std::vector<std::string> parts(static_cast<std::size_t>(count < 0 ? 0 : count) + 1);
  int taken = 0;
  while (!text.empty() && taken < count) {
    ++taken;
    const std::size_t at = separator.empty() ? std::string_view::npos : text.find(separator);
    if (at != std::string_view::npos) {
      parts[static_cast<std::size_t>(taken)] = Trim(text.substr(0, at));
      text.remove_prefix(at + separator.size());
    } else {
      parts[static_cast<std::size_t>(taken)] = Trim(text);
      text = {};
    }
  }
  if (rest != nullptr) *rest = std::string(text);
  return parts;
}

std::string Dec(long value) {
  return std::to_string(value);
}

}  // namespace corvane
