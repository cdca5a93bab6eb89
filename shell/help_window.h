// The help pages (HTML in the help folder beside the program) in a window of their own.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace corvane {

class HelpPane;

// Help contexts of the dialogs' Help buttons; anything else opens the contents.
inline constexpr int kHelpContents = 0;
inline constexpr int kHelpRegulations = 110;
inline constexpr int kHelpControlMode = 130;
inline constexpr int kHelpProgrammeEditor = 120;  // the programme editor's own Help menu

// The page of a help context.
QString HelpPageFor(int context);

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  HelpWindow(const QString& helpFolder, QWidget* owner);

  void ShowContext(int context);
  QTextBrowser* browser() const;
  HelpPane* pane() const { return fraHelp; }

 private:
  QString helpFolder_;
  HelpPane* fraHelp;
};

// Opens the help window of `owner` (the main window or a dialog, so the window is usable
// while that dialog is modal) at the context's page.
HelpWindow* ShowHelp(QWidget* owner, const QString& helpFolder, int context);

}  // namespace corvane
