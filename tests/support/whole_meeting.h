// Whole meetings of the bundled competitions, run as New Meeting and Continue run them, every
// team steered by the computer and the line-ups taken from the bundled rider database, checked
// after every heat and at the end.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/meeting.h"
#include "engine/preferences.h"

namespace corvane::testing {

// What must hold in the records of any meeting the engine has run, whatever the competition and
// whatever the draws: each check works the expected value out again from the heat records or
// the scorecard, and returns one sentence per fault found (empty when the records agree).

// Rides against the scorecard, race points against the marks, bonus points, team points and the
// heat score columns against the heat records, and the heat count against the programme heats.
// `marksFixed`: the programme marks were the same for every heat (no POINTS command), so the
// points of each heat can be worked out from today's marks.
std::vector<std::string> ScoringFaults(const Meeting& m, bool marksFixed = true);

// Ranks a copy of the meeting as the ranking commands do and checks that every group's riders
// and the teams stand as the tie-breaks say, each standing a rearrangement of the one before.
// The report's own order is checked the same way.
std::vector<std::string> StandingsFaults(const Meeting& m);

// The bundled competition files (names in the Scripts folder, in name order) and the bundled
// rider database's bytes.
std::filesystem::path ScriptsFolder();
std::vector<std::string> BundledCompetitions();
const std::string& BundledRiderDatabase();

// What varies between meetings of one competition.
struct MeetingChoices {
  std::uint64_t seed = 1;
  Preferences prefs;
  std::size_t lineupPick = 0;  // which of the offered line-ups come first
  int replacedRider = 0;       // a rider number to mark as replaced in every team, 0 none
  int absentRider = 0;         // a slot whose rider is not there, 0 none
};

// A meeting of the competition run to its end on the random source seeded with choices.seed.
// With `stopAfter` >= 0 it is stopped after that many heats, written to meeting file bytes,
// read back and run on: `faults` then also names what the file lost on the way.
struct FinishedMeeting {
  Meeting meeting;
  std::vector<std::string> faults;
  std::string report;
  int runoffHeats = 0;
  bool suspended = false;  // stopped before the end (a stop may only come at the end)
};
FinishedMeeting RunWholeMeeting(const std::string& competition, const MeetingChoices& choices,
                                int stopAfter = -1);

}  // namespace corvane::testing
