#include "engine/competition/competition_check.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/competition/competition_file.h"
#include "support/test_files.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// Replaces the whole line `from` of the text by `to`.
std::string WithLine(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find("\n" + from + "\n");
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at + 1, from.size(), to);
}

int LineOf(const std::string& text, const std::string& line) {
  const std::size_t at = text.find("\n" + line + "\n");
  return 2 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'));
}

// True when a finding on `fileLine` holds `words`.
bool Finds(const CompetitionCheck& check, int fileLine, const std::string& words) {
  for (const CheckFinding& f : check.findings) {
    if (f.fileLine == fileLine && f.message.find(words) != std::string::npos) return true;
  }
  return false;
}

TEST(CompetitionCheck, FindsEachMistakeOnItsLine) {
  const std::string league = testing::ScriptText("league-match.cfg");
  const struct {
    std::string line, mistake, words;
  } cases[] = {
      {"NUMTEAMS=2", "NUMTEAMS=banana", "\"banana\" is not a number"},
      {"NUMTEAMS=2", "NUMTEAMS=banana", "so the meeting has no teams: 1 is used"},
      {"NUMRIDERS=7", "NUMRIDERS=99", "NUMRIDERS 99 is not allowed"},
      {"5:A2,B2,A4,B4", "5:A2,B1,A9,Z4", "A9 names nobody: line-up A has riders 1 to 8"},
      {"5:A2,B2,A4,B4", "5:A2,B1,A9,Z4", "Z4 names nobody: there is no line-up Z"},
      {"TACSUBS-ON", "TACSUBS-MAYBE", "\"MAYBE\" is not an argument of TACSUBS"},
      {"MAXRIDES=6,6", "MAXRIDESS=6,6", "did you mean MAXRIDES?"},
      {"MAXRIDES=6,6", "MAXRIDES=12,6", "MAXRIDES 12 is outside 0 to 9: ignored, 0 stays"},
      {"NUMTEAMS=2", "NUMTEAMS=2,3", "NUMTEAMS takes one value: \"3\" is ignored"},
      {"NUMTEAMS=2", "NUMTEAMS=2 teams", "is read as 2, the text after the number is ignored"},
      {"STARTPEN=15", "STARTPEN=120", "ignored, 0 stays"},
      {"TACSUBS-ON", "TACSUBS=ON", "TACSUBS is a command, written TACSUBS-argument"},
      {"TACSUBS-ON", "Final:", "a heat line needs riders after \":\""},
      {"TACSUBS-ON", "TACSUBSS-ON", "did you mean TACSUBS?"},
      {"TACSUBS-ON", "6:A1", "fewer than two riders"},
      {"TACSUBS-ON", "Heat:A1,B1,A1", "A1 names a rider already in this heat"},
      {"TACSUBS-ON", "Heat:S1,B1", "a place in the standings needs a meeting of one line-up"},
      {"TACSUBS-ON", "Heat:S1.9,B1", "the programme has 4 heat(s) before it"},
      {"TACSUBS-ON", "TFRTEAM-SA>Z", "TFRTEAM needs source>destination teams"},
      {"TACSUBS-ON", "NOMINATED-9", "NOMINATED: \"9\" is not 1 to 7: 1 is used"},
      {"TACSUBS-ON", "SUPPORT-30", "the support competition has no riders of its own"},
      {"TACSUBS-ON", "GROUPTITLE=a,Lions", "needs a line-up letter A to I"},
      {"TACSUBS-ON", "SPCLRACES=1,Final: best", "the meeting also reads it as a heat"},
  };
  for (const auto& c : cases) {
    const std::string text = WithLine(league, c.line, c.mistake);
    const CompetitionCheck check = CheckCompetitionText(text);
    EXPECT_TRUE(Finds(check, LineOf(text, c.mistake), c.words)) << c.mistake << ": " << c.words;
  }
  // Riders programmed past MAXRIDES are noted on the MAXRIDES line.
  const std::string text = WithLine(league, "MAXRIDES=6,6", "MAXRIDES=3,6");
  EXPECT_TRUE(Finds(CheckCompetitionText(text), LineOf(text, "MAXRIDES=3,6"),
                    "more rides than MAXRIDES (3): A1 4, A2 4, A3 4, A4 4, A5 4, B1 4"));
  // A keyword given twice is noted where it no longer counts.
  const std::string twice = WithLine(league, "MINRIDES=0", "NUMTEAMS=2");
  EXPECT_TRUE(
      Finds(CheckCompetitionText(twice), LineOf(twice, "NUMTEAMS=2"),
            "NUMTEAMS is given again on line " + std::to_string(LineOf(twice, "NUMTEAMS=2") + 5)));
}

TEST(CompetitionCheck, ProgrammesPastFortyHeatsAndUnreadableFiles) {
  std::string text = "NUMTEAMS=2\nNUMGROUPS=2\nNUMRIDERS=4\n";
  for (int h = 1; h <= 42; ++h) text += std::to_string(h) + ":A1,B1,A2,B2\n";
  const CompetitionCheck check = CheckCompetitionText(text);
  EXPECT_TRUE(Finds(check, 44, "a meeting races at most 40 heats"));
  EXPECT_EQ(check.findings.size(), 2u);  // and the rides past MAXRIDES

  const struct {
    std::string text, summary;
  } unreadable[] = {
      {"", "f: the file is empty, so a meeting cannot read it"},
      {"# only comments\n", "f: the file holds no competition"},
      {"NUMTEAMS=70000\n", "f: 70000 is too large for a meeting"},
  };
  for (const auto& u : unreadable) {
    EXPECT_EQ(CheckSummary(CheckCompetitionText(u.text), "f").substr(0, u.summary.size()),
              u.summary);
  }
}

TEST(CompetitionCheck, NotesChangeNothingRead) {
  for (const std::string& text :
       {testing::ScriptText("group-stages.cfg"),
        WithLine(testing::ScriptText("league-match.cfg"), "NUMTEAMS=2", "NUMTEAMS=banana")}) {
    Meeting plain, noted;
    CompetitionNotes notes;
    ASSERT_TRUE(LoadCompetitionText(plain, text, 12));
    ASSERT_TRUE(LoadCompetitionText(noted, text, 12, &notes));
    EXPECT_EQ(plain.ProgrammeLines.lines(), noted.ProgrammeLines.lines());
    EXPECT_EQ(plain.PlannedRides, noted.PlannedRides);
    EXPECT_EQ(std::tie(plain.NumTeams, plain.NumGroups, plain.NumRiders, plain.MaxRides,
                       plain.RdrRepSlot, plain.BonusPts),
              std::tie(noted.NumTeams, noted.NumGroups, noted.NumRiders, noted.MaxRides,
                       noted.RdrRepSlot, noted.BonusPts));
  }
}

}  // namespace
}  // namespace corvane
