#include "engine/competition/competition_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "report/headless_host.h"
#include "support/test_files.h"

namespace corvane {
namespace {

Meeting Load(const std::string& text, bool* ok = nullptr) {
  Meeting m;
  const bool loaded = LoadCompetitionText(m, text, 12);
  if (ok != nullptr) *ok = loaded;
  return m;
}

TEST(CompetitionFile, KeepsTrimmedLinesWithoutComments) {
  Meeting m = Load("# a comment\r\n  NUMTEAMS=2  \r\n\r\n   \r\n  # indented comment\r\n1:A1,B1\r");
  // A line of blanks is kept, empty.
  EXPECT_EQ(m.ProgrammeLines.lines(), (std::vector<std::string>{"", "NUMTEAMS=2", "", "1:A1,B1"}));
  bool ok = false;
  m = Load("# nothing but comments\n#\n", &ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(m.ProgrammeLineCount(), 0);
  EXPECT_EQ(m.NumRiders, 40);
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

// Each value is checked against its range and the meeting; a value that fails keeps the one
// before it. Range tests look at the value before it is rounded.
TEST(CompetitionFile, ValuesAreCheckedAgainstTheirRangesAndTheMeeting) {
  using M = Meeting;
  const struct {
    const char* text;
    Integer Meeting::*field;
    int expected;
    Integer Meeting::*second = nullptr;
    int secondExpected = 0;
  } rows[] = {
      // Keywords in any case, the last one wins; 9.4 fails though it would round to 9.
      {"numteams=3\nNumGroups=3\nNUMTEAMS=4\nNUMGROUPS=4,2\n", &M::NumTeams, 4, &M::NumGroups, 4},
      {"NUMGROUPS=4,2\n", &M::GroupsPerRow, 2},
      {"MAXRIDES=9.4,8.6\n", &M::MaxRides, 0, &M::MaxRidesRes, 9},
      {"RESUSE=7.2\n", &M::ResUse, 0},
      {"STARTPEN=15\nSTARTPEN=120\n", &M::StartPen, 15},
      {"SPCLRACES=2.4,Golden Heats\n", &M::SpclRaceMode, 0},
      {"MAXAVERAGE=150\n", &M::MaxAverage, 12},  // out of range: the preference
      {"MAXAVERAGE=10\n", &M::MaxAverage, 10},
      {"NUMTEAMS=2\nTACSUBUSE=2,8\n", &M::TacSubMargin, 8},
      {"TACSUBUSE=2,8\n", &M::TacSubUse, 0},  // individual meeting
      {"NUMRIDERS=41\n", &M::NumRiders, 2},
      {"NUMTEAMS=10\n", &M::NumTeams, 1},
      {"NUMRIDERS=3\nRESERVES=4\n", &M::NumReserves, 0},  // more than the riders
      {"RESERVES=2,1\n", &M::ResMode, 0},                 // 1 only in team meetings
      {"NUMGROUPS=3\nNUMRIDERS=4\nRESERVES=1,0\n", &M::ResMode, 2},
      {"NUMTEAMS=2\nNUMGROUPS=2\nMINRIDES=10\n", &M::MinRides, 0},
      {"NUMRIDERS=4\nRUNOFFS=2\n", &M::RunoffMode, 3, &M::RunoffDepth, 3},
      {"NUMTEAMS=2\nNUMGROUPS=2\nNUMRIDERS=7\nRUNOFFS=1\n", &M::RunoffMode, 1, &M::RunoffDepth, 1},
      {"NUMGROUPS=2\nNUMRIDERS=4\nRUNOFFS=4\n", &M::RunoffMode, 0, &M::RunoffDepth, 2},
      {"BONUSPTS=2\n", &M::BonusPts, 0},
      // Rider replacement adds a slot to each group only while the groups still fit (9 groups
      // of 5 would need 45 slots), for up to four teams and fewer than the riders less one.
      {"NUMTEAMS=2\nNUMGROUPS=2\nNUMRIDERS=7\nRDRREPUSE=2,1\n", &M::NumRiders, 8, &M::RdrRepSlot,
       1},
      {"NUMTEAMS=2\nNUMGROUPS=9\nNUMRIDERS=4\nRDRREPUSE=1,1\n", &M::NumRiders, 4, &M::RdrRepSlot,
       0},
      {"NUMTEAMS=2\nNUMGROUPS=2\nNUMRIDERS=7\nRDRREPUSE=7,1\n", &M::RdrRepUse, 0, &M::NumRiders, 7},
      {"NUMTEAMS=5\nNUMGROUPS=5\nNUMRIDERS=6\nRDRREPUSE=1,1\n", &M::NumRiders, 6},
      // Groups per row outside 2 to the groups, and groups outside 2 to 9.
      {"NUMGROUPS=4,1\n", &M::GroupsPerRow, 4},
      {"NUMGROUPS=4,5\n", &M::GroupsPerRow, 4},
      {"NUMGROUPS=10,2\n", &M::NumGroups, 1, &M::GroupsPerRow, 1},
      {"NUMGROUPS=9\nNUMRIDERS=4\n", &M::NumGroups, 9, &M::NumRiders, 4},
      // Riders a group: 7 or 8 for up to four teams and groups, 5 or 6 for up to six.
      {"NUMTEAMS=4\nNUMGROUPS=4\nNUMRIDERS=7\n", &M::NumRiders, 7},
      {"NUMTEAMS=4\nNUMGROUPS=5\nNUMRIDERS=7\n", &M::NumRiders, 2},
      {"NUMTEAMS=6\nNUMGROUPS=6\nNUMRIDERS=6\n", &M::NumRiders, 6},
      {"NUMTEAMS=7\nNUMGROUPS=7\nNUMRIDERS=5\n", &M::NumRiders, 2},
      {"NUMRIDERS=9\n", &M::NumRiders, 9},
      {"NUMGROUPS=2\nNUMRIDERS=9\n", &M::NumRiders, 2},
      // A shorter line after a full one: its missing items read as 0.
      {"NUMGROUPS=4,2\nNUMGROUPS=4\n", &M::GroupsPerRow, 4},
      {"NUMTEAMS=2\nNUMGROUPS=2\nNUMRIDERS=7\nRESERVES=2,1\nRESERVES=3\n", &M::NumReserves, 3,
       &M::ResMode, 0},
      {"NUMTEAMS=2\nTACSUBUSE=2,8\nTACSUBUSE=2\n", &M::TacSubMargin, 6},
      {"NUMTEAMS=2\nNUMGROUPS=2\nNUMRIDERS=7\nRDRREPUSE=2,1\nRDRREPUSE=2\n", &M::RdrRepSlot, 0,
       &M::NumRiders, 7},
      {"MAXRIDES=5,6\nMAXRIDES=4\n", &M::MaxRides, 4, &M::MaxRidesRes, 0},
  };
  for (const auto& row : rows) {
    const Meeting m = Load(row.text);
    EXPECT_EQ(m.*row.field, row.expected) << row.text;
    if (row.second != nullptr) {
      EXPECT_EQ(m.*row.second, row.secondExpected) << row.text;
    }
  }
  EXPECT_EQ(Load("SPCLRACES=2.4,Golden Heats\n").SpclRaceName, "Golden Heats");
  const Meeting shorter = Load(
      "SPCLRACES=1,Gold\nSPCLRACES=1\nCOMPID=A,B\nCOMPID=C\n"
      "HANDICAPUSE=5,10,15\nHANDICAPUSE=7\n");
  EXPECT_EQ(shorter.SpclRaceName + "|" + shorter.CompIds[1] + "|" + shorter.CompIds[2], "|C|");
  EXPECT_EQ((std::vector<int>{shorter.Handicaps[1], shorter.Handicaps[2], shorter.Handicaps[3]}),
            (std::vector<int>{7, 0, 0}));
  Meeting m;
  m.TeamScoring = 1;  // bonus points need teams without team scoring
  LoadCompetitionText(m, "NUMTEAMS=2\nBONUSPTS=1\n", 12);
  EXPECT_EQ(m.BonusPts, 0);
}

TEST(CompetitionFile, ListValuesTakeTheirItemsCutToTheirLengths) {
  Meeting m = Load("HANDICAPUSE=5,150,20\n");  // out of range: that entry alone is ignored
  EXPECT_EQ((std::vector<int>(m.Handicaps.begin() + 1, m.Handicaps.begin() + 5)),
            (std::vector<int>{5, 0, 20, 0}));
  m = Load("COMPID=lge, Cup2024 ,x\nSPCLRACES=1,A very long special race name\n");
  EXPECT_EQ(m.CompIds[1] + "|" + m.CompIds[2] + "|" + m.CompIds[3] + "|" + m.CompIds[4],
            "LGE|CUP202|X|");
  EXPECT_EQ(m.SpclRaceName, "A very long specia");
  // A group title needs an upper-case letter; UTF-8 files are read as such.
  m = Load(
      "GROUPTITLE=A,J\xC3\xB8rgensen\nGROUPTITLE=B,Tigers of the north and south and east\n"
      "GROUPTITLE=J,Nobody\nGROUPTITLE=a,Lions\n");
  EXPECT_EQ(m.GroupTitle[1], "J\xC3\x98RGENSEN");
  EXPECT_EQ(m.GroupTitle[2], "TIGERS OF THE NORTH AND SOUTH AN");
  for (std::size_t g = 3; g <= 9; ++g) EXPECT_EQ(m.GroupTitle[g], "");
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
  // A1..A3, B1..B3 are slots 1..3, 8..10.
  EXPECT_EQ((std::vector<int>{m.PlannedRides[1], m.PlannedRides[2], m.PlannedRides[3],
                              m.PlannedRides[8], m.PlannedRides[9], m.PlannedRides[10]}),
            (std::vector<int>{2, 1, 1, 1, 1, 1}));
  int total = 0;
  for (Integer rides : m.PlannedRides) total += rides;
  EXPECT_EQ(total, 7);
}

// Read from the Scripts folder without changing the working folder; a missing or empty file
// (or a folder) warns and shows no editor.
TEST(CompetitionFolder, ReadsTheFileOrWarns) {
  const testing::TempFolder temp("cfg");
  const std::filesystem::path& folder = temp.path();
  std::ofstream(folder / "cup.cfg", std::ios::binary) << "Competition~Cup\nNUMTEAMS=2\n";
  std::ofstream(folder / "empty.cfg", std::ios::binary) << "";
  const auto cwd = std::filesystem::current_path();
  HeadlessHost host;
  Meeting m;
  EXPECT_TRUE(ReadCompetitionFile(m, {"cup.cfg", "The Cup"}, folder, 12, host));
  EXPECT_EQ(m.NumTeams, 2);
  EXPECT_EQ(m.CompetitionTitle, "The Cup");
  EXPECT_EQ(host.editorShown, 1);
  EXPECT_EQ(std::filesystem::current_path(), cwd);
  for (const std::string name : {"missing.cfg", "empty.cfg", "", "."}) {
    HeadlessHost refused;
    EXPECT_FALSE(ReadCompetitionFile(m, {name, "X"}, folder, 12, refused)) << name;
    EXPECT_EQ(refused.warnings, std::vector<std::string>{"Configuration file not found"}) << name;
    EXPECT_EQ(refused.editorShown, 0);
  }
}

TEST(CompetitionFile, TitleLineCaptionIsTheSecondFieldCutToForty) {
  const std::pair<std::string, std::string> rows[] = {
      {"# c\nNUMTEAMS=2\nLeague~Premier Match\n", "Premier Match"},
      {"Test~Audit~Cup\n", "Audit"},
      {"a~  \n~b~\n", "b"},
      {"x~" + std::string(45, 'y'), std::string(40, 'y')},
      {"NUMTEAMS=2\n1:A1,B1\n", ""}};
  for (const auto& [text, caption] : rows) EXPECT_EQ(CompetitionTitleLine(text), caption) << text;
}

}  // namespace
}  // namespace corvane
