// A player who steers heats through the heat manager's model, making random legal choices.
#pragma once

#include <string>

#include "engine/race/random_source.h"
#include "engine/records/meeting.h"

namespace corvane::testing {

// Decides the heat in hand as a person at the heat manager might: substitutes of every kind
// offered, withdrawals and resets, starters and handicaps in scratch racing, now and then a
// Cancel before the start, and keeping or replacing a rider after an incident at the start.
// Returns a fault when the window offered something it must not (a way to a rider in two
// places), or "".
std::string PlayHeat(Meeting& m, Pcg32Random& draws);

}  // namespace corvane::testing
