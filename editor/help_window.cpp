#include "editor/help_window.h"

#include <QDialog>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace corvane {

void ShowHelpWindow(QWidget* parent, const QString& helpFolder) {
  // One help window for the editor's life: a second Help Topics brings it to the front.
  auto* window = parent->findChild<QDialog*>(QStringLiteral("frmHelp"));
  if (window == nullptr) {
    window = new QDialog(parent);
    window->setObjectName(QStringLiteral("frmHelp"));
    window->setWindowTitle(QObject::tr("Rider Editor Help"));
    auto* browser = new QTextBrowser(window);
    browser->setOpenExternalLinks(true);
    const QString page = helpFolder + QStringLiteral("/tavrel.html");
    if (!helpFolder.isEmpty() && QFileInfo::exists(page)) {
      browser->setSearchPaths({helpFolder});
      browser->setSource(QUrl::fromLocalFile(page));
    } else {
      browser->setSource(QUrl(QStringLiteral("qrc:/help/tavrel.html")));
    }
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    window->resize(620, 560);
  }
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace corvane
