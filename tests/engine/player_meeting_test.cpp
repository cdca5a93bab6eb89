// Meetings a player steers: a heat line that cannot be raced after a heat the player started,
// runoff heats one a Continue. (Runoffs still pending at the 40th heat are the player soak's.)
#include <gtest/gtest.h>

#include <vector>

#include "dialogmodels/heat_manager_model.h"
#include "engine/competition/meeting_setup.h"
#include "engine/host/meeting_host.h"
#include "engine/programme/meeting_runner.h"
#include "report/meeting_file.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::CountingHost;
using testing::StartedMeeting;

// A host whose player starts every heat as it is lined up, through the heat manager's model.
struct StartingPlayer : CountingHost {
  StartingPlayer() {
    heatManager = [](Meeting& m) { HeatManagerModel(m).Start(); };
  }
};

// Continues until the meeting is over, at most `continues` times and only while the Meeting
// menu offers Continue; returns how many it took, or -1.
int ContinueToEnd(Meeting& m, StartingPlayer& host, int continues) {
  for (int k = 1; k <= continues; ++k) {
    RunProgramme(m, host, host.random);
    if (m.MeetingState == kMeetingOver) return k;
    const MeetingMenu menu = MeetingMenuFor(m);
    if (!menu.continueVisible || !menu.continueEnabled) return -1;
  }
  return -1;
}

void SteerTeamA(Meeting& m) {
  m.ControlMode = 1;
  m.TeamControl[1] = 1;
}

TEST(PlayerMeeting, LinesThatCannotBeRacedArePassedAfterAHeatThePlayerStarted) {
  Meeting m = StartedMeeting(2, 2, 4, {"1:A1,B1,A2,B2", "2:A3", "3:A3,B3,A4,B4", "4:B4"});
  SteerTeamA(m);
  StartingPlayer host;
  EXPECT_EQ(ContinueToEnd(m, host, 4), 2);  // heat 1, then heat 3 and the end
  EXPECT_EQ((std::vector<int>{m.HeatCount, m.MainHeats, host.heatManagerShown}),
            (std::vector<int>{2, 2, 2}));

  // A wait left at such a line by an earlier version runs on too.
  Meeting resumed = StartedMeeting(2, 2, 4, {"1:A1,B1,A2,B2", "2:A3", "3:A3,B3,A4,B4"});
  SteerTeamA(resumed);
  resumed.ProgLine = 2;
  resumed.MeetingState = kWaitForUser;
  StartingPlayer again;
  EXPECT_EQ(ContinueToEnd(resumed, again, 2), 1);
  EXPECT_EQ(resumed.HeatCount, 1);  // heat 3
}

// Five riders level at the top with four a heat: the runoff takes more than one heat, and each
// waits for its own Continue.
TEST(PlayerMeeting, EachRunoffHeatWaitsForContinue) {
  Meeting m = StartedMeeting(1, 1, 10, {"RUNOFFS-4", "1:A1,A2,A3,A4"});
  SteerTeamA(m);
  m.RunoffMode = 3;
  m.RunoffDepth = 4;
  testing::SetStandingPoints(m, {12, 12, 12, 12, 12, 8, 6});
  StartingPlayer host;
  RunProgramme(m, host, host.random);
  ASSERT_EQ((std::vector<int>{m.HeatCount, m.RunoffsPending}), (std::vector<int>{0, 1}));
  int runoffHeats = 0;
  for (; m.RunoffsPending > 0 && runoffHeats < 10; ++runoffHeats) {
    const Integer heats = m.HeatCount;
    RunProgramme(m, host, host.random);
    EXPECT_EQ(m.HeatCount, heats + 1) << "one runoff heat a Continue";
  }
  EXPECT_GE(runoffHeats, 2);
}

TEST(PlayerMeeting, ScratchRacingWithNobodyEnteredCannotStartAndItsFileReadsBack) {
  Meeting m;
  HeadlessHost host;
  host.fillLineups = [](Meeting& meeting) { meeting.NumRiders = 0; };  // every row left empty
  int refused = 0;
  host.heatManager = [&refused](Meeting& meeting) {
    HeatManagerModel model(meeting);
    refused += model.Start() ? 0 : 1;
    model.Cancel();
  };
  Pcg32Random random(5);
  NewMeeting(m, std::nullopt, Preferences{}, CORVANE_SOURCE_DIR "/Scripts", host, random);
  EXPECT_EQ((std::vector<int>{m.NumRiders, m.HeatCount, m.MeetingState, refused}),
            (std::vector<int>{0, 0, kWaitForUser, 1}));
  const Result<std::string> bytes = EncodeMeeting(m);
  ASSERT_TRUE(bytes) << bytes.error();
  const Result<Meeting> resumed = DecodeMeeting(bytes.value(), Meeting{});
  ASSERT_TRUE(resumed) << resumed.error();
  EXPECT_EQ(resumed.value().NumRiders, 0);
}

}  // namespace
}  // namespace corvane
