// Competition files are written by hand and passed around: any bytes must read safely, and the
// meeting they describe must run to its end under computer control with sound records.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "engine/competition/competition_check.h"
#include "engine/competition/competition_file.h"
#include "engine/competition/meeting_setup.h"
#include "engine/programme/meeting_runner.h"
#include "engine/race/random_source.h"
#include "fuzz_meeting_checks.h"
#include "report/headless_host.h"

namespace {

using namespace corvane;

// Larger files only repeat what smaller ones reach; the meeting's 40 heats bound the rest.
constexpr std::size_t kMaxInput = 16 * 1024;
// Continue steps a computer-controlled meeting may take: it needs one.
constexpr int kMaxContinues = 8;

std::filesystem::path ScratchFile() {
  return std::filesystem::temp_directory_path() /
         ("corvane-fuzz-" + std::to_string(::getpid()) + ".cfg");
}

void RunToEnd(Meeting& m, HeadlessHost& host, RandomSource& random) {
  for (int step = 0; step < kMaxContinues && m.MeetingState != kMeetingOver; ++step) {
    RunProgramme(m, host, random);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Meeting read;
  LoadCompetitionText(read, bytes, 12);
  // The checker reads the same bytes with notes and walks every line the runner would.
  const CompetitionCheck check = CheckCompetitionText(bytes);
  (void)CheckSummary(check, "fuzz.cfg");
  (void)PlannedRidesTable(check.meeting);
  if (size > kMaxInput) return 0;

  static const std::filesystem::path file = ScratchFile();
  std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
  Meeting m;
  HeadlessHost host;
  // The input's length varies what the user would: a few riders missing, and the preferences.
  host.fillLineups = [size](Meeting& meeting) {
    fuzzing::FillWithGeneratedRiders(meeting);
    for (std::size_t s = size % 9 + 1; s <= kMaxSlots; s += 9) meeting.RiderName[s].clear();
  };
  Preferences prefs;
  prefs.PrefTeamScoring = static_cast<Integer>(size % 2);
  prefs.PrefHomeAdvantage = static_cast<Integer>(size / 2 % 2);
  prefs.PrefStartGrid = static_cast<Integer>(size / 4 % 4);
  Pcg32Random random(size);
  const SetupOutcome outcome =
      NewMeeting(m, CompetitionChoice{file.string(), "Fuzz"}, prefs, {}, host, random);
  if (outcome != SetupOutcome::ReadyToRun) return 0;
  RunToEnd(m, host, random);
  if (m.MeetingState != kMeetingOver) fuzzing::Fail("the meeting did not end");
  if (m.SupportMode) {
    StartSupportCompetition(m, host, random);
    RunToEnd(m, host, random);
    if (m.MeetingState != kMeetingOver) fuzzing::Fail("the support competition did not end");
  }
  fuzzing::CheckMeeting(m);
  return 0;
}
