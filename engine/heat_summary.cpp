#include "engine/heat_summary.h"

#include "engine/result_text.h"

namespace corvane {

std::string HeatSummaryLine(const Meeting& m, int heat) {
  std::string line = "Heat ";
  if (heat < 0 || heat > kMaxHeats) return line + Dec(heat) + ":  Race not held";
  const HeatRecord& record = m.HeatResults[static_cast<std::size_t>(heat)];
  // The recorded length is the length of the results text plus 2.
  line.reserve(line.size() + 4 + 3 +
               static_cast<std::size_t>(record[0][1] > 0 ? record[0][1] : 13));
  line += Dec(heat);
  line += ":  ";
  if (record[0][1] == 0) {
    line += "Race not held";
    return line;
  }
  for (int entry = 1; entry <= kMaxEntries; ++entry) {
    const auto& result = record[static_cast<std::size_t>(entry)];
    const int rider = result[1];
    if (!IsSlot(rider)) continue;
    const std::string& name = m.RiderName[static_cast<std::size_t>(rider)];
    if (name.empty()) continue;
    if (entry > 1) line += ", ";
    line += name;
    line += ResultBracket(m, result[2], result[3]);
  }
  return line;
}

}  // namespace corvane
