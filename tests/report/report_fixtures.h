// Hand-built meetings for the report and meeting file tests.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "engine/records/meeting.h"

namespace corvane::test {

// A rider in `slot` with his scorecard cells (rides 1..), points and bonus. The scorecard is
// widened to MaxRides first.
void PutRider(Meeting& m, int slot, std::string name, std::vector<std::string> cells = {},
              int points = 0, int bonus = 0);

struct Finisher {
  int slot;
  int code;        // race status code: 1..8 an incident, 9 + riders beaten for a finisher
  int metres = 0;  // handicap shown in the bracket
};

// Records heat `heat` as the race engine does: entries in finishing order, the recorded length
// (name, ", " and bracket of every named rider) and ResultsWidth raised to it. HeatCount becomes
// at least `heat`. Scores are columns 0..4 of HeatScores. No riders: a heat not held.
void RecordHeat(Meeting& m, int heat, std::vector<Finisher> order,
                std::array<Integer, 5> scores = {});

// Report lines joined with CRLF, each line ending in one.
std::string Lines(std::initializer_list<std::string_view> lines);

// A two-team match in progress: header, heat points, running totals and most kinds of rider
// line. Used by the report and the meeting file tests.
Meeting TwoTeamMatch();

}  // namespace corvane::test
