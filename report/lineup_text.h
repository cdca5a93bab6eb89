// The line-up part of the report: one block per group (team), riders with their ride-by-ride
// scores and totals, then the track reserves.
#pragma once

#include <string>

#include "engine/records/meeting.h"
#include "report/report_ranking.h"

namespace corvane {

// Appends every line-up block; nothing when the scorecard has no ride columns.
void AppendLineups(std::string& text, const Meeting& m, const ReportOrder& order);

}  // namespace corvane
