// A host that shows nothing: meetings raced for their statistics need neither summary lines
// nor reports, and no team is steered by a player.
#pragma once

#include "engine/host/meeting_host.h"
#include "engine/records/meeting.h"

namespace corvane {

class SilentHost final : public MeetingHost {
 public:
  void ShowProgrammeEditor(Meeting& m) override { m.MeetingState = kStartedFromEditor; }
  void ShowHeatManager(Meeting&) override {}
  void SetStatusText(std::string_view) override {}
  void PublishResults(std::string_view) override {}
  void SetMeetingMenu(const MeetingMenu&) override {}
  void ShowWarning(std::string_view, std::string_view) override {}
  bool WantsHeatSummary() const override { return false; }
  bool WantsReport() const override { return false; }
};

}  // namespace corvane
