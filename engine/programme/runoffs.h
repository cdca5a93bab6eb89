// Runoff heats: riders or teams level at a place that matters race it out, without scoring,
// and the result becomes the tie-break of the next ranking.
#pragma once

#include <string>

#include "engine/records/meeting.h"

namespace corvane {

class MeetingHost;
class RandomSource;

// Runs the pending runoff's next heat; with the computer steering every team, every pending
// runoff heat in turn. Scoring, tactical substitutes and rider replacement are off for the
// heat (and reserves too in an individual meeting) and are restored afterwards. A heat that
// would exceed the meeting's 40 heats is not raced: its runoff is given up without a tie-break
// and the next one is taken.
void RunRunoff(Meeting& m, MeetingHost& host, RandomSource& random);

// A place written with its ordinal suffix: 1st, 2nd, 3rd, 4th, 11th, 21st.
std::string OrdinalPlace(int place);

// Title of the pending runoff's heats: "Runoff" in a two-team match, otherwise the places it
// decides, such as "Runoff for 2nd-3rd".
std::string RunoffTitle(const Meeting& m);

// Records the outcome of the runoff heat just raced (HeatResults of HeatCount): the tie-break
// once the block is settled, otherwise the next stage; then moves to the next runoff when this
// one is complete.
void RecordRunoffHeat(Meeting& m);

}  // namespace corvane
