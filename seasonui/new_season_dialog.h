// The New Season dialog: the competition, the rider database and the line-ups it holds for it,
// the league rules, the fixtures, the seed and the file the season is kept in.
#pragma once

#include <QDialog>
#include <QString>
#include <filesystem>
#include <memory>
#include <vector>

#include "seasonui/new_season_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace corvane {

class SeasonFile;
class UserDialogs;

// What the main window knows that the dialog offers.
struct NewSeasonSetting {
  struct Competition {
    QString caption;
    QString path;  // full path
  };
  std::vector<Competition> competitions;  // the first one chosen unless the league match is there
  QString database;                       // the preferences' rider database, a full path
  std::filesystem::path dataFolder;       // holds the bundled Scripts and Lineups folders
  QString folder;                         // where the season file is proposed
};

class NewSeasonDialog final : public QDialog {
  Q_OBJECT

 public:
  NewSeasonDialog(UserDialogs& dialogs, NewSeasonSetting setting, QWidget* parent = nullptr);
  ~NewSeasonDialog() override;

  NewSeasonChoices choices() const;
  // The season file made when the dialog was accepted.
  std::unique_ptr<SeasonFile> TakeSeasonFile();

  void accept() override;

  QComboBox* cboCompetition;
  QPushButton* cmdCompetition;
  QLineEdit* txtDatabase;
  QPushButton* cmdDatabase;
  QListWidget* lstLineups;
  QSpinBox* spnWin;
  QSpinBox* spnDraw;
  QSpinBox* spnLoss;
  QCheckBox* chkBonus;
  QRadioButton* optRoundRobin;
  QRadioButton* optOwnFixtures;
  QPlainTextEdit* txtFixtures;
  QSpinBox* spnSeed;
  QLineEdit* txtSeasonFile;
  QPushButton* cmdSeasonFile;
  QLabel* lblMessage;

 private:
  void ShowLineups();
  void BrowseCompetition();
  void BrowseDatabase();
  void BrowseSeasonFile();
  QString ProposedSeasonFile() const;

  UserDialogs& dialogs_;
  NewSeasonSetting setting_;
  std::unique_ptr<SeasonFile> made_;
};

// Asks for a new season and makes its file; nullptr when the user cancelled.
std::unique_ptr<SeasonFile> CreateSeasonFromDialog(UserDialogs& dialogs, NewSeasonSetting setting,
                                                   QWidget* parent);

}  // namespace corvane
