#include "engine/competition_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/headless_host.h"

namespace corvane {
namespace {

Meeting Load(const std::string& text, bool* ok = nullptr) {
  Meeting m;
  const bool loaded = LoadCompetitionText(m, text, 12);
  if (ok != nullptr) *ok = loaded;
  return m;
}

TEST(CompetitionFile, KeepsTrimmedLinesWithoutComments) {
  const Meeting m =
      Load("# a comment\r\n  NUMTEAMS=2  \r\n\r\n   \r\n  # indented comment\r\n1:A1,B1\r");
  ASSERT_EQ(m.ProgrammeLineCount(), 3);
  EXPECT_EQ(m.ProgrammeLines[1], "NUMTEAMS=2");
  EXPECT_EQ(m.ProgrammeLines[2], "");  // a line of blanks is kept, empty
  EXPECT_EQ(m.ProgrammeLines[3], "1:A1,B1");
}

TEST(CompetitionFile, CommentsOnlyGiveTheCheckedDefaults) {
  bool ok = false;
  const Meeting m = Load("# nothing but comments\n#\n", &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(m.ProgrammeLineCount(), 0);
  EXPECT_EQ(m.NumTeams, 1);
  EXPECT_EQ(m.NumGroups, 1);
  EXPECT_EQ(m.NumRiders, 40);
  EXPECT_EQ(m.NumReserves, 0);
  EXPECT_EQ(m.RunoffMode, 0);
  EXPECT_EQ(m.RunoffDepth, 4);
}

TEST(CompetitionFile, RefusesFilesThatCannotBeRead) {
  bool ok = true;
  Load("", &ok);
  EXPECT_FALSE(ok);  // zero bytes fail on the first read

  std::string many;
  for (int i = 0; i <= kMaxProgrammeLines; ++i) many += "1:A1,A2\n";
  Load(many, &ok);
  EXPECT_FALSE(ok);  // more kept lines than a 16-bit count can index
}

TEST(CompetitionFile, OverflowEndsReadingOnlyWhereNoRangeTestComesFirst) {
  bool ok = true;
  Meeting m = Load("STARTPEN=12\nNUMGROUPS=2\nNUMTEAMS=70000\nNUMRIDERS=7\n", &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(m.StartPen, 12);   // stored before the failure
  EXPECT_EQ(m.NumGroups, 2);   // unchecked: the reading stopped before the checks
  EXPECT_EQ(m.NumRiders, 40);  // never reached

  m = Load("STARTPEN=12\nSTARTPEN=70000\nMAXAVERAGE=1e9\n", &ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(m.StartPen, 12);
  EXPECT_EQ(m.MaxAverage, 12);
}

TEST(CompetitionFile, KeywordsAreCaseInsensitiveAndTheLastOneWins) {
  const Meeting m = Load("numteams=3\nNumGroups=3\nNUMTEAMS=4\nNUMGROUPS=4,2\n");
  EXPECT_EQ(m.NumTeams, 4);
  EXPECT_EQ(m.NumGroups, 4);
  EXPECT_EQ(m.GroupsPerRow, 2);
}

TEST(CompetitionFile, RangeTestsLookAtTheValueBeforeRounding) {
  Meeting m = Load("MAXRIDES=9.4,8.6\n");
  EXPECT_EQ(m.MaxRides, 0);     // 9.4 fails though it would round to 9
  EXPECT_EQ(m.MaxRidesRes, 9);  // 8.6 passes and rounds to 9
  m = Load("RESUSE=7.2\nSTARTPEN=99.5\nSPCLRACES=2.4,Golden Heats\n");
  EXPECT_EQ(m.ResUse, 0);
  EXPECT_EQ(m.StartPen, 0);
  EXPECT_EQ(m.SpclRaceMode, 0);
  EXPECT_EQ(m.SpclRaceName, "Golden Heats");
  m = Load("STARTPEN=15\nSTARTPEN=120\n");
  EXPECT_EQ(m.StartPen, 15);  // out of range: the earlier value stays
}

TEST(CompetitionFile, ListValuesTakeTheirItems) {
  Meeting m = Load("HANDICAPUSE=0,10\n");
  EXPECT_EQ(m.Handicaps[1], 0);
  EXPECT_EQ(m.Handicaps[2], 10);
  for (std::size_t i = 3; i <= 8; ++i) EXPECT_EQ(m.Handicaps[i], 0);
  m = Load("HANDICAPUSE=5,150,20\n");
  EXPECT_EQ(m.Handicaps[2], 0);  // out of range: that entry alone is ignored
  EXPECT_EQ(m.Handicaps[3], 20);

  m = Load("COMPID=lge, Cup2024 ,x\n");
  EXPECT_EQ(m.CompIds[1], "LGE");
  EXPECT_EQ(m.CompIds[2], "CUP202");
  EXPECT_EQ(m.CompIds[3], "X");
  EXPECT_EQ(m.CompIds[4], "");

  m = Load("SPCLRACES=1,A very long special race name\n");
  EXPECT_EQ(m.SpclRaceMode, 1);
  EXPECT_EQ(m.SpclRaceName, "A very long specia");
}

TEST(CompetitionFile, GroupTitleNeedsAnUpperCaseLetter) {
  const Meeting m = Load(
      "GROUPTITLE=a,Lions\nGROUPTITLE=B,Tigers of the north and south and east\n"
      "GROUPTITLE=J,Nobody\nGROUPTITLE=A,Lions\n");
  EXPECT_EQ(m.GroupTitle[1], "LIONS");
  EXPECT_EQ(m.GroupTitle[2], "TIGERS OF THE NORTH AND SOUTH AN");
  for (std::size_t g = 3; g <= 9; ++g) EXPECT_EQ(m.GroupTitle[g], "");
}

TEST(CompetitionFile, TacticalSubstituteMarginFallsBackToSix) {
  EXPECT_EQ(Load("NUMTEAMS=2\nTACSUBUSE=1\n").TacSubMargin, 6);
  EXPECT_EQ(Load("NUMTEAMS=2\nTACSUBUSE=2,8\n").TacSubMargin, 8);
  EXPECT_EQ(Load("NUMTEAMS=2\nTACSUBUSE=2,1\n").TacSubMargin, 6);
  EXPECT_EQ(Load("TACSUBUSE=2,8\n").TacSubUse, 0);  // individual meeting
}

TEST(CompetitionFile, MaxAverageOutOfRangeTakesThePreference) {
  Meeting m;
  LoadCompetitionText(m, "MAXAVERAGE=150\n", 15);
  EXPECT_EQ(m.MaxAverage, 15);
  LoadCompetitionText(m, "MAXAVERAGE=0\n", 15);
  EXPECT_EQ(m.MaxAverage, 15);
  LoadCompetitionText(m, "MAXAVERAGE=10\n", 15);
  EXPECT_EQ(m.MaxAverage, 10);
}

TEST(CompetitionFile, RidersPerGroupDependOnTeamsAndGroups) {
  EXPECT_EQ(Load("NUMTEAMS=6\nNUMGROUPS=6\nNUMRIDERS=7\n").NumRiders, 2);
  EXPECT_EQ(Load("NUMTEAMS=4\nNUMGROUPS=4\nNUMRIDERS=7\n").NumRiders, 7);
  EXPECT_EQ(Load("NUMTEAMS=2\nNUMGROUPS=6\nNUMRIDERS=7\n").NumRiders, 2);  // groups count too
  EXPECT_EQ(Load("NUMTEAMS=6\nNUMGROUPS=6\nNUMRIDERS=6\n").NumRiders, 6);
  EXPECT_EQ(Load("NUMTEAMS=2\nNUMGROUPS=2\nNUMRIDERS=9\n").NumRiders, 2);
  EXPECT_EQ(Load("NUMRIDERS=40\n").NumRiders, 40);
  EXPECT_EQ(Load("NUMRIDERS=41\n").NumRiders, 2);
  EXPECT_EQ(Load("NUMTEAMS=10\n").NumTeams, 1);
}

TEST(CompetitionFile, ReservesAndModesAreChecked) {
  EXPECT_EQ(Load("NUMRIDERS=3\nRESERVES=4\n").NumReserves, 0);  // more than the riders
  EXPECT_EQ(Load("RESERVES=2,1\n").ResMode, 0);                 // 1 only in team meetings
  EXPECT_EQ(Load("RESERVES=2,2\n").ResMode, 2);
  EXPECT_EQ(Load("NUMGROUPS=3\nNUMRIDERS=4\nRESERVES=1,0\n").ResMode, 2);
  EXPECT_EQ(Load("NUMTEAMS=2\nNUMGROUPS=2\nRESERVES=2,1\n").ResMode, 1);
  EXPECT_EQ(Load("NUMTEAMS=2\nNUMGROUPS=2\nMINRIDES=10\n").MinRides, 0);
  EXPECT_EQ(Load("MINRIDES=3\n").MinRides, 0);  // individual meeting
}

TEST(CompetitionFile, RunoffModeAndDepthFollowTheMeeting) {
  Meeting m = Load("NUMRIDERS=4\nRUNOFFS=2\n");
  EXPECT_EQ(m.RunoffMode, 3);
  EXPECT_EQ(m.RunoffDepth, 3);
  m = Load("NUMTEAMS=4\nNUMGROUPS=4\nNUMRIDERS=4\nRUNOFFS=4\n");
  EXPECT_EQ(m.RunoffMode, 3);
  EXPECT_EQ(m.RunoffDepth, 3);
  m = Load("NUMTEAMS=2\nNUMGROUPS=2\nNUMRIDERS=7\nRUNOFFS=1\n");
  EXPECT_EQ(m.RunoffMode, 1);
  EXPECT_EQ(m.RunoffDepth, 1);
  m = Load("NUMRIDERS=16\nRUNOFFS=4\n");
  EXPECT_EQ(m.RunoffMode, 4);
  EXPECT_EQ(m.RunoffDepth, 4);
  m = Load("NUMGROUPS=2\nNUMRIDERS=4\nRUNOFFS=4\n");
  EXPECT_EQ(m.RunoffMode, 0);
  EXPECT_EQ(m.RunoffDepth, 2);  // unchanged
}

TEST(CompetitionFile, BonusPointsNeedTeamsWithoutTeamScoring) {
  EXPECT_EQ(Load("NUMTEAMS=2\nBONUSPTS=2\n").BonusPts, 2);
  EXPECT_EQ(Load("BONUSPTS=2\n").BonusPts, 0);
  Meeting m;
  m.TeamScoring = 1;
  LoadCompetitionText(m, "NUMTEAMS=2\nBONUSPTS=1\n", 12);
  EXPECT_EQ(m.BonusPts, 0);
}

TEST(CompetitionFile, RiderReplacementAddsASlotOnlyWhileGroupsFit) {
  Meeting m = Load("NUMTEAMS=2\nNUMGROUPS=2\nNUMRIDERS=7\nRDRREPUSE=2,1\n");
  EXPECT_EQ(m.NumRiders, 8);
  EXPECT_EQ(m.RdrRepSlot, 1);
  m = Load("NUMTEAMS=2\nNUMGROUPS=9\nNUMRIDERS=4\nRDRREPUSE=1,1\n");
  EXPECT_EQ(m.NumRiders, 4);  // 9 groups of 5 would need 45 slots
  EXPECT_EQ(m.RdrRepSlot, 0);
  m = Load("NUMTEAMS=2\nNUMGROUPS=8\nNUMRIDERS=4\nRDRREPUSE=1,1\n");
  EXPECT_EQ(m.NumRiders, 5);  // 8 groups of 5 just fit
  m = Load("NUMTEAMS=2\nNUMGROUPS=2\nNUMRIDERS=7\nRDRREPUSE=7,1\n");
  EXPECT_EQ(m.RdrRepUse, 0);  // more than the riders less one
  EXPECT_EQ(m.NumRiders, 7);
  m = Load("NUMTEAMS=5\nNUMGROUPS=5\nNUMRIDERS=6\nRDRREPUSE=1,1\n");
  EXPECT_EQ(m.NumRiders, 6);  // only up to four teams
}

TEST(CompetitionFile, CountsPlannedRidesOfMainMeetingHeats) {
  const Meeting m = Load(
      "NUMTEAMS=2\nNUMGROUPS=2\nNUMRIDERS=7\n"
      "1:A1,B2,a2,B1\n"
      "2:A1@10,BR1,C1,A8,B0,,S1.1\n"
      "Semi-final:A1,B1\n"  // cut at "-": no entries, not counted
      "Final: A3 , B3\n"
      "SUPPORT-4\n"
      "3:A1,B1\n");
  EXPECT_EQ(m.PlannedRides[static_cast<std::size_t>(RiderSlot(m, 1, 1))], 2);
  EXPECT_EQ(m.PlannedRides[static_cast<std::size_t>(RiderSlot(m, 1, 2))], 1);
  EXPECT_EQ(m.PlannedRides[static_cast<std::size_t>(RiderSlot(m, 1, 3))], 1);
  EXPECT_EQ(m.PlannedRides[static_cast<std::size_t>(RiderSlot(m, 2, 1))], 1);
  EXPECT_EQ(m.PlannedRides[static_cast<std::size_t>(RiderSlot(m, 2, 2))], 1);
  EXPECT_EQ(m.PlannedRides[static_cast<std::size_t>(RiderSlot(m, 2, 3))], 1);
  int total = 0;
  for (Integer rides : m.PlannedRides) total += rides;
  EXPECT_EQ(total, 7);
}

TEST(CompetitionFile, AcceptsUtf8Files) {
  const Meeting m = Load("GROUPTITLE=A,J\xC3\xB8rgensen\n");
  EXPECT_EQ(m.GroupTitle[1], "J\xD8RGENSEN");
}

TEST(CompetitionFile, TitleLineNamesTheCompetition) {
  EXPECT_EQ(CompetitionTitleLine("# Cup~not this\nNUMTEAMS=2\nx~\nCompetition~ Summer Cup \n"),
            "Summer Cup");
  EXPECT_EQ(CompetitionTitleLine("a~" + std::string(50, 'x')), std::string(40, 'x'));
  EXPECT_EQ(CompetitionTitleLine("NUMTEAMS=2\n"), "");
}

class CompetitionFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("corvane-cfg-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
  }
  std::filesystem::path folder_;
};

TEST_F(CompetitionFolder, ReadsFromTheScriptsFolderAndShowsTheEditor) {
  Write("cup.cfg", "Competition~Cup\nNUMTEAMS=2\n");
  const auto cwd = std::filesystem::current_path();
  HeadlessHost host;
  Meeting m;
  EXPECT_TRUE(ReadCompetitionFile(m, {"cup.cfg", "The Cup"}, folder_, 12, host));
  EXPECT_EQ(m.NumTeams, 2);
  EXPECT_EQ(m.CompetitionTitle, "The Cup");
  EXPECT_EQ(host.editorShown, 1);
  EXPECT_TRUE(host.warnings.empty());
  EXPECT_EQ(std::filesystem::current_path(), cwd);

  Meeting byPath;
  EXPECT_TRUE(
      ReadCompetitionFile(byPath, {(folder_ / "cup.cfg").string(), "Cup"}, "/nowhere", 12, host));
  EXPECT_EQ(byPath.NumTeams, 2);
}

TEST_F(CompetitionFolder, MissingOrEmptyFilesWarnAndShowNoEditor) {
  Write("empty.cfg", "");
  for (const std::string name : {"missing.cfg", "empty.cfg", ""}) {
    HeadlessHost host;
    Meeting m;
    EXPECT_FALSE(ReadCompetitionFile(m, {name, "X"}, folder_, 12, host));
    ASSERT_EQ(host.warnings.size(), 1u) << name;
    EXPECT_EQ(host.warnings[0], "Configuration file not found");
    EXPECT_EQ(host.editorShown, 0);
  }
  HeadlessHost host;
  Meeting m;
  EXPECT_FALSE(ReadCompetitionFile(m, {"cup.cfg", "X"}, folder_ / "no-such-folder", 12, host));
  EXPECT_FALSE(ReadCompetitionFile(m, {".", "X"}, folder_, 12, host));  // a folder, not a file
}

}  // namespace
}  // namespace corvane
