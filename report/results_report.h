// The results report: a fixed-pitch text rebuilt in full from the meeting records.
#pragma once

#include <string>

#include "engine/records/meeting.h"

namespace corvane {

class MeetingHost;

// The whole report, CRLF line ends.
std::string WriteResults(const Meeting& m);

// Rebuilds the report, hands it to the host and refreshes the Meeting menu.
void RefreshResults(const Meeting& m, MeetingHost& host);

}  // namespace corvane
