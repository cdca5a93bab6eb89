// Suspend and resume: the meeting file written to and read from disk.
#include <string>
#include <system_error>
#include <vector>

#include "engine/host/meeting_host.h"
#include "engine/io/file_io.h"
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
  return ResumeMeetingBytes(m, bytes.value(), path.string(), host);
}

ResumeOutcome ResumeMeetingBytes(Meeting& m, std::string_view bytes, std::string_view name,
                                 MeetingHost& host) {
  Result<Meeting> loaded = DecodeMeeting(bytes, m);
  if (!loaded) {
    return {ResumeOutcome::Rejected,
            "Cannot resume \"" + std::string(name) + "\". " + loaded.error()};
  }
  m = std::move(loaded).value();
  RefreshResults(m, host);
  host.SetStatusText("");
  return {ResumeOutcome::Loaded, {}};
}

namespace {

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// 1 to 12 for a word starting with an English month's first three letters, else 0.
int MonthOfWord(std::string_view word) {
  static constexpr std::string_view kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                                 "jul", "aug", "sep", "oct", "nov", "dec"};
  if (word.size() < 3) return 0;
  std::string start(word.substr(0, 3));
  for (char& c : start) c = static_cast<char>(c | 0x20);
  for (int i = 0; i < 12; ++i) {
    if (start == kMonths[i]) return i + 1;
  }
  return 0;
}

std::string TwoDigits(long number) {
  const long n = number % 100;
  return std::string{static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

// A date with its month named ("7 Dec 2026", "Monday, December 7, 2026") as day, month and
// year in two digits each, as a numeric date gives them; empty for anything else.
std::string NamedDateDigits(std::string_view date) {
  int month = 0;
  std::vector<long> numbers;
  std::size_t at = 0;
  while (at < date.size()) {
    const std::size_t start = at;
    if (IsDigit(date[at])) {
      while (at < date.size() && IsDigit(date[at])) ++at;
      // Longer numbers are no part of a date.
      if (at - start > 4) return {};
      numbers.push_back(std::stol(std::string(date.substr(start, at - start))));
    } else if (IsLetter(date[at])) {
      while (at < date.size() && IsLetter(date[at])) ++at;
      const int named = MonthOfWord(date.substr(start, at - start));
      if (named != 0 && month != 0) return {};
      if (named != 0) month = named;
    } else {
      ++at;
    }
  }
  if (month == 0 || numbers.size() != 2 || numbers[0] < 1 || numbers[0] > 31) return {};
  return TwoDigits(numbers[0]) + TwoDigits(month) + TwoDigits(numbers[1]);
}

}  // namespace

std::string ProposedMeetingFileName(std::string_view dateLine) {
  const std::string named = NamedDateDigits(dateLine);
  if (!named.empty()) return named + ".mtg";
  const auto mid = [dateLine](std::size_t start, std::size_t count) {
    return start < dateLine.size() ? std::string(dateLine.substr(start, count)) : std::string();
  };
  const std::size_t last = dateLine.size() < 2 ? 0 : dateLine.size() - 2;
  std::string name = mid(0, 2) + mid(3, 2) + mid(last, 2);
  // Separators of a date such as 1/2/03 would turn the name into a path.
  for (char& c : name) {
    if (c == '/' || c == '\\' || c == ' ' || static_cast<unsigned char>(c) < 0x20) c = '_';
  }
  return name + ".mtg";
}

}  // namespace corvane
