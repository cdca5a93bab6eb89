// Standings of riders and teams: the orders the programme's selectors, transfers and runoffs
// read (ScoreOrder, GroupOrder).
#pragma once

#include "engine/records/meeting.h"

namespace corvane {

// Orders each group's ranked riders in ScoreOrder by points plus bonus, best first. Ties go to
// the better place counts (runoff result first) in an individual meeting and to the higher
// average in a team meeting; riders still level keep their order. Reserves kept apart and the
// replacement slot keep their places at the end of the group.
void RankRiderScores(Meeting& m);

// Orders GroupOrder positions 1..NumTeams by team points (extra points entered for a team do
// not count), ties by the team's place counts, runoff result first.
void RankTeamScores(Meeting& m);

// The ranked positions of each group: riders 1..RankedRiders(m) of a group.
int RankedRiders(const Meeting& m);

}  // namespace corvane
