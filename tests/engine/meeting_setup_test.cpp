#include "engine/meeting_setup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/headless_host.h"
#include "engine/random_source.h"

namespace corvane {
namespace {

// A competition file in a folder of its own for the length of one test.
class SetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("corvane-setup-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // The set-up alone, or with `race` the whole meeting as New Meeting runs it.
  SetupOutcome Run(const std::string& cfg, RandomSource& random, bool race = false) {
    std::ofstream(folder_ / "c.cfg", std::ios::binary) << cfg;
    const CompetitionChoice choice{"c.cfg", "Test Cup"};
    return race ? NewMeeting(meeting_, choice, prefs_, folder_, host_, random)
                : SetUpMeeting(meeting_, choice, prefs_, folder_, host_, random);
  }

  static void Fill(Meeting& m, int slot, const std::string& name, Single average) {
    m.RiderName[static_cast<std::size_t>(slot)] = name;
    m.RiderAverage[static_cast<std::size_t>(slot)] = average;
  }

  std::filesystem::path folder_;
  Meeting meeting_;
  Preferences prefs_;
  HeadlessHost host_;
};

constexpr const char* kTwoTeams = "NUMTEAMS=2\nNUMGROUPS=2\nNUMRIDERS=4\n1:A1,B1,A2,B2\n";

TEST_F(SetupTest, StartsOnlyWhenTheEditorStartsTheMeeting) {
  ScriptedRandom random({0.1f});
  host_.startMeeting = false;
  EXPECT_EQ(Run(kTwoTeams, random), SetupOutcome::NotStarted);
  EXPECT_EQ(meeting_.MeetingState, kRunOn);
  EXPECT_EQ(host_.editorShown, 1);
  EXPECT_FALSE(host_.menu.separatorVisible);

  host_.startMeeting = true;
  EXPECT_EQ(Run(kTwoTeams, random, true), SetupOutcome::ReadyToRun);
  EXPECT_EQ(meeting_.MeetingState, kMeetingOver);  // the runner has taken the meeting to its end
  EXPECT_EQ(meeting_.CompetitionTitle, "Test Cup");
  EXPECT_TRUE(host_.menu.separatorVisible);
  EXPECT_TRUE(host_.menu.scratchVisible);  // all teams computer-controlled
  EXPECT_FALSE(host_.menu.continueVisible);
}

TEST_F(SetupTest, AnUnreadableFileStopsWithItsMessage) {
  ScriptedRandom random({});
  meeting_.MeetingState = kStartedFromEditor;  // left over from an earlier meeting
  std::ofstream(folder_ / "c.cfg", std::ios::binary) << "NUMTEAMS=99999\n";
  EXPECT_EQ(NewMeeting(meeting_, CompetitionChoice{"c.cfg", "X"}, prefs_, folder_, host_, random),
            SetupOutcome::NotStarted);
  ASSERT_EQ(host_.warnings.size(), 1u);
  EXPECT_EQ(host_.editorShown, 0);
}

TEST_F(SetupTest, AppliesTheMeetingWideAdjustments) {
  ScriptedRandom random({0.99f});
  prefs_.PrefHomeAdvantage = 1;
  prefs_.PrefStartGrid = 0;
  host_.fillLineups = [](Meeting& m) {
    Fill(m, 1, "Home One", 0.5f);
    Fill(m, 2, "Home Two", 0.75f);
    Fill(m, 3, "", 0.6f);  // no name: absent
    Fill(m, 5, "Away One", 0.5f);
    Fill(m, 6, "Away Two", 0.0f);  // no average: absent
  };
  ASSERT_EQ(Run(kTwoTeams, random), SetupOutcome::ReadyToRun);
  const Meeting& m = meeting_;
  EXPECT_EQ(m.RiderAverage[1], static_cast<Single>(0.5 * 1.05));  // home team raised by 5 %
  EXPECT_EQ(m.RiderAverage[5], 0.5f);
  EXPECT_EQ(m.RiderFlag[1], 0);
  EXPECT_EQ(m.RiderFlag[3], 1);
  EXPECT_EQ(m.RiderFlag[6], 1);
  EXPECT_EQ(m.RiderFlag[40], 1);
  EXPECT_EQ(m.StartGridNow, 2);  // a random grid drawn high favours the outside
  EXPECT_EQ(m.ProgMarks[1], "N");
  EXPECT_EQ(m.ProgMarks[9], "0");
  EXPECT_EQ(m.ProgMarks[17], "*");
  EXPECT_EQ(m.RiderTeam[5], 2);
  EXPECT_EQ(m.RiderNumber[5], 1);
  EXPECT_EQ(m.RiderTeam[9], 0);     // after the groups
  EXPECT_EQ(m.AverageOrder[1], 2);  // Home Two has the highest average
  EXPECT_EQ(m.AverageOrder[2], 3);  // flagged absent, but still sorted by what it holds
  EXPECT_EQ(m.AverageOrder[3], 1);
  EXPECT_EQ(m.GroupOrder[2], 2);
  EXPECT_EQ(m.ScoreOrder[7], 7);
  EXPECT_EQ(m.NominatedLast, 4);
  EXPECT_EQ(m.Scorecard[1].size(), 1u);
}

TEST_F(SetupTest, NoHomeAdvantageInAnIndividualMeeting) {
  ScriptedRandom random({0.2f});
  prefs_.PrefHomeAdvantage = 1;
  host_.fillLineups = [](Meeting& m) { Fill(m, 1, "Solo", 0.5f); };
  ASSERT_EQ(Run("NUMRIDERS=4\n", random), SetupOutcome::ReadyToRun);
  EXPECT_EQ(meeting_.RiderAverage[1], 0.5f);
}

TEST_F(SetupTest, RandomGridGivesInsideOrOutsideNeverNeither) {
  Pcg32Random random(7);
  int inside = 0;
  for (int i = 0; i < 400; ++i) {
    ASSERT_EQ(Run(kTwoTeams, random), SetupOutcome::ReadyToRun);
    ASSERT_TRUE(meeting_.StartGridNow == 1 || meeting_.StartGridNow == 2);
    inside += meeting_.StartGridNow == 1;
  }
  EXPECT_GT(inside, 150);
  EXPECT_LT(inside, 250);

  ScriptedRandom highest({0.99999994f});  // the largest draw below 1 still gives 2
  ASSERT_EQ(Run(kTwoTeams, highest), SetupOutcome::ReadyToRun);
  EXPECT_EQ(meeting_.StartGridNow, 2);

  prefs_.PrefStartGrid = 3;
  ASSERT_EQ(Run(kTwoTeams, random), SetupOutcome::ReadyToRun);
  EXPECT_EQ(meeting_.StartGridNow, 0);
  prefs_.PrefStartGrid = 1;
  ASSERT_EQ(Run(kTwoTeams, random), SetupOutcome::ReadyToRun);
  EXPECT_EQ(meeting_.StartGridNow, 1);
}

TEST_F(SetupTest, ScratchRacingSkipsTheFile) {
  ScriptedRandom random({0.3f});
  EXPECT_EQ(NewMeeting(meeting_, std::nullopt, prefs_, folder_, host_, random),
            SetupOutcome::ScratchReady);
  EXPECT_EQ(meeting_.CompetitionTitle, "Scratch Racing");
  EXPECT_EQ(meeting_.ControlMode, 2);
  EXPECT_TRUE(host_.menu.continueVisible);
  EXPECT_FALSE(host_.menu.scratchVisible);
}

TEST(SortByAverage, SortsMainRidersAndReservesApartKeepingTies) {
  Meeting m;
  m.NumTeams = 2;
  m.NumGroups = 2;
  m.NumRiders = 5;
  m.NumReserves = 2;
  m.ResMode = 0;
  const Single averages[] = {0.5f, 0.7f, 0.7f, 0.4f, 0.6f, 0.9f, 0.3f, 0.3f, 0.5f, 0.8f};
  for (int s = 1; s <= 10; ++s) m.RiderAverage[static_cast<std::size_t>(s)] = averages[s - 1];
  SortByAverage(m);
  // Group A: main riders 1..3 by average (ties keep line-up order), reserves 4..5 apart.
  EXPECT_EQ(m.AverageOrder[1], 2);
  EXPECT_EQ(m.AverageOrder[2], 3);
  EXPECT_EQ(m.AverageOrder[3], 1);
  EXPECT_EQ(m.AverageOrder[4], 5);
  EXPECT_EQ(m.AverageOrder[5], 4);
  // Group B.
  EXPECT_EQ(m.AverageOrder[6], 6);
  EXPECT_EQ(m.AverageOrder[7], 7);
  EXPECT_EQ(m.AverageOrder[8], 8);
  EXPECT_EQ(m.AverageOrder[9], 10);
  EXPECT_EQ(m.AverageOrder[10], 9);
}

TEST(SortByAverage, ReplacedRiderRidesNoMoreAndKeepsHisPosition) {
  Meeting m;
  m.NumTeams = 2;
  m.NumGroups = 2;
  m.NumRiders = 4;
  m.RdrRepSlot = 1;
  const Single averages[] = {0.5f, 0.8f, 0.6f, 0.0f};
  for (int s = 1; s <= 4; ++s) m.RiderAverage[static_cast<std::size_t>(s)] = averages[s - 1];
  m.GroupReplacement[1][1] = 1;
  SortByAverage(m);
  EXPECT_EQ(m.AverageOrder[1], 2);
  EXPECT_EQ(m.AverageOrder[2], 3);
  EXPECT_EQ(m.AverageOrder[3], 1);
  EXPECT_EQ(m.AverageOrder[4], 4);  // the replacement slot is not sorted
  EXPECT_EQ(m.GroupReplacement[1][2], 3);
  EXPECT_EQ(m.RiderAverage[1], 0.0f);
}

TEST(MeetingRecords, SlotsAndHandicaps) {
  Meeting m;
  m.NumRiders = 7;
  EXPECT_EQ(RiderSlot(m, 3, 2), 16);
  EXPECT_EQ(RiderSlot(m, 0, 5), 0);

  m.Handicaps = {0, 10, 20, 30, 40, 50, 60, 70, 80};
  m.HandicapCode[3] = 0;
  EXPECT_EQ(HandicapOf(m, 3), 10);  // no heat yet: the first entry
  m.HandicapCode[3] = 12;           // beat three riders
  EXPECT_EQ(HandicapOf(m, 3), 40);
  m.HandicapCode[3] = 5;  // did not finish
  EXPECT_EQ(HandicapOf(m, 3), 10);
  m.HandicapOn = 0;
  EXPECT_EQ(HandicapOf(m, 3), 0);
  m.HandicapOn = 1;
  EXPECT_EQ(HandicapOf(m, 99), 0);

  EXPECT_EQ(MarkPoints("3"), 3);
  EXPECT_EQ(MarkPoints("Fx"), 0);
  EXPECT_EQ(MarkPoints("2*"), 2);
}

TEST(MeetingMenuRule, FollowsTheMeetingState) {
  Meeting m;
  EXPECT_FALSE(MeetingMenuFor(m).suspendEnabled);  // nothing under way
  EXPECT_FALSE(MeetingMenuFor(m).separatorVisible);
  m.ControlMode = 1;
  m.MeetingState = kWaitForUser;
  MeetingMenu menu = MeetingMenuFor(m);
  EXPECT_TRUE(menu.continueVisible && menu.separatorVisible && !menu.scratchVisible);
  EXPECT_TRUE(menu.suspendEnabled);
  m.MeetingState = kMeetingOver;
  m.SupportMode = true;
  menu = MeetingMenuFor(m);
  EXPECT_TRUE(menu.scratchVisible && menu.supportVisible && !menu.continueVisible);
  m.HeatCount = 40;
  menu = MeetingMenuFor(m);
  EXPECT_FALSE(menu.scratchEnabled || menu.supportEnabled || menu.continueEnabled ||
               menu.suspendEnabled);
}

}  // namespace
}  // namespace corvane
