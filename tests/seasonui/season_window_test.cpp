// The Season window: a raced season's tables, Race the Rest finished and cancelled, and the
// averages never written over an existing file without a yes.
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "engine/io/file_io.h"
#include "season/league_table.h"
#include "season/rider_figures.h"
#include "season/season_file.h"
#include "season/season_setup.h"
#include "seasonui/season_forecast_view.h"
#include "seasonui/season_window.h"
#include "shell/answering_dialogs.h"

namespace corvane {

class SeasonWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;

  std::string Path(const char* name) const { return folder_.filePath(name).toStdString(); }

  // The bundled league's season in a new file, `raced` fixtures already raced.
  std::unique_ptr<SeasonFile> NewSeasonFile(const char* name, int raced) {
    const Result<Season> season = NewSeason(SeasonRequest{}, CORVANE_SOURCE_DIR);
    if (!season) qFatal("%s", season.error().c_str());
    auto file = SeasonFile::Create(Path(name), season.value());
    if (!file) qFatal("%s", file.error().c_str());
    if (raced > 0 && !PlayFixtures(*file.value(), raced)) qFatal("racing failed");
    return std::move(file.value());
  }

 private slots:
  void ShowsTheTableFixturesAndRidersOfTheSeason() {
    AnsweringDialogs dialogs;
    SeasonWindow window(dialogs);
    window.SetSeasonFile(NewSeasonFile("half.season", 28));
    const Season& season = window.seasonFile()->season();
    QVERIFY(window.windowTitle().contains(QStringLiteral("half.season")));

    const std::vector<TableRow> table = LeagueTable(season);
    QCOMPARE(window.tblTable->rowCount(), static_cast<int>(table.size()));
    QCOMPARE(window.tblTable->item(7, 1)->text().toStdString(), table[7].name);
    QCOMPARE(window.tblTable->item(7, 11)->text().toInt(), table[7].Total());

    QCOMPARE(window.tblFixtures->rowCount(), static_cast<int>(season.fixtures.size()));
    const FixtureResult& first = season.results.front();
    QCOMPARE(window.tblFixtures->item(0, 4)->text(),
             QStringLiteral("%1 - %2").arg(first.homeScore).arg(first.awayScore));
    QCOMPARE(window.tblFixtures->item(28, 4)->text(), QStringLiteral("to play"));
    QVERIFY(window.tblFixtures->item(28, 0)->font().bold());  // the next fixture
    QVERIFY(!window.tblFixtures->item(29, 0)->font().bold());

    const std::vector<RiderFigures> riders = SeasonRiderFigures(season);
    QCOMPARE(window.tblRiders->rowCount(), static_cast<int>(riders.size()));
    QCOMPARE(window.tblRiders->item(0, 1)->text().toStdString(), riders[0].rider);
    QCOMPARE(window.tblRiders->item(0, 6)->text(), QString::number(riders[0].Average(), 'f', 2));
    QVERIFY(window.actPlayNext->isEnabled());
  }

  void RaceTheRestStoresEveryFixtureAndEndsTheSeason() {
    AnsweringDialogs dialogs;
    SeasonWindow window(dialogs);
    window.SetSeasonFile(NewSeasonFile("rest.season", 50));
    window.RaceTheRest();
    QVERIFY(dialogs.warnings.empty());
    QCOMPARE(window.seasonFile()->season().results.size(), std::size_t{56});
    QVERIFY(!window.actPlayNext->isEnabled());
    QVERIFY(!window.actRaceRest->isEnabled());
    window.SetSeasonFile(nullptr);  // closes the file
    const auto reopened = SeasonFile::Open(Path("rest.season"));
    QVERIFY(reopened.ok());
    QCOMPARE(reopened.value()->season().results.size(), std::size_t{56});
  }

  void ACancelledRaceKeepsTheFixturesFinishedBeforeIt() {
    AnsweringDialogs dialogs;
    SeasonWindow window(dialogs);
    window.SetSeasonFile(NewSeasonFile("cancelled.season", 10));
    connect(&window, &SeasonWindow::ResultStored, &window, [&window](int fixture) {
      if (fixture == 12) window.CancelRacing();
    });
    window.RaceTheRest();
    QVERIFY(!window.racing());
    QCOMPARE(window.seasonFile()->season().results.size(), std::size_t{12});
    QVERIFY(window.actRaceRest->isEnabled());
    window.SetSeasonFile(nullptr);
    QCOMPARE(SeasonFile::Open(Path("cancelled.season")).value()->season().results.size(),
             std::size_t{12});
  }

  void ASeasonOpenedDuringTheRaceGetsNoneOfItsResults() {
    AnsweringDialogs dialogs;
    SeasonWindow window(dialogs);
    window.SetSeasonFile(NewSeasonFile("first.season", 10));
    std::unique_ptr<SeasonFile> second = NewSeasonFile("second.season", 3);
    connect(&window, &SeasonWindow::ResultStored, &window, [&](int fixture) {
      if (fixture == 12) window.SetSeasonFile(std::move(second));
    });
    window.RaceTheRest();
    QVERIFY(!window.racing());
    QCOMPARE(window.seasonFile()->season().results.size(), std::size_t{3});
    window.SetSeasonFile(nullptr);
    QCOMPARE(SeasonFile::Open(Path("first.season")).value()->season().results.size(),
             std::size_t{12});
  }

  void TheForecastShowsEveryPositionAndGoesWhenTheTableChanges() {
    AnsweringDialogs dialogs;
    SeasonWindow window(dialogs);
    window.SetSeasonFile(NewSeasonFile("forecast.season", 54));
    window.forecastView->spnRuns->setValue(200);
    window.Forecast();
    QVERIFY(dialogs.warnings.empty());
    QVERIFY(window.forecastView->showing());
    const QTableWidget& chances = *window.forecastView->tblChances;
    QCOMPARE(chances.rowCount(), 8);
    QCOMPARE(chances.columnCount(), 2 + 8);
    for (int row = 0; row < 8; ++row) {
      double total = 0;
      for (int column = 2; column < 10; ++column)
        total += chances.item(row, column)->text().toDouble();
      QVERIFY2(std::abs(total - 100.0) < 0.5, qPrintable(chances.item(row, 0)->text()));
    }

    window.RaceTheRest();
    QVERIFY(!window.forecastView->showing());
    QCOMPARE(window.forecastView->tblChances->rowCount(), 0);
  }

  void AveragesAreWrittenOverAnExistingFileOnlyAfterAYes() {
    AnsweringDialogs dialogs;
    SeasonWindow window(dialogs);
    window.SetSeasonFile(NewSeasonFile("averages.season", 56));
    const std::string target = Path("mine.rdb");
    QVERIFY(WriteFileAtomically(target, "the user's own database\n").ok());

    dialogs.fileAnswers = {QString::fromStdString(target)};
    window.SaveAverages();  // no answer given: Cancel
    QCOMPARE(dialogs.questions.size(), std::size_t{1});
    QCOMPARE(ReadWholeFile(target, 1 << 20).value(), std::string("the user's own database\n"));

    dialogs.fileAnswers = {QString::fromStdString(target)};
    dialogs.answers = {0};
    window.SaveAverages();
    QCOMPARE(ReadWholeFile(target, 4 << 20).value(),
             DatabaseWithSeasonAverages(window.seasonFile()->season()).value());

    // Nothing is ever written over the open season's own file, even with a yes.
    dialogs.fileAnswers = {QString::fromStdString(Path("averages.season"))};
    dialogs.answers = {0};
    window.SaveAverages();
    QCOMPARE(dialogs.warnings.size(), std::size_t{1});
    window.SetSeasonFile(nullptr);
    QVERIFY(SeasonFile::Open(Path("averages.season")).ok());
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::SeasonWindowTest)
#include "season_window_test.moc"
