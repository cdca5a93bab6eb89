#include "engine/race_simulation.h"

namespace corvane {

// Placeholders until the race simulation lands.
void RunHeat(Meeting& /*m*/, MeetingHost& /*host*/, RandomSource& /*random*/) {}
void ResolveFall(Meeting& /*m*/, RandomSource& /*random*/, const RacePositions& /*positions*/,
                 int /*place*/, int /*lap*/) {}

}  // namespace corvane
