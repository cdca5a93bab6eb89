// The Season window's Race the Rest: the fixtures still to race, raced one at a time on a worker
// thread and stored here as each finishes.
#include <QEventLoop>
#include <QProgressDialog>
#include <vector>

#include "heatcontrol/widget_text.h"
#include "season/fixture_race.h"
#include "season/season_file.h"
#include "seasonui/season_window.h"
#include "shell/user_dialogs.h"

namespace corvane {

void SeasonWindow::CancelRacing() {
  cancelRacing_ = true;
  raceStep_.release();
}

void SeasonWindow::StopWorker() {
  if (!worker_.joinable()) return;
  CancelRacing();
  worker_.join();
}

void SeasonWindow::RaceTheRest() {
  if (!file_ || racing_) return;
  std::vector<Fixture> left;
  for (const Fixture& fixture : file_->season().fixtures) {
    if (file_->season().ResultOf(fixture.number) == nullptr) left.push_back(fixture);
  }
  if (left.empty()) return;
  StopWorker();
  racing_ = true;
  cancelRacing_ = false;
  while (raceStep_.try_acquire()) {
  }
  UpdateActions();

  const QString title = QStringLiteral("Race the Rest");
  const int total = static_cast<int>(left.size());
  QProgressDialog progress(QStringLiteral("Racing fixture 1 of %1").arg(total),
                           QStringLiteral("Cancel"), 0, total, this);
  progress.setWindowTitle(title);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  progress.setAutoReset(false);
  progress.setValue(0);
  connect(&progress, &QProgressDialog::canceled, this, &SeasonWindow::CancelRacing);

  QEventLoop loop;
  int stored = 0;
  QString failure;
  // The worker races one fixture, then waits for the result to be stored here before the next:
  // a cancel stops it between fixtures, and every result it finished is in the file.
  const unsigned racedSeason = shownSeason_;
  const auto received = [&](Result<FixtureResult> result) {
    // Results of a season replaced meanwhile belong to no file that is open.
    if (racedSeason != shownSeason_) return;
    if (!result) {
      failure = WidgetText(result.error());
      return;
    }
    const Status kept = file_->AddResult(result.value());
    if (!kept) {
      failure = WidgetText(kept.error());
      CancelRacing();
      return;
    }
    ++stored;
    ShowSeason();
    emit ResultStored(result.value().fixture);
    progress.setLabelText(
        QStringLiteral("Racing fixture %1 of %2").arg(std::min(stored + 1, total)).arg(total));
    raceStep_.release();
    progress.setValue(stored);
  };
  raceStep_.release();
  worker_ = std::thread([this, season = file_->season(), left = std::move(left), &received, &loop] {
    for (const Fixture& fixture : left) {
      raceStep_.acquire();
      if (cancelRacing_) break;
      Result<FixtureResult> result = RaceFixture(season, fixture);
      const bool ok = result.ok();
      QMetaObject::invokeMethod(
          this, [&received, result = std::move(result)]() mutable { received(std::move(result)); },
          Qt::QueuedConnection);
      if (!ok) break;
    }
    QMetaObject::invokeMethod(
        this, [&loop] { loop.quit(); }, Qt::QueuedConnection);
  });
  loop.exec();
  if (worker_.joinable()) worker_.join();  // a new season has stopped and joined it already
  progress.hide();                         // closing it would cancel
  racing_ = false;
  ShowSeason();
  if (!failure.isEmpty()) {
    dialogs_.Warning(this, title,
                     QStringLiteral("%1\n\n%2 fixtures were raced and stored before this.")
                         .arg(failure)
                         .arg(stored));
  }
  if (closeAfterRacing_) {
    closeAfterRacing_ = false;
    close();
  }
}

}  // namespace corvane
