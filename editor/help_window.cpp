#include "editor/help_window.h"

#include <QDialog>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include "helpviewer/help_pane.h"

namespace corvane {

void ShowHelpWindow(QWidget* parent, const QString& helpFolder) {
  // One help window for the editor's life: a second Help Topics brings it to the front.
  auto* window = parent->findChild<QDialog*>(QStringLiteral("frmHelp"));
  if (window == nullptr) {
    window = new QDialog(parent);
    window->setObjectName(QStringLiteral("frmHelp"));
    window->setWindowTitle(QObject::tr("Rider Editor Help"));
    auto* pane = new HelpPane(window);
    const QString page = helpFolder + QStringLiteral("/tavrel.html");
    if (!helpFolder.isEmpty() && QFileInfo::exists(page)) {
      pane->browser()->setSearchPaths({helpFolder});
      pane->SetContents(
          QUrl::fromLocalFile(helpFolder + QLatin1Char('/') + QLatin1String(kHelpContentsPage)));
      pane->Open(QUrl::fromLocalFile(page));
    } else {
      // The built-in copy is the editor's page alone: no contents or index to go to.
      pane->SetContents(QUrl());
      pane->Open(QUrl(QStringLiteral("qrc:/help/tavrel.html")));
    }
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pane);
    window->resize(660, 600);
  }
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace corvane
