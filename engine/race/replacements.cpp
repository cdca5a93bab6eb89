#include "engine/race/replacements.h"

#include <array>

#include "engine/race/heat_lineup.h"
#include "engine/race/heat_scoring.h"

namespace corvane {

namespace {

// A short list of rider slots, in order of preference.
struct Candidates {
  std::array<int, kMaxSlots + 1> rider{};
  int count = 0;

  void Add(int slot) {
    if (count < kMaxSlots + 1) rider[static_cast<std::size_t>(count++)] = slot;
  }
};

// The rider at average position k of group g (strongest first), or 0 when there is none.
int ByAverage(const Meeting& m, int group, int k) {
  if (k < 1 || k > m.NumRiders) return 0;
  const int slot = RiderSlot(m, group, k);
  return IsSlot(slot) ? SlotOrNone(m.AverageOrder[static_cast<std::size_t>(slot)]) : 0;
}

Single AverageOf(const Meeting& m, int rider) {
  return m.RiderAverage[static_cast<std::size_t>(rider)];
}

// Reserve positions of a group: the last NumReserves main positions before the replacement
// slot; when the group's replaced rider stands among them, one more and no replacement slot.
struct ReservePositions {
  int first = 0;
  int last = -1;
};
ReservePositions ReservesOf(const Meeting& m, int group) {
  int reserves = m.NumReserves;
  int replacementSlot = m.RdrRepSlot;
  if (m.GroupReplacement[static_cast<std::size_t>(group)][2] >
      m.NumRiders - m.NumReserves - m.RdrRepSlot) {
    reserves = m.NumReserves + 1;
    replacementSlot = 0;
  }
  return {m.NumRiders - reserves - replacementSlot + 1, m.NumRiders - replacementSlot};
}

// Where the computer looks for a rider to take starting place `place`: the riders behind a
// "T" entry's place, or the group's reserves.
Candidates ReplacementCandidates(const Meeting& m, int place, int rider, bool& namedPlace) {
  Candidates list;
  const auto& row = m.HeatGrid[static_cast<std::size_t>(place)];
  const int fromPlace = row[2];
  const int heat = row[3];
  namedPlace = fromPlace != 0;
  if (fromPlace != 0 && heat != 0) {
    // The riders placed behind him in that heat.
    if (heat < 1 || heat > kMaxHeats) return list;
    const HeatRecord& record = m.HeatResults[static_cast<std::size_t>(heat)];
    for (int e = std::max(fromPlace, 1); e <= kMaxEntries; ++e) {
      list.Add(SlotOrNone(record[static_cast<std::size_t>(e)][1]));
    }
    return list;
  }
  if (fromPlace != 0) {
    // The riders standing behind him in his group.
    int group = GroupOfRider(m, rider);
    if (group == 0 && m.NumGroups == 1) group = 1;
    if (group == 0) return list;
    for (int k = std::max(fromPlace, 1); k <= m.NumRiders; ++k) {
      const int slot = RiderSlot(m, group, k);
      if (IsSlot(slot)) list.Add(SlotOrNone(m.ScoreOrder[static_cast<std::size_t>(slot)]));
    }
    return list;
  }
  if (rider == 0 || m.NumReserves < 1 || m.SupportMode) return list;
  const int group = GroupOfRider(m, rider);
  const int extra = m.GroupReplacement[static_cast<std::size_t>(group)][2] >
                            m.NumRiders - m.NumReserves - m.RdrRepSlot
                        ? 1
                        : 0;
  const int firstReserve = m.NumRiders - m.NumReserves - m.RdrRepSlot;
  for (int k = 1; k <= m.NumReserves + extra; ++k) {
    if (m.NumGroups >= 2 && m.ResMode == 2) {
      const int trackReserve = m.NumGroups * m.NumRiders + k;  // slots after the last group
      if (IsSlot(trackReserve)) list.Add(trackReserve);
    } else if (group != 0) {
      // Only positions within the group: never a rider of the next group.
      if (const int reserve = ByAverage(m, group, firstReserve + k); reserve != 0) {
        list.Add(reserve);
      }
    }
  }
  return list;
}

// Stable ordering by rides taken, fewest first: equal counts keep their order.
void OrderByRidesTaken(const Meeting& m, Candidates& list) {
  for (int i = 1; i < list.count; ++i) {
    const int rider = list.rider[static_cast<std::size_t>(i)];
    const int rides = m.RidesTaken[static_cast<std::size_t>(rider)];
    int j = i;
    while (j > 0 &&
           m.RidesTaken[static_cast<std::size_t>(list.rider[static_cast<std::size_t>(j - 1)])] >
               rides) {
      list.rider[static_cast<std::size_t>(j)] = list.rider[static_cast<std::size_t>(j - 1)];
      --j;
    }
    list.rider[static_cast<std::size_t>(j)] = rider;
  }
}

// The computer's tactical substitutes for group t, already known to be steered by it.
void SubstituteForGroup(Meeting& m, int team) {
  const int teamPoints = m.GroupPoints[static_cast<std::size_t>(team)];
  // Only a team trailing another by the margin substitutes: when no group at all leads it by
  // that much (most heats), there is nothing to look at.
  bool trails = false;
  for (int group = 1; group <= kMaxGroups; ++group) {
    trails =
        trails || m.GroupPoints[static_cast<std::size_t>(group)] - teamPoints >= m.TacSubMargin;
  }
  if (!trails) return;

  const int places = HeatPlaces(m);
  std::array<int, kMaxEntries> listed{};
  int count = 0;
  bool mayUse = false;
  for (int place = 1; place <= places; ++place) {
    const int rider = RiderInPlace(m, place);
    const int group = GroupOfRider(m, rider);
    if (group == team) {
      if (count < 4) listed[static_cast<std::size_t>(count++)] = place;
    } else if (group != 0 &&
               m.GroupPoints[static_cast<std::size_t>(group)] - teamPoints >= m.TacSubMargin) {
      mayUse = true;
    }
  }
  if (!mayUse || count == 0) return;

  // Weakest first (a stable ordering by average).
  for (int i = 1; i < count; ++i) {
    const int place = listed[static_cast<std::size_t>(i)];
    const Single average = AverageOf(m, RiderInPlace(m, place));
    int j = i;
    while (j > 0 &&
           AverageOf(m, RiderInPlace(m, listed[static_cast<std::size_t>(j - 1)])) > average) {
      listed[static_cast<std::size_t>(j)] = listed[static_cast<std::size_t>(j - 1)];
      --j;
    }
    listed[static_cast<std::size_t>(j)] = place;
  }

  const ReservePositions reserves = ReservesOf(m, team);
  const int strongest = m.NumRiders - m.NumRiders / 2;
  for (int i = 0; i < count; ++i) {
    const int place = listed[static_cast<std::size_t>(i)];
    const int rider = RiderInPlace(m, place);
    if (NeedsRides(m, rider)) continue;
    if (m.TacSubsNow == 1) {
      // Restricted: only a rider outside the group's stronger half may be substituted.
      bool amongStrongest = false;
      for (int k = 1; k <= strongest; ++k) {
        const int c = ByAverage(m, team, k);
        if (c != 0 && c == rider && AverageOf(m, c) > 0) amongStrongest = true;
      }
      if (amongStrongest) continue;
    }
    const Single average = AverageOf(m, rider);
    for (int k = 1; k <= m.NumRiders; ++k) {
      if (k >= reserves.first && k <= reserves.last) continue;
      const int c = ByAverage(m, team, k);
      if (c == 0 || AverageOf(m, c) <= average) continue;
      if (m.TacSubRides[static_cast<std::size_t>(c)] != 0 || IsInHeat(m, c)) continue;
      auto& row = m.HeatGrid[static_cast<std::size_t>(place)];
      row[1] = static_cast<Integer>(c);
      row[5] = HandicapOf(m, c);  // he starts from his own mark, as every substitute does
      m.TacSubRides[static_cast<std::size_t>(c)] = 1;
      break;
    }
  }
}

// The starting place being started, or 0 when SlotCursor is not a place of the heat.
int PlaceBeingStarted(const Meeting& m) {
  return m.SlotCursor >= 1 && m.SlotCursor <= HeatPlaces(m) ? m.SlotCursor : 0;
}

}  // namespace

void ChooseReplacement(Meeting& m) {
  const int place = PlaceBeingStarted(m);
  if (place == 0) return;
  const int rider = RiderInPlace(m, place);
  if (NeedsRides(m, rider)) return;  // he still needs rides: he keeps his place

  bool namedPlace = false;
  Candidates list = ReplacementCandidates(m, place, rider, namedPlace);
  OrderByRidesTaken(m, list);
  for (int i = 0; i < list.count; ++i) {
    const int c = list.rider[static_cast<std::size_t>(i)];
    const auto s = static_cast<std::size_t>(c);
    if (c == 0 || m.RiderAverage[s] <= 0) continue;
    if (!namedPlace && m.RidesTaken[s] + m.PlannedRides[s] >= m.MaxRidesRes) continue;
    if (m.ReplacedNow[s] != 0 || IsInHeat(m, c)) continue;

    m.ReplacedNow[static_cast<std::size_t>(rider)] = 1;
    auto& row = m.HeatGrid[static_cast<std::size_t>(place)];
    row[1] = static_cast<Integer>(c);
    row[5] = HandicapOf(m, c);
    m.SlotCursor = static_cast<Integer>(place - 1);  // the new rider's start is drawn next
    return;
  }
}

void ConsiderRiderReplacement(Meeting& m) {
  const int place = PlaceBeingStarted(m);
  if (place == 0) return;
  const int rider = RiderInPlace(m, place);
  const int team = GroupOfRider(m, rider);
  const auto& replacement = m.GroupReplacement[static_cast<std::size_t>(team)];
  if (rider == 0 || replacement[1] != rider) return;

  const int position = replacement[2];
  const int firstCandidate = position <= m.RdrRepUse ? 1 : position - m.RdrRepUse;
  const int mainRiders = m.NumRiders - m.NumReserves - m.RdrRepSlot;
  for (int k = firstCandidate; k <= mainRiders; ++k) {
    const int c = ByAverage(m, team, k);
    const auto s = static_cast<std::size_t>(c);
    if (c == 0 || m.RdrRepRides[s] != 0 || m.RiderAverage[s] <= 0 || IsInHeat(m, c)) continue;
    auto& row = m.HeatGrid[static_cast<std::size_t>(place)];
    row[1] = static_cast<Integer>(c);
    row[5] = HandicapOf(m, c);
    m.RdrRepRides[s] = 1;
    return;
  }
}

void ChooseTacticalSubstitute(Meeting& m) {
  const int groups = std::min<int>(m.NumGroups, kMaxGroups);
  for (int team = 1; team <= groups; ++team) {
    if (m.TeamControl[static_cast<std::size_t>(team)] == 0) SubstituteForGroup(m, team);
  }
}

}  // namespace corvane
