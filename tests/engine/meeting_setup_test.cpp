#include "engine/competition/meeting_setup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "engine/race/random_source.h"
#include "report/headless_host.h"
#include "support/meeting_builder.h"
#include "support/test_files.h"

namespace corvane {
namespace {

// A competition file in a folder of its own for the length of one test.
class SetupTest : public ::testing::Test {
 protected:
  // The set-up alone, or with `race` the whole meeting as New Meeting runs it.
  SetupOutcome Run(const std::string& cfg, RandomSource& random, bool race = false) {
    std::ofstream(folder_ / "c.cfg", std::ios::binary) << cfg;
    const CompetitionChoice choice{"c.cfg", "Test Cup"};
    return race ? NewMeeting(meeting_, choice, prefs_, folder_, host_, random)
                : SetUpMeeting(meeting_, choice, prefs_, folder_, host_, random);
  }

  const testing::TempFolder temp_{"setup"};
  const std::filesystem::path& folder_ = temp_.path();
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

  host_.startMeeting = true;
  EXPECT_EQ(Run(kTwoTeams, random, true), SetupOutcome::ReadyToRun);
  EXPECT_EQ(meeting_.MeetingState, kMeetingOver);  // the runner has taken the meeting to its end
  EXPECT_EQ(meeting_.CompetitionTitle, "Test Cup");
  EXPECT_EQ(host_.menu, MeetingMenuFor(meeting_));
}

// A new meeting that does not start (file unreadable, editor left) leaves the running one, its
// report and its Meeting menu as they were.
TEST_F(SetupTest, ANewMeetingNotStartedKeepsTheRunningOne) {
  ScriptedRandom random({0.1f});
  ASSERT_EQ(Run(kTwoTeams, random, true), SetupOutcome::ReadyToRun);
  const Meeting running = meeting_;
  const HeadlessHost shown = host_;

  std::ofstream(folder_ / "bad.cfg", std::ios::binary) << "NUMTEAMS=99999\n";
  EXPECT_EQ(NewMeeting(meeting_, CompetitionChoice{"bad.cfg", "X"}, prefs_, folder_, host_, random),
            SetupOutcome::NotStarted);
  ASSERT_EQ(host_.warnings.size(), 1u);
  EXPECT_EQ(host_.editorShown, shown.editorShown);

  host_.startMeeting = false;
  host_.fillLineups = [](Meeting& m) { m.CompetitionTitle = "Changed in the editor"; };
  EXPECT_EQ(NewMeeting(meeting_, std::nullopt, prefs_, folder_, host_, random),
            SetupOutcome::NotStarted);
  EXPECT_EQ(host_.editorShown, shown.editorShown + 1);
  EXPECT_EQ(meeting_.CompetitionTitle, "Test Cup");
  EXPECT_TRUE(meeting_.HeatCount == running.HeatCount &&
              meeting_.MeetingState == running.MeetingState &&
              meeting_.RiderName == running.RiderName);
  EXPECT_TRUE(host_.menu == shown.menu && host_.results == shown.results &&
              host_.statusText == shown.statusText);
}

TEST_F(SetupTest, AppliesTheMeetingWideAdjustments) {
  ScriptedRandom random({0.99f});
  prefs_.PrefHomeAdvantage = 1;
  prefs_.PrefStartGrid = 0;
  host_.fillLineups = [](Meeting& m) {
    testing::SetRider(m, 1, "Home One", 0.5f);
    testing::SetRider(m, 2, "Home Two", 0.75f);
    testing::SetRider(m, 3, "", 0.6f);  // no name: absent
    testing::SetRider(m, 5, "Away One", 0.5f);
    testing::SetRider(m, 6, "Away Two", 0.0f);  // no average: absent
  };
  ASSERT_EQ(Run(kTwoTeams, random), SetupOutcome::ReadyToRun);
  const Meeting& m = meeting_;
  EXPECT_EQ(m.RiderAverage[1], static_cast<Single>(0.5 * 1.05));  // home team raised by 5 %
  EXPECT_EQ(m.RiderAverage[5], 0.5f);
  // Riders without a name or an average are absent, and so is every empty slot.
  EXPECT_EQ((std::vector{m.RiderFlag[1], m.RiderFlag[3], m.RiderFlag[6], m.RiderFlag[40]}),
            (std::vector<Integer>{0, 1, 1, 1}));
  EXPECT_EQ(m.StartGridNow, 2);  // a random grid drawn high favours the outside
  EXPECT_EQ((std::vector{m.RiderTeam[5], m.RiderNumber[5], m.RiderTeam[9]}),
            (std::vector<Integer>{2, 1, 0}));  // slot 9 is after the groups
  // Home Two has the highest average; slot 3, absent, is still sorted by what it holds.
  EXPECT_EQ((std::vector{m.AverageOrder[1], m.AverageOrder[2], m.AverageOrder[3]}),
            (std::vector<Integer>{2, 3, 1}));
  EXPECT_EQ((std::vector{m.GroupOrder[2], m.ScoreOrder[7]}), (std::vector<Integer>{2, 7}));
}

// A random grid is inside or outside, never neither, even on the largest draw below 1.
TEST_F(SetupTest, StartGridFromThePreferenceOrDrawn) {
  for (const auto& [preference, draw, grid] :
       {std::tuple{0, 0.0f, 1}, {0, 0.99999994f, 2}, {3, 0.5f, 0}, {1, 0.99f, 1}}) {
    prefs_.PrefStartGrid = preference;
    ScriptedRandom random({draw});
    ASSERT_EQ(Run(kTwoTeams, random), SetupOutcome::ReadyToRun);
    EXPECT_EQ(meeting_.StartGridNow, grid) << preference << " " << draw;
  }
}

std::vector<int> AverageOrder(const Meeting& m, int count) {
  return std::vector<int>(m.AverageOrder.begin() + 1, m.AverageOrder.begin() + 1 + count);
}

TEST(HandicapOf, TheDistanceOfTheLatestResultNoneWhenOffOrOutOfRange) {
  Meeting m;
  m.Handicaps = {0, 10, 20, 30, 40, 50, 60, 70, 80};
  // No heat yet: the first entry; beat three riders: the fourth; did not finish: the first.
  for (const auto& [code, metres] : {std::pair{0, 10}, {12, 40}, {5, 10}}) {
    m.HandicapCode[3] = static_cast<Integer>(code);
    EXPECT_EQ(HandicapOf(m, 3), metres) << code;
  }
  EXPECT_EQ(HandicapOf(m, 99), 0);
  m.HandicapOn = 0;
  EXPECT_EQ(HandicapOf(m, 3), 0);
}

TEST_F(SetupTest, EmptyProgrammeMarksAreTakenFromThePreferences) {
  ScriptedRandom random({0.1f});
  prefs_.PrefMarks[16] = "5";
  host_.fillLineups = [](Meeting& m) { m.ProgMarks[1] = "DNS"; };  // as the regulations set it
  ASSERT_EQ(Run(kTwoTeams, random), SetupOutcome::ReadyToRun);
  EXPECT_EQ(meeting_.ProgMarks[1] + meeting_.ProgMarks[16] + meeting_.ProgMarks[17], "DNS5*");
}

TEST(SortByAverage, ReservesSortedApartOnlyWhereTheyAreKeptApart) {
  // Averages rise with the slot, so every sorted run turns round.
  const struct {
    int teams, groups, riders, resMode, repSlot;
    std::vector<int> order;  // group A, two reserves
  } rows[] = {{2, 2, 5, 0, 0, {3, 2, 1, 5, 4}}, {2, 2, 5, 1, 0, {5, 4, 3, 2, 1}},
              {2, 2, 5, 2, 0, {5, 4, 3, 2, 1}}, {1, 1, 5, 2, 0, {3, 2, 1, 4, 5}},
              {1, 1, 5, 0, 0, {3, 2, 1, 4, 5}}, {2, 2, 6, 0, 1, {3, 2, 1, 5, 4, 6}}};
  for (const auto& row : rows) {
    Meeting m = testing::BuildMeeting(row.teams, row.groups, row.riders);
    m.NumReserves = 2;
    m.ResMode = static_cast<Integer>(row.resMode);
    m.RdrRepSlot = static_cast<Integer>(row.repSlot);
    for (int s = 1; s <= 12; ++s) m.RiderAverage[static_cast<std::size_t>(s)] = 0.05f * s;
    SortByAverage(m);
    EXPECT_EQ(AverageOrder(m, row.riders), row.order) << row.teams << row.resMode << row.repSlot;
  }
  // The replaced rider keeps his place in the order, with no average.
  Meeting m = testing::BuildMeeting(2, 2, 5);
  m.NumReserves = 2;
  for (int s = 1; s <= 10; ++s) m.RiderAverage[static_cast<std::size_t>(s)] = 0.05f * s;
  m.RiderAverage[3] = m.RiderAverage[2];  // level riders keep their line-up order
  m.GroupReplacement[2][1] = 6;           // B1
  SortByAverage(m);
  EXPECT_EQ(AverageOrder(m, 10), (std::vector<int>{2, 3, 1, 5, 4, 8, 7, 6, 10, 9}));
  EXPECT_EQ(m.GroupReplacement[2][2], 3);
  EXPECT_EQ(m.RiderAverage[6], 0.0f);
}

}  // namespace
}  // namespace corvane
