// The Forecast panel of the main window: who wins from here, after every heat, as bars with
// percentages and score ranges, and a chart of the meeting heat by heat.
#pragma once

#include <QDockWidget>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "engine/records/meeting.h"
#include "statistics/forecast.h"

class QChartView;
class QGridLayout;
class QLabel;
class QPushButton;

namespace corvane {

class ForecastRunner;
class UserDialogs;

class ForecastPanel final : public QDockWidget {
  Q_OBJECT

 public:
  ForecastPanel(UserDialogs& dialogs, QWidget* parent = nullptr);
  ~ForecastPanel() override;

  // View, Forecast: whether the user wants the panel. It shows only while there is something
  // to forecast.
  void SetWanted(bool wanted);
  bool wanted() const { return wanted_; }

  // A new meeting begins: the last one's forecasts are forgotten.
  void NewMeeting();
  // A heat's summary is shown; a meeting the computer steers is still running on.
  void HeatRun(const Meeting& m);
  // The runner has stopped: the meeting waits for the user, or is over.
  void MeetingStopped(const Meeting& m);

  // What the panel shows: the forecast after heat shownHeat(), or none yet.
  const Forecast* shown() const;
  int shownHeat() const { return shownHeat_; }
  bool updating() const;

  // The file name Save Chart proposes for a plain name (set by the window: the data folder).
  std::function<QString(const QString&)> proposeFile;

  QLabel* lblState;
  QLabel* lblNote;
  QChartView* chtMeeting;
  QPushButton* cmdCopyChart;
  QPushButton* cmdSaveChart;

 private:
  void Received(int heat, const Forecast& forecast);
  void UpdateVisibility();
  void ShowChances();
  void ShowChart();
  void CopyChart();
  void SaveChart();

  UserDialogs& dialogs_;
  std::unique_ptr<ForecastRunner> runner_;
  bool wanted_ = true;
  bool relevant_ = false;
  Meeting latest_;  // the meeting as last seen
  int latestHeat_ = -1;
  int shownHeat_ = -1;
  std::map<int, Forecast> forecasts_;  // by the heats run before it
  QWidget* rows_;
  QGridLayout* rowsLayout_;
};

}  // namespace corvane
