// The modal questions the program asks: message boxes, file dialogs and the print dialog.
// Windows ask through this interface, so tests can answer in advance instead of a person.
#pragma once

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace corvane {

class UserDialogs {
 public:
  virtual ~UserDialogs() = default;

  // A message box with the exclamation icon and an OK button.
  virtual void Warning(QWidget* parent, const QString& title, const QString& text) = 0;

  // A question with an exclamation icon and the buttons given, the first one the default and
  // the last one cancelling (Escape and the box's close press it). The answer is the index of
  // the button pressed.
  virtual int Ask(QWidget* parent, const QString& title, const QString& text,
                  const QStringList& buttons) = 0;

  // A save dialog; empty when cancelled. With confirmOverwrite an existing file is taken only
  // after the user agrees to replace it. A name typed without an extension gets the one of the
  // filter's first pattern.
  virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& proposed,
                               const QString& filter, bool confirmOverwrite) = 0;

  // An open dialog for an existing file; empty when cancelled.
  virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                               const QString& filter) = 0;

  // The print dialog on the printer; false when cancelled. Printing the selection is offered
  // only when there is one.
  virtual bool Print(QWidget* parent, QPrinter& printer, bool selectionAvailable) = 0;
};

// The real dialogs.
class QtUserDialogs final : public UserDialogs {
 public:
  void Warning(QWidget* parent, const QString& title, const QString& text) override;
  int Ask(QWidget* parent, const QString& title, const QString& text,
          const QStringList& buttons) override;
  QString SaveFileName(QWidget* parent, const QString& title, const QString& proposed,
                       const QString& filter, bool confirmOverwrite) override;
  QString OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                       const QString& filter) override;
  bool Print(QWidget* parent, QPrinter& printer, bool selectionAvailable) override;
};

}  // namespace corvane
