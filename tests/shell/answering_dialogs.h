// Dialogs answered in advance: questions take the next prepared button (none means Cancel),
// file dialogs the next prepared name (none means the user cancelled), warnings are recorded
// instead of shown, the print dialog runs a test's callback.
#pragma once

#include <QPrinter>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "shell/user_dialogs.h"

namespace corvane {

class AnsweringDialogs final : public UserDialogs {
 public:
  struct Message {
    QString title;
    QString text;
  };
  struct FileQuestion {
    QString proposedOrFolder;
    bool confirmOverwrite = false;
  };

  QList<int> answers;  // buttons pressed for the next questions; none: the last, Cancel
  std::vector<Message> questions;
  QStringList fileAnswers;
  std::function<bool(QPrinter&, bool selectionAvailable)> printAnswer;
  std::vector<Message> warnings;
  std::vector<FileQuestion> fileQuestions;

  void Warning(QWidget*, const QString& title, const QString& text) override {
    warnings.push_back({title, text});
  }
  int Ask(QWidget*, const QString& title, const QString& text,
          const QStringList& buttons) override {
    questions.push_back({title, text});
    const int cancel = static_cast<int>(buttons.size()) - 1;
    const int answer = answers.isEmpty() ? cancel : answers.takeFirst();
    return answer >= 0 && answer <= cancel ? answer : cancel;
  }
  QString SaveFileName(QWidget*, const QString&, const QString& proposed, const QString&,
                       bool confirmOverwrite) override {
    fileQuestions.push_back({proposed, confirmOverwrite});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
  }
  QString OpenFileName(QWidget*, const QString&, const QString& folder, const QString&) override {
    fileQuestions.push_back({folder, false});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
  }
  bool Print(QWidget*, QPrinter& printer, bool selectionAvailable) override {
    return printAnswer ? printAnswer(printer, selectionAvailable) : false;
  }
};

}  // namespace corvane
