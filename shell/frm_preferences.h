// The preferences dialog: the defaults every new meeting starts from, and the competitions
// of the New Meeting menu. OK applies; Cancel changes nothing.
#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <vector>

#include "shell/app_info.h"
#include "shell/preferences_editor.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidget;

namespace corvane {

class UserDialogs;

class frmPreferences : public QDialog {
  Q_OBJECT

 public:
  frmPreferences(const Preferences& prefs, std::vector<CompetitionEntry> competitions,
                 AppFolders folders, UserDialogs& dialogs, QWidget* parent = nullptr);

  // What OK applied; only meaningful after the dialog was accepted.
  const PreferencesEditor::Applied& applied() const { return *applied_; }

  QTabWidget* tstPrefs;
  std::array<QWidget*, 5> fraPrefs{};  // pages 1..4
  QLineEdit* txtRdrFile;
  QPushButton* cmdBrowse1;
  QLineEdit* txtMaxAvge;
  QCheckBox* chkHomeAdv;
  QCheckBox* chkTmScoring;
  std::array<QRadioButton*, 4> optStartGrid{};  // 0..3
  std::array<QRadioButton*, 19> optControl{};   // 1..18: team i Computer 2i-1, Player 2i
  QTreeWidget* lstProgMarking;
  QLineEdit* txtProgMarking;
  QListWidget* lstCompetitions;
  QLineEdit* txtConfigFile;
  QPushButton* cmdAdd;
  QPushButton* cmdDelete;
  QPushButton* cmdMoveUp;
  QPushButton* cmdMoveDown;
  QPushButton* cmdBrowse2;
  QLabel* lblCheck;  // the competition checker's line on the file just chosen
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QPushButton* cmdHelp;

 private:
  QWidget* BuildGeneralPage();
  QWidget* BuildControlPage();
  QWidget* BuildMarkingPage();
  QWidget* BuildCompetitionsPage();
  void FillControls();
  void ShowCompetitions();
  void ShowMark(int index);
  void BrowseRiderFile();
  void BrowseConfigFile();
  void Apply();

  PreferencesEditor editor_;
  AppFolders folders_;
  UserDialogs& dialogs_;
  std::optional<PreferencesEditor::Applied> applied_;
};

}  // namespace corvane
