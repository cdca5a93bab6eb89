// A host without windows, for the command-line runner and the tests: it keeps what the engine
// shows and the rebuilt report, fills the line-ups through a callback and starts the meeting.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/host/meeting_host.h"

namespace corvane {

// What the heat manager's start does when nothing was changed. During the start, a rider kept
// after a tapes penalty has his start drawn again from his new mark (SlotCursor steps back).
void StartWithLineupUnchanged(Meeting& m);

class HeadlessHost : public MeetingHost {
 public:
  // Called in place of the programme editor to fill line-ups and header. When it leaves
  // `startMeeting` true the meeting starts (MeetingState -1).
  std::function<void(Meeting&)> fillLineups;
  bool startMeeting = true;

  // Called in place of the heat manager; by default the line-up stays as it is and the race
  // is started (StartWithLineupUnchanged).
  std::function<void(Meeting&)> heatManager;

  void ShowProgrammeEditor(Meeting& m) override;
  void ShowHeatManager(Meeting& m) override;
  void SetStatusText(std::string_view text) override;
  void PublishResults(std::string_view text) override;
  void SetMeetingMenu(const MeetingMenu& menu) override;
  void ResultsChanged(const Meeting& m) override;
  void ShowWarning(std::string_view message, std::string_view title) override;

  std::string statusText;
  std::string results;
  MeetingMenu menu;
  std::vector<std::string> warnings;
  int editorShown = 0;
  int heatManagerShown = 0;
};

}  // namespace corvane
