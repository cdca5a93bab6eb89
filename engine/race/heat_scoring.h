// Scoring a decided heat: scorecard marks, rides, points, place counts, bonus and team points.
#pragma once

#include "engine/records/meeting.h"

namespace corvane {

void ScoreHeat(Meeting& m);
void AwardBonusPoints(Meeting& m);
void UpdateTeamScores(Meeting& m);

// True while the rider in `slot` still has to be given rides to reach MinRides.
bool NeedsRides(const Meeting& m, int slot);

}  // namespace corvane
