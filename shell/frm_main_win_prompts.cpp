// The main window's questions before work is lost: a meeting or a report about to be replaced,
// and a file name completed to one that already exists.
#include <QFileInfo>

#include "engine/io/data_folders.h"
#include "shell/frm_main_win.h"
#include "shell/qt_text.h"
#include "shell/user_dialogs.h"

namespace corvane {

bool frmMainWin::MayReplaceWork(const QString& title) {
  if (session_->HasUnsuspendedWork()) {
    // A meeting just started has no heat yet, only its line-ups.
    const QString state = session_->meeting().HeatCount > 0
                              ? QStringLiteral("has not been suspended since its last heat")
                              : QStringLiteral("has not been suspended");
    const int answer = dialogs_.Ask(
        this, title,
        QStringLiteral("The meeting under way %1.\n\nSuspend it, so that it can be resumed later?")
            .arg(state),
        {QStringLiteral("&Suspend..."), QStringLiteral("&Discard"), QStringLiteral("Cancel")});
    if (answer == 2 || (answer == 0 && !SuspendToFile())) return false;
  }
  if (ReportUnsaved) {
    const int answer = dialogs_.Ask(
        this, title,
        QStringLiteral("The report has changed since it was last saved.\n\nSave it first?"),
        {QStringLiteral("&Save"), QStringLiteral("&Discard"), QStringLiteral("Cancel")});
    if (answer == 2 || (answer == 0 && !SaveResults())) return false;
  }
  return true;
}

QString frmMainWin::CompletedFileName(const QString& chosen, const char* extension,
                                      bool confirmOverwrite, const QString& title) {
  if (chosen.isEmpty()) return chosen;
  const QString completed = FromPath(WithDefaultExtension(ToPath(chosen), extension));
  if (completed == chosen || !confirmOverwrite || !QFileInfo::exists(completed)) return completed;
  const int answer = dialogs_.Ask(this, title,
                                  QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                      .arg(QFileInfo(completed).fileName()),
                                  {QStringLiteral("&Replace"), QStringLiteral("Cancel")});
  return answer == 0 ? completed : QString();
}

}  // namespace corvane
