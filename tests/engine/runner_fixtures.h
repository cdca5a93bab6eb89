// Meetings built directly for the runner, ranking and runoff tests.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/headless_host.h"
#include "engine/meeting.h"
#include "engine/random_source.h"

namespace corvane::testing {

// A host that also counts report rebuilds, with its own random source.
class CountingHost : public HeadlessHost {
 public:
  void PublishResults(std::string_view text) override {
    ++reports;
    HeadlessHost::PublishResults(text);
  }
  int reports = 0;
  Pcg32Random random{11};
};

// A started meeting of `groups` line-ups of `riders` (teams when `teams` > 1): generated riders
// "Rider A1"... with averages between 0.4 and 0.9, orders as set up, default marks, and the
// given programme lines.
Meeting StartedMeeting(int teams, int groups, int riders,
                       std::initializer_list<std::string> lines = {});

// Gives the riders at standings positions 1, 2, ... these race points.
void SetStandingPoints(Meeting& m, std::initializer_list<int> points);

// Records heat `heat` with these riders in finishing order.
void RecordHeat(Meeting& m, int heat, std::initializer_list<int> slotsInOrder);

}  // namespace corvane::testing
