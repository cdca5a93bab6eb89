// Setting up a new meeting: records reset, competition read, line-ups entered, and the
// meeting-wide adjustments that depend on them.
#pragma once

#include <filesystem>
#include <optional>

#include "engine/competition/competition_file.h"
#include "engine/records/meeting.h"
#include "engine/records/preferences.h"

namespace corvane {

class MeetingHost;
class RandomSource;

// Where a meeting set-up ended.
enum class SetupOutcome {
  NotStarted,    // the file could not be read, or the editor was left without starting
  ReadyToRun,    // a competition meeting, handed to the runner
  ScratchReady,  // scratch racing, its first race run
};

// Sets up a new meeting and starts it: the programme runs until it waits for the user or ends;
// scratch racing runs its first race. `choice` is the competition; std::nullopt is scratch
// racing. The set-up works on a meeting of its own, which replaces `m` only once started: when
// the file cannot be read or the editor is left without starting, `m` and the Meeting menu stay
// as they were.
SetupOutcome NewMeeting(Meeting& m, const std::optional<CompetitionChoice>& choice,
                        const Preferences& prefs, const std::filesystem::path& scriptsFolder,
                        MeetingHost& host, RandomSource& random);

// The set-up alone on `m`, up to where the runner (or the first scratch race) would take over.
// The Meeting menu is shown for the meeting once it has started.
SetupOutcome SetUpMeeting(Meeting& m, const std::optional<CompetitionChoice>& choice,
                          const Preferences& prefs, const std::filesystem::path& scriptsFolder,
                          MeetingHost& host, RandomSource& random);

// The starting-grid preference made definite for the meeting: a random grid favours the inside
// or the outside gates with equal chance, "all equal" favours neither.
void ResolveStartGrid(Meeting& m, RandomSource& random);

// Orders each group's riders by average, highest first, into AverageOrder.
void SortByAverage(Meeting& m);

// Group and number of every rider slot of the groups; slots after the groups (track reserves,
// support riders) belong to no group.
void AssignRiderTeams(Meeting& m);

}  // namespace corvane
