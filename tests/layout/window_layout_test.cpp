// Every window and dialog of both programs in each of its forms, laid out as the person meets
// it: no caption cut, no widget outside its window, no access key twice, no command behind an
// overflow button. CTest runs it at scale 1 and 2 and with a large font.
#include <QApplication>
#include <QListWidget>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <utility>

#include "editor/frm_find.h"
#include "editor/frm_tavrel.h"
#include "editor/help_window.h"
#include "heatcontrol/frm_control.h"
#include "heatcontrol/frm_heat_mgr.h"
#include "heatcontrol/frm_regulations.h"
#include "layout/layout_check.h"
#include "progeditor/frm_prog_editor.h"
#include "shell/frm_about.h"
#include "shell/frm_main_win.h"
#include "shell/frm_preferences.h"
#include "shell/help_window.h"
#include "shell/qt_text.h"
#include "shell/settings_store.h"
#include "shell/stand_in_dialogs.h"
#include "support/meeting_builder.h"
#include "tests/editor/scripted_prompts.h"
#include "tests/shell/answering_dialogs.h"

namespace corvane {

namespace {

const QString kSourceDir = QStringLiteral(CORVANE_SOURCE_DIR);

Meeting Teams(int teams, int perRow) {
  Meeting m;
  m.NumTeams = m.NumGroups = static_cast<Integer>(teams);
  m.GroupsPerRow = static_cast<Integer>(perRow);
  m.NumRiders = 8;
  m.NumReserves = 2;
  m.RdrRepUse = 2;
  m.RdrRepSlot = 1;
  m.HomeAdvantage = true;
  return m;
}

Meeting Individual(int groups) {
  Meeting m;
  m.NumTeams = 1;
  m.NumGroups = static_cast<Integer>(groups);
  m.NumRiders = static_cast<Integer>(groups == 1 ? 16 : 6);
  m.NumReserves = 2;
  m.ResMode = 2;
  return m;
}

// A team meeting with every regulation of a team meeting, and an individual one with the rest.
Meeting WithAllRegulations(bool teams) {
  Meeting m = teams ? Teams(2, 2) : Individual(1);
  m.RunoffMode = 4;
  m.TacSubUse = 2;
  m.SpclRaceMode = 1;
  m.BonusPts = 2;
  m.MinRides = 3;
  return m;
}

}  // namespace

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  // Every form of a window is checked before the faults of all of them are reported.
  void cleanup() {
    const QStringList faults = std::exchange(faults_, {});
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
  }

  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    if (qEnvironmentVariableIsSet("CORVANE_TEST_LARGE_FONT")) {
      QFont font = QApplication::font();
      font.setPointSizeF(font.pointSizeF() * 1.6);
      QApplication::setFont(font);
    }
  }

  void mainWindowAboutAndPreferences() {
    QTemporaryDir store;
    AnsweringDialogs dialogs;
    // As on the first run: the shipped defaults, nothing stored yet.
    const QString storeFile = store.filePath(QStringLiteral("s.ini"));
    const QSize screen = QApplication::primaryScreen()->size();
    ShellSettings settings =
        LoadSettings({storeFile, kSourceDir + QStringLiteral("/shell/corvane-defaults.ini")},
                     QStringLiteral("1.0"), ScreenTwips{screen.width() * 15, screen.height() * 15});
    frmMainWin main(MainWindowSetup{AppFolders{kSourceDir}, storeFile, QStringLiteral("1.0"), 1},
                    std::move(settings), dialogs);
    Check(&main, "main window");
    // After the first bundled competition, raced by the computer.
    main.host().SetProgrammeEditor([](Meeting& m) {
      StandInProgrammeEditor(m, ToPath(kSourceDir + QStringLiteral("/Lineups/Lineups.rdb")));
      m.DateLines = "12/05/24";
    });
    main.host().SetHeatManager(StandInHeatManager);
    QVERIFY(!main.mnuFNComp.empty());
    main.mnuFNComp[0]->trigger();
    QCOMPARE(main.session().meeting().MeetingState, Integer{kMeetingOver});
    Check(&main, "main window after a meeting");
    Check(ShowHelp(&main, kSourceDir + QStringLiteral("/help"), kHelpContents), "help");
    frmAbout about;
    Check(&about, "about");
    frmPreferences prefs(Preferences{}, {{"League Match", "league-match.cfg"}},
                         AppFolders{kSourceDir}, dialogs);
    for (int tab = 0; tab < prefs.tstPrefs->count(); ++tab) {
      prefs.tstPrefs->setCurrentIndex(tab);
      Check(&prefs, prefs.tstPrefs->tabText(tab));
    }
  }

  // The editor also fits the screen, whatever the meeting needs: its rows scroll.
  void programmeEditor() {
    const std::vector<std::pair<const char*, Meeting>> forms{
        {"2 teams", Teams(2, 2)},
        {"4 teams", Teams(4, 4)},
        {"9 teams", Teams(9, 9)},
        {"9 teams, 3 a row", Teams(9, 3)},
        {"individual", Individual(1)},
        {"individual, 4 groups", Individual(4)},
        {"scratch racing", [] {
           Meeting m;
           m.ControlMode = 2;
           return m;
         }()}};
    for (const auto& [form, meeting] : forms) {
      Meeting m = meeting;
      ProgEditorSetup setup;
      setup.database = std::filesystem::path(CORVANE_SOURCE_DIR "/Lineups/Lineups.rdb");
      frmProgEditor editor(m, setup);
      Check(&editor, form);
      const QRect screen = editor.screen()->availableGeometry();
      if (editor.frameGeometry().width() > screen.width() ||
          editor.frameGeometry().height() > screen.height()) {
        faults_ << QStringLiteral("%1: the editor is larger than the screen").arg(form);
      }
    }
  }

  void heatManagerInEachMode() {
    Meeting team = testing::BuildMeeting(2, 2, 7);
    team.NumReserves = 2;
    team.TacSubUse = 2;
    team.RdrRepUse = 2;
    testing::SetLineup(team, {1, 8, 2, 9});
    Meeting incident = team;
    incident.SlotCursor = 3;
    incident.MeetingState = kStartedFromEditor;
    incident.RaceStatus[2] = kTimeExclusion;
    Meeting individual = testing::BuildMeeting(1, 1, 16);
    testing::SetLineup(individual, {1, 2, 3, 4});
    Meeting scratch = testing::BuildMeeting(1, 1, 12);
    scratch.ControlMode = 2;
    testing::SetLineup(scratch, {1, 2, 3, 4, 5, 6, 7, 8});
    for (auto& [form, m] :
         std::vector<std::pair<const char*, Meeting>>{{"before a team heat", team},
                                                      {"during the start", incident},
                                                      {"individual meeting", individual},
                                                      {"scratch racing", scratch}}) {
      frmHeatMgr dialog(m);
      Check(&dialog, form);
    }
  }

  void regulationsOnEveryTopic() {
    for (const bool teams : {true, false}) {
      Meeting m = WithAllRegulations(teams);
      frmRegulations dialog(m, {});
      for (int row = 0; row < dialog.lstOptions->count(); ++row) {
        dialog.lstOptions->setCurrentRow(row);
        Check(&dialog, dialog.lstOptions->item(row)->text());
      }
    }
  }

  void controlModeForOneToNineTeams() {
    for (int teams = 1; teams <= kMaxGroups; ++teams) {
      Meeting m = Teams(teams, teams);
      frmControl dialog(m, {});
      Check(&dialog, QStringLiteral("%1 teams").arg(teams));
    }
  }

  void riderEditorAndFind() {
    ScriptedPrompts prompts;
    FrmTavrel editor(10, QStringLiteral("."), prompts);
    editor.Start(kSourceDir + QStringLiteral("/Lineups/Lineups.rdb"));
    Check(&editor, "rider editor");
    editor.ShowFind();
    auto* find = editor.findChild<FrmFind*>();
    QVERIFY(find != nullptr);
    Check(find, "find");
    ShowHelpWindow(&editor, kSourceDir + QStringLiteral("/help"));
    Check(editor.findChild<QDialog*>(QStringLiteral("frmHelp")), "rider editor help");
  }

 private:
  void Check(QWidget* window, const QString& form) {
    const QStringList faults = testing::LayoutFaults(window);
    if (faults.isEmpty()) return;
    faults_ << QStringLiteral("%1 (%2 x %3):").arg(form).arg(window->width()).arg(window->height());
    for (const QString& fault : faults) faults_ << QStringLiteral("  ") + fault;
  }

  QStringList faults_;
};

}  // namespace corvane

QTEST_MAIN(corvane::WindowLayoutTest)
#include "window_layout_test.moc"
