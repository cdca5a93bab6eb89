// Choosing and loading the line-ups of a meeting run from the command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/io/result.h"
#include "engine/records/meeting.h"

namespace corvane {

// Fills the meeting's line-ups from the rider database: the named line-ups, once per team in
// order (one line-up of riders in an individual meeting), or else the first line-ups the
// competition's identifiers select, in database order, for the teams the programme editor
// offers line-ups to.
Status FillLineups(Meeting& m, const std::vector<std::string>& names, std::string_view database);

// Enters the riders of the named line-up for the support competition, in the slots after the
// meeting's groups.
Status FillSupportRiders(Meeting& m, const std::string& name, std::string_view database);

}  // namespace corvane
