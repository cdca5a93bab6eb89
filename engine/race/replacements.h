// The computer's decisions for the groups it steers while a heat is being started.
#pragma once

#include "engine/records/meeting.h"

namespace corvane {

// A reserve (or the next rider of a "T" entry) for the rider in starting place SlotCursor.
void ChooseReplacement(Meeting& m);

// Rider replacement for the group's replaced rider in starting place SlotCursor.
void ConsiderRiderReplacement(Meeting& m);

// Tactical substitutes for every computer-steered group that is far enough behind.
void ChooseTacticalSubstitute(Meeting& m);

}  // namespace corvane
