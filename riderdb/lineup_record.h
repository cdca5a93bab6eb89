// One line-up of a rider database and its text line: a team (or a pool of individual riders)
// of up to 40 riders with averages, tagged with a competition ID.
//
// A line reads: name,ID:count,rider 1,average 1,rider 2,average 2,... with at most 82
// comma-separated fields. Averages are written on the 12-point scale with a point and two
// decimals, and held in memory divided by 12 (9.00 is held as 0.75; 0 means no average).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/records/conventions.h"

namespace corvane {

inline constexpr int kLineupRiders = 40;  // rider slots of a line-up
inline constexpr int kLineupFields = 82;  // name, ID:count, then name and average a slot
inline constexpr std::size_t kLineupNameLength = 32;
inline constexpr std::size_t kCompIdLength = 6;
inline constexpr std::size_t kRiderNameLength = 24;
inline constexpr Integer kDefaultStartingRiders = 7;
inline constexpr double kLowestFileAverage = 2.0;
inline constexpr double kHighestFileAverage = 12.0;
inline constexpr double kFileAverageScale = 12.0;

struct LineupRecord {
  std::string name;    // line-up name, at most 32 characters; may be empty
  std::string compId;  // at most 6 characters
  Integer startingRiders = kDefaultStartingRiders;        // 2..40
  std::array<std::string, kLineupRiders + 1> riderNames;  // 1..40; empty = empty slot
  std::array<Single, kLineupRiders + 1> riderAverages{};  // 1..40; file average / 12, 0 = none

  bool operator==(const LineupRecord&) const = default;
};

// The fields of one line: 83 elements, element 0 unused, 1..82 trimmed, missing ones empty.
std::vector<std::string> SplitLineupLine(std::string_view line);

// The average held for a file average field: its leading number / 12 when it lies in 2.00 to
// 12.00, otherwise 0 (no average).
Single HeldAverageOf(std::string_view field);

// The file text of a held average, "7.46" or "10.00" whatever the locale; empty when the slot
// has no average on the 2.00 to 12.00 scale.
std::string FileAverageText(Single held);

// The record a line holds, with names cut to their lengths. Nothing in a line is rejected: bad
// numbers read as 0, out-of-range averages as none, and a count outside 2..40 falls back to the
// last named slot (7 when that is below 2).
LineupRecord ParseLineupLine(std::string_view line);
LineupRecord ParseLineupFields(const std::vector<std::string>& fields);

// The line of a record, without its line end: every slot up to the count, and beyond it up to
// the last named rider, so each rider keeps his slot. A separator inside a field would shift
// every later field, so commas, line breaks and (in the ID) colons are written as blanks.
std::string LineupLine(const LineupRecord& record);

}  // namespace corvane
