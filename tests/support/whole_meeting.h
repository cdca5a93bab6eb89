// Whole meetings of the bundled competitions, run as New Meeting and Continue run them, every
// team steered by the computer and the line-ups taken from the bundled rider database, checked
// after every heat and at the end.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/race/random_source.h"
#include "engine/records/meeting.h"
#include "engine/records/preferences.h"

namespace corvane::testing {

// Short forms for the checks' messages and record indexes.
inline std::string N(long value) {
  return std::to_string(value);
}
inline std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

// What must hold in the records of any meeting the engine has run, whatever the draws: each
// check works the expected value out again and returns one sentence per fault found.

// Rides and race points against the scorecard; bonus points, team points and the heat score
// columns against the heat records, when `marksFixed` (no POINTS command changed the marks).
std::vector<std::string> ScoringFaults(const Meeting& m, bool marksFixed = true);

// No rider in two places of the latest heat: neither in its record nor in its starting places.
std::vector<std::string> HeatLineupFaults(const Meeting& m);

// True when no line of the programme changes the marks (no POINTS command).
bool MarksFixedByProgramme(const Meeting& m);

// Ranks a copy of the meeting and checks that every group's riders and the teams (and the
// report's order of them) stand as the tie-breaks say.
std::vector<std::string> StandingsFaults(const Meeting& m);

// The bundled competition files, in name order, and the bundled rider database's bytes.
std::filesystem::path ScriptsFolder();
std::vector<std::string> BundledCompetitions();
const std::string& BundledRiderDatabase();

// Stands for the heat manager of a player-steered meeting: decides the heat in hand (Start, or
// Cancel before the start) drawing its choices from `draws`, and returns a fault it saw, or "".
using ScriptedPlayer = std::function<std::string(Meeting&, Pcg32Random& draws)>;

// What varies between meetings of one competition.
struct MeetingChoices {
  std::uint64_t seed = 1;
  Preferences prefs;
  std::size_t lineupPick = 0;  // which of the offered line-ups come first
  int replacedRider = 0;       // a rider number to mark as replaced in every team, 0 none
  int absentRider = 0;         // a slot whose rider is not there, 0 none
  // With a player: the line-ups he steers (bit g for line-up g) and the scratch races he runs
  // once the meeting is over. The meeting then goes on by Continue, one decision at a time.
  ScriptedPlayer player;
  unsigned playerGroups = 0;
  int scratchRaces = 0;
};

// A meeting of the competition (a bundled file name, or a path) run to its end on the random
// source seeded with choices.seed.
// With `stopAfter` >= 0 it is stopped after that many heats, written to meeting file bytes,
// read back and run on: `faults` then also names what the file lost on the way.
struct FinishedMeeting {
  Meeting meeting;
  std::vector<std::string> faults;
  std::string report;
  int runoffHeats = 0;
  bool suspended = false;  // stopped before the end (a stop may only come at the end)
  int continues = 0;       // Continue and Support Competition commands given
};
FinishedMeeting RunWholeMeeting(const std::string& competition, const MeetingChoices& choices,
                                int stopAfter = -1);

// Scratch racing as File, New Meeting, Scratch Racing starts it, with `riders` entered (none
// too), then `races` races in all, each by Continue, steered by choices.player. With
// `stopAfter` >= 1 the meeting is suspended and resumed after that many races.
FinishedMeeting RunScratchMeeting(const MeetingChoices& choices, int riders, int races,
                                  int stopAfter = -1);

}  // namespace corvane::testing
