// The find dialog: the text to look for and how to match it. Find Next searches the main
// window's database from its focused box on; the dialog stays open for the next search and
// Cancel only hides it, keeping the settings.
#pragma once

#include <QDialog>

#include "editor/record_search.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace corvane {

class FrmTavrel;

class FrmFind : public QDialog {
  Q_OBJECT

 public:
  explicit FrmFind(FrmTavrel& owner);

  // Shows the dialog with the settings of the last search.
  void ShowWith(const SearchSettings& last);

 private:
  void cmdFindNext_Click();

  FrmTavrel& owner_;
  QLineEdit* txtFindWhat = nullptr;
  QCheckBox* chkMatchCase = nullptr;
  QCheckBox* chkMatchWord = nullptr;
  QPushButton* cmdFindNext = nullptr;
  QPushButton* cmdCancel = nullptr;
};

}  // namespace corvane
