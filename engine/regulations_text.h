// A plain-text summary of a meeting's regulations and programme, for terminals and logs.
#pragma once

#include <string>

#include "engine/meeting.h"

namespace corvane {

std::string RegulationsText(const Meeting& m);

}  // namespace corvane
