#include "seasonui/season_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <vector>

#include "heatcontrol/widget_text.h"
#include "season/league_table.h"
#include "season/rider_figures.h"
#include "season/season_file.h"
#include "seasonui/season_forecast_view.h"
#include "seasonui/table_cells.h"
#include "shell/user_dialogs.h"

namespace corvane {

namespace {

constexpr int kFixtureRole = Qt::UserRole + 2;

QString FileLabel(const QString& path) {
  return QFileInfo(path).fileName();
}

}  // namespace

SeasonWindow::SeasonWindow(UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  tabs = new QTabWidget(central);
  tblTable = NewTable(tabs);
  tblFixtures = NewTable(tabs);
  tblRiders = NewTable(tabs);
  tabs->addTab(tblTable, QStringLiteral("&Table"));
  tabs->addTab(tblFixtures, QStringLiteral("&Fixtures"));
  forecastView = new SeasonForecastView(tabs);
  tabs->addTab(tblRiders, QStringLiteral("&Riders"));
  tabs->addTab(forecastView, QStringLiteral("F&orecast"));
  layout->addWidget(tabs);

  auto* buttons = new QHBoxLayout;
  lblStatus = new QLabel(central);
  cmdPlayNext = new QPushButton(QStringLiteral("&Play Next Fixture"), central);
  cmdRaceRest = new QPushButton(QStringLiteral("Race the R&est"), central);
  buttons->addWidget(lblStatus, 1);
  buttons->addWidget(cmdPlayNext);
  buttons->addWidget(cmdRaceRest);
  layout->addLayout(buttons);
  setCentralWidget(central);

  BuildMenus();
  connect(cmdPlayNext, &QPushButton::clicked, actPlayNext, &QAction::trigger);
  connect(cmdRaceRest, &QPushButton::clicked, actRaceRest, &QAction::trigger);
  connect(forecastView->cmdForecast, &QPushButton::clicked, actForecast, &QAction::trigger);
  // Enter or a double-click on a raced fixture shows its report.
  connect(tblFixtures, &QTableWidget::cellActivated, this,
          [this](int row, int) { ShowFixtureReport(row); });
  connect(tabs, &QTabWidget::currentChanged, this, [this] {
    if (tabs->currentWidget() == tblFixtures && tblFixtures->currentItem() != nullptr) {
      tblFixtures->scrollToItem(tblFixtures->currentItem(), QAbstractItemView::PositionAtCenter);
    }
  });
  // Room for the forecast chart, within the screen at any scale.
  const QSize room = screen()->availableSize() * 9 / 10;
  resize(std::min(900, room.width()), std::min(680, room.height()));
  ShowSeason();
}

SeasonWindow::~SeasonWindow() {
  StopWorker();
}

void SeasonWindow::BuildMenus() {
  QMenu* season = menuBar()->addMenu(QStringLiteral("&Season"));
  actPlayNext = season->addAction(QStringLiteral("&Play Next Fixture"), this,
                                  &SeasonWindow::PlayNextFixtureRequested);
  actPlayNext->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  actRaceRest =
      season->addAction(QStringLiteral("&Race the Rest"), this, &SeasonWindow::RaceTheRest);
  actRaceRest->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  actForecast = season->addAction(QStringLiteral("&Forecast"), this, &SeasonWindow::Forecast);
  actForecast->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  season->addSeparator();
  season->addAction(QStringLiteral("Export &Table..."), this, &SeasonWindow::ExportTable);
  season->addAction(QStringLiteral("Export R&iders..."), this, &SeasonWindow::ExportRiders);
  season->addAction(QStringLiteral("&Averages to New Rider Database..."), this,
                    &SeasonWindow::SaveAverages);
  season->addSeparator();
  QAction* close = season->addAction(QStringLiteral("&Close"), this, &QWidget::close);
  close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
}

void SeasonWindow::SetSeasonFile(std::unique_ptr<SeasonFile> file) {
  StopWorker();
  file_ = std::move(file);
  ++shownSeason_;
  forecastView->Clear();
  ShowSeason();
}

SeasonFile* SeasonWindow::seasonFile() const {
  return file_.get();
}

Status SeasonWindow::AddResult(const FixtureResult& result) {
  if (!file_) {
    const Status none = Error{"No season is open."};
    dialogs_.Warning(this, QStringLiteral("Season"), WidgetText(none.error()));
    return none;
  }
  const Status stored = file_->AddResult(result);
  if (!stored) {
    dialogs_.Warning(this, QStringLiteral("Season"), WidgetText(stored.error()));
    return stored;
  }
  ShowSeason();
  emit ResultStored(result.fixture);
  return stored;
}

void SeasonWindow::ShowSeason() {
  const QString title =
      file_ ? FileLabel(QString::fromStdString(file_->path().string())) : QStringLiteral("(none)");
  setWindowTitle(QStringLiteral("Season - %1").arg(title));
  if (forecastView->showing()) {
    forecastView->Clear(QStringLiteral("The table has changed since the last forecast."));
  }
  ShowTable();
  ShowFixtures();
  ShowRiders();
  UpdateActions();
}

void SeasonWindow::ShowTable() {
  const std::vector<TableRow> rows = file_ ? LeagueTable(file_->season()) : std::vector<TableRow>{};
  StartRows(*tblTable,
            {QStringLiteral("Pos"), QStringLiteral("Line-up"), QStringLiteral("Played"),
             QStringLiteral("Won"), QStringLiteral("Drawn"), QStringLiteral("Lost"),
             QStringLiteral("For"), QStringLiteral("Against"), QStringLiteral("Diff"),
             QStringLiteral("Match pts"), QStringLiteral("Bonus"), QStringLiteral("Total")},
            static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const TableRow& row = rows[static_cast<std::size_t>(r)];
    const double cells[] = {static_cast<double>(r + 1),
                            0,
                            static_cast<double>(row.played),
                            static_cast<double>(row.won),
                            static_cast<double>(row.drawn),
                            static_cast<double>(row.lost),
                            static_cast<double>(row.pointsFor),
                            static_cast<double>(row.pointsAgainst),
                            static_cast<double>(row.Difference()),
                            static_cast<double>(row.matchPoints),
                            static_cast<double>(row.bonusPoints),
                            static_cast<double>(row.Total())};
    for (int c = 0; c < static_cast<int>(std::size(cells)); ++c) {
      tblTable->setItem(r, c, c == 1 ? TextCell(WidgetText(row.name)) : NumberCell(cells[c]));
    }
  }
  FinishRows(*tblTable, true);
}

void SeasonWindow::ShowFixtures() {
  const Season* season = file_ ? &file_->season() : nullptr;
  const std::vector<Fixture> fixtures = season ? season->fixtures : std::vector<Fixture>{};
  const Fixture* next = season ? season->NextFixture() : nullptr;
  StartRows(*tblFixtures,
            {QStringLiteral("No."), QStringLiteral("Round"), QStringLiteral("Home"),
             QStringLiteral("Away"), QStringLiteral("Score")},
            static_cast<int>(fixtures.size()));
  const auto name = [season](int lineup) {
    return lineup >= 0 && lineup < static_cast<int>(season->lineups.size())
               ? WidgetText(season->lineups[static_cast<std::size_t>(lineup)])
               : QStringLiteral("?");
  };
  for (int r = 0; r < static_cast<int>(fixtures.size()); ++r) {
    const Fixture& fixture = fixtures[static_cast<std::size_t>(r)];
    const FixtureResult* result = season->ResultOf(fixture.number);
    QTableWidgetItem* cells[] = {
        NumberCell(fixture.number), NumberCell(fixture.round), TextCell(name(fixture.home)),
        TextCell(name(fixture.away)),
        TextCell(result ? QStringLiteral("%1 - %2").arg(result->homeScore).arg(result->awayScore)
                        : QStringLiteral("to play"))};
    const bool isNext = next != nullptr && next->number == fixture.number;
    for (int c = 0; c < static_cast<int>(std::size(cells)); ++c) {
      cells[c]->setData(kFixtureRole, fixture.number);
      if (isNext) {
        QFont bold = tblFixtures->font();
        bold.setBold(true);
        cells[c]->setFont(bold);
        cells[c]->setBackground(QColor(255, 236, 170));
        cells[c]->setForeground(QColor(Qt::black));
      }
      tblFixtures->setItem(r, c, cells[c]);
    }
    if (isNext) tblFixtures->setCurrentCell(r, 0);
  }
  FinishRows(*tblFixtures, false);
  if (next != nullptr) {
    tblFixtures->scrollToItem(tblFixtures->currentItem(), QAbstractItemView::PositionAtCenter);
  }
}

void SeasonWindow::ShowRiders() {
  const Season* season = file_ ? &file_->season() : nullptr;
  const std::vector<RiderFigures> riders =
      season ? SeasonRiderFigures(*season) : std::vector<RiderFigures>{};
  StartRows(*tblRiders,
            {QStringLiteral("Line-up"), QStringLiteral("Rider"), QStringLiteral("Meetings"),
             QStringLiteral("Rides"), QStringLiteral("Points"), QStringLiteral("Bonus"),
             QStringLiteral("Average")},
            static_cast<int>(riders.size()));
  for (int r = 0; r < static_cast<int>(riders.size()); ++r) {
    const RiderFigures& rider = riders[static_cast<std::size_t>(r)];
    const bool known = rider.lineup >= 0 && rider.lineup < static_cast<int>(season->lineups.size());
    tblRiders->setItem(
        r, 0,
        TextCell(known ? WidgetText(season->lineups[static_cast<std::size_t>(rider.lineup)])
                       : QString()));
    tblRiders->setItem(r, 1, TextCell(WidgetText(rider.rider)));
    tblRiders->setItem(r, 2, NumberCell(rider.meetings));
    tblRiders->setItem(r, 3, NumberCell(rider.rides));
    tblRiders->setItem(r, 4, NumberCell(rider.points));
    tblRiders->setItem(r, 5, NumberCell(rider.bonus));
    tblRiders->setItem(r, 6, NumberCell(rider.Average(), 2));
  }
  FinishRows(*tblRiders, true);
}

void SeasonWindow::UpdateActions() {
  const Season* season = file_ ? &file_->season() : nullptr;
  const Fixture* next = season ? season->NextFixture() : nullptr;
  const bool canRace = next != nullptr && !racing_;
  actPlayNext->setEnabled(canRace);
  actRaceRest->setEnabled(canRace);
  cmdPlayNext->setEnabled(canRace);
  cmdRaceRest->setEnabled(canRace);
  actForecast->setEnabled(season != nullptr && !racing_);
  forecastView->cmdForecast->setEnabled(actForecast->isEnabled());
  if (season == nullptr) {
    lblStatus->setText(QStringLiteral("No season open."));
  } else if (next == nullptr) {
    lblStatus->setText(
        QStringLiteral("The season is over: %1 fixtures raced.").arg(season->fixtures.size()));
  } else {
    lblStatus->setText(
        QStringLiteral("%1 of %2 fixtures raced. Next: %3 v %4.")
            .arg(season->results.size())
            .arg(season->fixtures.size())
            .arg(WidgetText(season->lineups.at(static_cast<std::size_t>(next->home))),
                 WidgetText(season->lineups.at(static_cast<std::size_t>(next->away)))));
  }
}

void SeasonWindow::ShowFixtureReport(int row) {
  const QTableWidgetItem* item = tblFixtures->item(row, 0);
  if (!file_ || item == nullptr) return;
  const int number = item->data(kFixtureRole).toInt();
  const FixtureResult* result = file_->season().ResultOf(number);
  if (result == nullptr) return;
  auto* window = new QDialog(this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle(
      QStringLiteral("Fixture %1: %2 v %3")
          .arg(number)
          .arg(tblFixtures->item(row, 2)->text(), tblFixtures->item(row, 3)->text()));
  auto* text = new QPlainTextEdit(window);
  text->setReadOnly(true);
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text->setPlainText(WidgetText(result->report));
  auto* layout = new QVBoxLayout(window);
  layout->addWidget(text);
  const QFontMetrics metrics(text->font());
  window->resize(metrics.averageCharWidth() * 100, metrics.height() * 36);
  window->show();
}

void SeasonWindow::closeEvent(QCloseEvent* event) {
  // Racing stops after the fixture under way; the window closes once it has.
  if (racing_) {
    CancelRacing();
    closeAfterRacing_ = true;
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

}  // namespace corvane
