// How the engine reaches the world: dialogs, the status bar, the report window and the Meeting
// menu. The engine only says that the results changed; the host, which sits above the report,
// rebuilds it if it shows one. The desktop program implements it with real windows; the
// command-line runner and the tests without any.
#pragma once

#include <string_view>

namespace corvane {

struct Meeting;

// Visibility and enabled state of the Meeting menu's items.
struct MeetingMenu {
  bool suspendEnabled = false;
  bool separatorVisible = false;
  bool scratchVisible = false;
  bool supportVisible = false;
  bool continueVisible = false;
  bool scratchEnabled = true;
  bool supportEnabled = true;
  bool continueEnabled = true;

  bool operator==(const MeetingMenu&) const = default;
};

// The Meeting menu as the meeting's state asks for it (after every report rebuild).
MeetingMenu MeetingMenuFor(const struct Meeting& m);

class MeetingHost {
 public:
  virtual ~MeetingHost() = default;

  // Modal programme editor: line-ups and header. Starting the meeting there sets MeetingState
  // to -1; any other way of closing leaves it different from -1.
  virtual void ShowProgrammeEditor(Meeting& m) = 0;

  // Modal heat manager, before the start (SlotCursor 0) or for the rider in starting place
  // SlotCursor during the start. Stopping there sets MeetingState to 2.
  virtual void ShowHeatManager(Meeting& m) = 0;

  // Text of the status bar.
  virtual void SetStatusText(std::string_view text) = 0;

  // The rebuilt results report (CRLF line ends), replacing the previous one.
  virtual void PublishResults(std::string_view text) = 0;

  // The Meeting menu's items.
  virtual void SetMeetingMenu(const MeetingMenu& menu) = 0;

  // The meeting's results changed (a heat decided, the meeting over, a stage started). A host
  // that shows the report rebuilds it here (RefreshResults); by default only the Meeting menu
  // follows the meeting's state.
  virtual void ResultsChanged(const Meeting& m) { SetMeetingMenu(MeetingMenuFor(m)); }

  // A warning message box with the exclamation icon and an OK button.
  virtual void ShowWarning(std::string_view message, std::string_view title) = 0;

  // Whether the host shows each heat's summary line and the rebuilt report. A host that shows
  // neither (statistics over many meetings) saves the engine building them.
  virtual bool WantsHeatSummary() const { return true; }
  virtual bool WantsReport() const { return true; }
};

// Publishes the report and refreshes the Meeting menu from the meeting's state.
void PublishReport(MeetingHost& host, const Meeting& m, std::string_view text);

}  // namespace corvane
