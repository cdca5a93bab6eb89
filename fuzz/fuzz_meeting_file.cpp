// Meeting files come from anywhere: any bytes must be refused or give a meeting whose report
// can be written, a meeting that was read must write back to the same bytes, and it must be
// safe to carry on with: Continue runs it on to its end with the records staying sound.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "engine/programme/meeting_runner.h"
#include "engine/race/random_source.h"
#include "engine/records/meeting_validation.h"
#include "report/headless_host.h"
#include "report/meeting_file.h"
#include "report/results_report.h"

namespace {

using namespace corvane;

// Continue steps: enough for a meeting the computer steers, and for a few heats of one that
// waits for the player at every heat.
constexpr int kMaxContinues = 4;

void Continue(Meeting& m, std::size_t seed) {
  HeadlessHost host;
  Pcg32Random random(seed);
  for (int step = 0; step < kMaxContinues && m.MeetingState != kMeetingOver; ++step) {
    if (m.ControlMode == 2) {
      RunSingleRace(m, host, random);
    } else {
      RunProgramme(m, host, random);
    }
  }
  if (m.MeetingState == kMeetingOver && m.SupportMode) StartSupportCompetition(m, host, random);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Result<Meeting> meeting = DecodeMeeting(bytes, Meeting{});
  if (!meeting) return 0;
  (void)WriteResults(meeting.value());
  const Result<std::string> again = EncodeMeeting(meeting.value());
  if (!again) std::abort();
  const Result<Meeting> reread = DecodeMeeting(again.value(), Meeting{});
  if (!reread || WriteResults(reread.value()) != WriteResults(meeting.value())) std::abort();

  Meeting m = meeting.value();
  Continue(m, size);
  (void)WriteResults(m);
  if (const auto problem = MeetingProblem(m)) {
    std::fprintf(stderr, "carried on into unsound records: %s\n", problem->c_str());
    std::abort();
  }
  return 0;
}
