#include "engine/heat_scoring.h"

namespace corvane {

// Placeholders until scoring lands.
void ScoreHeat(Meeting& /*m*/) {}
void AwardBonusPoints(Meeting& /*m*/) {}
void UpdateTeamScores(Meeting& /*m*/) {}
bool NeedsRides(const Meeting& /*m*/, int /*slot*/) {
  return false;
}

}  // namespace corvane
