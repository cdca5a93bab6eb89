// Running one heat: start procedure, four laps, incidents, re-runs, ranking and the record.
#pragma once

#include <array>
#include <string>

#include "engine/records/meeting.h"

namespace corvane {

class MeetingHost;
class RandomSource;

// Working race positions of starting places 1..8 (index 0 unused).
using RacePositions = std::array<Single, kMaxEntries + 1>;

// Runs the heat described by HeatGrid and HeatRiders.
void RunHeat(Meeting& m, MeetingHost& host, RandomSource& random);

}  // namespace corvane
