#include "shell/help_window.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "helpviewer/help_pane.h"

namespace corvane {

QString HelpPageFor(int context) {
  switch (context) {
    case kHelpRegulations:
      return QStringLiteral("regulations.html");
    case kHelpControlMode:
      return QStringLiteral("control.html");
    case kHelpProgrammeEditor:
      return QStringLiteral("progeditor.html");
    default:
      return QStringLiteral("index.html");
  }
}

HelpWindow::HelpWindow(const QString& helpFolder, QWidget* owner)
    : QWidget(owner, Qt::Window), helpFolder_(helpFolder), fraHelp(new HelpPane(this)) {
  setObjectName(QStringLiteral("frmHelp"));
  setWindowTitle(QStringLiteral("Corvane Meeting Help"));
  browser()->setSearchPaths({helpFolder});
  fraHelp->SetContents(
      QUrl::fromLocalFile(helpFolder + QLatin1Char('/') + QLatin1String(kHelpContentsPage)));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(fraHelp);
  resize(680, 600);
}

QTextBrowser* HelpWindow::browser() const {
  return fraHelp->browser();
}

void HelpWindow::ShowContext(int context) {
  const QString page = helpFolder_ + QLatin1Char('/') + HelpPageFor(context);
  if (QFileInfo::exists(page)) {
    fraHelp->Open(QUrl::fromLocalFile(page));
  } else {
    browser()->setPlainText(QStringLiteral("The help page %1 was not found.").arg(page));
  }
}

HelpWindow* ShowHelp(QWidget* owner, const QString& helpFolder, int context) {
  auto* window = owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
  if (window == nullptr) window = new HelpWindow(helpFolder, owner);
  window->ShowContext(context);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace corvane
