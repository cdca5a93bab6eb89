// Fixtures of a season played in the main window: set up with the season's line-ups, raced to
// their end and stored once, suspended in the middle and resumed from the season or from the
// meeting file. The season file is one of the previous release, without the table of the
// fixture in play.
#include <sqlite3.h>

#include <QAction>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "engine/records/meeting.h"
#include "season/season_file.h"
#include "season/season_setup.h"
#include "seasonui/season_window.h"
#include "shell/frm_main_win.h"
#include "shell/qt_text.h"
#include "shell/stand_in_dialogs.h"
#include "tests/shell/answering_dialogs.h"

namespace corvane {

class SeasonPlayTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    seasonFile_ = folder_->filePath(QStringLiteral("league.season"));
    SeasonRequest request;
    request.lineups = {"Harbour Herons", "Larkhill Lynx"};
    request.seed = 3;
    const Result<Season> season = NewSeason(request, CORVANE_SOURCE_DIR);
    QVERIFY2(season.ok(), season.ok() ? "" : season.error().c_str());
    QVERIFY(SeasonFile::Create(ToPath(seasonFile_), season.value()).ok());
    sqlite3* db = nullptr;
    sqlite3_open(seasonFile_.toUtf8().constData(), &db);
    QCOMPARE(sqlite3_exec(db, "DROP TABLE fixture_in_play", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    dialogs_ = AnsweringDialogs{};
  }
  void cleanup() {
    window_.reset();
    folder_.reset();
  }

  // Played to its end under computer control, a fixture lands in the season, the window closed
  // or not; a meeting left in the editor changes nothing.
  void fixturesPlayedToTheirEndLandInTheSeason() {
    frmMainWin& w = Window();
    OpenSeason(w);
    editorStarts_ = false;
    w.mnuSPlayNext->trigger();
    QVERIFY(!w.fixtureInPlay() && w.session().meeting().HeatCount == 0 && Results(w) == 0);

    editorStarts_ = true;
    w.mnuSPlayNext->trigger();
    QCOMPARE(w.session().meeting().GroupTitle[1], std::string("HARBOUR HERONS"));  // home: team A
    QCOMPARE(Results(w), 1u);
    const FixtureResult& stored = w.seasonWindow()->seasonFile()->season().results[0];
    QCOMPARE(w.statusText(),
             QStringLiteral("Fixture 1 stored: Harbour Herons %1 - %2 Larkhill Lynx")
                 .arg(stored.homeScore)
                 .arg(stored.awayScore));
    w.seasonWindow()->close();
    dialogs_.answers = {1};  // the report discarded
    w.mnuSPlayNext->trigger();
    QCOMPARE(Results(w), 2u);
    QVERIFY(!w.mnuSPlayNext->isEnabled());  // the season is over
  }

  // Suspended in the middle, a fixture is kept by the season: resumed from the meeting file or
  // from the season opened again, and finished, it is stored once; a meeting started in the
  // middle leaves it unplayed.
  void suspendedFixtureResumedAndStoredOnce() {
    interactive_ = true;
    frmMainWin& w = Window();
    OpenSeason(w);
    w.mnuSPlayNext->trigger();
    QVERIFY(w.fixtureInPlay() == 1 && w.session().meeting().MeetingState != kMeetingOver);
    const QString mtg = folder_->filePath(QStringLiteral("fixture.mtg"));
    dialogs_.fileAnswers = {mtg};
    w.mnuMSuspend->trigger();
    QCOMPARE(InPlay(), std::optional<int>(1));
    QVERIFY(dialogs_.fileQuestions.back().proposedOrFolder.endsWith(
        QStringLiteral("Fixture 1 Harbour Herons v Larkhill Lynx.mtg")));

    dialogs_.answers = {1};  // the report discarded
    w.mnuFNScratch->trigger();
    QVERIFY(!w.fixtureInPlay());
    dialogs_.answers = {1, 1};  // scratch racing and its report discarded
    dialogs_.fileAnswers = {mtg};
    w.mnuMResume->trigger();
    QCOMPARE(w.fixtureInPlay(), std::optional<int>(1));  // the file the season kept

    // The program closed and started again with the season on its command line: the season
    // offers the fixture.
    dialogs_.answers = {1, 1};
    QVERIFY(w.close());
    frmMainWin& again = Window();
    dialogs_.answers = {0};  // Resume
    again.SetCommandFile(seasonFile_);
    again.show();
    again.activateWindow();
    QTRY_COMPARE(again.fixtureInPlay(), std::optional<int>(1));
    for (int i = 0; i < 40 && again.fixtureInPlay(); ++i) again.mnuMContinue->trigger();
    QVERIFY(Results(again) == 1 && !InPlay());
    const FixtureResult first = again.seasonWindow()->seasonFile()->season().results[0];
    QVERIFY(!again.seasonWindow()->seasonFile()->AddResult(first).ok());  // never twice
    dialogs_.answers = {1};
    dialogs_.fileAnswers = {mtg};
    again.mnuMResume->trigger();
    QVERIFY(!again.fixtureInPlay());  // the file of a fixture stored no longer counts
  }

  void seasonOnTheCommandLineThatCannotBeOpenedIsReported() {
    frmMainWin& w = Window();
    w.SetCommandFile(folder_->filePath(QStringLiteral("gone.Season")));
    w.show();
    w.activateWindow();
    QTRY_COMPARE(dialogs_.warnings.size(), std::size_t{1});
    QVERIFY(dialogs_.warnings[0].text.contains(QStringLiteral("not found")));
  }

 private:
  frmMainWin& Window() {
    ShellSettings settings;
    settings.window = {0, 0, 6000, 9000, 0};
    window_.reset();
    window_ = std::make_unique<frmMainWin>(
        MainWindowSetup{AppFolders{folder_->path(), QString()},
                        folder_->filePath(QStringLiteral("store.ini")), QStringLiteral("0.1"), 7},
        std::move(settings), dialogs_);
    window_->host().SetHeatManager(StandInHeatManager);
    // The line-ups are filled in before the editor opens; the player only starts.
    window_->host().SetProgrammeEditor([this](Meeting& m) {
      if (interactive_) m.ControlMode = 1;
      if (editorStarts_) m.MeetingState = kStartedFromEditor;
    });
    return *window_;
  }
  void OpenSeason(frmMainWin& w) {
    dialogs_.fileAnswers = {seasonFile_};
    w.mnuSOpen->trigger();
  }
  static std::size_t Results(const frmMainWin& w) {
    return w.seasonWindow()->seasonFile()->season().results.size();
  }
  // The fixture in play as the file on disk has it.
  std::optional<int> InPlay() const {
    auto file = SeasonFile::Open(ToPath(seasonFile_));
    if (!file || !file.value()->fixtureInPlay()) return std::nullopt;
    return file.value()->fixtureInPlay()->fixture;
  }

  std::unique_ptr<QTemporaryDir> folder_;
  QString seasonFile_;
  AnsweringDialogs dialogs_;
  std::unique_ptr<frmMainWin> window_;
  bool editorStarts_ = true;
  bool interactive_ = false;
};

}  // namespace corvane

QTEST_MAIN(corvane::SeasonPlayTest)
#include "season_play_test.moc"
