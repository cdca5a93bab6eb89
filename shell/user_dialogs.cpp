#include "shell/user_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace corvane {

void QtUserDialogs::Warning(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
  box.exec();
}

int QtUserDialogs::Ask(QWidget* parent, const QString& title, const QString& text,
                       const QStringList& buttons) {
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
  std::vector<QPushButton*> pushed;
  for (qsizetype i = 0; i < buttons.size(); ++i) {
    const QMessageBox::ButtonRole role = i == 0                    ? QMessageBox::AcceptRole
                                         : i + 1 == buttons.size() ? QMessageBox::RejectRole
                                                                   : QMessageBox::DestructiveRole;
    pushed.push_back(box.addButton(buttons[i], role));
  }
  if (pushed.empty()) return 0;
  box.setDefaultButton(pushed.front());
  box.setEscapeButton(pushed.back());
  box.exec();
  const auto answer = std::find(pushed.begin(), pushed.end(), box.clickedButton());
  return static_cast<int>((answer == pushed.end() ? pushed.end() - 1 : answer) - pushed.begin());
}

QString QtUserDialogs::SaveFileName(QWidget* parent, const QString& title, const QString& proposed,
                                    const QString& filter, bool confirmOverwrite) {
  QFileDialog dialog(parent, title, proposed, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
  // "Meeting File (*.mtg);;..." gives "mtg": the dialog adds it, and asks about replacing the
  // file of that name. With several types, the one chosen in the dialog gives it.
  const auto useSuffixOf = [&dialog](const QString& chosen) {
    static const QRegularExpression firstPattern(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = firstPattern.match(chosen);
    if (match.hasMatch()) dialog.setDefaultSuffix(match.captured(1));
  };
  useSuffixOf(filter);
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, useSuffixOf);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
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
