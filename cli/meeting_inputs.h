// The files a command-line meeting starts from: its competition and its rider database.
#pragma once

#include <filesystem>
#include <string>

#include "cli/run_options.h"
#include "engine/competition/competition_file.h"
#include "engine/io/result.h"
#include "engine/race/random_source.h"
#include "engine/records/meeting.h"

namespace corvane {

class MeetingHost;

struct MeetingInputs {
  CompetitionChoice competition;  // full path and caption
  std::string database;           // the rider database's bytes
};

// Where the competition named on the command line is: a path to a file as it is, else a file
// name in the user's data folder, then in the bundled Scripts folder below `dataFolder`.
std::filesystem::path LocateCompetition(const std::string& name,
                                        const std::filesystem::path& dataFolder);

// Finds the competition (a path; else a file name in the user's data folder, then in the
// bundled Scripts folder) and reads the rider database. `dataFolder` holds the bundled files.
// Errors name the file.
Result<MeetingInputs> ReadMeetingInputs(const RunOptions& options,
                                        const std::filesystem::path& dataFolder);

// The rider database's bytes: the file given, or the bundled Lineups/Lineups.rdb.
Result<std::string> ReadRiderDatabase(const RunOptions& options,
                                      const std::filesystem::path& dataFolder);

// Sets a new meeting up from the inputs, with its line-ups and header, ready for the runner.
Result<Meeting> SetUpCommandLineMeeting(const RunOptions& options, const MeetingInputs& inputs,
                                        RandomSource& random);

// The meeting a command-line run starts from, into `meeting`: the meeting file of --resume
// resumed through `host`, or a new meeting set up with `random`. Returns the rider database's
// bytes read for a new meeting, nothing for a resumed one.
Result<std::string> StartCommandLineMeeting(Meeting& meeting, const RunOptions& options,
                                            const std::filesystem::path& dataFolder,
                                            MeetingHost& host, RandomSource& random);

// Today's date in the locale's short form.
std::string TodayShortDate();

}  // namespace corvane
