// The bundled programmes' heat allocations: what makes two teams of the same strength win
// equally often.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "engine/competition/competition_file.h"
#include "support/test_files.h"

namespace corvane {
namespace {

// Two teams of the same strength win equally often when every heat sets riders of one team
// against the riders of the same numbers (and the same kind of entry) in the other: then the
// meeting reads the same with the teams' letters swapped, and only the gates differ.
TEST(BundledProgrammes, TwoTeamHeatsMatchEachRiderNumberOnBothSides) {
  for (const std::string name : {"league-match.cfg", "league-with-support.cfg"}) {
    Meeting m;
    ASSERT_TRUE(LoadCompetitionText(m, testing::ScriptText(name), 12));
    ASSERT_EQ(m.NumTeams, 2);
    int heats = 0;
    for (int i = 1; i <= m.ProgrammeLineCount(); ++i) {
      const std::string& text = m.ProgrammeLines[static_cast<std::size_t>(i)];
      if (UpperCase(SplitFields(text, "-", 1)[1]) == "SUPPORT") break;
      const auto parts = SplitFields(text, ":", 2);
      if (parts[2].empty() || IsKeywordLine(text)) continue;
      std::multiset<std::string> sides[2];
      for (const std::string& code : SplitFields(parts[2], ",", 8)) {
        if (!code.empty()) sides[code[0] == 'B'].insert(code.substr(1));
      }
      EXPECT_EQ(sides[0], sides[1]) << name << ": " << text;
      EXPECT_EQ(sides[0].size(), 2u) << name << ": " << text;
      ++heats;
    }
    EXPECT_GE(heats, 12) << name;
    // Each rider's rides as the programme has always given them.
    const std::vector<Integer> rides(m.PlannedRides.begin() + 1, m.PlannedRides.begin() + 15);
    const std::vector<Integer> league{4, 4, 4, 4, 4, 3, 3, 0, 4, 4, 4, 4, 4, 3};
    const std::vector<Integer> support{4, 4, 4, 4, 4, 2, 2, 4, 4, 4, 4, 4, 2, 2};
    EXPECT_EQ(rides, name == "league-match.cfg" ? league : support);
  }
}

}  // namespace
}  // namespace corvane
