#include "cli/statistics_run.h"

#include <chrono>
#include <future>
#include <ostream>

#include "cli/meeting_inputs.h"
#include "cli/meeting_statistics.h"
#include "engine/io/file_io.h"
#include "engine/race/random_source.h"
#include "report/headless_host.h"
#include "statistics/forecast.h"

namespace corvane {

namespace {

void DrawProgress(std::ostream& err, long done, long total) {
  constexpr int kWidth = 40;
  const int filled = static_cast<int>(kWidth * done / std::max(1L, total));
  err << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
      << std::string(static_cast<std::size_t>(kWidth - filled), ' ') << "] " << done << "/" << total
      << std::flush;
}

// The meeting the runs start from: set up afresh, or resumed and steered by the computer.
Result<Meeting> StartingMeeting(const RunOptions& options, std::uint64_t seed,
                                const std::filesystem::path& dataFolder) {
  Meeting meeting;
  HeadlessHost host;
  Pcg32Random setUpRandom(seed);
  const Result<std::string> started =
      StartCommandLineMeeting(meeting, options, dataFolder, host, setUpRandom);
  if (!started) return Error{started.error()};
  return options.resumeFile.empty() ? meeting : ComputerSteeredCopy(meeting);
}

}  // namespace

int RunStatistics(const RunOptions& options, std::uint64_t seed,
                  const std::filesystem::path& dataFolder, std::ostream& out, std::ostream& err,
                  bool showProgress) {
  const Result<Meeting> setUp = StartingMeeting(options, seed, dataFolder);
  if (!setUp) {
    err << "corvane-run: " << setUp.error() << '\n';
    return 2;
  }
  // A resumed meeting carries on with the starting grid it was raced with.
  Preferences prefs = options.prefs;
  if (!options.resumeFile.empty()) prefs.PrefStartGrid = 3;

  const long runs = *options.runs;
  std::atomic<long> done{0};
  auto tally = std::async(std::launch::async, [&] {
    return RunMeetings(setUp.value(), prefs, seed, runs, options.threads, done);
  });
  const auto start = std::chrono::steady_clock::now();
  bool drawn = false;
  while (tally.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
    if (showProgress && std::chrono::steady_clock::now() - start > std::chrono::seconds(1)) {
      DrawProgress(err, done.load(std::memory_order_relaxed), runs);
      drawn = true;
    }
  }
  if (drawn) {
    DrawProgress(err, runs, runs);
    err << '\n';
  }
  const std::string text = StatisticsText(setUp.value(), tally.get(), seed, options.format);
  if (options.outputFile.empty()) {
    out << text;
    return 0;
  }
  const Status written = WriteFileAtomically(options.outputFile, text);
  if (!written) {
    err << "corvane-run: " << written.error() << '\n';
    return 2;
  }
  return 0;
}

}  // namespace corvane
