#include "shell/user_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace corvane {

void QtUserDialogs::Warning(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
  box.exec();
}

QString QtUserDialogs::SaveFileName(QWidget* parent, const QString& title, const QString& proposed,
                                    const QString& filter, bool confirmOverwrite) {
  const QFileDialog::Options options =
      confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
  return QFileDialog::getSaveFileName(parent, title, proposed, filter, nullptr, options);
}

QString QtUserDialogs::OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& filter) {
  return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

bool QtUserDialogs::Print(QWidget* parent, QPrinter& printer, bool selectionAvailable) {
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, selectionAvailable);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace corvane
