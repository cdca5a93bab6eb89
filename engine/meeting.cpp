#include "engine/meeting.h"

namespace corvane {

int RiderSlot(const Meeting& m, int group, int rider) {
  if (group == 0) return 0;
  return (group - 1) * m.NumRiders + rider;
}

Integer HandicapOf(const Meeting& m, int slot) {
  if (m.HandicapOn != 1 || !IsSlot(slot)) return 0;
  const int code = m.HandicapCode[static_cast<std::size_t>(slot)];
  // A finisher who beat b riders gets entry b + 1; everybody else the first entry.
  if (code >= 9 && code <= 16) return m.Handicaps[static_cast<std::size_t>(code - 8)];
  return m.Handicaps[1];
}

void ResizeScorecard(Meeting& m, int maxRides) {
  const auto cells = static_cast<std::size_t>(maxRides < 0 ? 0 : maxRides) + 1;
  for (auto& row : m.Scorecard) row.resize(cells);
}

Integer MarkPoints(const std::string& mark) {
  return RoundToIntegerClamped(LeadingNumber(mark));
}

}  // namespace corvane
