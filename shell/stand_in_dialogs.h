// What the program does where the programme editor and the heat manager will open: the
// editor starts the meeting with the line-ups the records hold, the heat manager lets each
// race start as prepared. The dialogs replace these through QtMeetingHost.
#pragma once

namespace corvane {

struct Meeting;

void StandInProgrammeEditor(Meeting& m);
void StandInHeatManager(Meeting& m);

}  // namespace corvane
