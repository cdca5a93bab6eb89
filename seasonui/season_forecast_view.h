// The Season window's Forecast page: each line-up's chance of each final position, as a table of
// percentages with its expected league points, and as a chart of stacked bars.
#pragma once

#include <QWidget>

#include "season/season_forecast.h"

class QChartView;
class QLabel;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTableWidget;

namespace corvane {

class SeasonForecastView final : public QWidget {
  Q_OBJECT

 public:
  explicit SeasonForecastView(QWidget* parent = nullptr);

  void Show(const SeasonForecast& forecast);
  // No forecast to show; `note` says why (none: what a forecast is).
  void Clear(const QString& note = QString());
  bool showing() const { return showing_; }

  QLabel* lblNote;
  QSpinBox* spnRuns;
  QPushButton* cmdForecast;
  QTableWidget* tblChances;
  QChartView* chtChances;

 private:
  void ShowChart(const SeasonForecast& forecast);
  void FitTableToRows();

  QSplitter* split_;
  bool showing_ = false;
};

}  // namespace corvane
