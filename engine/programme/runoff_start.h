// Finding riders or teams level on points at a place that must be decided, and starting the
// runoffs that settle them.
#pragma once

#include "engine/records/meeting.h"

namespace corvane {

class MeetingHost;
class RandomSource;

// Ranks teams and riders, then records in RunoffTable every level block at the places the
// runoff rule examines (the minor position, the top three places, or both). HeatRiders is the
// size of a runoff heat; a block may fill at most two heats (one when heats have two riders).
void FindRunoffs(Meeting& m);

// FindRunoffs, then starts the first runoff: at once when the computer steers every team,
// otherwise the report is rebuilt and the first runoff waits for Continue.
void StartRunoffs(Meeting& m, MeetingHost& host, RandomSource& random);

}  // namespace corvane
