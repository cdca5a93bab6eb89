#include "shell/stand_in_dialogs.h"

#include "engine/meeting.h"

namespace corvane {

void StandInProgrammeEditor(Meeting& m) {
  m.MeetingState = kStartedFromEditor;
}

void StandInHeatManager(Meeting& /*m*/) {}

}  // namespace corvane
