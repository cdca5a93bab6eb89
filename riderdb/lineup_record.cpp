#include "riderdb/lineup_record.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

bool IsFileAverage(double value) {
  return value >= kLowestFileAverage && value <= kHighestFileAverage;
}

// A field is written whole or not at all: every byte that would end it early becomes a blank.
// Blanks at either end are dropped, as reading drops them.
std::string FieldText(std::string_view text, bool colonEndsField) {
  std::string out(text);
  for (char& c : out) {
    if (c == ',' || c == '\r' || c == '\n' || (colonEndsField && c == ':')) c = ' ';
  }
  return Trim(out);
}

}  // namespace

std::vector<std::string> SplitLineupLine(std::string_view line) {
  return SplitFields(line, ",", kLineupFields);
}

Single HeldAverageOf(std::string_view field) {
  const double value = LeadingNumber(field);
  return IsFileAverage(value) ? static_cast<Single>(value / kFileAverageScale) : Single{0};
}

std::string FileAverageText(Single held) {
  const double value = static_cast<double>(held) * kFileAverageScale;
  if (!std::isfinite(value) || value < 1 || value > 13) return {};
  // Rounded to whole hundredths first, so 9.999 is written 10.00 rather than 9.00, and a held
  // value a float step below 2.00 still writes 2.00.
  const long hundredths = std::lround(value * 100);
  if (hundredths < 200 || hundredths > 1200) return {};
  const long fraction = hundredths % 100;
  return Dec(hundredths / 100) + "." + (fraction < 10 ? "0" : "") + Dec(fraction);
}

LineupRecord ParseLineupFields(const std::vector<std::string>& fields) {
  LineupRecord record;
  // Missing fields read as empty.
  const auto field = [&](int i) -> std::string_view {
    const auto at = static_cast<std::size_t>(i);
    return at < fields.size() ? std::string_view(fields[at]) : std::string_view();
  };
  record.name = Left(field(1), kLineupNameLength);
  const auto idAndCount = SplitFields(field(2), ":", 2);
  record.compId = Left(idAndCount[1], kCompIdLength);

  int lastNamed = 0;
  for (int j = 1; j <= kLineupRiders; ++j) {
    const auto slot = static_cast<std::size_t>(j);
    record.riderNames[slot] = Left(field(2 * j + 1), kRiderNameLength);
    if (record.riderNames[slot].empty()) continue;
    lastNamed = j;
    record.riderAverages[slot] = HeldAverageOf(field(2 * j + 2));
  }

  const double count = LeadingNumber(idAndCount[2]);
  if (count >= 2 && count <= kLineupRiders) {
    record.startingRiders = RoundToIntegerClamped(count);
  } else {
    record.startingRiders =
        lastNamed < 2 ? kDefaultStartingRiders : static_cast<Integer>(lastNamed);
  }
  return record;
}

LineupRecord ParseLineupLine(std::string_view line) {
  return ParseLineupFields(SplitLineupLine(line));
}

std::string LineupLine(const LineupRecord& record) {
  std::string line = FieldText(record.name, false);
  line += ',';
  line += FieldText(record.compId, true);
  line += ':';
  line += Dec(record.startingRiders);
  // Slots are known by their place in the line, so an empty slot before a named one is
  // written too; only the empty slots after the count and the last named rider are left out.
  int lastWritten = std::clamp<int>(record.startingRiders, 0, kLineupRiders);
  for (int j = kLineupRiders; j > lastWritten; --j) {
    if (!record.riderNames[static_cast<std::size_t>(j)].empty()) lastWritten = j;
  }
  for (int j = 1; j <= lastWritten; ++j) {
    const auto slot = static_cast<std::size_t>(j);
    const std::string& name = record.riderNames[slot];
    line += ',';
    line += FieldText(name, false);
    line += ',';
    if (!name.empty()) line += FileAverageText(record.riderAverages[slot]);
  }
  return line;
}

}  // namespace corvane
