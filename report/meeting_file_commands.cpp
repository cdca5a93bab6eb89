// Suspend and resume: the meeting file written to and read from disk.
#include <system_error>

#include "engine/file_io.h"
#include "engine/meeting_host.h"
#include "report/meeting_file.h"
#include "report/results_report.h"

namespace corvane {

Status SuspendMeeting(const Meeting& m, const std::filesystem::path& path) {
  const Result<std::string> bytes = EncodeMeeting(m);
  if (!bytes) return Error{bytes.error()};
  return WriteFileAtomically(path, bytes.value());
}

ResumeOutcome ResumeMeeting(Meeting& m, const std::filesystem::path& path, MeetingHost& host) {
  std::error_code ec;
  const bool exists = std::filesystem::exists(path, ec);
  if (!exists && !ec) return {ResumeOutcome::Missing, {}};

  const Result<std::string> bytes = ReadWholeFile(path, kMaxMeetingFileBytes);
  if (!bytes) return {ResumeOutcome::Rejected, bytes.error()};
  Result<Meeting> loaded = DecodeMeeting(bytes.value(), m);
  if (!loaded) {
    return {ResumeOutcome::Rejected, "Cannot resume \"" + path.string() + "\". " + loaded.error()};
  }
  m = std::move(loaded).value();
  RefreshResults(m, host);
  host.SetStatusText("");
  return {ResumeOutcome::Loaded, {}};
}

std::string ProposedMeetingFileName(std::string_view dateLine) {
  const auto mid = [dateLine](std::size_t start, std::size_t count) {
    return start < dateLine.size() ? std::string(dateLine.substr(start, count)) : std::string();
  };
  const std::size_t last = dateLine.size() < 2 ? 0 : dateLine.size() - 2;
  std::string name = mid(0, 2) + mid(3, 2) + mid(last, 2);
  // Separators of a date such as 1/2/03 would turn the name into a path.
  for (char& c : name) {
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) c = '_';
  }
  return name + ".mtg";
}

}  // namespace corvane
