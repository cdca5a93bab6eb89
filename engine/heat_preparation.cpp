#include "engine/heat_preparation.h"

#include "engine/heat_entry.h"
#include "engine/race_simulation.h"

namespace corvane {

namespace {

static_assert(std::tuple_size_v<decltype(ProgrammeLine::entries)> == kMaxEntries);

// True when `rider` already stands in one of the places before `place`. Empty places are
// skipped rather than ending the search, so a rider named after an empty place is still found.
bool StandsEarlier(const Meeting& m, int place, int rider) {
  for (int earlier = 1; earlier < place; ++earlier) {
    if (m.HeatGrid[static_cast<std::size_t>(earlier)][1] == rider) return true;
  }
  return false;
}

// Places the entries of a heat line into HeatGrid, in gate order.
void PlaceEntries(Meeting& m, const ProgrammeLine& line) {
  const bool countRides = m.ScoringOn == 1 && m.ProgLine != m.LastPreparedLine;
  for (int k = 0; k < line.entryCount; ++k) {
    const HeatLineEntry& field = line.entries[static_cast<std::size_t>(k)];
    HeatEntry entry;
    if (!ResolveHeatEntry(m, field.code, entry)) continue;

    m.HeatRiders = static_cast<Integer>(m.HeatRiders + 1);
    const int place = m.HeatRiders;
    auto& row = m.HeatGrid[static_cast<std::size_t>(place)];
    row[1] = entry.rider;
    row[2] = entry.namedPlace;
    row[3] = entry.nominatedOrHeat;
    if (entry.programmedRide && countRides) {
      auto& planned = m.PlannedRides[static_cast<std::size_t>(entry.rider)];
      planned = static_cast<Integer>(planned - 1);
    }
    if (field.metres > 0 && field.metres < 100) row[4] = RoundToIntegerClamped(field.metres);
    row[5] = HandicapOf(m, entry.rider);
    // A rider named twice rides once: the later place stays empty.
    if (entry.rider != 0 && StandsEarlier(m, place, entry.rider)) row[1] = 0;
  }
}

}  // namespace

void PrepareHeat(Meeting& m, MeetingHost& host, RandomSource& random) {
  if (m.ProgLine >= 1 && m.ProgLine <= m.ProgrammeLineCount()) {
    const auto at = static_cast<std::size_t>(m.ProgLine);
    PrepareHeatLine(m, m.ReadLines.Line(m.ProgLine, m.ProgrammeLines[at]), host, random);
  } else {
    m.LastPreparedLine = m.ProgLine;
  }
}

void PrepareHeatLine(Meeting& m, const ProgrammeLine& line, MeetingHost& host,
                     RandomSource& random) {
  if (line.heat) {
    ClearHeatLineup(m);
    m.HeatRiders = 0;
    if (line.labelNumber != m.HeatCount + 1) {
      m.HeatTitle = line.title;
    } else {
      m.HeatTitle.clear();
    }
    PlaceEntries(m, line);

    if (m.MeetingState == kHeatDecided) {
      // The previous heat still has to be reported: wait here, race this one on Continue.
      m.MeetingState = kWaitForUser;
    } else if (m.HeatRiders > 1 && m.HeatCount < kMaxHeats) {
      RunHeat(m, host, random);
    }
  }
  m.LastPreparedLine = m.ProgLine;
}

void ClearHeatLineup(Meeting& m) {
  m.HeatGrid = {};
  m.RaceStatus = {};
  m.ReplacedNow = {};
}

}  // namespace corvane
