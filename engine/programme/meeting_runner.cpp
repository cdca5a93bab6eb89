#include "engine/programme/meeting_runner.h"

#include <string>

#include "engine/host/meeting_host.h"
#include "engine/programme/programme_commands.h"
#include "engine/programme/runoffs.h"
#include "engine/race/heat_preparation.h"
#include "engine/race/race_simulation.h"

namespace corvane {

namespace {

void EndMeeting(Meeting& m, MeetingHost& host) {
  if (m.MainHeats == 0) m.MainHeats = m.HeatCount;
  m.MeetingState = kMeetingOver;
  m.SupportMode = false;
  host.ResultsChanged(m);
}

// Carries out the line at ProgLine. Returns false when there is no such line: the programme has
// none left (or none at all), so the meeting is over.
bool RunCurrentLine(Meeting& m, MeetingHost& host, RandomSource& random) {
  if (m.ProgLine < 1) m.ProgLine = 1;  // a resumed record pointing before the first line
  if (m.ProgLine > m.ProgrammeLineCount()) return false;
  const ProgrammeLine& line = m.ReadLines.Line(m.ProgrammeLines, m.ProgLine);
  // Only a heat line waits for the player; a wait found anywhere else runs on.
  if (!line.heat && m.MeetingState == kWaitForUser) m.MeetingState = kRunOn;
  if (line.commandWord != CommandWord::kNone) {
    RunProgrammeCommand(m, host, random, line);
  } else {
    PrepareHeatLine(m, line, host, random);
  }
  return true;
}

}  // namespace

void RunProgramme(Meeting& m, MeetingHost& host, RandomSource& random) {
  if (m.MeetingState == kMeetingOver) return;
  // Nobody decides anything in a meeting the computer steers, so a wait at a line can only
  // have been made from outside (a meeting stopped after a number of heats and resumed): it
  // runs on from that line. Left waiting, the line's heat would be raced again at every call.
  if (m.MeetingState == kWaitForUser && m.ControlMode == 0) m.MeetingState = kRunOn;
  do {
    if (m.RunoffsPending > 0) {
      RunRunoff(m, host, random);
    } else if (!RunCurrentLine(m, host, random)) {
      EndMeeting(m, host);
      return;
    }

    if (m.RunoffsPending > 0 && m.MeetingState == kHeatDecided) {
      host.ResultsChanged(m);  // the next runoff heat waits for Continue
      return;
    }
    if (m.ProgLine < m.ProgrammeLineCount() && m.HeatCount < kMaxHeats) {
      if (m.MeetingState == kHeatDecided) {
        host.ResultsChanged(m);
        ++m.ProgLine;
      } else if (m.MeetingState != kWaitForUser) {
        ++m.ProgLine;
      }
    } else if (m.MeetingState != kWaitForUser) {
      EndMeeting(m, host);  // last line done, or 40 heats run
    }
  } while (m.MeetingState <= kHeatDecided);
}

void RunSingleRace(Meeting& m, MeetingHost& host, RandomSource& random) {
  if (m.HeatCount >= kMaxHeats) return;  // the meeting has no heat left
  const Integer controlMode = m.ControlMode;
  const bool meetingOver = m.MeetingState == kMeetingOver;
  m.ControlMode = 2;
  if (m.MainHeats > 0) m.ScoringOn = 0;
  m.TacSubsNow = 0;
  m.RdrRepNow = 0;
  ClearHeatLineup(m);
  m.HeatTitle.clear();

  RunHeat(m, host, random);
  if (m.MeetingState == kHeatDecided) {
    if (m.MainHeats > 0 || meetingOver) m.MeetingState = kMeetingOver;
    host.ResultsChanged(m);
  }
  // A race after the meeting, even one called off in the heat manager, leaves it over.
  if (meetingOver) m.MeetingState = kMeetingOver;
  m.ControlMode = controlMode;
}

void StartSupportCompetition(Meeting& m, MeetingHost& host, RandomSource& random) {
  // Only a main meeting that ended at its support line has a support competition to start.
  if (!m.SupportMode || m.MeetingState != kMeetingOver || m.RunoffsPending != 0) return;
  if (m.SupportRiders > 0) {
    host.ShowProgrammeEditor(m);
    if (m.MeetingState != kStartedFromEditor) {
      m.MeetingState = kMeetingOver;  // not started: the meeting stays over, support pending
      return;
    }
  } else {
    m.MeetingState = kRunOn;  // no riders to enter: the support lines run at once
  }
  m.ScoringOn = 0;
  m.TacSubsNow = 0;
  m.RdrRepNow = 0;
  host.SetMeetingMenu(MeetingMenuFor(m));
  RunProgramme(m, host, random);
}

}  // namespace corvane
