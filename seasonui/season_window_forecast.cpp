// The Season window's Forecast command: ForecastSeason on a worker thread, with a progress
// dialog fed by its count of finished runs.
#include <QEventLoop>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <optional>
#include <thread>

#include "heatcontrol/widget_text.h"
#include "season/season_file.h"
#include "season/season_forecast.h"
#include "seasonui/season_forecast_view.h"
#include "seasonui/season_window.h"
#include "shell/user_dialogs.h"

namespace corvane {

void SeasonWindow::Forecast() {
  if (!file_ || racing_) return;
  const QString title = QStringLiteral("Forecast");
  const long runs = forecastView->spnRuns->value();
  const unsigned shown = shownSeason_;
  tabs->setCurrentWidget(forecastView);

  QProgressDialog progress(QStringLiteral("Forecasting the final table..."),
                           QStringLiteral("Cancel"), 0, static_cast<int>(runs), this);
  progress.setWindowTitle(title);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(300);
  progress.setAutoReset(false);
  progress.setValue(0);

  std::atomic<long> done{0};
  std::atomic<bool> cancel{false};
  connect(&progress, &QProgressDialog::canceled, this, [&cancel] { cancel = true; });
  QTimer poll;
  connect(&poll, &QTimer::timeout, this, [&] {
    progress.setLabelText(
        QStringLiteral("Forecasting the final table: %L1 of %L2 runs").arg(done.load()).arg(runs));
    progress.setValue(static_cast<int>(done.load()));
  });
  poll.start(100);

  QEventLoop loop;
  std::optional<Result<SeasonForecast>> outcome;
  std::thread worker([&, season = file_->season()] {
    Result<SeasonForecast> forecast = ForecastSeason(season, runs, 0, season.seed, &done, &cancel);
    QMetaObject::invokeMethod(
        this,
        [&, forecast = std::move(forecast)]() mutable {
          outcome.emplace(std::move(forecast));
          loop.quit();
        },
        Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  poll.stop();
  progress.hide();  // closing it would cancel
  if (cancel || shown != shownSeason_) return;
  if (!outcome->ok()) {
    dialogs_.Warning(this, title, WidgetText(outcome->error()));
    return;
  }
  forecastView->Show(outcome->value());
}

}  // namespace corvane
