// The programme's command lines: switches for the heats that follow, rankings, transfers, the
// start of runoffs and of the support competition.
#pragma once

#include <string_view>

#include "engine/records/meeting.h"

namespace corvane {

class MeetingHost;
class RandomSource;

// Carries out `line` when it is a programme command (COMMAND or COMMAND-ARGUMENT, the command
// word in any case) and returns true; returns false for any other line, which is left to heat
// preparation. A command whose argument matches nothing, or which does not apply to this kind
// of meeting, does nothing but is still a command.
bool RunProgrammeCommand(Meeting& m, MeetingHost& host, RandomSource& random,
                         std::string_view line);

// Carries out a line already read and known to be a command.
void RunProgrammeCommand(Meeting& m, MeetingHost& host, RandomSource& random,
                         const ProgrammeLine& line);

}  // namespace corvane
