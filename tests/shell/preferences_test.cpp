// The preferences dialog: its editing rules, the competitions list, OK and Cancel.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "shell/frm_preferences.h"
#include "shell/preferences_editor.h"
#include "tests/shell/answering_dialogs.h"

namespace corvane {

namespace {

std::vector<CompetitionEntry> ThreeCompetitions() {
  return {{"League", "league.cfg"}, {"Cup", "cup.cfg"}, {"Pairs", "-"}};
}

std::vector<std::string> Captions(const CompetitionListEditor& list) {
  std::vector<std::string> captions;
  for (const CompetitionEntry& entry : list.entries()) captions.push_back(entry.caption);
  return captions;
}

// Types into a box and leaves it, as a user does.
void TypeAndLeave(QLineEdit* box, const QString& text) {
  box->setFocus();
  box->selectAll();
  QTest::keyClicks(box, text);
  emit box->editingFinished();
}

}  // namespace

class PreferencesTest : public QObject {
  Q_OBJECT

 private slots:
  void competitionListCommands() {
    CompetitionListEditor list(ThreeCompetitions());
    QCOMPARE(list.selected(), 0);
    QVERIFY(!list.CanMoveUp());
    QVERIFY(list.CanMoveDown());

    list.Select(1);
    list.Add();  // before the selected line
    QCOMPARE(Captions(list), (std::vector<std::string>{"League", "<New Meeting>", "Cup", "Pairs"}));
    QCOMPARE(list.selected(), 1);
    QCOMPARE(list.SelectedFile(), std::string());

    list.Select(-1);
    list.Add();  // nothing selected: at the end
    QCOMPARE(list.selected(), 4);

    list.Select(0);
    list.MoveDown();
    QCOMPARE(Captions(list)[1], std::string("League"));
    QCOMPARE(list.selected(), 1);
    list.MoveUp();
    QCOMPARE(Captions(list)[0], std::string("League"));
    QCOMPARE(list.SelectedFile(), std::string("league.cfg"));  // the file moves with its title

    list.Select(4);
    QVERIFY(!list.CanMoveDown());
    list.Delete();  // the last line: the new last one is selected
    QCOMPARE(list.selected(), 3);
    list.Select(1);
    list.Delete();  // the line now in its place is selected
    QCOMPARE(list.entries()[static_cast<std::size_t>(list.selected())].caption, std::string("Cup"));
    while (list.CanDelete()) list.Delete();
    QCOMPARE(list.selected(), -1);
    QVERIFY(!list.CanMoveUp() && !list.CanMoveDown());
    list.TypeConfigFile("x.cfg");  // no line: nothing to change
    QVERIFY(list.entries().empty());
  }

  void competitionListLimitsAndFiles() {
    CompetitionListEditor full(std::vector<CompetitionEntry>(99, {"C", "c.cfg"}));
    QVERIFY(!full.CanAdd());
    full.Add();
    QCOMPARE(full.entries().size(), std::size_t{99});

    CompetitionListEditor list(ThreeCompetitions());
    list.TypeConfigFile("  other.cfg ");
    QCOMPARE(list.SelectedFile(), std::string("other.cfg"));
    list.Select(2);
    list.TypeConfigFile("pairs.cfg");  // a "-" file stays
    QCOMPARE(list.SelectedFile(), std::string("-"));
    list.SetSelectedTitle("");
    // Lines without a title give no menu item.
    QCOMPARE(list.MenuEntries(),
             (std::vector<CompetitionEntry>{{"League", "other.cfg"}, {"Cup", "cup.cfg"}}));
  }

  void editingRules() {
    Preferences prefs;
    prefs.PrefMaxAverage = 15;
    prefs.PrefRiderDbFile = "teams.rdb";
    PreferencesEditor editor(prefs, {});

    QCOMPARE(editor.LeaveRiderFile("   "), std::string("teams.rdb"));
    QCOMPARE(editor.LeaveRiderFile(" other.rdb "), std::string("other.rdb"));
    QCOMPARE(editor.LeaveRiderFile(""), std::string("teams.rdb"));  // the current file

    QCOMPARE(editor.LeaveMaxAverage("0"), std::string("15"));
    QCOMPARE(editor.LeaveMaxAverage("20"), std::string("20"));
    QCOMPARE(editor.LeaveMaxAverage("100"), std::string("20"));  // the last good value
    QCOMPARE(editor.LeaveMaxAverage("99999"), std::string("20"));
    QCOMPARE(editor.LeaveMaxAverage(""), std::string("20"));
    QCOMPARE(editor.LeaveMaxAverage("99"), std::string("99"));

    editor.TypeMark(4, " Exc ");
    QCOMPARE(editor.draft.PrefMarks[4], std::string("Ex"));
    editor.TypeMark(4, "");
    QCOMPARE(editor.LeaveMark(4), std::string("E"));  // the mark the settings hold
    editor.TypeMark(0, "x");
    editor.TypeMark(18, "x");
    QCOMPARE(editor.LeaveMark(18), std::string());

    editor.TypeMark(17, "");
    const PreferencesEditor::Applied applied = editor.Apply("0", "");
    QCOMPARE(applied.prefs.PrefMaxAverage, Integer{99});
    QCOMPARE(applied.prefs.PrefRiderDbFile, std::string("teams.rdb"));
    QCOMPARE(applied.prefs.PrefMarks[17], std::string("*"));
  }

  void dialogShowsTheSettings() {
    Preferences prefs;
    prefs.PrefStartGrid = 2;
    prefs.PrefPlayers[1] = 1;
    prefs.PrefHomeAdvantage = 1;
    prefs.PrefMarks[3] = "T";
    AnsweringDialogs dialogs;
    frmPreferences dialog(prefs, ThreeCompetitions(), AppFolders{QStringLiteral("/nowhere")},
                          dialogs);
    QVERIFY(dialog.optStartGrid[2]->isChecked());
    QVERIFY(dialog.optControl[2]->isChecked());  // team A: player
    QVERIFY(dialog.optControl[3]->isChecked());  // team B: computer
    QVERIFY(dialog.chkHomeAdv->isChecked());
    QVERIFY(!dialog.chkTmScoring->isChecked());
    QCOMPARE(dialog.lstProgMarking->topLevelItemCount(), 17);
    QCOMPARE(dialog.lstProgMarking->topLevelItem(2)->text(0), QStringLiteral("Time exclusion:"));
    QCOMPARE(dialog.lstProgMarking->topLevelItem(2)->text(1), QStringLiteral("T"));
    QCOMPARE(dialog.lstCompetitions->count(), 3);
    QCOMPARE(dialog.lstCompetitions->currentRow(), 0);
    QCOMPARE(dialog.txtConfigFile->text(), QStringLiteral("league.cfg"));
    QVERIFY(!dialog.cmdMoveUp->isEnabled());
    QVERIFY(!dialog.txtProgMarking->isEnabled());
    QCOMPARE(dialog.findChild<QWidget*>(QStringLiteral("fraPrefs4")), dialog.fraPrefs[4]);
  }

  void okAppliesEveryControl() {
    AnsweringDialogs dialogs;
    frmPreferences dialog(Preferences{}, ThreeCompetitions(),
                          AppFolders{QStringLiteral("/nowhere")}, dialogs);
    dialog.show();
    dialog.optStartGrid[3]->setChecked(true);
    dialog.optControl[18]->setChecked(true);  // team I: player
    dialog.chkTmScoring->setChecked(true);
    TypeAndLeave(dialog.txtMaxAvge, QStringLiteral("0"));  // refused
    QCOMPARE(dialog.txtMaxAvge->text(), QStringLiteral("12"));
    TypeAndLeave(dialog.txtRdrFile, QString());
    QCOMPARE(dialog.txtRdrFile->text(), QStringLiteral("Lineups.rdb"));

    dialog.lstProgMarking->setCurrentItem(dialog.lstProgMarking->topLevelItem(0));
    QVERIFY(dialog.txtProgMarking->isEnabled());
    QCOMPARE(dialog.txtProgMarking->text(), QStringLiteral("N"));
    TypeAndLeave(dialog.txtProgMarking, QStringLiteral("NS"));
    QCOMPARE(dialog.lstProgMarking->topLevelItem(0)->text(1), QStringLiteral("NS"));

    dialog.lstCompetitions->setCurrentRow(1);
    QTest::mouseClick(dialog.cmdMoveUp, Qt::LeftButton);
    QCOMPARE(dialog.lstCompetitions->currentRow(), 0);
    TypeAndLeave(dialog.txtConfigFile, QStringLiteral("cup2.cfg"));

    QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const PreferencesEditor::Applied& applied = dialog.applied();
    QCOMPARE(applied.prefs.PrefStartGrid, Integer{3});
    QCOMPARE(applied.prefs.PrefPlayers[9], Integer{1});
    QCOMPARE(applied.prefs.PrefPlayers[1], Integer{0});
    QCOMPARE(applied.prefs.PrefTeamScoring, Integer{1});
    QCOMPARE(applied.prefs.PrefMaxAverage, Integer{12});
    QCOMPARE(applied.prefs.PrefMarks[1], std::string("NS"));
    QCOMPARE(applied.competitions,
             (std::vector<CompetitionEntry>{
                 {"Cup", "cup2.cfg"}, {"League", "league.cfg"}, {"Pairs", "-"}}));
  }

  void browsingForAConfigurationFile() {
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("Scripts"));
    QDir(root.path()).mkpath(QStringLiteral("Other"));
    const QString bundled = root.filePath(QStringLiteral("Scripts/premier.cfg"));
    const QString other = root.filePath(QStringLiteral("Other/untitled.cfg"));
    WriteFile(bundled, "# comment~not this\nNUMTEAMS=2\nLeague~Premier Match\n");
    WriteFile(other, "NUMTEAMS=2\n1:A1,B1\n");

    AnsweringDialogs dialogs;
    dialogs.fileAnswers = {bundled, other};
    frmPreferences dialog(Preferences{}, {}, AppFolders{root.path()}, dialogs);
    QVERIFY(!dialog.cmdBrowse2->isEnabled());  // no line to give a file to
    QTest::mouseClick(dialog.cmdAdd, Qt::LeftButton);
    QTest::mouseClick(dialog.cmdBrowse2, Qt::LeftButton);
    QCOMPARE(dialogs.fileQuestions.back().title, QStringLiteral("Add Configuration File"));
    QCOMPARE(dialogs.fileQuestions.back().proposedOrFolder,
             root.filePath(QStringLiteral("Scripts")));
    QCOMPARE(dialog.txtConfigFile->text(), QStringLiteral("premier.cfg"));
    QCOMPARE(dialog.lstCompetitions->item(0)->text(), QStringLiteral("Premier Match"));

    QTest::mouseClick(dialog.cmdAdd, Qt::LeftButton);
    QTest::mouseClick(dialog.cmdBrowse2, Qt::LeftButton);
    QCOMPARE(dialog.txtConfigFile->text(), QFileInfo(other).canonicalFilePath());
    QCOMPARE(dialog.lstCompetitions->item(0)->text(),
             QStringLiteral("<New Meeting>"));  // no title line

    QTest::mouseClick(dialog.cmdBrowse2, Qt::LeftButton);  // cancelled: nothing changes
    QCOMPARE(dialog.txtConfigFile->text(), QFileInfo(other).canonicalFilePath());
  }

 private:
  static void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::PreferencesTest)
#include "preferences_test.moc"
