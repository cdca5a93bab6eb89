#include "engine/programme/runoffs.h"

#include <algorithm>

#include "engine/programme/runoff_lineup.h"
#include "engine/race/heat_preparation.h"
#include "engine/race/race_simulation.h"

namespace corvane {

namespace {

inline constexpr Integer kNoReserves = 7;  // reserve use: none of the three events

// The programme switches a runoff heat turns off for itself.
struct SuspendedSwitches {
  Integer scoringOn;
  Integer tacSubsNow;
  Integer rdrRepNow;
  Integer resUseNow;
};

bool IsRunoffRow(int row) {
  return row >= 1 && row <= 3;
}

// A row that can be raced: a block of two or more standings positions.
bool RowIsRaceable(const Meeting& m, int row) {
  const auto& entry = m.RunoffTable[static_cast<std::size_t>(row)];
  return entry[1] >= 1 && entry[2] >= 2 && entry[1] + entry[2] - 1 <= kMaxSlots;
}

void CompleteRunoff(Meeting& m) {
  if (m.RunoffsPending < m.RunoffTable[0][0] && IsRunoffRow(m.RunoffsPending + 1)) {
    ++m.RunoffsPending;
    m.RunoffStage = 1;
  } else {
    m.RunoffsPending = 0;
  }
}

// The riders of `heat` in finishing order get base - 1, base - 2, ... as their (and their
// team's) runoff result.
void WriteTieBreak(Meeting& m, int heat, int base) {
  if (heat < 1 || heat > kMaxHeats) return;
  const auto& record = m.HeatResults[static_cast<std::size_t>(heat)];
  const int recorded = std::clamp<int>(record[0][2], 0, kMaxEntries);
  for (int e = 1; e <= recorded; ++e) {
    const int slot = record[static_cast<std::size_t>(e)][1];
    if (!IsSlot(slot)) continue;
    const auto value = static_cast<Integer>(base - e);
    m.PlaceCounts[static_cast<std::size_t>(slot)][0] = value;
    const int team = m.RiderTeam[static_cast<std::size_t>(slot)];
    if (team >= 0 && team <= kMaxGroups)
      m.GroupPlaceCounts[static_cast<std::size_t>(team)][0] = value;
  }
}

}  // namespace

std::string OrdinalPlace(int place) {
  const int lastTwo = place % 100;
  const char* suffix = "th";
  if (lastTwo < 11 || lastTwo > 13) {
    switch (place % 10) {
      case 1:
        suffix = "st";
        break;
      case 2:
        suffix = "nd";
        break;
      case 3:
        suffix = "rd";
        break;
      default:
        break;
    }
  }
  return Dec(place) + suffix;
}

std::string RunoffTitle(const Meeting& m) {
  if (m.NumTeams == 2) return "Runoff";
  if (!IsRunoffRow(m.RunoffsPending)) return "Runoff";
  const auto& row = m.RunoffTable[static_cast<std::size_t>(m.RunoffsPending)];
  return Left("Runoff for " + OrdinalPlace(row[1]) + "-" + OrdinalPlace(row[1] + row[2] - 1), 20);
}

void RecordRunoffHeat(Meeting& m) {
  if (!IsRunoffRow(m.RunoffsPending)) {
    m.RunoffsPending = 0;
    return;
  }
  const int size = m.RunoffTable[static_cast<std::size_t>(m.RunoffsPending)][2];
  if (size <= m.HeatRiders) {
    WriteTieBreak(m, m.HeatCount, m.HeatRiders);
    CompleteRunoff(m);
  } else if (m.RunoffStage < 4) {
    ++m.RunoffStage;
  } else {
    // The final orders its riders; the others follow in their order of the stage-3 heat.
    WriteTieBreak(m, m.HeatCount - 1, m.HeatRiders);
    WriteTieBreak(m, m.HeatCount, 2 * m.HeatRiders);
    CompleteRunoff(m);
  }
  if (m.MainHeats > 0) ++m.MainHeats;  // the runoff belongs to the meeting it decides
}

void RunRunoff(Meeting& m, MeetingHost& host, RandomSource& random) {
  const SuspendedSwitches saved{m.ScoringOn, m.TacSubsNow, m.RdrRepNow, m.ResUseNow};
  const bool individual = m.NumTeams == 1;
  m.ScoringOn = 0;
  m.TacSubsNow = 0;
  m.RdrRepNow = 0;
  if (individual) m.ResUseNow = kNoReserves;

  while (IsRunoffRow(m.RunoffsPending)) {
    if (!RowIsRaceable(m, m.RunoffsPending)) {
      CompleteRunoff(m);
      continue;
    }
    m.HeatTitle = RunoffTitle(m);
    // While the runner waits for the user, the line-up he left stands.
    if (m.MeetingState != kWaitForUser) {
      const RunoffGates gates = DrawRunoffGates(m.HeatRiders, random);
      ClearHeatLineup(m);
      PlaceRunoffLineup(m, gates);
    }
    if (m.HeatCount < kMaxHeats) {
      RunHeat(m, host, random);
      if (m.MeetingState == kWaitForUser) break;  // stopped by the user: nothing recorded
      RecordRunoffHeat(m);
      // With a player-controlled team each runoff heat waits for Continue, unless it was the
      // meeting's last heat: then the runoffs left are given up at once, as the computer would.
      if (m.ControlMode == 1 && m.HeatCount < kMaxHeats) break;
    } else {
      CompleteRunoff(m);  // no heat left in the meeting: given up, the next one is taken
    }
  }
  if (!IsRunoffRow(m.RunoffsPending)) m.RunoffsPending = 0;

  m.ScoringOn = saved.scoringOn;
  m.TacSubsNow = saved.tacSubsNow;
  m.RdrRepNow = saved.rdrRepNow;
  if (individual) m.ResUseNow = saved.resUseNow;
}

}  // namespace corvane
