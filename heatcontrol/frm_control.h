// The control mode dialog: for each team of the meeting, the computer or the player decides.
// OK writes TeamControl and ControlMode; Cancel leaves them untouched.
#pragma once

#include <QDialog>
#include <array>

#include "dialogmodels/control_model.h"
#include "heatcontrol/dialog_services.h"

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace corvane {

class frmControl : public QDialog {
  Q_OBJECT

 public:
  frmControl(Meeting& m, HelpOpener help, QWidget* parent = nullptr);

  std::array<QGroupBox*, kMaxGroups + 1> fraControl{};  // 1..9
  // For team t: 2t - 1 "Computer", 2t "Player".
  std::array<QRadioButton*, 2 * kMaxGroups + 1> optControl{};
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;
  QPushButton* cmdHelp = nullptr;

  // The designed geometry in twips, on this screen.
  int Pixels(int twips) const;

 private:
  void Arrange(int teams);
  void Accept();

  Meeting& m_;
  HelpOpener help_;
  double scale_ = 1.0;
};

}  // namespace corvane
