#include "engine/heat_preparation.h"

namespace corvane {

// Placeholder until heat preparation lands.
void PrepareHeat(Meeting& m, MeetingHost& /*host*/, RandomSource& /*random*/) {
  m.LastPreparedLine = m.ProgLine;
}

void ClearHeatLineup(Meeting& m) {
  m.HeatGrid = {};
  m.RaceStatus = {};
  m.ReplacedNow = {};
}

}  // namespace corvane
