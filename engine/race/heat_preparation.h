// Turning a heat line of the programme into the line-up of the current heat.
#pragma once

#include "engine/records/meeting.h"

namespace corvane {

class MeetingHost;
class RandomSource;

// Prepares the heat line ProgrammeLines[ProgLine] into HeatGrid and, when the meeting may go
// on, runs the heat. Lines that are not heats have no effect.
void PrepareHeat(Meeting& m, MeetingHost& host, RandomSource& random);

// The same for ProgrammeLines[ProgLine] already read: `line` must be that line, read by
// m.ReadLines.
void PrepareHeatLine(Meeting& m, const ProgrammeLine& line, MeetingHost& host,
                     RandomSource& random);

// Clears the current heat's line-up: HeatGrid, RaceStatus and ReplacedNow.
void ClearHeatLineup(Meeting& m);

}  // namespace corvane
