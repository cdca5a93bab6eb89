// The stages of a team competition: where a team transfer starts one, which teams ride it and
// what it is called.
#include "report/meeting_outcome.h"

#include <gtest/gtest.h>

#include "support/meeting_builder.h"

namespace corvane {
namespace {

TEST(ProgrammeStages, TransfersSplitTheProgrammeIntoNamedStages) {
  // Two transfers in a row start one stage; a heat's number is no part of the stage's name; a
  // stage of numbered heats, or whose name is taken, is called by its number; a stage whose
  // heats name no team is left out.
  const Meeting m = testing::StartedMeeting(
      9, 9, 2,
      {"1:A1,B1,C1,D1", "TFRTEAM-SA>E", "TFRTEAM-SB>F", "Final 1:E1,F1", "Final 2:F2,E2",
       "TFRTEAM-SC>G", "13:G1,B1", "TFRTEAM-SD>H", "Final:H1,G1", "TFRTEAM-SA>I", "Z9:J1"});
  const std::vector<ProgrammeStage> stages = LaterStages(m);
  const std::vector<std::pair<std::string, std::vector<int>>> expected = {
      {"Final", {5, 6}}, {"Stage 3", {2, 7}}, {"Stage 4", {7, 8}}};
  ASSERT_EQ(stages.size(), expected.size());
  for (std::size_t k = 0; k < stages.size(); ++k) {
    EXPECT_EQ(stages[k].name, expected[k].first);
    EXPECT_EQ(stages[k].teams, expected[k].second);
  }
  EXPECT_TRUE(LastStageTeams(m).empty());  // the last stage names no team
}

}  // namespace
}  // namespace corvane
