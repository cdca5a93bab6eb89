// Every question, message and file choice the editor puts to the user goes through here, so a
// test can answer in advance instead of a person.
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace corvane {

class UserPrompts {
 public:
  virtual ~UserPrompts() = default;

  // Where the file dialogs start (the user's data folder); empty: the dialogs' own choice.
  void SetStartFolder(const QString& folder) { startFolder_ = folder; }

  // A question with an exclamation icon; the answer is one of `buttons`.
  virtual QMessageBox::StandardButton Ask(QWidget* parent, const QString& title,
                                          const QString& text,
                                          QMessageBox::StandardButtons buttons);
  // A message with an exclamation icon and an OK button.
  virtual void Warn(QWidget* parent, const QString& title, const QString& text);
  // A message with an information icon (the about box).
  virtual void Inform(QWidget* parent, const QString& title, const QString& text);
  // An existing rider database to read; empty when the user cancels.
  virtual QString OpenFileName(QWidget* parent, const QString& title);
  // Where to save the database, the user having agreed to replace an existing file; empty when
  // the user cancels. The dialog starts at `proposed` (folder and name) when there is one.
  virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& proposed);

 private:
  QString startFolder_;
};

}  // namespace corvane
