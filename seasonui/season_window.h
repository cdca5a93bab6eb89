// The Season window: a season's league table, fixtures, riders' figures and the forecast of the
// final table, with the commands that race fixtures, export the tables and carry the averages
// into a new rider database.
#pragma once

#include <QMainWindow>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <semaphore>
#include <string>
#include <thread>

#include "engine/io/result.h"
#include "season/league_table.h"
#include "season/season.h"

class QAction;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace corvane {

class SeasonFile;
class SeasonForecastView;
class UserDialogs;

class SeasonWindow : public QMainWindow {
  Q_OBJECT

 public:
  SeasonWindow(UserDialogs& dialogs, QWidget* parent = nullptr);
  ~SeasonWindow() override;

  // Shows this season; the window owns the file from now on (replacing any other).
  void SetSeasonFile(std::unique_ptr<SeasonFile> file);
  SeasonFile* seasonFile() const;  // nullptr when none
  // Stores the result of a fixture raced elsewhere (Play Next Fixture in the main window) and
  // shows it; a failure is shown to the user and returned.
  Status AddResult(const FixtureResult& result);

  // Races every fixture still to race under computer control, with a progress dialog; returns
  // when the racing has stopped (finished, cancelled or failed).
  void RaceTheRest();
  // Stops Race the Rest after the fixture being raced.
  void CancelRacing();
  bool racing() const { return racing_; }

  // Forecasts the final table from the season as it stands, with a progress dialog; returns
  // when the forecast is shown, cancelled or has failed.
  void Forecast();

  // Season menu commands, each asking for its file.
  void ExportTable();
  void ExportRiders();
  void SaveAverages();

  QTabWidget* tabs;
  QTableWidget* tblTable;
  QTableWidget* tblFixtures;
  QTableWidget* tblRiders;
  SeasonForecastView* forecastView;
  QPushButton* cmdPlayNext;
  QPushButton* cmdRaceRest;
  QAction* actPlayNext;
  QAction* actRaceRest;
  QAction* actForecast;
  QLabel* lblStatus;

 signals:
  // The user asked to play the next fixture himself (button/menu in this window).
  void PlayNextFixtureRequested();
  // A fixture's result has been stored in the file and shown.
  void ResultStored(int fixture);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void ShowSeason();
  void ShowTable();
  void ShowFixtures();
  void ShowRiders();
  void UpdateActions();
  void ShowFixtureReport(int row);
  QString ProposedFile(const QString& ending) const;
  // Whether `name` is the open season's file, which an export must never replace (told).
  bool RefusedAsSeasonFile(const QString& title, const QString& name);
  void ExportText(const QString& title, const QString& proposed,
                  const std::function<std::string(TableFormat)>& text);
  void StopWorker();

  UserDialogs& dialogs_;
  std::unique_ptr<SeasonFile> file_;
  bool racing_ = false;
  unsigned shownSeason_ = 0;       // counts the files shown, so a late result finds its own
  bool closeAfterRacing_ = false;  // the user closed the window while fixtures were raced
  std::atomic<bool> cancelRacing_{false};
  std::counting_semaphore<> raceStep_{0};  // lets the worker race one more fixture
  std::thread worker_;
};

}  // namespace corvane
