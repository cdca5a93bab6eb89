#include "editor/user_prompts.h"

#include <QFileDialog>
#include <QStringList>

namespace corvane {

namespace {

QStringList DatabaseFilters() {
  return {QStringLiteral("Rider Database (*.rdb)"), QStringLiteral("All Files (*)")};
}

QString ChooseFile(QWidget* parent, const QString& title, const QString& folder,
                   QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, title, folder);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setNameFilters(DatabaseFilters());
  if (mode == QFileDialog::AcceptSave) dialog.setDefaultSuffix(QStringLiteral("rdb"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace

QMessageBox::StandardButton UserPrompts::Ask(QWidget* parent, const QString& title,
                                             const QString& text,
                                             QMessageBox::StandardButtons buttons) {
  QMessageBox box(QMessageBox::Warning, title, text, buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void UserPrompts::Warn(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
  box.exec();
}

void UserPrompts::Inform(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox::about(parent, title, text);
}

QString UserPrompts::OpenFileName(QWidget* parent, const QString& title) {
  return ChooseFile(parent, title, startFolder_, QFileDialog::AcceptOpen);
}

QString UserPrompts::SaveFileName(QWidget* parent, const QString& title, const QString& proposed) {
  return ChooseFile(parent, title, proposed.isEmpty() ? startFolder_ : proposed,
                    QFileDialog::AcceptSave);
}

}  // namespace corvane
