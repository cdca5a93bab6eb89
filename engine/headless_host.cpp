#include "engine/headless_host.h"

#include "engine/meeting.h"

namespace corvane {

void HeadlessHost::ShowProgrammeEditor(Meeting& m) {
  ++editorShown;
  m.MeetingState = kRunOn;  // the editor opens with the meeting not yet started
  if (fillLineups) fillLineups(m);
  if (startMeeting) m.MeetingState = kStartedFromEditor;
}

void HeadlessHost::ShowHeatManager(Meeting& m) {
  ++heatManagerShown;
  if (heatManager) heatManager(m);
}

void HeadlessHost::SetStatusText(std::string_view text) {
  statusText = text;
}

void HeadlessHost::PublishResults(std::string_view text) {
  results = text;
}

void HeadlessHost::SetMeetingMenu(const MeetingMenu& newMenu) {
  menu = newMenu;
}

void HeadlessHost::ShowWarning(std::string_view message, std::string_view /*title*/) {
  warnings.emplace_back(message);
}

}  // namespace corvane
