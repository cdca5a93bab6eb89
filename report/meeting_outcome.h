// Who won a meeting raced to its end: the team at the top of the programme's last stage.
#pragma once

#include <vector>

#include "engine/records/meeting.h"

namespace corvane {

// The teams of the programme's last stage: those its heats name after the last team transfer
// (TFRTEAM), or every team when there is none. Empty in an individual meeting.
std::vector<int> LastStageTeams(const Meeting& m);

// The team at the top of the last stage: most points, level teams ranked as the report ranks
// them; 0 for a draw, where the last stage has two teams level on points.
int MeetingWinner(const Meeting& m, const std::vector<int>& lastStage);

}  // namespace corvane
