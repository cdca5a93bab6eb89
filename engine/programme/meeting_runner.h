// Running a meeting: the programme line by line, single races outside it, and the start of the
// support competition.
#pragma once

#include "engine/records/meeting.h"

namespace corvane {

class MeetingHost;
class RandomSource;

// Runs programme lines from ProgLine on (pending runoff heats first) until the meeting waits
// for the user (MeetingState 2) or is over (3). Commands change the switches for the heats that
// follow; any other line goes to heat preparation. The meeting ends after its last line or its
// 40th heat; a meeting already over is left alone.
void RunProgramme(Meeting& m, MeetingHost& host, RandomSource& random);

// One race outside the programme (scratch racing, or a race after the meeting), lined up in the
// heat manager. Races after the main meeting do not score. Nothing is run once the meeting has
// had 40 heats.
void RunSingleRace(Meeting& m, MeetingHost& host, RandomSource& random);

// Starts the support competition after the main meeting has ended at its support line: the
// support riders are entered in the programme editor when there are any, then the remaining
// lines run without scoring, tactical substitutes or rider replacement (until a command
// switches them on).
void StartSupportCompetition(Meeting& m, MeetingHost& host, RandomSource& random);

}  // namespace corvane
