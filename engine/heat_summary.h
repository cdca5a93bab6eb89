// The one-line summary of a heat shown in the main window's status bar.
#pragma once

#include <string>

#include "engine/meeting.h"

namespace corvane {

// "Heat 7:  Smith, Jones (10), Brown (R), Green (15/Fx)": the named riders of the heat's record
// in rank order, or "Heat 7:  Race not held" when none of them has a name.
std::string HeatSummaryLine(const Meeting& m, int heat);

}  // namespace corvane
