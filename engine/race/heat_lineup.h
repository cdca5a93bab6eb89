// Reading the current heat's line-up safely: every value taken from HeatGrid or the per-rider
// tables may come from a loaded meeting file or a dialog, so it is range-checked before it is
// used as an index.
#pragma once

#include <algorithm>

#include "engine/records/meeting.h"

namespace corvane {

// Starting places in use, 0..8.
inline int HeatPlaces(const Meeting& m) {
  return std::clamp<int>(m.HeatRiders, 0, kMaxEntries);
}

// A rider slot, or 0 (the unused slot, "no rider") when the value is not one.
inline int SlotOrNone(int value) {
  return IsSlot(value) ? value : 0;
}

// The rider in starting place `place` (1..8); 0 for an empty place.
inline int RiderInPlace(const Meeting& m, int place) {
  return SlotOrNone(m.HeatGrid[static_cast<std::size_t>(place)][1]);
}

// The group of a rider slot (0 for riders outside the groups).
inline int GroupOfRider(const Meeting& m, int rider) {
  const int group = m.RiderTeam[static_cast<std::size_t>(rider)];
  return group >= 0 && group <= kMaxGroups ? group : 0;
}

// True when the rider stands in one of the heat's starting places.
inline bool IsInHeat(const Meeting& m, int rider) {
  const int places = HeatPlaces(m);
  for (int place = 1; place <= places; ++place) {
    if (m.HeatGrid[static_cast<std::size_t>(place)][1] == rider) return true;
  }
  return false;
}

}  // namespace corvane
