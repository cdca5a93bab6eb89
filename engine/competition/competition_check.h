// Checking a competition file for its author: the file read exactly as a meeting reads it, with
// everything the reader ignored, refused or repaired, every heat entry that can name nobody,
// heats that cannot be raced, and riders programmed for more rides than the scorecard holds.
// The checker reports what the reader and the runner do; it changes neither.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/records/meeting.h"

namespace corvane {

struct CheckFinding {
  int fileLine = 0;      // 0: the file as a whole
  std::string lineText;  // UTF-8, as the line stands in the file (trimmed)
  std::string message;   // UTF-8
};

struct CompetitionCheck {
  bool readable = false;               // a meeting can read the file (it may still have findings)
  bool holdsCompetition = false;       // it has a keyword, command or heat line
  std::string failure;                 // UTF-8: why a meeting cannot read it
  std::vector<CheckFinding> findings;  // in file order, the file as a whole last
  Meeting meeting;                     // as the reader left it
};

CompetitionCheck CheckCompetitionText(std::string_view bytes, Integer prefMaxAverage = 12);

// Planned rides of every rider of every line-up, a line per line-up ("A  4 4 4 ..."), with
// MAXRIDES; empty when no rider is programmed.
std::vector<std::string> PlannedRidesTable(const Meeting& m);

// One line: "NAME: no problems found", "NAME: 3 problems found" or why a meeting cannot read it.
std::string CheckSummary(const CompetitionCheck& check, std::string_view name);

}  // namespace corvane
