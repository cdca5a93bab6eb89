// The regulations dialog: the competition's topics on the left, the selected topic's frame on
// the right. OK writes the boxes into the meeting; Cancel leaves it untouched.
#pragma once

#include <QDialog>
#include <array>

#include "dialogmodels/regulations_model.h"
#include "heatcontrol/dialog_services.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace corvane {

class frmRegulations : public QDialog {
  Q_OBJECT

 public:
  frmRegulations(Meeting& m, HelpOpener help, QWidget* parent = nullptr);

  // Frames 1..9 by topic number.
  std::array<QGroupBox*, 10> fra{};

  QListWidget* lstOptions = nullptr;
  std::array<QRadioButton*, 4> optStartGrid{};
  QCheckBox* chkResUse1 = nullptr;
  QCheckBox* chkResUse2 = nullptr;
  QCheckBox* chkResUse3 = nullptr;
  std::array<QRadioButton*, 3> optTapes{};  // 1..2
  QLineEdit* txtStartPen = nullptr;
  QCheckBox* chkRunoff1 = nullptr;
  QCheckBox* chkRunoff2 = nullptr;
  QLineEdit* txtCheckPos = nullptr;
  QCheckBox* chkTacSubs = nullptr;
  QLineEdit* txtTacEnable = nullptr;
  QLabel* lblTacSubs = nullptr;
  std::array<QRadioButton*, 3> optSpclRaces{};  // 1..2
  QLabel* lblMinRides = nullptr;
  QLineEdit* txtMinRides = nullptr;
  QCheckBox* chkBonusPts = nullptr;
  QCheckBox* chkResPlacings = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;
  QPushButton* cmdHelp = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildFrames();
  void Load();
  void ShowTopic();
  void Repair(QLineEdit* box);
  RegulationsState State() const;
  void Accept();

  Meeting& m_;
  HelpOpener help_;
};

}  // namespace corvane
