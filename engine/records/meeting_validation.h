// Whether a meeting's records are safe to carry on with. A meeting read from a file is outside
// input: every value that a later step uses as an array index, loop bound or size must lie in
// the range that step expects, or the meeting is refused before it replaces the one in memory.
#pragma once

#include <optional>
#include <string>

#include "engine/records/meeting.h"

namespace corvane {

// The first problem found, in words for the user; std::nullopt when the meeting is sound.
std::optional<std::string> MeetingProblem(const Meeting& m);

}  // namespace corvane
