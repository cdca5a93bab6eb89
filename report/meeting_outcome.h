// Who won a meeting raced to its end: the team at the top of the programme's last stage.
#pragma once

#include <string>
#include <vector>

#include "engine/records/meeting.h"

namespace corvane {

// A stage of a team competition: the heats from one team transfer (TFRTEAM) to the next.
struct ProgrammeStage {
  std::string name;        // its first heat's title without the heat's number: "Final"
  std::vector<int> teams;  // the teams its heats name, in group order
};

// The teams of the programme's last stage: those its heats name after the last team transfer
// (TFRTEAM), or every team when there is none. Empty in an individual meeting.
std::vector<int> LastStageTeams(const Meeting& m);

// The stages that follow the first in a team meeting, each named by its first heat's title or
// else "Stage 2", "Stage 3" ...; stages whose heats name no team are left out. Empty when the
// programme has one stage.
std::vector<ProgrammeStage> LaterStages(const Meeting& m);

// The team at the top of the last stage: most points, level teams ranked as the report ranks
// them; 0 for a draw, where the last stage has two teams level on points.
int MeetingWinner(const Meeting& m, const std::vector<int>& lastStage);

}  // namespace corvane
