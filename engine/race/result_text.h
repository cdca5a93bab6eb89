// The text of a rider's result in a heat, shared by the status-bar summary line, the recorded
// length of a heat and the results report.
#pragma once

#include <string>

#include "engine/records/meeting.h"

namespace corvane {

// The part after the rider's name: "" for a finisher without handicap, " (metres)" for a
// finisher with one, " (mark)" or " (metres/mark)" for a rider who did not finish.
std::string ResultBracket(const Meeting& m, int code, int metres);

}  // namespace corvane
