// What must hold in the records of any meeting the engine has run, whatever the competition and
// whatever the draws: each check works the expected value out again from the heat records or
// the scorecard, and returns one sentence per fault found (empty when the records agree).
#pragma once

#include <string>
#include <vector>

#include "engine/meeting.h"

namespace corvane::testing {

// Rides against the scorecard, race points against the marks, bonus points, team points and the
// heat score columns against the heat records, and the heat count against the programme heats.
// `marksFixed`: the programme marks were the same for every heat (no POINTS command), so the
// points of each heat can be worked out from today's marks.
std::vector<std::string> ScoringFaults(const Meeting& m, bool marksFixed = true);

// Ranks a copy of the meeting as the ranking commands do and checks that every group's riders
// and the teams stand as the tie-breaks say, each standing a rearrangement of the one before.
// The report's own order is checked the same way.
std::vector<std::string> StandingsFaults(const Meeting& m);

// The points, rides, scorecard and team points of a meeting, to compare before and after a heat
// that must not score.
struct ScoringRecords {
  SlotArray<Integer> rides{};
  SlotArray<Integer> points{};
  SlotArray<Integer> bonus{};
  SlotArray<std::string> card;  // the marks of the rides taken, one after another
  GroupArray<Integer> teamPoints{};

  bool operator==(const ScoringRecords&) const = default;
};
ScoringRecords ScoringRecordsOf(const Meeting& m);

// True when no line of the programme changes the marks.
bool MarksFixedByProgramme(const Meeting& m);

}  // namespace corvane::testing
