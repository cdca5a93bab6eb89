// Meetings built by hand for tests: the records a set-up would give, without a competition
// file or a programme editor.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/race/random_source.h"
#include "engine/records/meeting.h"
#include "report/headless_host.h"

namespace corvane::testing {

// A meeting of `groups` line-ups of `riders` riders each (numTeams 1 = individual meeting), every
// group slot named by its group letter and number ("A1", "B3", ...) with the held average
// `average` (a fraction of the maximum). Teams, numbers and the default marks are set, the
// score, average and group orders are the identity, the computer steers every group.
Meeting BuildMeeting(int numTeams, int groups, int riders, Single average = 0.75f);

// A meeting as the editor starts it: untitled groups, riders "Rider A1"... with averages
// between 0.4 and 0.9, and these programme lines.
Meeting StartedMeeting(int teams, int groups, int riders,
                       std::initializer_list<std::string> lines = {});

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

// Names a slot and gives it a held average.
void SetRider(Meeting& m, int slot, const std::string& name, Single average);

// Gives the riders at standings positions 1, 2, ... these race points.
void SetStandingPoints(Meeting& m, std::initializer_list<int> points);

// Records heat `heat` with these riders in finishing order, all of them finishers.
void RecordHeat(Meeting& m, int heat, std::initializer_list<int> slotsInOrder);

// Puts riders into the current heat's starting places in gate order (0 = an empty place), each
// with the handicap of his latest result.
void SetLineup(Meeting& m, std::initializer_list<int> riders);

// Appends a programme line and makes it the runner's current line.
void SetCurrentLine(Meeting& m, const std::string& line);

// The riders of the current heat's starting places, in gate order.
std::vector<int> LineupRiders(const Meeting& m);

// A heat's record in rank order: rider slot and final code of each of its HeatRiders entries.
std::vector<std::pair<int, int>> RankedEntries(const Meeting& m, int heat);

}  // namespace corvane::testing
