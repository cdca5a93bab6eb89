#include "cli/single_meeting.h"

#include <ostream>

#include "cli/command_line_host.h"
#include "cli/lineup_selection.h"
#include "cli/meeting_inputs.h"
#include "engine/io/file_io.h"
#include "engine/io/text_encoding.h"
#include "engine/programme/meeting_runner.h"
#include "engine/programme/programme_line.h"
#include "engine/race/random_source.h"
#include "report/meeting_file.h"
#include "report/results_export.h"
#include "report/results_report.h"

namespace corvane {

namespace {

// More Continue steps than any meeting needs: the runner makes progress at every call.
constexpr int kMaxContinues = 400;

int Fail(std::ostream& err, const std::string& message) {
  err << "corvane-run: " << message << '\n';
  return 2;
}

// Runs the meeting on as Continue would, until it is over or the stop is reached; then the
// support competition when its riders were given.
Status RunToEnd(Meeting& m, CommandLineHost& host, RandomSource& random, const std::string& support,
                const std::string& database) {
  bool supportStarted = false;
  for (int step = 0; step < kMaxContinues; ++step) {
    if (host.StopReached() && m.MeetingState != kMeetingOver) return Done{};
    if (m.MeetingState != kMeetingOver) {
      RunProgramme(m, host, random);
      continue;
    }
    if (!m.SupportMode || support.empty() || supportStarted || host.StopReached()) return Done{};
    supportStarted = true;
    std::string error;
    host.fillLineups = [&](Meeting& meeting) {
      const Status filled = FillSupportRiders(meeting, support, database);
      if (!filled) {
        error = filled.error();
        host.startMeeting = false;
      }
    };
    StartSupportCompetition(m, host, random);
    if (!error.empty()) return Error{error};
  }
  return Done{};
}

bool HasSupportCompetition(const Meeting& m) {
  for (int i = 1; i <= m.ProgrammeLineCount(); ++i) {
    if (CommandOfLine(m.ProgrammeLines[static_cast<std::size_t>(i)]) == CommandWord::kSupport)
      return true;
  }
  return false;
}

std::string ReportForTerminal(const Meeting& m) {
  std::string text = WriteResults(m);
  std::erase(text, '\r');
  return text;
}

// The report in the format the file's extension asks for. The text is written as the desktop
// program's Save As writes it: the report, a line end and one empty line.
std::string ReportFileText(const Meeting& m, const std::string& fileName) {
  switch (ExportFormatForFile(fileName)) {
    case ExportFormat::Html:
      return ResultsHtml(m);
    case ExportFormat::Csv:
      return ResultsCsv(m);
    case ExportFormat::Text:
      break;
  }
  return WriteResults(m) + "\r\n\r\n";
}

}  // namespace

int RunSingleMeeting(const RunOptions& options, std::uint64_t seed,
                     const std::filesystem::path& dataFolder, std::ostream& out,
                     std::ostream& err) {
  Pcg32Random random(seed);
  Meeting meeting;
  CommandLineHost host(meeting);
  Result<std::string> started = StartCommandLineMeeting(meeting, options, dataFolder, host, random);
  if (!started) return Fail(err, started.error());
  std::string database = std::move(started.value());
  if (!options.resumeFile.empty() && !options.support.empty()) {
    // A resumed meeting reads the rider database only for its support competition's line-ups.
    Result<std::string> bytes = ReadRiderDatabase(options, dataFolder);
    if (!bytes) return Fail(err, bytes.error());
    database = std::move(bytes.value());
  }

  if (!options.support.empty() && !HasSupportCompetition(meeting)) {
    return Fail(err, "--support: this competition has no support competition");
  }
  if (options.suspendAfter) host.stopAfterHeats = *options.suspendAfter;
  const Status ran = RunToEnd(meeting, host, random, ValidUtf8(options.support), database);
  if (!ran) return Fail(err, ran.error());
  if (options.suspendAfter && meeting.HeatCount < *options.suspendAfter) {
    return Fail(err, "--suspend-after " + std::to_string(*options.suspendAfter) +
                         ": the meeting was over after " + std::to_string(meeting.HeatCount) +
                         " heats; no meeting file was written");
  }

  if (options.suspendAfter) {
    const Status suspended = SuspendMeeting(meeting, options.suspendFile);
    if (!suspended) return Fail(err, suspended.error());
  }
  if (!options.outputFile.empty()) {
    const Status written =
        WriteFileAtomically(options.outputFile, ReportFileText(meeting, options.outputFile));
    if (!written) return Fail(err, written.error());
  } else {
    out << ReportForTerminal(meeting);
  }
  return 0;
}

}  // namespace corvane
