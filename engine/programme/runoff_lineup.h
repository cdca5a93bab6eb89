// The line-up of a runoff heat: random gates, and the participants of the current stage.
#pragma once

#include <array>

#include "engine/records/meeting.h"

namespace corvane {

class RandomSource;

// gates[k] is the starting place of the k-th participant (k = 1..places); 0 where unused.
using RunoffGates = std::array<int, kMaxEntries + 1>;

// A random order of the starting places 1..places (at most 8): each draw picks a place, and a
// place already taken is drawn again.
RunoffGates DrawRunoffGates(int places, RandomSource& random);

// Places the participants of the pending runoff's current stage into the (cleared) HeatGrid.
// A block that fits one heat races in stage 1. A larger block is split: stage 1 the upper part
// of the block, stage 2 the lower part, stage 3 the lower halves of those two heats, stage 4
// (the final) their upper halves topped up from the stage-3 heat. In a team meeting each team
// is represented by its leading scorer, on a place marked as named by standing.
void PlaceRunoffLineup(Meeting& m, const RunoffGates& gates);

}  // namespace corvane
