// Heat lines come from competition files written by hand: any line must be prepared and raced
// safely against a meeting that is under way, and leave its records sound. The first byte picks
// the meeting; each further line of the input is a programme line, raced in turn.
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "engine/competition/meeting_setup.h"
#include "engine/programme/programme_commands.h"
#include "engine/race/heat_preparation.h"
#include "engine/race/random_source.h"
#include "fuzz_meeting_checks.h"
#include "report/headless_host.h"

namespace {

using namespace corvane;

constexpr std::size_t kMaxLines = 60;

// Meetings of every shape the heat entries refer to: a league match with reserves, rider
// replacement, tactical substitutes and bonus points for the team; an individual meeting with
// reserves kept out of the placings and a handicap table; six teams with track reserves; an
// individual meeting of four groups, with riders after the groups.
constexpr std::array<std::string_view, 4> kCompetitions = {
    "NUMTEAMS=2\nNUMGROUPS=2\nNUMRIDERS=7\nRESERVES=2,0\nMAXRIDES=6,6\nMINRIDES=3\n"
    "STARTPEN=15\nBONUSPTS=2\nTACSUBUSE=2,2\nRDRREPUSE=2,1\nHANDICAPUSE=0,5,10,15\n"
    "1:A1,B1,A2,B2\nTACSUBS-UNRES\n",
    "NUMTEAMS=1\nNUMGROUPS=1\nNUMRIDERS=18\nRESERVES=2,2\nMAXRIDES=5,5\nRESUSE=0\n"
    "STARTPEN=0\nHANDICAPUSE=0,10,20,30,40,50,60,70\n1:A1,A2,A3,A4\n",
    "NUMTEAMS=6\nNUMGROUPS=6,3\nNUMRIDERS=5\nRESERVES=2,2\nMAXRIDES=3,4\nRESUSE=4\n"
    "1:A1,B1,C1,D1,E1,F1\n",
    "NUMTEAMS=1\nNUMGROUPS=4\nNUMRIDERS=8\nMAXRIDES=4,0\nRESUSE=7\n1:A1,B1,C1,D1\n",
};

// The meeting of each shape, set up once and copied for every input.
std::array<Meeting, kCompetitions.size()> SetUpMeetings() {
  std::array<Meeting, kCompetitions.size()> meetings;
  const auto file = std::filesystem::temp_directory_path() /
                    ("corvane-fuzz-heat-" + std::to_string(::getpid()) + ".cfg");
  for (std::size_t k = 0; k < kCompetitions.size(); ++k) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << kCompetitions[k];
    HeadlessHost host;
    host.fillLineups = [k](Meeting& m) {
      fuzzing::FillWithGeneratedRiders(m);
      if (k == 0) {
        m.GroupReplacement[1][1] = 3;  // A3 marked as replaced
        m.RiderAverage[12] = 0;        // B5 cannot ride
      }
      if (k == 1) m.RiderName[5].clear();  // A5 absent
    };
    Pcg32Random random(k + 1);
    Meeting& m = meetings[k];
    if (SetUpMeeting(m, CompetitionChoice{file.string(), "Fuzz"}, Preferences{}, {}, host,
                     random) != SetupOutcome::ReadyToRun) {
      fuzzing::Fail("a fixed competition did not set up");
    }
  }
  std::filesystem::remove(file);
  return meetings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::array<Meeting, kCompetitions.size()> meetings = SetUpMeetings();
  if (size == 0) return 0;
  Meeting m = meetings[data[0] % meetings.size()];
  std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  HeadlessHost host;
  Pcg32Random random(size);
  // The set-up's own programme runs first, so that later lines find heats and standings.
  const int ownLines = m.ProgrammeLineCount();
  for (std::size_t lines = 0; !rest.empty() && lines < kMaxLines; ++lines) {
    const std::size_t end = rest.find('\n');
    m.ProgrammeLines.push_back(std::string(rest.substr(0, end)));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  for (int line = 1; line <= m.ProgrammeLineCount() && m.HeatCount < kMaxHeats; ++line) {
    m.ProgLine = static_cast<Integer>(line);
    m.MeetingState = kRunOn;
    const std::string& text = m.ProgrammeLines[static_cast<std::size_t>(line)];
    // Only the set-up's lines may be commands: the input's lines all go to heat preparation.
    if (line > ownLines || !RunProgrammeCommand(m, host, random, text)) {
      PrepareHeat(m, host, random);
    }
  }
  fuzzing::CheckMeeting(m);
  return 0;
}
