#include "engine/records/meeting.h"

namespace corvane {

void ResizeScorecard(Meeting& m, int maxRides) {
  const auto cells = static_cast<std::size_t>(maxRides < 0 ? 0 : maxRides) + 1;
  m.Scorecard.Resize(cells);
}

Integer MarkPoints(const std::string& mark) {
  return RoundToIntegerClamped(LeadingNumber(mark));
}

}  // namespace corvane
