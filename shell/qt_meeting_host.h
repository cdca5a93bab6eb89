// The engine's view of the desktop program: the report goes to the results box, the summary
// line to the status bar, the Meeting menu's state to its items, warnings to message boxes,
// and the programme editor and heat manager open as modal dialogs.
#pragma once

#include <QString>
#include <functional>

#include "engine/host/meeting_host.h"

class QAction;
class QLabel;
class QPlainTextEdit;
class QWidget;

namespace corvane {

class UserDialogs;

// The Meeting menu's items whose state follows the meeting.
struct MeetingMenuActions {
  QAction* suspend = nullptr;
  QAction* separator = nullptr;
  QAction* scratch = nullptr;
  QAction* support = nullptr;
  QAction* continueMeeting = nullptr;
};

void ApplyMeetingMenu(const MeetingMenuActions& actions, const MeetingMenu& menu);

// The report's text for the results box: Unicode, one line feed a line.
QString ResultsBoxText(std::string_view report);

class QtMeetingHost final : public MeetingHost {
 public:
  using MeetingDialog = std::function<void(Meeting&)>;

  QtMeetingHost(QWidget* window, QPlainTextEdit* results, QLabel* status, MeetingMenuActions menu,
                UserDialogs& dialogs);

  // The modal dialogs the engine opens. Without a programme editor no meeting starts; the heat
  // manager starts as the stand-in of stand_in_dialogs.h.
  void SetProgrammeEditor(MeetingDialog editor) { programmeEditor_ = std::move(editor); }
  // Runs before the programme editor opens on a new meeting, to fill it in; when it returns
  // false the editor stays shut and the meeting does not start. Empty: the editor just opens.
  void SetEditorPreparation(std::function<bool(Meeting&)> prepare) {
    editorPreparation_ = std::move(prepare);
  }
  void SetHeatManager(MeetingDialog manager) { heatManager_ = std::move(manager); }
  // Called after the status text has been set (each heat ends with its summary line).
  void SetStatusListener(std::function<void()> listener) { statusListener_ = std::move(listener); }

  void ShowProgrammeEditor(Meeting& m) override;
  void ShowHeatManager(Meeting& m) override;
  void SetStatusText(std::string_view text) override;
  void PublishResults(std::string_view text) override;
  void SetMeetingMenu(const MeetingMenu& menu) override;
  void ResultsChanged(const Meeting& m) override;
  void ShowWarning(std::string_view message, std::string_view title) override;

 private:
  QWidget* window_;
  QPlainTextEdit* results_;
  QLabel* status_;
  MeetingMenuActions menu_;
  UserDialogs& dialogs_;
  MeetingDialog programmeEditor_;
  std::function<bool(Meeting&)> editorPreparation_;
  MeetingDialog heatManager_;
  std::function<void()> statusListener_;
};

}  // namespace corvane
