// Answers the editor's questions and file choices from a script, and keeps every message.
#pragma once

#include <QStringList>

#include "editor/user_prompts.h"

namespace corvane {

class ScriptedPrompts : public UserPrompts {
 public:
  QList<QMessageBox::StandardButton> answers;  // for the next questions, in order
  QStringList files;                           // for the next file choices; "" cancels
  QStringList messages;                        // every question and message shown
  QStringList fileTitles;                      // the titles of the file dialogs asked for
  QStringList proposed;                        // the files the save dialogs started at

  QMessageBox::StandardButton Ask(QWidget*, const QString&, const QString& text,
                                  QMessageBox::StandardButtons buttons) override {
    messages << text;
    if (answers.isEmpty()) return QMessageBox::Cancel;  // an unexpected question cancels
    const QMessageBox::StandardButton answer = answers.takeFirst();
    return buttons.testFlag(answer) ? answer : QMessageBox::Cancel;
  }
  void Warn(QWidget*, const QString&, const QString& text) override { messages << text; }
  void Inform(QWidget*, const QString&, const QString& text) override { messages << text; }
  QString OpenFileName(QWidget*, const QString& title) override { return NextFile(title); }
  QString SaveFileName(QWidget*, const QString& title, const QString& file) override {
    proposed << file;
    return NextFile(title);
  }

 private:
  QString NextFile(const QString& title) {
    fileTitles << title;
    return files.isEmpty() ? QString() : files.takeFirst();
  }
};

}  // namespace corvane
