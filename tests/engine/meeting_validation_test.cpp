#include "engine/records/meeting_validation.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace corvane {
namespace {

// A small team meeting as the set-up leaves it: sound.
Meeting SoundMeeting() {
  Meeting m;
  m.NumTeams = m.NumGroups = 4;
  m.NumRiders = 8;
  m.NumReserves = 2;
  m.ResMode = 2;
  m.NominatedLast = 8;
  m.MaxRides = 5;
  ResizeScorecard(m, 5);
  m.ProgrammeLines = {"", "1:A1,B1,C1,D1"};
  return m;
}

TEST(MeetingProblem, SoundMeetingsPass) {
  EXPECT_EQ(MeetingProblem(Meeting{}), std::nullopt);
  Meeting m = SoundMeeting();
  m.ProgLine = 2;       // the programme is done
  m.SupportRiders = 6;  // the slots after the groups and track reserves
  m.RunoffTable[0][0] = 1;
  m.RunoffTable[1] = {0, 37, 4};
  m.HeatCount = m.MainHeats = 5;
  m.RidesTaken[3] = m.RidesCounted[3] = 5;
  EXPECT_EQ(MeetingProblem(m), std::nullopt);
}

TEST(MeetingProblem, NamesWhatAStepWouldIndexOutOfRange) {
  struct Case {
    const char* named;
    std::function<void(Meeting&)> spoil;
  };
  const std::vector<Case> cases = {
      {"NumGroups x NumRiders", [](Meeting& m) { m.NumRiders = 11; }},
      {"NumReserves", [](Meeting& m) { m.NumReserves = 5; }},
      {"RidesTaken(3)", [](Meeting& m) { m.RidesTaken[3] = 6; }},
      {"ProgrammeHeats(0)", [](Meeting& m) { m.ProgrammeHeats[0] = 41; }},
      // More rides or heats than the meeting has run: carried on, the counts would pass 40.
      {"RidesCounted(10)", [](Meeting& m) { m.RidesCounted[10] = 1; }},
      {"HeatRiders", [](Meeting& m) { m.HeatRiders = 9; }},
      {"support rider", [](Meeting& m) { m.SupportRiders = 7; }},
      {"runoff 2",
       [](Meeting& m) {
         m.RunoffTable[2] = {0, 38, 4};
       }},
      {"RunoffsPending", [](Meeting& m) { m.RunoffsPending = 4; }},
      {"scorecard of slot 7", [](Meeting& m) { m.Scorecard[7].resize(3); }},
      {"RiderAverage(2)", [](Meeting& m) { m.RiderAverage[2] = 1.0f / 0.0f; }},
      {"line count", [](Meeting& m) { m.ProgrammeLines = ProgrammeText::Lines(); }},
  };
  for (const Case& c : cases) {
    Meeting m = SoundMeeting();
    c.spoil(m);
    const auto problem = MeetingProblem(m);
    ASSERT_TRUE(problem.has_value()) << c.named << " was not noticed";
    EXPECT_NE(problem->find(c.named), std::string::npos) << *problem;
  }
}

}  // namespace
}  // namespace corvane
