#include "cli/meeting_inputs.h"

#include <ctime>

#include "cli/lineup_selection.h"
#include "engine/competition/competition_check.h"
#include "engine/competition/meeting_setup.h"
#include "engine/io/data_folders.h"
#include "engine/io/file_io.h"
#include "engine/io/text_encoding.h"
#include "report/headless_host.h"
#include "report/meeting_file.h"
#include "riderdb/database_lines.h"
#include "riderdb/rider_database.h"

namespace corvane {

namespace {

// A line-up line has the competition ID and rider count after its name: "Reds,LGE:7,...".
bool HoldsLineupLine(std::string_view database) {
  for (const DatabaseLine& line : NonEmptyLines(database)) {
    if (SplitFields(line.text, ",", 2)[2].find(':') != std::string::npos) return true;
  }
  return false;
}

}  // namespace

std::filesystem::path LocateCompetition(const std::string& name,
                                        const std::filesystem::path& dataFolder) {
  std::error_code ec;
  const std::filesystem::path competition(name);
  if (std::filesystem::is_regular_file(competition, ec)) return competition;
  return LocateDataFile(name, UserDataFolder(), dataFolder / "Scripts");
}

Result<MeetingInputs> ReadMeetingInputs(const RunOptions& options,
                                        const std::filesystem::path& dataFolder) {
  MeetingInputs inputs;
  std::error_code ec;
  const std::filesystem::path competition = LocateCompetition(options.competition, dataFolder);
  const Result<std::string> cfg = ReadWholeFile(competition, kMaxCompetitionFileBytes);
  if (!cfg) return Error{std::string(kCompetitionFileNotFound) + ": " + competition.string()};
  // A file that is there but that a meeting cannot use says why.
  const CompetitionCheck check = CheckCompetitionText(cfg.value());
  if (!check.readable || !check.holdsCompetition) {
    const std::string why = check.readable
                                ? "the file holds no competition (no keyword, command or heat line)"
                                : check.failure;
    return Error{competition.string() + ": " + why};
  }
  std::string caption = CompetitionTitleLine(cfg.value());
  if (caption.empty()) caption = ValidUtf8(competition.stem().string());
  inputs.competition =
      CompetitionChoice{std::filesystem::absolute(competition, ec).string(), caption};

  Result<std::string> database = ReadRiderDatabase(options, dataFolder);
  if (!database) return Error{database.error()};
  inputs.database = std::move(database.value());
  return inputs;
}

Result<std::string> ReadRiderDatabase(const RunOptions& options,
                                      const std::filesystem::path& dataFolder) {
  const std::filesystem::path path = options.lineupsFile.empty()
                                         ? dataFolder / "Lineups" / "Lineups.rdb"
                                         : std::filesystem::path(options.lineupsFile);
  Result<std::string> database = ReadWholeFile(path, kMaxRiderDatabaseBytes);
  if (!database) return Error{"Rider Database not found: " + database.error()};
  if (!HoldsLineupLine(database.value())) {
    return Error{path.string() + " is not a rider database: no line in it is a line-up " +
                 "(name,ID:riders,rider,average,...)"};
  }
  return database;
}

Result<Meeting> SetUpCommandLineMeeting(const RunOptions& options, const MeetingInputs& inputs,
                                        RandomSource& random) {
  HeadlessHost host;
  std::string error;
  host.fillLineups = [&](Meeting& m) {
    m.DateLines = ValidUtf8(options.date.value_or(TodayShortDate()));
    if (options.venue) m.VenueLines = ValidUtf8(*options.venue);
    std::vector<std::string> names;
    for (const std::string& name : options.teams) names.push_back(ValidUtf8(name));
    const Status filled = FillLineups(m, names, inputs.database);
    if (!filled) {
      error = filled.error();
      host.startMeeting = false;
    }
    // An individual meeting's title comes from its line-up unless one is given.
    if (options.title) m.TitleLines = ValidUtf8(*options.title);
  };
  Meeting meeting;
  const SetupOutcome outcome = SetUpMeeting(meeting, inputs.competition, options.prefs,
                                            std::filesystem::path(), host, random);
  if (!error.empty()) return Error{error};
  if (outcome != SetupOutcome::ReadyToRun) {
    return Error{std::string(kCompetitionFileNotFound) + ": " + inputs.competition.fileName};
  }
  return meeting;
}

Result<std::string> StartCommandLineMeeting(Meeting& meeting, const RunOptions& options,
                                            const std::filesystem::path& dataFolder,
                                            MeetingHost& host, RandomSource& random) {
  if (!options.resumeFile.empty()) {
    const ResumeOutcome resumed = ResumeMeeting(meeting, options.resumeFile, host);
    if (resumed.kind == ResumeOutcome::Missing) {
      return Error{"Meeting file not found: " + options.resumeFile};
    }
    if (resumed.kind == ResumeOutcome::Rejected) return Error{resumed.message};
    return std::string();
  }
  Result<MeetingInputs> inputs = ReadMeetingInputs(options, dataFolder);
  if (!inputs) return Error{inputs.error()};
  Result<Meeting> setUp = SetUpCommandLineMeeting(options, inputs.value(), random);
  if (!setUp) return Error{setUp.error()};
  meeting = std::move(setUp.value());
  return std::move(inputs.value().database);
}

std::string TodayShortDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  const std::size_t n = std::strftime(text, sizeof text, "%x", &local);
  return std::string(text, n);
}

}  // namespace corvane
