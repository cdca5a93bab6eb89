#include "shell/qt_meeting_host.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "report/results_report.h"
#include "shell/qt_text.h"
#include "shell/stand_in_dialogs.h"
#include "shell/user_dialogs.h"

namespace corvane {

void ApplyMeetingMenu(const MeetingMenuActions& actions, const MeetingMenu& menu) {
  actions.suspend->setEnabled(menu.suspendEnabled);
  actions.separator->setVisible(menu.separatorVisible);
  actions.scratch->setVisible(menu.scratchVisible);
  actions.scratch->setEnabled(menu.scratchEnabled);
  actions.support->setVisible(menu.supportVisible);
  actions.support->setEnabled(menu.supportEnabled);
  actions.continueMeeting->setVisible(menu.continueVisible);
  actions.continueMeeting->setEnabled(menu.continueEnabled);
}

QString ResultsBoxText(std::string_view report) {
  QString text = WidgetText(report);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return text;
}

QtMeetingHost::QtMeetingHost(QWidget* window, QPlainTextEdit* results, QLabel* status,
                             MeetingMenuActions menu, UserDialogs& dialogs)
    : window_(window),
      results_(results),
      status_(status),
      menu_(menu),
      dialogs_(dialogs),
      heatManager_(StandInHeatManager) {}

void QtMeetingHost::ShowProgrammeEditor(Meeting& m) {
  if (editorPreparation_ && !editorPreparation_(m)) return;
  if (programmeEditor_) programmeEditor_(m);
}

void QtMeetingHost::ShowHeatManager(Meeting& m) {
  heatManager_(m);
}

void QtMeetingHost::SetStatusText(std::string_view text) {
  status_->setText(WidgetText(text));
  if (statusListener_) statusListener_();
}

void QtMeetingHost::PublishResults(std::string_view text) {
  results_->setPlainText(ResultsBoxText(text));
  // The newest heat is at the end of the report.
  results_->verticalScrollBar()->setValue(results_->verticalScrollBar()->maximum());
}

void QtMeetingHost::SetMeetingMenu(const MeetingMenu& menu) {
  ApplyMeetingMenu(menu_, menu);
}

void QtMeetingHost::ResultsChanged(const Meeting& m) {
  RefreshResults(m, *this);
}

void QtMeetingHost::ShowWarning(std::string_view message, std::string_view title) {
  dialogs_.Warning(window_, WidgetText(title), WidgetText(message));
}

}  // namespace corvane
