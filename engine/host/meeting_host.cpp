#include "engine/host/meeting_host.h"

#include "engine/records/meeting.h"

namespace corvane {

MeetingMenu MeetingMenuFor(const Meeting& m) {
  MeetingMenu menu;
  if (m.ControlMode > 0 && m.MeetingState < kMeetingOver) {
    menu.separatorVisible = true;
    menu.continueVisible = true;
  } else if (m.MeetingState == kMeetingOver) {
    menu.separatorVisible = true;
    menu.scratchVisible = true;
  }
  menu.supportVisible = m.SupportMode && m.MeetingState == kMeetingOver && m.RunoffsPending == 0;
  const bool full = m.HeatCount >= kMaxHeats;
  menu.scratchEnabled = menu.supportEnabled = menu.continueEnabled = !full;
  menu.suspendEnabled = !(m.MeetingState == kRunOn || full);
  return menu;
}

void PublishReport(MeetingHost& host, const Meeting& m, std::string_view text) {
  host.PublishResults(text);
  host.SetMeetingMenu(MeetingMenuFor(m));
}

}  // namespace corvane
