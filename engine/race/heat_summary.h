// The one-line summary of a heat shown in the main window's status bar.
#pragma once

#include <string>

#include "engine/records/meeting.h"

namespace corvane {

class MeetingHost;

// "Heat 7:  Smith, Jones (10), Brown (R), Green (15/Fx)": the named riders of the heat's record
// in rank order, or "Heat 7:  Race not held" when none of them has a name.
std::string HeatSummaryLine(const Meeting& m, int heat);

// Shows the heat's summary line in the host's status bar. A line of ordinary length is built
// without allocating.
void ShowHeatSummary(const Meeting& m, int heat, MeetingHost& host);

}  // namespace corvane
