// Whole meetings of the bundled competitions, run as New Meeting and Continue run them, every
// team steered by the computer and the line-ups taken from the bundled rider database; and a
// host that watches every heat of them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/headless_host.h"
#include "engine/meeting.h"
#include "engine/preferences.h"
#include "engine/random_source.h"

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

// The points, rides, scorecard and team points of a meeting, to compare before and after a heat
// that must not score.
struct ScoringRecords {
  SlotArray<Integer> rides{};
  SlotArray<Integer> points{};
  SlotArray<Integer> bonus{};
  SlotArray<std::string> card;  // the marks of the rides taken, one after another
  GroupArray<Integer> teamPoints{};

  bool operator==(const ScoringRecords&) const = default;
};
ScoringRecords ScoringRecordsOf(const Meeting& m);

// True when no line of the programme changes the marks.
bool MarksFixedByProgramme(const Meeting& m);

// The bundled competition files (names in the Scripts folder, in name order) and the bundled
// rider database's bytes.
std::filesystem::path ScriptsFolder();
std::vector<std::string> BundledCompetitions();
const std::string& BundledRiderDatabase();

// A runoff heat as it was decided: the riders in finishing order, the stage of its runoff and
// the size of the level block.
struct RunoffHeat {
  int heat = 0;
  int stage = 0;
  int blockSize = 0;
  int heatRiders = 0;
  std::vector<int> ranked;
};

// A host that checks the meeting after every heat: the records stay sound, and a runoff heat
// leaves points, rides and scorecards as they were. It can also stop the meeting once it has run
// a number of heats, as the user stopping in the heat manager would: the heat in hand counts as
// decided and the runner waits at the next heat line.
class WatchingHost : public HeadlessHost {
 public:
  explicit WatchingHost(Meeting& m);

  int stopAfterHeats = -1;  // negative: never
  bool StopReached() const;

  void SetStatusText(std::string_view text) override;
  void PublishResults(std::string_view text) override;

  std::vector<std::string> faults;
  std::vector<RunoffHeat> runoffHeats;

 private:
  void CheckSound(const std::string& when);

  Meeting& meeting_;
  ScoringRecords beforeHeat_;
};

// What varies between meetings of one competition.
struct MeetingChoices {
  std::uint64_t seed = 1;
  Preferences prefs;
  std::size_t lineupPick = 0;  // which of the offered line-ups come first
  int replacedRider = 0;       // a rider number to mark as replaced in every team, 0 none
  int absentRider = 0;         // a slot whose rider is not there, 0 none
};

// The line-ups the database offers the competition, from the `pick`-th on, one to each team the
// programme does not fill by transfer (one line-up of riders in an individual meeting).
void FillLineupsFromDatabase(Meeting& m, std::size_t pick);

// Support riders from the database's support line-ups, in the slots after the groups.
void FillSupportRidersFromDatabase(Meeting& m, std::size_t pick);

// Sets up a meeting of the competition as New Meeting does and runs it until it is over or the
// host's stop is reached.
void StartMeeting(Meeting& m, const std::string& competition, const MeetingChoices& choices,
                  WatchingHost& host, RandomSource& random);

// Runs the meeting on as Continue does, support competition included, until it is over or the
// host's stop is reached. Returns true when the meeting is over.
bool RunOn(Meeting& m, WatchingHost& host, RandomSource& random, std::size_t supportPick);

// Every invariant of a finished meeting: the scoring and standings checks, the heat count
// against the programme's heat lines and the runoffs, and each one-heat runoff's order kept by
// the standings while the riders or teams in it are still level.
std::vector<std::string> FinishedMeetingFaults(const Meeting& m, const WatchingHost& host);

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
