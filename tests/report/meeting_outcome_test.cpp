// The stages of a team competition: where a team transfer starts one, which teams ride it and
// what it is called.
#include "report/meeting_outcome.h"

#include <gtest/gtest.h>

#include "support/meeting_builder.h"

namespace corvane {
namespace {

TEST(ProgrammeStages, TransfersSplitTheProgrammeIntoNamedStages) {
  struct Case {
    std::initializer_list<std::string> lines;
    std::vector<std::string> names;  // of the stages after the first
    std::vector<std::vector<int>> teams;
    std::vector<int> lastStage;
  };
  const Case cases[] = {
      {{"1:A1,B1,C1", "2:C2,A2,B2"}, {}, {}, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
      // Two transfers in a row start one stage; the heat's number is not part of its name.
      {{"1:A1,B1,C1,D1", "RANKTEAMSCORES", "TFRTEAM-SA>E", "TFRTEAM-SB>F", "Final 1:E1,F1",
        "Final 2:F2,E2"},
       {"Final"},
       {{5, 6}},
       {5, 6}},
      // Numbered heats and a name already taken fall back to the stage's number; a stage
      // whose heats name no team is left out.
      {{"1:A1,B1,C1,D1", "TFRTEAM-SA>E", "Semi 1:E1,A1", "TFRTEAM-SB>F", "13:F1,B1", "TFRTEAM-SC>G",
        "Semi:G1,F1", "TFRTEAM-SD>H", "RANKTEAMSCORES", "TFRTEAM-SA>I", "Z9:J1"},
       {"Semi", "Stage 3", "Stage 4"},
       {{1, 5}, {2, 6}, {6, 7}},
       {}},
  };
  for (const Case& c : cases) {
    const Meeting m = testing::StartedMeeting(9, 9, 2, c.lines);
    const std::vector<ProgrammeStage> stages = LaterStages(m);
    ASSERT_EQ(stages.size(), c.names.size()) << *c.lines.begin();
    for (std::size_t k = 0; k < stages.size(); ++k) {
      EXPECT_EQ(stages[k].name, c.names[k]);
      EXPECT_EQ(stages[k].teams, c.teams[k]);
    }
    EXPECT_EQ(LastStageTeams(m), c.lastStage);
  }
}

}  // namespace
}  // namespace corvane
