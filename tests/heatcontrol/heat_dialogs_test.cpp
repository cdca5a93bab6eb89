// The control mode and regulations dialogs: the frames and topics a meeting shows, the repairs
// made on leaving the number boxes, and what OK and Cancel write.
#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <tuple>

#include "heatcontrol/frm_control.h"
#include "heatcontrol/frm_regulations.h"

namespace corvane {

namespace {

Meeting Teams(int teams) {
  Meeting m;
  m.NumTeams = m.NumGroups = static_cast<Integer>(teams);
  m.NumRiders = 4;
  return m;
}

// Types into a number box (an empty text clears it) and leaves it.
void TypeAndLeave(QLineEdit* box, const QString& text) {
  box->clear();
  QTest::keyClicks(box, text);
  QFocusEvent out(QEvent::FocusOut);
  QApplication::sendEvent(box, &out);
}

QStringList ListTexts(const frmRegulations& d) {
  QStringList texts;
  for (int i = 0; i < d.lstOptions->count(); ++i) texts << d.lstOptions->item(i)->text();
  return texts;
}

int ShownFrames(const frmControl& d) {
  int shown = 0;
  for (std::size_t t = 1; t <= 9; ++t) shown += d.fraControl[t]->isHidden() ? 0 : 1;
  return shown;
}

}  // namespace

class HeatDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void okWritesThePlayersTeams() {
    // An individual meeting: team A only; a team outside the meeting keeps its mark.
    Meeting one = Teams(1);
    one.TeamControl[2] = 1;
    frmControl single(one, {});
    QCOMPARE(ShownFrames(single), 1);
    single.optControl[2]->setChecked(true);
    single.cmdOK->click();
    QVERIFY(one.TeamControl[1] == 1 && one.ControlMode == 1 && one.TeamControl[2] == 1);

    // Team B was the player's; all computer: the heat manager is never needed.
    Meeting two = Teams(2);
    two.TeamControl[2] = 1;
    two.ControlMode = 1;
    frmControl pair(two, {});
    pair.optControl[3]->setChecked(true);
    pair.cmdOK->click();
    QVERIFY(two.TeamControl[2] == 0 && two.ControlMode == 0);
  }

  void scratchRacingAndPreferredPlayers() {
    Meeting scratch = Teams(1);
    scratch.ControlMode = 2;  // scratch racing keeps its mode whoever steers
    WriteControl(PlayerChoice{false, true, false}, scratch);
    QVERIFY(scratch.ControlMode == 2 && scratch.TeamControl[1] == 1);
    ApplyPlayerDefaults(Preferences{}, scratch);
    QCOMPARE(scratch.ControlMode, Integer{2});

    Preferences prefs;
    prefs.PrefPlayers[3] = 1;
    Meeting two = Teams(2);
    ApplyPlayerDefaults(prefs, two);
    QVERIFY(two.TeamControl[3] == 1 && two.ControlMode == 0);  // team C does not ride
    Meeting three = Teams(3);
    ApplyPlayerDefaults(prefs, three);
    QCOMPARE(three.ControlMode, Integer{1});
  }

  void topicsFollowTheCompetition() {
    // An individual meeting with reserves: no minimum rides, but reserve scores; OK writes
    // MinRides 0 all the same.
    Meeting single;
    single.NumRiders = 16;
    single.NumReserves = 2;
    single.ResMode = 2;
    single.MinRides = 3;
    frmRegulations individual(single, {});
    QCOMPARE(ListTexts(individual),
             (QStringList{"Starting Grid", "Reserve Usage", "Tape Touching", "Reserve Scores"}));
    QVERIFY(!individual.chkResPlacings->isChecked());  // ResMode 2: out of the placings
    individual.chkResPlacings->setChecked(true);
    individual.cmdOK->click();
    QVERIFY(single.MinRides == 0 && single.ResMode == 0);
    QCOMPARE(RepairCheckPos("20", single), std::string("13"));
    QCOMPARE(RepairCheckPos("", single), std::string("4"));
  }

  void runoffsAndMinorPositions() {
    Meeting two = Teams(2);
    two.RunoffMode = 1;
    two.RunoffDepth = 1;
    frmRegulations pair(two, {});
    QCOMPARE(pair.lstOptions->item(3)->text(), QStringLiteral("Runoff"));
    pair.chkRunoff1->setChecked(true);
    pair.cmdOK->click();
    QCOMPARE(two.RunoffMode, Integer{3});

    // Six teams: the position box is brought back between 4 and 5 and kept when unticked.
    Meeting six = Teams(6);
    six.RunoffMode = 2;
    six.RunoffDepth = 4;
    frmRegulations d(six, {});
    QCOMPARE(d.txtCheckPos->text(), QStringLiteral("4"));
    TypeAndLeave(d.txtCheckPos, QStringLiteral("9"));
    QCOMPARE(d.txtCheckPos->text(), QStringLiteral("5"));
    TypeAndLeave(d.txtCheckPos, QStringLiteral("2"));
    QCOMPARE(d.txtCheckPos->text(), QStringLiteral("4"));
    d.chkRunoff2->setChecked(false);
    d.chkRunoff1->setChecked(true);
    d.cmdOK->click();
    QVERIFY(six.RunoffMode == 3 && six.RunoffDepth == 4);
  }

  void tapesAndStartPenalty() {
    Meeting m = Teams(2);
    frmRegulations d(m, {});
    QCOMPARE(d.txtStartPen->text(), QStringLiteral("15"));
    d.optTapes[2]->setChecked(true);
    TypeAndLeave(d.txtStartPen, QString());
    QCOMPARE(d.txtStartPen->text(), QStringLiteral("15"));
    d.cmdOK->click();
    QCOMPARE(m.StartPen, Integer{15});

    // A penalty held is shown, and comes back when the box is cleared.
    m.StartPen = 20;
    frmRegulations again(m, {});
    QCOMPARE(RepairStartPen("0", m), std::string("20"));
    again.optTapes[1]->setChecked(true);
    again.cmdOK->click();
    QCOMPARE(m.StartPen, Integer{0});
  }

  void reserveUseCodes() {
    for (Integer code = 0; code <= 7; ++code) QCOMPARE(ReserveUseCode(ReserveUseBoxes(code)), code);
    QCOMPARE(ReserveUseBoxes(9), (std::array<bool, 3>{}));
    Meeting m = Teams(2);
    frmRegulations d(m, {});
    d.chkResUse2->setChecked(false);
    d.cmdOK->click();
    QCOMPARE(m.ResUse, Integer{5});
  }

  void tacticalSubstitutesMinimumRidesAndBonus() {
    Meeting m = Teams(2);
    m.TacSubUse = 2;
    m.TacSubMargin = 6;
    m.MinRides = 2;
    m.BonusPts = 2;
    m.StartGridOption = 2;
    frmRegulations d(m, {});
    QVERIFY(d.chkTacSubs->isChecked() && d.txtTacEnable->text() == QStringLiteral("6"));
    QVERIFY(d.optStartGrid[2]->isChecked());  // as the set-up left it
    QCOMPARE(d.txtMinRides->text(), QStringLiteral("2"));
    TypeAndLeave(d.txtTacEnable, QStringLiteral("0"));
    QCOMPARE(d.txtTacEnable->text(), QStringLiteral("6"));
    TypeAndLeave(d.txtTacEnable, QStringLiteral("8"));
    d.chkTacSubs->setChecked(false);
    TypeAndLeave(d.txtMinRides, QString());
    QVERIFY(d.txtMinRides->text().isEmpty());
    d.chkBonusPts->setChecked(false);
    d.optStartGrid[0]->setChecked(true);
    d.cmdOK->click();
    QVERIFY(std::tie(m.TacSubUse, m.TacSubMargin, m.MinRides, m.BonusPts, m.StartGridOption) ==
            std::make_tuple(1, 8, 0, 1, 0));
  }

  void cancelChangesNothing() {
    Meeting m = Teams(2);
    m.MinRides = 3;
    const Meeting before = m;
    frmRegulations d(m, {});
    d.txtMinRides->clear();
    d.chkResUse1->setChecked(false);
    d.cmdCancel->click();
    QVERIFY(m.MinRides == before.MinRides && m.ResUse == before.ResUse);
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::HeatDialogsTest)
#include "heat_dialogs_test.moc"
