// The results of a meeting as tables rather than fixed-pitch text: the rows the exported
// reports (HTML and CSV) are written from. Text is UTF-8.
#pragma once

#include <string>
#include <vector>

#include "engine/records/meeting.h"

namespace corvane {

struct RiderRow {
  std::string number;  // position in the line-up, or "R" for a reserve listed apart
  std::string name;
  std::vector<std::string> rides;  // one cell per ride, "-" where none was taken
  int points = 0;
  int bonus = 0;
  std::string note;  // "Rider replacement", "Did not ride", "Absent" or "Injured"
};

struct GroupTable {
  std::string title;
  bool scored = false;  // a team's block shows its points
  int points = 0;
  int extra = 0;  // points on top, shown as a second total
  std::vector<RiderRow> riders;
};

struct HeatRow {
  int number = 0;
  bool held = false;
  std::vector<std::string> finishers;  // name and bracket, in finishing order
  std::vector<int> heatPoints;         // per team, two-team meetings only
  std::vector<int> totals;             // running totals per team, where the report shows them
};

struct ResultTables {
  std::string date, venue, title;
  int rides = 0;  // ride columns of the scorecards
  std::vector<GroupTable> groups;
  std::vector<std::string> teams;  // column titles of the heat scores
  std::vector<HeatRow> heats;
};

// The same riders, order and marks as the text report.
ResultTables TabulateResults(const Meeting& m);

}  // namespace corvane
