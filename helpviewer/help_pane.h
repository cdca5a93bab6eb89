// The manual's pages with what a reader needs to move about them: Back, Forward, Contents,
// Index and a find bar. Both programs' help windows are built around it.
#pragma once

#include <QUrl>
#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QTextBrowser;
class QToolBar;

namespace corvane {

inline constexpr const char* kHelpContentsPage = "index.html";
inline constexpr const char* kHelpIndexPage = "helpindex.html";

class HelpPane : public QWidget {
  Q_OBJECT

 public:
  explicit HelpPane(QWidget* parent = nullptr);

  // The manual's contents page; the index page lies beside it.
  void SetContents(const QUrl& contents);
  void Open(const QUrl& page);

  QTextBrowser* browser() const { return txtHelp; }
  QLineEdit* findBox() const { return txtFind; }

  // Selects the next match of the find box's text after the selection (before it, going
  // back), starting again at the other end of the page; false when the page has none.
  bool FindNext(bool backward = false);
  void ShowFindBar();

  QAction* actBack;
  QAction* actForward;
  QAction* actContents;
  QAction* actIndex;
  QAction* actFind;

 private:
  QToolBar* tbHelp;
  QTextBrowser* txtHelp;
  QWidget* fraFind;
  QLineEdit* txtFind;
  QLabel* lblFound;
  QUrl contents_;
};

}  // namespace corvane
