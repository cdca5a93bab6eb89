#include "engine/race/heat_preparation.h"

#include "engine/race/heat_entry.h"
#include "engine/race/race_simulation.h"

namespace corvane {

void PrepareHeat(Meeting& m, MeetingHost& host, RandomSource& random) {
  if (m.ProgLine >= 1 && m.ProgLine <= m.ProgrammeLineCount()) {
    PrepareHeatLine(m, m.ReadLines.Line(m.ProgrammeLines, m.ProgLine), host, random);
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
    PlaceHeatEntries(m, line);

    if (m.HeatRiders < 2 || m.HeatCount >= kMaxHeats) {
      // No heat to race here: the runner moves on. A wait left at this line (a meeting file
      // written by an earlier version) would otherwise bring it back at every Continue.
      if (m.MeetingState == kWaitForUser) m.MeetingState = kRunOn;
    } else if (m.MeetingState == kHeatDecided) {
      // The previous heat still has to be reported: wait here, race this one on Continue.
      m.MeetingState = kWaitForUser;
    } else {
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
