// The main window: its menus, the Meeting menu through a meeting, the file commands with their
// failures, preferences and start-up.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "engine/records/meeting.h"
#include "progeditor/frm_prog_editor.h"
#include "report/results_report.h"
#include "shell/fixed_font.h"
#include "shell/forecast_panel.h"
#include "shell/frm_main_win.h"
#include "shell/frm_preferences.h"
#include "shell/qt_text.h"
#include "shell/settings_store.h"
#include "shell/stand_in_dialogs.h"
#include "tests/shell/answering_dialogs.h"

namespace corvane {

namespace {

constexpr ScreenTwips kScreen{28800, 16200};

// A two-team competition of three heats.
constexpr char kLeagueFile[] =
    "# A short league match\n"
    "t~Test League\n"
    "NUMTEAMS=2\nNUMGROUPS=2\nNUMRIDERS=4\n"
    "1:A1,B1,A2,B2\n2:A3,B3,A4,B4\n3:A1,B2,A2,B1\n";

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QDir(folder_->path()).mkpath(QStringLiteral("Scripts"));
    WriteAll(folder_->filePath(QStringLiteral("Scripts/league.cfg")), kLeagueFile);
    QDir(folder_->path()).mkpath(QStringLiteral("Lineups"));
    QVERIFY(QFile::copy(QStringLiteral(CORVANE_SOURCE_DIR "/Lineups/Lineups.rdb"),
                        folder_->filePath(QStringLiteral("Lineups/Lineups.rdb"))));
    dialogs_ = AnsweringDialogs{};
    realEditor_ = false;
  }
  void cleanup() {
    window_.reset();
    folder_.reset();
  }

  // Every menu and item is reachable from the keyboard: an access key in each caption, none
  // twice in one menu. Nothing to save yet; no meeting under way: Resume, and Suspend disabled.
  void menusReachableFromTheKeyboard() {
    frmMainWin& w = Window();
    std::function<void(const QList<QAction*>&)> check = [&check](const QList<QAction*>& items) {
      QSet<QKeySequence> keys;
      for (const QAction* item : items) {
        if (item->isSeparator()) continue;
        const QKeySequence key = QKeySequence::mnemonic(item->text());
        QVERIFY2(!key.isEmpty() && !keys.contains(key), qPrintable(item->text()));
        keys.insert(key);
        if (item->menu() != nullptr) check(item->menu()->actions());
      }
    };
    check(w.menuBar()->actions());
    QVERIFY(w.txtResults->isReadOnly() && HasFixedPitch(w.txtResults->font()));

    QVERIFY(!w.mnuFSave->isEnabled() && !w.mnuFSaveAs->isEnabled() && !w.mnuFPrint->isEnabled());
    QVERIFY(w.mnuMResume->isEnabled() && MenuShown(w) == AsShown(MeetingMenu{}));
  }

  void meetingRunFromTheMenus() {
    frmMainWin& w = Window({{"Test League", "league.cfg"}, {"Missing", "missing.cfg"}});
    w.mnuFNComp[0]->trigger();
    const Meeting& m = w.session().meeting();
    QCOMPARE(m.MeetingState, Integer{kMeetingOver});  // computer control runs to the end
    QCOMPARE(m.HeatCount, Integer{3});
    QCOMPARE(w.txtResults->toPlainText(), ResultsBoxText(WriteResults(m)));
    QVERIFY(MenuShown(w) == AsShown(MeetingMenuFor(m)) && w.mnuMScratch->isVisible());
    QVERIFY(!w.statusText().isEmpty());  // the last heat's summary

    w.mnuMScratch->trigger();  // a race after the meeting
    QCOMPARE(m.HeatCount, Integer{4});

    dialogs_.answers = {1};  // the report is discarded
    w.mnuFNComp[1]->trigger();
    QCOMPARE(Warnings(), QStringList{QStringLiteral("Configuration file not found")});
    QVERIFY(m.HeatCount == 4 && w.mnuMScratch->isVisible());  // the meeting stays

    dialogs_.answers = {1};
    w.mnuFNScratch->trigger();
    QCOMPARE(w.session().meeting().CompetitionTitle, std::string("Scratch Racing"));
    QVERIFY(MenuShown(w) == AsShown(MeetingMenuFor(m)) && w.mnuMContinue->isVisible());
    QCOMPARE(m.HeatCount, Integer{1});  // the first race at once
    w.mnuMContinue->trigger();
    QCOMPARE(m.HeatCount, Integer{2});
  }

  void suspendAndResume() {
    frmMainWin& w = Window({{"Test League", "league.cfg"}});
    w.mnuFNComp[0]->trigger();
    const QString file = folder_->filePath(QStringLiteral("meeting.mtg"));
    dialogs_.fileAnswers = {file};
    w.mnuMSuspend->trigger();
    const AnsweringDialogs::FileQuestion asked = dialogs_.fileQuestions.back();
    QVERIFY(asked.proposedOrFolder == QStringLiteral("120524.mtg") && asked.confirmOverwrite);
    const QString report = w.txtResults->toPlainText();
    const std::string home = w.session().meeting().GroupTitle[1];

    dialogs_.fileAnswers = {folder_->filePath(QStringLiteral("no-folder/m.mtg"))};
    w.mnuMSuspend->trigger();
    QVERIFY(Warnings().size() == 1 && Warnings()[0].contains(QStringLiteral("m.mtg")));

    dialogs_.answers = {1};  // the suspended meeting asks nothing, the report is discarded
    w.mnuFNScratch->trigger();
    dialogs_.answers = {1, 1};  // scratch racing and its report discarded
    dialogs_.fileAnswers = {file};
    w.mnuMResume->trigger();
    QCOMPARE(dialogs_.questions.size(), std::size_t{3});
    QCOMPARE(w.session().meeting().GroupTitle[1], home);
    QCOMPARE(w.txtResults->toPlainText(), report);

    // A file that is no meeting is refused, saying why; the meeting stays.
    const QString bad = folder_->filePath(QStringLiteral("bad.mtg"));
    WriteAll(bad, "not a meeting");
    dialogs_.answers = {1};
    dialogs_.fileAnswers = {bad};
    w.mnuMResume->trigger();
    QCOMPARE(dialogs_.warnings.size(), std::size_t{2});
    QCOMPARE(w.session().meeting().GroupTitle[1], home);

    dialogs_.answers = {1};
    w.mnuMResume->trigger();  // cancelled: silent
    QCOMPARE(dialogs_.warnings.size(), std::size_t{2});
  }

  void commandLineMeetingResumedOnce() {
    const QString file = folder_->filePath(QStringLiteral("final.MTG"));
    std::string home;
    {
      frmMainWin& first = Window({{"Test League", "league.cfg"}});
      first.mnuFNComp[0]->trigger();
      home = first.session().meeting().GroupTitle[1];
      QVERIFY(first.session().Suspend(ToPath(file)).ok());
    }
    frmMainWin& w = Window();
    w.SetCommandFile(file);
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTRY_COMPARE(w.session().meeting().GroupTitle[1], home);
    QVERIFY(!w.resumePending());

    // Later activations leave the meeting alone.
    dialogs_.answers = {1};
    w.mnuFNScratch->trigger();
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::qWait(20);
    QCOMPARE(w.session().meeting().CompetitionTitle, std::string("Scratch Racing"));
    QVERIFY(dialogs_.warnings.empty());
  }

  void newMeetingOpensTheProgrammeEditor() {
    realEditor_ = true;
    ShellSettings settings;
    settings.competitions = {{"Test League", "league.cfg"}};
    settings.prefs.PrefPlayers[2] = 1;
    frmMainWin& w = Window(settings);

    // Closed without starting: no meeting.
    Answer<frmProgEditor>([](frmProgEditor& editor) { editor.mnuMClose->trigger(); });
    w.mnuFNComp[0]->trigger();
    QCOMPARE(w.session().meeting().HeatCount, Integer{0});
    QVERIFY(!w.mnuMSep->isVisible());

    // Line-ups from the database, a date, Start Racing: the meeting runs, and team B, the
    // player's by preference, waits in the heat manager.
    Answer<frmProgEditor>([](frmProgEditor& editor) {
      editor.mnuOLineups->trigger();  // the test league names no competition ID
      for (int team : {1, 2}) {
        QComboBox* box = editor.txtTmName[static_cast<std::size_t>(team)];
        QVERIFY(box->count() > 2);
        box->setCurrentIndex(team);
        emit box->activated(team);
      }
      QTest::keyClicks(editor.txtDate->lineEdit(), QStringLiteral("12/05/24"));
      editor.mnuMStart->trigger();
    });
    w.mnuFNComp[0]->trigger();
    const Meeting& m = w.session().meeting();
    QVERIFY(m.TeamControl[2] == 1 && m.ControlMode == 1);
    QVERIFY(!m.GroupTitle[1].empty() && m.GroupTitle[1] != m.GroupTitle[2]);
    QCOMPARE(m.DateLines, std::string("12/05/24"));
    QVERIFY(m.HeatCount >= 1 && dialogs_.warnings.empty());

    // The rider database of the settings, reported by the editor through the program's boxes.
    settings.prefs.PrefRiderDbFile = "none.rdb";
    Answer<frmProgEditor>([](frmProgEditor& editor) { editor.mnuMClose->trigger(); });
    Window(settings).mnuFNComp[0]->trigger();
    QCOMPARE(Warnings(), QStringList{QStringLiteral("Rider Database not found")});
  }

  // A meeting under way not suspended since its last heat, and a report not saved since it
  // changed, are replaced or closed only as the user answers; Cancel changes nothing.
  void askedBeforeTheMeetingOrReportIsLost() {
    frmMainWin& w = Window();
    const Meeting& m = w.session().meeting();
    w.mnuFNScratch->trigger();
    w.mnuMContinue->trigger();
    QVERIFY(m.HeatCount == 2 && w.reportUnsaved());
    const QString report = w.txtResults->toPlainText();
    const MeetingMenu menu = MenuShown(w);
    const auto unchanged = [&] {
      return m.HeatCount == 2 && w.txtResults->toPlainText() == report && MenuShown(w) == menu;
    };

    w.mnuFNScratch->trigger();  // Cancel
    QVERIFY(unchanged() && dialogs_.questions.size() == 1);
    QVERIFY(dialogs_.questions[0].text.contains(QStringLiteral("suspended")));
    QVERIFY(!w.close());

    // Suspend writes the file first; Cancel at the report then keeps everything.
    const QString kept = folder_->filePath(QStringLiteral("kept"));
    dialogs_.answers = {0, 2};
    dialogs_.fileAnswers = {kept};
    w.mnuFNScratch->trigger();
    QVERIFY(unchanged() && QFile::exists(kept + QStringLiteral(".mtg")));
    QVERIFY(dialogs_.questions.back().text.contains(QStringLiteral("report")));

    // Suspended: only the report asks. Discarded, then the editor left without starting: the
    // meeting, its report and menu stay.
    w.host().SetProgrammeEditor([](Meeting& fresh) { fresh.CompetitionTitle = "Abandoned"; });
    dialogs_.answers = {1};
    dialogs_.questions.clear();
    w.mnuFNScratch->trigger();
    QVERIFY(unchanged() && dialogs_.questions.size() == 1);
    QCOMPARE(m.CompetitionTitle, std::string("Scratch Racing"));

    // Save, its file dialog cancelled: nothing happens. Then saved, and replaced by a new one.
    dialogs_.answers = {0};
    w.mnuFNScratch->trigger();
    QVERIFY(unchanged() && w.reportUnsaved());
    w.host().SetProgrammeEditor(
        [database = Database()](Meeting& fresh) { StandInProgrammeEditor(fresh, database); });
    dialogs_.answers = {0};
    dialogs_.fileAnswers = {folder_->filePath(QStringLiteral("report"))};
    w.mnuFNScratch->trigger();
    QVERIFY(m.HeatCount == 1 && QFile::exists(folder_->filePath(QStringLiteral("report.txt"))));

    // Closing: Discard twice lets the window close.
    dialogs_.answers = {1, 1};
    QVERIFY(w.close());
    QVERIFY(dialogs_.answers.empty());
  }

  // A typed name without an extension gets its type's (the rule itself is the engine's); a file
  // the completed name would replace is replaced only when the user agrees.
  void filesGetTheirTypesExtension() {
    frmMainWin& w = Window({{"Test League", "league.cfg"}});
    w.mnuFNComp[0]->trigger();
    const QString cup = folder_->filePath(QStringLiteral("cup"));
    dialogs_.fileAnswers = {cup, cup};
    w.mnuMSuspend->trigger();
    w.mnuMSuspend->trigger();  // cancelled at the question
    QVERIFY(QFile::exists(cup + QStringLiteral(".mtg")) && !QFile::exists(cup));
    QCOMPARE(dialogs_.questions.size(), std::size_t{1});
    QVERIFY(dialogs_.questions[0].text.startsWith(QStringLiteral("cup.mtg already exists")));
    emit w.mnuFile->aboutToShow();
    dialogs_.fileAnswers = {cup};
    w.mnuFSaveAs->trigger();
    QCOMPARE(w.resultsFileName(), cup + QStringLiteral(".txt"));
  }

  // Save asks once, then appends; Save As asks again and replaces. Failures say why.
  void saveAsksOnceThenAppends() {
    frmMainWin& w = Window();
    emit w.mnuFile->aboutToShow();
    QVERIFY(!w.mnuFSave->isEnabled());
    w.host().PublishResults("Report\r\n");
    emit w.mnuFile->aboutToShow();
    QVERIFY(w.mnuFSave->isEnabled() && w.mnuFSaveAs->isEnabled() && w.mnuFPrint->isEnabled());
    const QString path = folder_->filePath(QStringLiteral("results.txt"));

    w.mnuFSave->trigger();  // cancelled: silent, nothing remembered
    QVERIFY(dialogs_.warnings.empty() && w.resultsFileName().isEmpty());
    dialogs_.fileAnswers = {folder_->filePath(QStringLiteral("no-folder/results.txt"))};
    w.mnuFSave->trigger();
    QVERIFY(Warnings().size() == 1 && Warnings()[0].contains(QStringLiteral("results.txt")));
    QVERIFY(Warnings()[0].contains(QStringLiteral("No such file or directory")));
    QVERIFY(w.resultsFileName().isEmpty());  // the next Save asks again

    dialogs_.fileAnswers = {path};
    w.mnuFSave->trigger();
    QVERIFY(!dialogs_.fileQuestions.back().confirmOverwrite);
    w.mnuFSave->trigger();  // no question the second time
    QCOMPARE(dialogs_.fileQuestions.size(), std::size_t{3});
    QCOMPARE(ReadAll(path), QByteArray("Report\r\n\r\n\r\nReport\r\n\r\n\r\n"));

    w.host().PublishResults("New\r\n");
    dialogs_.fileAnswers = {path};
    w.mnuFSaveAs->trigger();
    QVERIFY(dialogs_.fileQuestions.back().confirmOverwrite);
    QCOMPARE(ReadAll(path), QByteArray("New\r\n\r\n\r\n"));
    w.host().PublishResults("");  // never disabled again
    emit w.mnuFile->aboutToShow();
    QVERIFY(w.mnuFSave->isEnabled() && dialogs_.warnings.size() == 1);
  }

  // A print that fails says why; a cancelled one is silent.
  void printFailuresAreReported() {
    frmMainWin& w = Window();
    w.host().PublishResults("First line\r\n");
    emit w.mnuFile->aboutToShow();
    const QString pdf = folder_->filePath(QStringLiteral("no-folder/out.pdf"));
    dialogs_.printAnswer = [&pdf](QPrinter& printer, bool) {
      printer.setOutputFileName(pdf);
      return true;
    };
    w.mnuFPrint->trigger();
    QVERIFY(Warnings().size() == 1 && Warnings()[0].contains(QStringLiteral("out.pdf")));
    dialogs_.printAnswer = [](QPrinter&, bool) { return false; };
    w.mnuFPrint->trigger();
    QCOMPARE(dialogs_.warnings.size(), std::size_t{1});
  }

  void preferencesCancelAndOk() {
    const QString store = folder_->filePath(QStringLiteral("store.ini"));
    frmMainWin& w = Window({{"League", "league.cfg"}, {"Cup", "cup.cfg"}});

    Answer<frmPreferences>([](frmPreferences& dialog) {
      QTest::mouseClick(dialog.cmdDelete, Qt::LeftButton);
      dialog.chkHomeAdv->setChecked(true);
      QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
    });
    w.mnuEPrefs->trigger();
    QVERIFY(w.Competitions().size() == 2 && w.settings().prefs.PrefHomeAdvantage == 0);
    QVERIFY(!QFileInfo::exists(store));  // Cancel writes nothing

    Answer<frmPreferences>([](frmPreferences& dialog) {
      QTest::mouseClick(dialog.cmdDelete, Qt::LeftButton);
      dialog.chkHomeAdv->setChecked(true);
      QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
    });
    w.mnuEPrefs->trigger();
    QCOMPARE(w.Competitions(), (std::vector<CompetitionEntry>{{"Cup", "cup.cfg"}}));
    QCOMPARE(w.settings().prefs.PrefHomeAdvantage, Integer{1});
    // OK wrote the settings at once.
    const ShellSettings stored = LoadSettings({store, QString()}, QStringLiteral("0.1"), kScreen);
    QVERIFY(stored.competitions == w.Competitions() && stored.prefs.PrefHomeAdvantage == 1);
  }

  // The Forecast panel: shown with a meeting to forecast, hidden for scratch racing, fresh for
  // every new or resumed meeting.
  void forecastPanelFollowsTheMeeting() {
    frmMainWin& w = Window({{"Test League", "league.cfg"}});
    w.show();
    ForecastPanel& panel = w.forecast();
    QVERIFY(!panel.isVisible() && w.mnuVForecast->isChecked());
    w.mnuFNComp[0]->trigger();
    QVERIFY(panel.isVisible());
    QTRY_VERIFY(panel.shown() != nullptr && !panel.updating());
    QVERIFY(panel.shown()->decided && panel.shownHeat() == 3);
    QVERIFY(panel.lblState->text().contains(QStringLiteral("decided")));

    const QString file = folder_->filePath(QStringLiteral("meeting.mtg"));
    dialogs_.fileAnswers = {file};
    w.mnuMSuspend->trigger();
    dialogs_.answers = {1};  // the report unsaved: discard it
    w.mnuFNScratch->trigger();
    QVERIFY(!panel.isVisible());
    dialogs_.fileAnswers = {file};
    dialogs_.answers = {1, 1};
    w.mnuMResume->trigger();
    QVERIFY(panel.isVisible() && panel.shown() == nullptr);
    QTRY_VERIFY(panel.shown() != nullptr && panel.shown()->decided);
    dialogs_.answers = {1};
    w.mnuFNComp[0]->trigger();
    QVERIFY(panel.isVisible());
    QTRY_VERIFY(panel.shown() != nullptr && !panel.updating());
  }

  void settingsWrittenWhenTheWindowCloses() {
    const QString store = folder_->filePath(QStringLiteral("store.ini"));
    ShellSettings settings;
    settings.window = {1500, 1500, 6000, 9000, 0};
    Window(settings).close();
    const ShellSettings stored = LoadSettings({store, QString()}, QStringLiteral("0.1"), kScreen);
    QVERIFY(stored.window.width == 9000 && stored.window.height == 6000);
  }

 private:
  frmMainWin& Window(ShellSettings settings = {}) {
    if (settings.window.width == 0) settings.window = {0, 0, 6000, 9000, 0};
    window_ = std::make_unique<frmMainWin>(
        MainWindowSetup{AppFolders{folder_->path()}, folder_->filePath(QStringLiteral("store.ini")),
                        QStringLiteral("0.1"), 7},
        std::move(settings), dialogs_);
    // Races start as prepared.
    window_->host().SetHeatManager(StandInHeatManager);
    if (!realEditor_) {
      // Whole meetings without a person: the stand-in enters the line-ups, a date and starts.
      window_->host().SetProgrammeEditor([database = Database()](Meeting& m) {
        StandInProgrammeEditor(m, database);
        m.DateLines = "12/05/24";
      });
    }
    return *window_;
  }
  frmMainWin& Window(std::vector<CompetitionEntry> competitions) {
    ShellSettings settings;
    settings.competitions = std::move(competitions);
    return Window(std::move(settings));
  }
  std::filesystem::path Database() const {
    return ToPath(folder_->filePath(QStringLiteral("Lineups/Lineups.rdb")));
  }

  // Answers the next modal dialog; a failed check must not leave it open.
  template <class Dialog>
  static void Answer(std::function<void(Dialog&)> answer) {
    QTimer::singleShot(0, [answer] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      answer(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
  }

  static MeetingMenu MenuShown(const frmMainWin& w) {
    return {w.mnuMSuspend->isEnabled(), w.mnuMSep->isVisible(),      w.mnuMScratch->isVisible(),
            w.mnuMSupport->isVisible(), w.mnuMContinue->isVisible(), w.mnuMScratch->isEnabled(),
            w.mnuMSupport->isEnabled(), w.mnuMContinue->isEnabled()};
  }

  // A hidden action reports itself disabled.
  static MeetingMenu AsShown(MeetingMenu menu) {
    menu.scratchEnabled &= menu.scratchVisible;
    menu.supportEnabled &= menu.supportVisible;
    menu.continueEnabled &= menu.continueVisible;
    return menu;
  }

  QStringList Warnings() const {
    QStringList texts;
    for (const auto& warning : dialogs_.warnings) texts << warning.text;
    return texts;
  }

  static QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  std::unique_ptr<QTemporaryDir> folder_;
  AnsweringDialogs dialogs_;
  std::unique_ptr<frmMainWin> window_;
  bool realEditor_ = false;  // the program's own programme editor instead of the stand-in
};

}  // namespace corvane

QTEST_MAIN(corvane::MainWindowTest)
#include "main_window_test.moc"
