#include "report/headless_host.h"

#include "engine/records/meeting.h"
#include "report/results_report.h"

namespace corvane {

void HeadlessHost::ShowProgrammeEditor(Meeting& m) {
  ++editorShown;
  m.MeetingState = kRunOn;  // the editor opens with the meeting not yet started
  if (fillLineups) fillLineups(m);
  if (startMeeting) m.MeetingState = kStartedFromEditor;
}

void StartWithLineupUnchanged(Meeting& m) {
  const int place = m.SlotCursor;
  if (place < 1 || place > kMaxEntries) return;
  const auto& row = m.HeatGrid[static_cast<std::size_t>(place)];
  const int rider = IsSlot(row[1]) ? row[1] : 0;
  // Only a rider whose start is still to be drawn (first run, or racing in a re-run) is started
  // again; an excluded or injured rider who is kept stays out of the heat.
  const int status = m.RaceStatus[static_cast<std::size_t>(rider)];
  if ((status == kNotStarted || status == kRacing) && row[5] > 0) {
    m.SlotCursor = static_cast<Integer>(place - 1);
  }
}

void HeadlessHost::ShowHeatManager(Meeting& m) {
  ++heatManagerShown;
  if (heatManager) {
    heatManager(m);
  } else {
    StartWithLineupUnchanged(m);
  }
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

void HeadlessHost::ResultsChanged(const Meeting& m) {
  RefreshResults(m, *this);
}

void HeadlessHost::ShowWarning(std::string_view message, std::string_view /*title*/) {
  warnings.emplace_back(message);
}

}  // namespace corvane
