// The statistics of many runs of one meeting as text, JSON or CSV.
#pragma once

#include <cstdint>
#include <string>

#include "cli/run_options.h"
#include "engine/records/meeting.h"
#include "statistics/meeting_tally.h"

namespace corvane {

// The statistics as text, JSON or CSV (UTF-8).
std::string StatisticsText(const Meeting& setUp, const MeetingTally& tally, std::uint64_t seed,
                           StatisticsFormat format);

}  // namespace corvane
