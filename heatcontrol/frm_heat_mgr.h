// The heat manager window: the player's say in a heat, before the start or for one rider during
// it. Every decision is the model's (dialogmodels/heat_manager_model.h); the window shows its state
// and passes the player's clicks and keys on.
#pragma once

#include <QDialog>
#include <array>

#include "dialogmodels/heat_manager_model.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace corvane {

class frmHeatMgr : public QDialog {
  Q_OBJECT

 public:
  // Opens on the meeting's current heat: before the start when SlotCursor is 0, otherwise for
  // the rider in starting place SlotCursor.
  explicit frmHeatMgr(Meeting& m, QWidget* parent = nullptr);

  const HeatManagerModel& model() const { return model_; }

  // Escape and the close box cancel before the start; during it the player has to decide.
  void reject() override;

  QListWidget* lstLineup;
  QListWidget* lstSubstitutes;
  QGroupBox* fraReplacements;
  std::array<QRadioButton*, 4> optSubstitutes{};  // 1..3
  QLabel* lblSubstitutes;
  QLabel* lblInfo;
  QComboBox* cboHandicap;
  QLabel* lblHandicap;
  QComboBox* cboStarters;
  QLabel* lblStarters;
  QPushButton* cmdStart;
  QPushButton* cmdCancel;
  QPushButton* cmdReset;
  QPushButton* cmdWithdraw;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void Connect();
  void ShowLineup();       // the line-up list, rebuilt when the places change
  void ShowLineupTexts();  // its entries' texts only
  void ShowSubstitutes();  // candidates or message, captions, kind options
  void ShowButtons();      // reset, withdraw and the handicap box
  void ShowAll();
  void ApplySelectedSubstitute();
  int PixelsOf(int twips) const;

  HeatManagerModel model_;
  bool showing_ = false;  // the window is being brought up to date, not changed by the player
};

// Shows the heat manager modally over `parent`.
void ShowHeatManagerDialog(Meeting& m, QWidget* parent);

}  // namespace corvane
