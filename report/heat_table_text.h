// The heat table of the report: its heading and one line per heat run, with the finishing
// order and, in team meetings of two to four teams, dots and the score columns.
#pragma once

#include <string>

#include "engine/records/meeting.h"

namespace corvane {

void AppendHeatTable(std::string& text, const Meeting& m);

}  // namespace corvane
